#include "persistence/FileIo.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace FileIo {
namespace {

std::string ErrnoText(int e) {
    return e ? std::generic_category().message(e) : std::string("unknown error");
}

std::filesystem::path TempPathBeside(const std::filesystem::path& path) {
    std::random_device rd;
    std::ostringstream name;
    // Cut: a name near the longest a folder entry takes would leave no room for the rest.
    name << '.' << path.filename().string().substr(0, 64) << ".tmp-" << std::hex << rd() << rd();
    return path.parent_path() / name.str();
}

// Closes the descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Writes everything, retrying short writes; 0 or the errno.
int WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// The folder's entry for the new name reaches the disk only with the folder itself.
int SyncFolder(const std::filesystem::path& folder) {
    Fd dir{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0)
        return errno;
    if (::fsync(dir.fd) != 0 && errno != EINVAL)
        return errno; // some file systems cannot sync folders
    return 0;
}

// A write into a pipe whose reader has gone fails with EPIPE instead of ending the
// program with SIGPIPE: the signal is held back while writing and discarded after.
int WriteAllNoSigpipe(int fd, std::string_view content) {
    sigset_t pipe, old;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    ::sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    ::pthread_sigmask(SIG_BLOCK, &pipe, &old);
    const int e = WriteAll(fd, content);
    if (e == EPIPE && !alreadyPending) {
        const timespec none{0, 0};
        while (::sigtimedwait(&pipe, nullptr, &none) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return e;
}

// A device or a pipe has no content to keep: the bytes go straight into it. The node
// is opened without waiting, so a pipe that nobody reads is refused instead of
// holding the program forever.
std::optional<FileError> WriteInto(const std::filesystem::path& path, std::string_view content,
                                   int extraFlags) {
    Fd out{::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | extraFlags)};
    if (out.fd < 0) {
        if (errno == ENXIO)
            return FileError{"Cannot write the file: it is a pipe that nobody reads from"};
        return FileError{"Cannot write the file: " + ErrnoText(errno)};
    }
    // Once a reader is there, it sets the pace.
    const int flags = ::fcntl(out.fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(out.fd, F_SETFL, flags & ~O_NONBLOCK);
    if (const int e = WriteAllNoSigpipe(out.fd, content))
        return FileError{"Cannot write the file: " + ErrnoText(e)};
    const int fd = out.fd;
    out.fd = -1;
    if (::close(fd) != 0)
        return FileError{"Cannot write the file: " + ErrnoText(errno)};
    return std::nullopt;
}

// /dev/stdout, /dev/fd/N, /proc/self/fd/N: a descriptor the caller opened; whatever
// it leads to (a terminal, a pipe, a file the shell redirected to) is written into.
bool IsDescriptorLink(const std::filesystem::path& path) {
    const std::string s = path.lexically_normal().string();
    return s == "/dev/stdout" || s == "/dev/stderr" || s.starts_with("/dev/fd/") ||
           s.starts_with("/proc/self/fd/") || s.starts_with("/proc/thread-self/fd/");
}

} // namespace

std::variant<std::string, FileError> ReadWholeFile(const std::filesystem::path& path) {
    // No sample line comes near this; it keeps a file chosen by mistake (a disk image,
    // a device without end) from taking all the memory and the line being edited with it.
    constexpr std::size_t MaxBytes = std::size_t(64) << 20;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileError{"Cannot open the file: it is a folder"};
    // Opened without waiting (a pipe would wait for a writer) and then asked what it
    // is: only a regular file holds a line; a pipe or a device may never end.
    Fd in{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (in.fd < 0)
        return FileError{"Cannot open the file: " + ErrnoText(errno)};
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        return FileError{"Cannot open the file: " + ErrnoText(errno)};
    if (S_ISDIR(st.st_mode))
        return FileError{"Cannot open the file: it is a folder"};
    if (!S_ISREG(st.st_mode))
        return FileError{"Cannot open the file: it is not a regular file (a pipe or a device)"};
    if (const int flags = ::fcntl(in.fd, F_GETFL); flags >= 0)
        ::fcntl(in.fd, F_SETFL, flags & ~O_NONBLOCK);
    std::string bytes;
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FileError{"Cannot read the file: " + ErrnoText(errno)};
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > MaxBytes)
            return FileError{"Cannot open the file: it is larger than 64 MB, and no sample "
                             "line is"};
    }
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec) && !ec)
        return true;
    // A file that does not exist yet can still be named twice.
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec) &&
           !ec;
}

std::optional<FileError> WriteFileAtomically(const std::filesystem::path& requested,
                                             std::string_view content) {
    if (IsDescriptorLink(requested))
        return WriteInto(requested, content, O_APPEND);
    // Replace the file a link points to, not the link.
    std::error_code linkError;
    std::filesystem::path path = requested;
    if (std::filesystem::is_symlink(requested, linkError)) {
        const auto target = std::filesystem::weakly_canonical(requested, linkError);
        if (!linkError)
            path = target;
    }
    std::error_code ec;
    const auto old = std::filesystem::status(path, ec);
    const bool replacing = !ec && std::filesystem::exists(old);
    if (replacing && std::filesystem::is_directory(old))
        return FileError{"Cannot write the file: it is a folder"};
    // Renaming over a device or a pipe would replace the node itself (/dev/null with a
    // regular file); a disk or a socket takes no line at all.
    if (replacing && !std::filesystem::is_regular_file(old)) {
        if (std::filesystem::is_character_file(old) || std::filesystem::is_fifo(old))
            return WriteInto(path, content, 0);
        return FileError{"Cannot write the file: it is not a regular file"};
    }
    // The rename would replace a file its owner protected; honour the protection.
    // (Checked on the mode bits too: access() grants everything to the superuser.)
    const bool noWriteBits =
        (old.permissions() & std::filesystem::perms::all &
         (std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
          std::filesystem::perms::others_write)) == std::filesystem::perms::none;
    if (replacing && (noWriteBits || ::access(path.c_str(), W_OK) != 0))
        return FileError{"Cannot write the file: it is read-only"};

    const auto temp = TempPathBeside(path);
    const auto fail = [&](std::string_view what, int e) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return FileError{std::string(what) + ErrnoText(e)};
    };
    {
        Fd out{::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
        if (out.fd < 0)
            return FileError{"Cannot write the file: " + ErrnoText(errno)};
        if (const int e = WriteAll(out.fd, content))
            return fail("Cannot write the file: ", e);
        // Keep the owner of the file being replaced where that is allowed: the superuser
        // saving someone's line must not leave them a file they cannot save again. Anyone
        // else may not give a file away; then the new file is theirs, as it must be.
        struct stat owner {};
        if (replacing && ::stat(path.c_str(), &owner) == 0) {
            [[maybe_unused]] const int ignored = ::fchown(out.fd, owner.st_uid, owner.st_gid);
        }
        // Keep the permissions the user gave the file being replaced.
        if (replacing && ::fchmod(out.fd, old.permissions() == std::filesystem::perms::unknown
                                              ? 0644
                                              : static_cast<mode_t>(old.permissions())) != 0)
            return fail("Cannot write the file: ", errno);
        // The content is on the disk before the name points to it.
        if (::fsync(out.fd) != 0)
            return fail("Cannot write the file: ", errno);
        const int fd = out.fd;
        out.fd = -1;
        if (::close(fd) != 0)
            return fail("Cannot write the file: ", errno);
    }
    const auto folder = path.parent_path();
    if (const int e = SyncFolder(folder))
        return fail("Cannot write the file: ", e);
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return FileError{"Cannot write the file: " + ec.message()};
    }
    if (const int e = SyncFolder(folder))
        return FileError{"The file was written, but its folder could not be synced: " +
                         ErrnoText(e)};
    return std::nullopt;
}

} // namespace FileIo
