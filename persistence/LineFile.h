#pragma once

#include "model/DesignCase.h"
#include "model/EvalContext.h"
#include "model/TLodoComp.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A line read from a file, handed over whole: readers never leave a half-read line.
struct NameCounters {
    int TINo = 0, BINo = 0, CINo = 0, EINo = 0, NINo = 0, SINo = 0;
    bool operator==(const NameCounters&) const = default;
};

struct LineFile {
    LodoList List;
    std::optional<std::string> LineName; // absent when the file names no line
    // .lxl: the highest numbers the names carry (a caller raises its own counters to
    // these with RaiseNameCounters or a max); .lpl: the trailer, raised the same way.
    NameCounters Counters;
    // .lxl: what the line is designed for (empty when the file holds none); .lpl: empty.
    Design::DesignCase Design;
    // What the reader assumed where the file was not as written by this program (a
    // unit text read as English, a missing element, fields or elements ignored, bytes
    // that were not UTF-8): one line each, naming the component and the field.
    std::vector<std::string> Warnings;
};

struct FileError {
    std::string Message; // one line, fit for a message box
};

using ReadResult = std::variant<LineFile, FileError>;

// `defaults` supplies the values of a new record before the file's fields are set.
ReadResult ReadLxlFile(const std::filesystem::path& path, const EvalContext& defaults);
ReadResult ReadLplFile(const std::filesystem::path& path, const EvalContext& defaults);

// The same readers over text already in memory (the whole file's bytes).
ReadResult ReadLxlText(std::string_view text, const EvalContext& defaults);
ReadResult ReadLplBytes(std::string_view bytes, const EvalContext& defaults);

// Writes atomically (beside the target, then rename). Returns the error, if any.
// The design case goes inside the first component; a line without components has
// nowhere to keep it (nor its name). An empty design case writes the file exactly as
// a program without design cases did.
std::optional<FileError> WriteLxlFile(const std::filesystem::path& path, const LodoList& list,
                                      const std::string& lineName,
                                      const Design::DesignCase& design = {});

// The document WriteLxlFile writes, or why it cannot be written (an input that is
// not a finite number, or a design value outside its rule, would make a file that
// does not read back as it was).
std::variant<std::string, FileError> BuildLxlText(const LodoList& list, const std::string& lineName,
                                                  const Design::DesignCase& design = {});

// The legacy one-line layout of the component at SRow (0-based); empty outside the list.
std::string ConvertToStr(const LodoList& list, int SRow);

// The line in the legacy file layout (count, one line per component, counters and
// name): the snapshot the unsaved-change test compares.
std::vector<std::string> LegacySnapshot(const LodoList& list, const NameCounters& counters,
                                        const std::string& lineName);

// Raises each counter to at least the highest number its prefix carries in the
// names of `list` (T-7 -> TINo >= 7); nozzles and shrouded probes share "N-".
void RaiseNameCounters(const LodoList& list, NameCounters& counters);

// The fields of one legacy line: split at every delimiter, nothing trimmed; a field
// that begins with a double quote runs to its closing quote ("" stands for one quote)
// and may hold delimiters.
std::vector<std::string> Split(char Delimiter, std::string_view Str);

// Legacy file bytes as UTF-8 text: a byte-order mark selects UTF-8 or UTF-16 (LE/BE);
// without one, valid UTF-8 stays as it is and anything else is read as Windows-1252.
std::string DecodeLegacyText(std::string_view bytes);
