#pragma once

#include "persistence/LineFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace FileIo {

// The whole file's bytes, or why it cannot be read.
std::variant<std::string, FileError> ReadWholeFile(const std::filesystem::path& path);

// Writes `content` to a new file beside `path`, syncs it to the disk, then renames it
// over `path` and syncs the folder: either the new content is complete in place or
// the old file is left as it was. A read-only file is not replaced; a device or a pipe
// is written into, never replaced.
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path,
                                             std::string_view content);

// True when both paths name the same file (or would, once it exists).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace FileIo
