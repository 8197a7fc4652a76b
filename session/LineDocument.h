#pragma once

#include "persistence/LineFile.h"
#include "session/SessionUi.h"
#include "studies/engine/ParameterStudy.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The document behind the main window: the file the line was last read from or
// written to (DFileName), the snapshot the save question compares against, and the
// file dialogs with their texts. It reads and writes; what becomes of the line is
// the session's business.
class LineDocument {
public:
    static constexpr const char* LxlFilter = "Transport Systems (*.lxl)|*.lxl|all files (*.*)|*.*";
    static constexpr const char* LplFilter =
        "Pre Version 2 Transport Systems (*.lpl)|*.lpl|all files (*.*)|*.*";
    static constexpr const char* SaveCancelled = "Save file was cancelled";

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }

    // The line as the reference of the unsaved-change test (after New, Open, Save).
    void TakeReference(const LodoList& list, const NameCounters& counters,
                       const std::string& lineName, const Design::DesignCase& design = {});
    bool IsModified(const LodoList& list, const NameCounters& counters, const std::string& lineName,
                    const Design::DesignCase& design = {}) const;

    // The main window's title: the file's name and the unsaved-change mark "[*]".
    std::string WindowTitle() const;

    // ".lpl" in any letter case is a legacy file.
    static bool IsLegacyPath(const std::filesystem::path& path);
    // The whole line or why not; no exception leaves here.
    static ReadResult Read(const std::filesystem::path& path, bool legacy,
                           const EvalContext& defaults);
    static std::optional<FileError> Write(const std::filesystem::path& path, const LodoList& list,
                                          const std::string& lineName,
                                          const Design::DesignCase& design = {});

    // A file name made from a line name: characters no file system takes become "_",
    // blanks and dots at the ends go, at most 120 bytes of whole UTF-8 characters;
    // "Sample Line" when nothing is left.
    static std::string ProposedFileName(const std::string& lineName);

    // The Save As dialog of the sample line: proposes the file (or a name made from
    // `lineName` for a line never saved), forces ".lxl" (asking before replacing a
    // file the dialog did not ask about); nullopt when cancelled (said so).
    std::optional<std::filesystem::path> ChooseSaveAs(SessionUi& ui,
                                                      const std::string& lineName) const;

    // The study export: the save dialog proposes FileName with the study's word in
    // place of its extension; the file is replaced only once complete. FileName does
    // not change. True when written.
    bool ExportStudy(SessionUi& ui, const StudyOutcome& outcome) const;

private:
    std::string fileName_;
    std::vector<std::string> reference_;
    Design::DesignCase referenceDesign_;
};
