#include "model/TextSafety.h"

#include <algorithm>
#include <fmt/format.h>

namespace TextSafety {
namespace {

// Length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF; // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            lo = 0xA0; // no overlong forms
        if (c == 0xED)
            hi = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else
        return 0;
    if (i + n > s.size())
        return 0;
    if (b(i + 1) < lo || b(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
    return n;
}

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

} // namespace

std::string ValidUtf8(std::string_view s, bool* replaced) {
    std::string out;
    out.reserve(s.size());
    bool any = false;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = SequenceLength(s, i);
        if (n == 0) {
            out += Replacement;
            any = true;
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    if (replaced)
        *replaced = any;
    return out;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = SequenceLength(s, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Echo(std::string_view s, std::size_t maxChars) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out;
    std::size_t chars = 0, total = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = SequenceLength(s, i);
        ++total;
        if (chars >= maxChars) {
            i += n ? n : 1;
            continue;
        }
        ++chars;
        if (n == 0) {
            out += Replacement;
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        // C1 controls (U+0080..U+009F) are C2 80..C2 9F.
        const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0;
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F)
            out += std::string("\\x") + Hex[c >> 4] + Hex[c & 15];
        else if (c1) {
            const unsigned char v = static_cast<unsigned char>(s[i + 1]);
            out += std::string("\\u00") + Hex[v >> 4] + Hex[v & 15];
        } else
            out.append(s, i, n);
        i += n;
    }
    if (total > chars)
        out += "... (" + std::to_string(total) + " characters)";
    return out;
}

std::string Quote(std::string_view value) {
    return Echo(value);
}

std::string TerminalText(std::string_view text) {
    return Echo(text, 4096);
}

std::size_t TextWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

std::string JsonString(std::string_view raw) {
    const std::string s = ValidUtf8(raw);
    std::string out = "\"";
    for (char ch : s) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20)
                out += fmt::format("\\u{:04x}", static_cast<unsigned char>(ch));
            else
                out += ch;
        }
    }
    return out + "\"";
}

std::string CsvField(std::string s) {
    if (!s.empty() && std::string_view("=+-@\t\r").find(s.front()) != std::string_view::npos)
        s.insert(0, 1, '\'');
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (const char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

} // namespace TextSafety
