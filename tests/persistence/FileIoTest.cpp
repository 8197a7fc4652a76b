// The atomic writer: content complete or the old file untouched, protection honoured.
#include "persistence/FileIo.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lodo-fileio-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir);
    }
    static std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t EntriesIn(const fs::path& d) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(d), fs::directory_iterator()));
    }
    fs::path dir;
};

TEST_F(FileIoTest, ReplacesContentAndKeepsThePermissions) {
    const fs::path p = dir / "a.lxl";
    ASSERT_FALSE(FileIo::WriteFileAtomically(p, "one"));
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(FileIo::WriteFileAtomically(p, "two"));
    EXPECT_EQ(Slurp(p), "two");
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntriesIn(dir), 1u); // no temporary file left behind
}

TEST_F(FileIoTest, KeepsTheOwnerWhereAllowedToGiveTheFileAway) {
    const fs::path p = dir / "theirs.lxl";
    std::ofstream(p) << "old";
    if (::geteuid() != 0 || ::chown(p.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "only the superuser can hand a file to another user";
    ASSERT_FALSE(FileIo::WriteFileAtomically(p, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(Slurp(p), "new");
}

TEST_F(FileIoTest, RefusesAReadOnlyFileAndAFolder) {
    const fs::path p = dir / "protected.txt";
    std::ofstream(p) << "old";
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
    const auto e = FileIo::WriteFileAtomically(p, "new");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Message, "Cannot write the file: it is read-only");
    EXPECT_EQ(Slurp(p), "old");
    EXPECT_EQ(EntriesIn(dir), 1u);
    fs::create_directories(dir / "sub");
    ASSERT_TRUE(FileIo::WriteFileAtomically(dir / "sub", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST_F(FileIoTest, WritesANameAsLongAsAFolderEntryMayBe) {
    const fs::path p = dir / (std::string(251, 'x') + ".lxl"); // 255 bytes, the usual limit
    ASSERT_FALSE(FileIo::WriteFileAtomically(p, "one"));
    ASSERT_FALSE(FileIo::WriteFileAtomically(p, "two"));
    EXPECT_EQ(Slurp(p), "two");
    EXPECT_EQ(EntriesIn(dir), 1u);
}

TEST_F(FileIoTest, APipeOrADeviceIsWrittenIntoNotReplaced) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(FileIo::WriteFileAtomically(fifo, "line"));
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 4);
    ::close(reader);
    EXPECT_EQ(std::string(got), "line");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(EntriesIn(dir), 1u);

    // A full device reports the failure (making one needs the privilege to).
    const fs::path full = dir / "full";
    if (::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    const auto e = FileIo::WriteFileAtomically(full, "line");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Message, "Cannot write the file: No space left on device");
    EXPECT_TRUE(fs::is_character_file(full));
}

TEST_F(FileIoTest, APipeNobodyReadsIsRefusedAtOnceAndAReaderThatLeavesIsAFailedWrite) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // No reader: refused, not waited on (a blocking open would hang this test).
    auto e = FileIo::WriteFileAtomically(fifo, "line");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Message, "Cannot write the file: it is a pipe that nobody reads from");
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A reader that goes away half-way: the write fails; the program lives on.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::thread leave([reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::close(reader);
    });
    e = FileIo::WriteFileAtomically(fifo, std::string(std::size_t(4) << 20, 'x'));
    leave.join();
    ASSERT_TRUE(e);
    // On a busy machine the reader may be gone before the write begins.
    EXPECT_TRUE(e->Message == "Cannot write the file: Broken pipe" ||
                e->Message == "Cannot write the file: it is a pipe that nobody reads from")
        << e->Message;
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FileIoTest, ReadingAPipeOrADeviceIsRefusedAtOnce) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto r = FileIo::ReadWholeFile(fifo); // nobody writes: must not wait
    ASSERT_TRUE(std::holds_alternative<FileError>(r));
    EXPECT_EQ(std::get<FileError>(r).Message,
              "Cannot open the file: it is not a regular file (a pipe or a device)");
    const fs::path device = dir / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    EXPECT_TRUE(std::holds_alternative<FileError>(FileIo::ReadWholeFile(device)));
}

TEST_F(FileIoTest, ADescriptorLinkIsWrittenIntoWhateverItLeadsTo) {
    // As "-o /dev/stdout" with the output redirected to a file: the file the caller
    // opened receives the bytes; it is not replaced by another.
    const fs::path p = dir / "redirected.txt";
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "head\n", 5), 5);
    struct stat before {};
    ASSERT_EQ(::stat(p.c_str(), &before), 0);
    EXPECT_FALSE(FileIo::WriteFileAtomically("/proc/self/fd/" + std::to_string(fd), "line\n"));
    ::close(fd);
    struct stat after {};
    ASSERT_EQ(::stat(p.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Slurp(p), "head\nline\n");
}

TEST_F(FileIoTest, AFileFarLargerThanAnyLineIsNotRead) {
    const fs::path p = dir / "disk.img";
    std::ofstream(p) << "<Nodes>";
    fs::resize_file(p, (std::uintmax_t(64) << 20) + 1); // sparse: costs no disk
    const auto r = FileIo::ReadWholeFile(p);
    ASSERT_TRUE(std::holds_alternative<FileError>(r));
    EXPECT_EQ(std::get<FileError>(r).Message,
              "Cannot open the file: it is larger than 64 MB, and no sample line is");
    fs::resize_file(p, std::uintmax_t(64) << 20);
    EXPECT_TRUE(std::holds_alternative<std::string>(FileIo::ReadWholeFile(p)));
}

TEST_F(FileIoTest, SameFileSeesThroughSpellingsAndLinks) {
    const fs::path p = dir / "line.lpl";
    std::ofstream(p) << "x";
    fs::create_symlink(p, dir / "link.lpl");
    EXPECT_TRUE(FileIo::SameFile(p, dir / "." / "line.lpl"));
    EXPECT_TRUE(FileIo::SameFile(p, dir / "link.lpl"));
    EXPECT_TRUE(FileIo::SameFile(dir / "new.lxl", dir / "sub" / ".." / "new.lxl"));
    EXPECT_FALSE(FileIo::SameFile(p, dir / "line.lxl"));
}

} // namespace
