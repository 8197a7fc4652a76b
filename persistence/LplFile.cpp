// Import of the legacy comma-separated file: a count line N, N component lines of
// 28 fields, and a trailer with the six name counters and the line name.
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"
#include "persistence/RecordFields.h"

#include "model/CreateComp.h"
#include "model/NumberFormat.h"

#include <array>

namespace {

constexpr const char* InvalidFile = "Invalid File. Can not Open File";

// Lines end in CR LF, LF or CR; a break after the last line does not start another.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string ComponentPrefix(std::size_t index, std::string_view field) {
    return "Component " + std::to_string(index + 1) + ", field \"" + std::string(field) + "\": ";
}

// The legacy layout is exactly the record's stored fields (see RecordFields::All).
std::optional<FileError> ReadComponent(std::string_view line, std::size_t index, TLodoComp& c) {
    const auto fields = Split(',', line);
    if (fields.size() < RecordFields::All.size())
        return FileError{"Component " + std::to_string(index + 1) + " (line " + std::to_string(index + 2) +
                         ") has " + std::to_string(fields.size()) + " fields; 28 are needed"};
    for (std::size_t k = 0; k < RecordFields::All.size(); ++k) {
        const auto& f = RecordFields::All[k];
        if (auto error = RecordFields::Set(c, f, fields[k]))
            return FileError{ComponentPrefix(index, f.Name) + *error};
    }
    if (auto error = RecordFields::CheckProbeModel(c))
        return FileError{ComponentPrefix(index, "NType") + *error};
    return std::nullopt;
}

std::optional<FileError> ReadTrailer(std::string_view line, LineFile& file) {
    const auto fields = Split(',', line);
    if (fields.size() < 7)
        return FileError{"The last line (name counters and line name) has " + std::to_string(fields.size()) +
                         " fields; 7 are needed"};
    NameCounters& n = file.Counters;
    const std::array<std::pair<const char*, int*>, 6> counters = {{
        {"TINo", &n.TINo}, {"BINo", &n.BINo}, {"CINo", &n.CINo},
        {"EINo", &n.EINo}, {"NINo", &n.NINo}, {"SINo", &n.SINo},
    }};
    for (std::size_t k = 0; k < counters.size(); ++k) {
        const auto v = NumberFormat::ParseInteger(fields[k]);
        if (!v)
            return FileError{"Last line, field \"" + std::string(counters[k].first) + "\": '" + fields[k] +
                             "' is not a valid integer value"};
        *counters[k].second = *v;
    }
    file.LineName = fields[6];
    return std::nullopt;
}

}  // namespace

ReadResult ReadLplBytes(std::string_view bytes, const EvalContext& defaults) {
    const std::string text = DecodeLegacyText(bytes);
    const auto lines = SplitLines(text);
    if (lines.empty()) return FileError{InvalidFile};
    const auto count = NumberFormat::ParseInteger(lines.front());
    if (!count)
        return FileError{"Line 1 (number of components): '" + std::string(lines.front()) +
                         "' is not a valid integer value"};
    if (*count < 0 || lines.size() != static_cast<std::size_t>(*count) + 2) return FileError{InvalidFile};

    LineFile file;
    file.List.reserve(static_cast<std::size_t>(*count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(*count); ++i) {
        TLodoComp c = CreateComp(defaults);
        if (auto error = ReadComponent(lines[i + 1], i, c)) return *error;
        file.List.push_back(std::move(c));
    }
    if (auto error = ReadTrailer(lines.back(), file)) return *error;
    RaiseNameCounters(file.List, file.Counters);
    return file;
}

ReadResult ReadLplFile(const std::filesystem::path& path, const EvalContext& defaults) {
    auto bytes = FileIo::ReadWholeFile(path);
    if (auto* e = std::get_if<FileError>(&bytes)) return *e;
    return ReadLplBytes(std::get<std::string>(bytes), defaults);
}
