// Import of the legacy comma-separated file: a count line N, N component lines of
// 28 fields, and a trailer with the six name counters and the line name.
#include "model/CreateComp.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/TextSafety.h"
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"
#include "persistence/ReaderWarnings.h"
#include "persistence/RecordFields.h"

#include <array>

namespace {

constexpr const char* InvalidFile = "Invalid File. Can not Open File";
constexpr std::string_view ReplacementUtf8 = "\xEF\xBF\xBD";

// Lines end in CR LF, LF or CR; a break after the last line does not start another.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string ComponentPrefix(std::size_t index, std::string_view field) {
    return "Component " + std::to_string(index + 1) + ", field \"" + std::string(field) + "\": ";
}

// The legacy layout is exactly the record's stored fields (see RecordFields::All).
std::optional<FileError> ReadComponent(std::string_view line, std::size_t index, TLodoComp& c,
                                       std::vector<std::string>& warnings) {
    const auto fields = Split(',', line);
    const std::size_t lineNo = index + 2;
    if (fields.size() < RecordFields::All.size())
        return FileError{"Component " + std::to_string(index + 1) + " (line " +
                         std::to_string(lineNo) + ") has " + std::to_string(fields.size()) +
                         " fields; 28 are needed"};
    for (std::size_t k = 0; k < RecordFields::All.size(); ++k) {
        const auto& f = RecordFields::All[k];
        if (auto error = RecordFields::Set(c, f, fields[k]))
            return FileError{ComponentPrefix(index, f.Name) + *error};
    }
    const std::string label = RecordFields::ComponentLabel(index, c.Name);
    if (fields.size() > RecordFields::All.size())
        warnings.push_back(label + ", line " + std::to_string(lineNo) + ": " +
                           std::to_string(fields.size()) + " fields; the " +
                           std::to_string(fields.size() - RecordFields::All.size()) +
                           " after the 28th are ignored");
    if (auto error = RecordFields::CheckComponentType(c))
        return FileError{label + " (line " + std::to_string(lineNo) + "), " + *error};
    if (auto error = RecordFields::CheckProbeModel(c))
        return FileError{ComponentPrefix(index, "NType") + *error};
    if (auto error = RecordFields::CheckInputRules(c))
        return FileError{label + " (line " + std::to_string(lineNo) + "), " + *error};
    RecordFields::AddUnitWarnings(c, label, warnings);
    return std::nullopt;
}

std::optional<FileError> ReadTrailer(std::string_view line, std::size_t lineNo, LineFile& file) {
    const auto fields = Split(',', line);
    if (fields.size() < 7)
        return FileError{"The last line (name counters and line name) has " +
                         std::to_string(fields.size()) + " fields; 7 are needed"};
    if (fields.size() > 7)
        file.Warnings.push_back(
            "Line " + std::to_string(lineNo) + " (name counters and line name): " +
            std::to_string(fields.size()) + " fields; the " + std::to_string(fields.size() - 7) +
            " after the line name are ignored (a name with a comma needs double quotes)");
    NameCounters& n = file.Counters;
    const std::array<std::pair<const char*, int*>, 6> counters = {{
        {"TINo", &n.TINo},
        {"BINo", &n.BINo},
        {"CINo", &n.CINo},
        {"EINo", &n.EINo},
        {"NINo", &n.NINo},
        {"SINo", &n.SINo},
    }};
    for (std::size_t k = 0; k < counters.size(); ++k) {
        const auto v = NumberFormat::ParseInteger(fields[k]);
        if (!v)
            return FileError{"Last line, field \"" + std::string(counters[k].first) + "\": '" +
                             TextSafety::Echo(fields[k]) + "' is not a valid integer value"};
        *counters[k].second = *v;
    }
    file.LineName = fields[6];
    return std::nullopt;
}

} // namespace

ReadResult ReadLplBytes(std::string_view bytes, const EvalContext& defaults) {
    const std::string text = DecodeLegacyText(bytes);
    auto lines = SplitLines(text);
    if (lines.empty())
        return FileError{std::string(InvalidFile) + ": the file is empty"};
    const auto count = NumberFormat::ParseInteger(lines.front());
    if (!count)
        return FileError{"Line 1 (number of components): '" + TextSafety::Echo(lines.front()) +
                         "' is not a valid integer value"};
    if (*count < 0)
        return FileError{std::string(InvalidFile) + ": line 1 gives " + std::to_string(*count) +
                         " components, which is not a count"};
    const std::size_t expected = static_cast<std::size_t>(*count) + 2;
    // Blank lines after the trailer carry nothing; an editor may well have added one.
    std::size_t blank = 0;
    while (lines.size() > expected &&
           lines.back().find_first_not_of(" \t") == std::string_view::npos) {
        lines.pop_back();
        ++blank;
    }
    if (lines.size() != expected) {
        const std::string n = std::to_string(*count);
        return FileError{std::string(InvalidFile) + ": line 1 gives " + n +
                         (*count == 1 ? " component" : " components") + ", so the file needs " +
                         std::to_string(expected) + " lines (the count, " + n +
                         " component lines and the last line with the name counters and the line "
                         "name); it has " +
                         std::to_string(lines.size())};
    }

    LineFile file;
    const auto replacements = [](std::string_view t) {
        std::size_t n = 0;
        for (auto at = t.find(ReplacementUtf8); at != std::string_view::npos;
             at = t.find(ReplacementUtf8, at + 3))
            ++n;
        return n;
    };
    if (replacements(text) > replacements(bytes))
        file.Warnings.push_back(
            "Bytes that are no text (a NUL, half of a UTF-16 pair) were read as U+FFFD");
    if (blank > 0)
        file.Warnings.push_back("Line " + std::to_string(expected + 1) +
                                (blank == 1 ? " is blank; ignored"
                                            : " and the " + std::to_string(blank - 1) +
                                                  " after it are blank; ignored"));
    file.List.reserve(static_cast<std::size_t>(*count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(*count); ++i) {
        TLodoComp c = CreateComp(defaults);
        if (auto error = ReadComponent(lines[i + 1], i, c, file.Warnings))
            return *error;
        file.List.push_back(std::move(c));
    }
    if (auto error = ReadTrailer(lines.back(), expected, file))
        return *error;
    RaiseNameCounters(file.List, file.Counters);
    for (std::string& w : ReaderWarnings::StructureFindings(file.List))
        file.Warnings.push_back(std::move(w));
    return file;
}

ReadResult ReadLplFile(const std::filesystem::path& path, const EvalContext& defaults) {
    auto bytes = FileIo::ReadWholeFile(path);
    if (auto* e = std::get_if<FileError>(&bytes))
        return *e;
    return ReadLplBytes(std::get<std::string>(bytes), defaults);
}
