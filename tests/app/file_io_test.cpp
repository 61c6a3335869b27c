#include "app/file_io.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace qv {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

size_t EntryCount(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(WriteFileAtomically, ReplacesKeepingPermissionsAndLinks) {
    test::TempDir dir;
    const std::string file = dir.File("a.bin");
    test::WriteAll(file, {1, 2});
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(file, {3, 4, 5}));
    EXPECT_EQ(test::ReadAll(file), (std::vector<uint8_t>{3, 4, 5}));
    EXPECT_EQ(ModeOf(file) & 07777, 0640u);

    ASSERT_EQ(symlink("a.bin", dir.File("relative").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("relative"), {6}));
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.File("relative"))));
    EXPECT_EQ(test::ReadAll(file), (std::vector<uint8_t>{6}));
    EXPECT_EQ(ModeOf(file) & 07777, 0640u);
    EXPECT_EQ(EntryCount(dir.path()), 2u);
}

TEST(WriteFileAtomically, FailsWithoutTouchingWhatIsThere) {
    test::TempDir dir;
    // A loop of links, a folder and a folder that does not exist.
    ASSERT_EQ(symlink("loop2", dir.File("loop1").c_str()), 0);
    ASSERT_EQ(symlink("loop1", dir.File("loop2").c_str()), 0);
    EXPECT_FALSE(WriteFileAtomically(dir.File("loop1"), {1}));
    ASSERT_EQ(mkdir(dir.File("folder").c_str(), 0755), 0);
    EXPECT_FALSE(WriteFileAtomically(dir.File("folder"), {1}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
    EXPECT_FALSE(WriteFileAtomically(dir.File("none/file"), {1}));
    EXPECT_FALSE(WriteFileAtomically("", {1}));
    EXPECT_EQ(EntryCount(dir.path()), 3u);
}

TEST(WriteFileAtomically, StandardOutputIsWrittenThroughItsDescriptor) {
    test::TempDir dir;
    const std::string file = dir.File("redirected");
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    // The name /proc gives the descriptor leads to the file, which must not be renamed over:
    // the descriptor's holder would lose what is written.
    const std::string name = "/dev/fd/" + std::to_string(fd);
    EXPECT_TRUE(WriteFileAtomically(name, {9, 8, 7}));
    struct stat by_descriptor {};
    struct stat by_name {};
    ASSERT_EQ(fstat(fd, &by_descriptor), 0);
    ASSERT_EQ(stat(file.c_str(), &by_name), 0);
    EXPECT_EQ(by_descriptor.st_ino, by_name.st_ino);
    // Through the descriptor itself: its offset moves on, so a second write follows the first,
    // as it does on a shell's ">>".
    EXPECT_TRUE(WriteFileAtomically(name, {6}));
    close(fd);
    EXPECT_EQ(test::ReadAll(file), (std::vector<uint8_t>{9, 8, 7, 6}));
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

}  // namespace
}  // namespace qv
