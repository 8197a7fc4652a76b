#pragma once

#include "persistence/LineFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace FileIo {

// The whole file's bytes, or why it cannot be read. Only a regular file is read: a
// pipe or a device is refused at once, never waited on.
std::variant<std::string, FileError> ReadWholeFile(const std::filesystem::path& path);

// The one writer of every file the program makes (line files, reports, pictures,
// exports): `content` goes to a new file beside `path`, is synced to the disk, then
// renamed over `path` (keeping the old file's owner where allowed, and its mode) and
// the folder is synced: either the new content is complete in place or the old file
// is left as it was. A read-only file is refused. A device or a pipe is written into,
// never replaced; a pipe that nobody reads is refused at once instead of waited on, and
// a reader that goes away is a failed write, not the end of the program. /dev/stdout
// and the other descriptor links are written into (appended to) whatever they lead to.
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path,
                                             std::string_view content);

// True when both paths name the same file (or would, once it exists).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace FileIo
