// Texts of the legacy comma-separated layout: one component per line, the
// snapshot of a whole line, field splitting and the legacy files' encodings.
#include "model/TextSafety.h"
#include "persistence/LineFile.h"
#include "persistence/RecordFields.h"

#include <array>
#include <cstdint>

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t Replacement = 0xFFFD;

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 controls of the
// same value, as Windows itself converts them.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, (b >= 0x80 && b <= 0x9F) ? Cp1252High[b - 0x80] : char32_t(b));
    }
    return out;
}

std::string FromUtf16(std::string_view s, bool bigEndian) {
    std::string out;
    out.reserve(s.size());
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(s[i]);
        const auto b = static_cast<unsigned char>(s[i + 1]);
        return bigEndian ? char32_t((a << 8) | b) : char32_t((b << 8) | a);
    };
    std::size_t i = 0;
    for (; i + 1 < s.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? Replacement : u);
    }
    if (i < s.size())
        AppendUtf8(out, Replacement); // a lone trailing byte
    return out;
}

} // namespace

namespace {

std::string Decode(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        return TextSafety::IsValidUtf8(bytes) ? std::string(bytes) : FromCp1252(bytes);
    }
    if (bytes.starts_with("\xFF\xFE"))
        return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return FromUtf16(bytes.substr(2), true);
    return TextSafety::IsValidUtf8(bytes) ? std::string(bytes) : FromCp1252(bytes);
}

} // namespace

std::string DecodeLegacyText(std::string_view bytes) {
    std::string text = Decode(bytes);
    // A NUL is damage, not text: no sample-line file can hold it.
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (ch == '\0')
            AppendUtf8(out, Replacement);
        else
            out += ch;
    }
    return out;
}

std::vector<std::string> Split(char Delimiter, std::string_view Str) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string field;
        if (i < Str.size() && Str[i] == '"') {
            ++i;
            while (i < Str.size()) {
                if (Str[i] == '"') {
                    if (i + 1 < Str.size() && Str[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += Str[i++];
            }
        }
        // Plain text, or whatever follows a closing quote up to the delimiter.
        const auto end = Str.find(Delimiter, i);
        const auto stop = end == std::string_view::npos ? Str.size() : end;
        field.append(Str.substr(i, stop - i));
        fields.push_back(std::move(field));
        if (end == std::string_view::npos)
            break;
        i = end + 1;
    }
    return fields;
}

std::string ConvertToStr(const LodoList& list, int SRow) {
    if (SRow < 0 || static_cast<std::size_t>(SRow) >= list.size())
        return {};
    const TLodoComp& c = list[static_cast<std::size_t>(SRow)];
    std::string line;
    for (std::size_t k = 0; k < RecordFields::All.size(); ++k) {
        if (k > 0)
            line += ',';
        line += RecordFields::Format(c, RecordFields::All[k]);
    }
    return line;
}

std::vector<std::string> LegacySnapshot(const LodoList& list, const NameCounters& counters,
                                        const std::string& lineName) {
    std::vector<std::string> lines;
    lines.reserve(list.size() + 2);
    lines.push_back(std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        lines.push_back(ConvertToStr(list, static_cast<int>(i)));
    lines.push_back(std::to_string(counters.TINo) + ',' + std::to_string(counters.BINo) + ',' +
                    std::to_string(counters.CINo) + ',' + std::to_string(counters.EINo) + ',' +
                    std::to_string(counters.NINo) + ',' + std::to_string(counters.SINo) + ',' +
                    lineName);
    return lines;
}
