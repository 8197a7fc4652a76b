#include "session/LineDocument.h"

#include "persistence/FileIo.h"
#include "version/ProgramVersion.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <string_view>
#include <system_error>

void LineDocument::TakeReference(const LodoList& list, const NameCounters& counters,
                                 const std::string& lineName, const Design::DesignCase& design) {
    reference_ = LegacySnapshot(list, counters, lineName);
    referenceDesign_ = design;
}

bool LineDocument::IsModified(const LodoList& list, const NameCounters& counters,
                              const std::string& lineName, const Design::DesignCase& design) const {
    return LegacySnapshot(list, counters, lineName) != reference_ || design != referenceDesign_;
}

std::string LineDocument::WindowTitle() const {
    const std::string caption = "Lodo Calculator, v " + ProgramVersion::Shown();
    if (fileName_.empty())
        return caption + "[*]";
    return std::filesystem::path(fileName_).filename().string() + "[*] \u2014 " + caption;
}

bool LineDocument::IsLegacyPath(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return ext == ".lpl";
}

ReadResult LineDocument::Read(const std::filesystem::path& path, bool legacy,
                              const EvalContext& defaults) {
    try {
        return legacy ? ReadLplFile(path, defaults) : ReadLxlFile(path, defaults);
    } catch (const std::exception& e) {
        return FileError{e.what()};
    }
}

std::optional<FileError> LineDocument::Write(const std::filesystem::path& path,
                                             const LodoList& list, const std::string& lineName,
                                             const Design::DesignCase& design) {
    try {
        return WriteLxlFile(path, list, lineName, design);
    } catch (const std::exception& e) {
        return FileError{e.what()};
    }
}

std::string LineDocument::ProposedFileName(const std::string& lineName) {
    std::string name;
    for (const char ch : lineName) {
        const auto u = static_cast<unsigned char>(ch);
        const bool unsafe = u < 0x20 || u == 0x7F ||
                            std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos;
        name += unsafe ? '_' : ch;
    }
    // Blanks and dots at the ends vanish or hide the file on some systems.
    const auto first = name.find_first_not_of(" .");
    name = first == std::string::npos ? std::string()
                                      : name.substr(first, name.find_last_not_of(" .") - first + 1);
    constexpr std::size_t MaxBytes = 120;
    if (name.size() > MaxBytes) {
        std::size_t cut = MaxBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // whole UTF-8 characters
        name.resize(cut);
        // The cut may have left blanks or dots at the end.
        const auto last = name.find_last_not_of(" .");
        name.resize(last == std::string::npos ? 0 : last + 1);
    }
    return name.empty() ? std::string("Sample Line") : name;
}

std::optional<std::filesystem::path> LineDocument::ChooseSaveAs(SessionUi& ui,
                                                                const std::string& lineName) const {
    SaveDialogRequest req;
    req.Title = "Save Sample Line As";
    req.DefaultExt = ".lxl";
    req.Filter = "Lodo files only|*.lxl";
    // The line's file, or a name made from the line name for a line never saved.
    req.InitialName = fileName_.empty()
                          ? ProposedFileName(lineName) + ".lxl"
                          : std::filesystem::path(fileName_).replace_extension(".lxl").string();
    req.AskBeforeReplacing = true;
    std::optional<std::filesystem::path> path = ui.ChooseSaveFile(req);
    if (!path) {
        ui.ShowMessage(SaveCancelled);
        return std::nullopt;
    }
    if (path->extension() != ".lxl") {
        *path += ".lxl";
        // The dialog asked about the name it returned, not about this one.
        std::error_code ec;
        if (std::filesystem::exists(*path, ec) &&
            ui.YNMessage(path->string() + " already exists.\nDo you want to replace it?",
                         QuestionButtons::YesNo) != Answer::Yes) {
            ui.ShowMessage(SaveCancelled);
            return std::nullopt;
        }
    }
    return path;
}

bool LineDocument::ExportStudy(SessionUi& ui, const StudyOutcome& outcome) const {
    if (!outcome.Ran())
        return false;
    SaveDialogRequest req;
    // Titled and filtered for what it saves; the file itself is as specified.
    req.Title = "Save Study Table As";
    req.DefaultExt = "txt";
    req.Filter = "Tab-delimited study table|*.txt";
    req.InitialName = StudyFileName(fileName_, outcome.Kind);
    req.AskBeforeReplacing = true;
    const auto path = ui.ChooseSaveFile(req);
    if (!path)
        return false;
    std::string text;
    for (const std::string& line : outcome.Lines)
        text += line + '\n';
    if (const std::optional<FileError> err = FileIo::WriteFileAtomically(*path, text)) {
        ui.ShowError(path->string() + ": " + err->Message);
        return false;
    }
    return true;
}
