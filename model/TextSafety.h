#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from a file, a user or an argument made safe to show or to write: every
// reader, message and output goes through these, so a byte that is not UTF-8 or a
// control character is handled the same way everywhere.
namespace TextSafety {

// Text as valid UTF-8: each byte that is not part of a well-formed sequence becomes
// U+FFFD; `replaced` (when given) tells whether any did.
std::string ValidUtf8(std::string_view s, bool* replaced = nullptr);
// True when every byte of `s` is part of a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view s);

// A value as a message may quote it: valid UTF-8, control characters escaped ("\n",
// "\x1b"), and cut after `maxChars` characters with "..." and the full length.
std::string Echo(std::string_view s, std::size_t maxChars = 60);

// A value from the user or a file as a message quotes it: Echo's 60 characters.
std::string Quote(std::string_view value);

// A text from a file as a table or report prints it on the terminal: control
// characters escaped (nothing in it can move the cursor or change the terminal),
// valid UTF-8, cut only past 4096 characters.
std::string TerminalText(std::string_view text);

// The columns a text takes on the terminal, counting a UTF-8 sequence as one.
std::size_t TextWidth(std::string_view text);

// A quoted, escaped JSON string (bytes that are not UTF-8 become U+FFFD).
std::string JsonString(std::string_view s);

// A CSV field: a text a spreadsheet would run as a formula (=, +, -, @ first) is kept
// as text by a leading apostrophe; the rest is quoted as CSV quotes.
std::string CsvField(std::string s);

} // namespace TextSafety
