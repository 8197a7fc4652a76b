#include "persistence/FileIo.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace FileIo {
namespace {

std::string ErrnoText(int e) {
    return e ? std::generic_category().message(e) : std::string("unknown error");
}

std::filesystem::path TempPathBeside(const std::filesystem::path& path) {
    std::random_device rd;
    std::ostringstream name;
    name << '.' << path.filename().string() << ".tmp-" << std::hex << rd() << rd();
    return path.parent_path() / name.str();
}

}  // namespace

std::variant<std::string, FileError> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileError{"Cannot open the file: it is a folder"};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileError{"Cannot open the file: " + ErrnoText(errno)};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return FileError{"Cannot read the file: " + ErrnoText(errno)};
    return std::move(bytes).str();
}

std::optional<FileError> WriteFileAtomically(const std::filesystem::path& requested,
                                             std::string_view content) {
    // Replace the file a link points to, not the link.
    std::error_code linkError;
    std::filesystem::path path = requested;
    if (std::filesystem::is_symlink(requested, linkError)) {
        const auto target = std::filesystem::weakly_canonical(requested, linkError);
        if (!linkError) path = target;
    }
    const auto temp = TempPathBeside(path);
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return FileError{"Cannot write the file: " + ErrnoText(errno)};
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            const int e = errno;
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return FileError{"Cannot write the file: " + ErrnoText(e)};
        }
    }
    std::error_code ec;
    // Keep the permissions the user gave the file being replaced.
    const auto old = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(old))
        std::filesystem::permissions(temp, old.permissions(), ec);
    ec.clear();
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return FileError{"Cannot write the file: " + ec.message()};
    }
    return std::nullopt;
}

}  // namespace FileIo
