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

// Writes `content` to a new file beside `path`, then renames it over `path`: either
// the new content is complete in place or the old file is left as it was.
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path,
                                             std::string_view content);

}  // namespace FileIo
