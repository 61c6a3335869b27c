#include "app/bounded_read.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "tests/support/temp_dir.h"

namespace qv {
namespace {

constexpr uint64_t kMegabyte = 1024 * 1024;

BoundedReadStatus Read(const std::string& path, uint64_t cap = 256 * kMegabyte) {
    std::vector<uint8_t> bytes = {42};
    const BoundedReadStatus status = ReadRegularFile(path, cap, bytes);
    // Only a whole read replaces what the caller had.
    if (status != BoundedReadStatus::kOk) {
        EXPECT_EQ(bytes, std::vector<uint8_t>{42});
    }
    return status;
}

TEST(BoundedRead, RegularFilesAreReadWhole) {
    test::TempDir dir;
    const std::vector<uint8_t> content = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    test::WriteAll(dir.File("ten"), content);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadRegularFile(dir.File("ten"), 10, bytes), BoundedReadStatus::kOk);
    EXPECT_EQ(bytes, content);
    EXPECT_EQ(Read(dir.File("ten"), 9), BoundedReadStatus::kTooLarge);

    test::WriteAll(dir.File("empty"), {});
    ASSERT_EQ(ReadRegularFile(dir.File("empty"), 10, bytes), BoundedReadStatus::kOk);
    EXPECT_TRUE(bytes.empty());

    // A link to a regular file is followed.
    ASSERT_EQ(symlink(dir.File("ten").c_str(), dir.File("link").c_str()), 0);
    ASSERT_EQ(ReadRegularFile(dir.File("link"), 10, bytes), BoundedReadStatus::kOk);
    EXPECT_EQ(bytes, content);

    EXPECT_EQ(Read(dir.File("missing")), BoundedReadStatus::kCannotOpen);
    EXPECT_EQ(Read(""), BoundedReadStatus::kCannotOpen);
}

// None of these is opened for reading; a FIFO without a writer would never end, /dev/zero
// never stops giving.
TEST(BoundedRead, AnythingButARegularFileIsRefusedAtOnce) {
    test::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", dir.File("zero.png").c_str()), 0);
    ASSERT_EQ(symlink(dir.File("pipe").c_str(), dir.File("pipe.gif").c_str()), 0);

    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket_path = dir.File("socket");
    ASSERT_LT(socket_path.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socket_path.c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path :
         {dir.File("pipe"), dir.File("pipe.gif"), std::string("/dev/zero"), dir.File("zero.png"),
          dir.path(), socket_path}) {
        EXPECT_EQ(Read(path), BoundedReadStatus::kNotRegularFile) << path;
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    close(sock);
}

TEST(BoundedRead, FilesOverTheCapAreRefusedUnread) {
    test::TempDir dir;
    const std::string path = dir.File("sparse");
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    // Sparse: costs no disk, and would cost 256 MB of memory if it were read.
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(256 * kMegabyte + 1)), 0);
    close(fd);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(path), BoundedReadStatus::kTooLarge);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

// A file may hold more than its size said when it was opened; the cap holds for what is read.
// Kernel status files are regular files that state a size of zero.
TEST(BoundedRead, TheCapHoldsForMoreThanTheStatedSize) {
    struct stat info {};
    if (stat("/proc/self/status", &info) != 0 || info.st_size != 0) {
        GTEST_SKIP() << "no status file of stated size zero";
    }
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadRegularFile("/proc/self/status", kMegabyte, bytes), BoundedReadStatus::kOk);
    EXPECT_GT(bytes.size(), 16u);
    EXPECT_EQ(Read("/proc/self/status", 16), BoundedReadStatus::kTooLarge);
}

}  // namespace
}  // namespace qv
