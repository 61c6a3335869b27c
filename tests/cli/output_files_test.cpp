#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"

namespace qv {
namespace {

using test::ReadAll;
using test::RunTool;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class CommandLineOutput : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteTextLogo(project_, {"Output", "files"});
        ASSERT_EQ(RunTool({"export", project_, "-o", reference_}).status, 0);
        image_ = ReadAll(reference_);
        ASSERT_FALSE(image_.empty());
    }

    test::TempDir dir_;
    const std::string project_ = dir_.File("logo.kuz");
    const std::string reference_ = dir_.File("reference.png");
    std::vector<uint8_t> image_;
};

TEST_F(CommandLineOutput, ALinkStaysAndItsTargetIsWritten) {
    ASSERT_EQ(mkdir(dir_.File("images").c_str(), 0755), 0);
    test::WriteAll(dir_.File("images/old.png"), {1, 2, 3});
    ASSERT_EQ(symlink("images/old.png", dir_.File("link.png").c_str()), 0);
    ASSERT_EQ(RunTool({"export", project_, "-o", dir_.File("link.png")}).status, 0);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir_.File("link.png"))));
    EXPECT_EQ(ReadAll(dir_.File("images/old.png")), image_);

    // A link to a file not yet there creates that file; a chain of links is followed to its end.
    ASSERT_EQ(symlink(dir_.File("images/new.png").c_str(), dir_.File("dangling.png").c_str()), 0);
    ASSERT_EQ(symlink("dangling.png", dir_.File("chain.png").c_str()), 0);
    ASSERT_EQ(RunTool({"export", project_, "-o", dir_.File("chain.png")}).status, 0);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir_.File("chain.png"))));
    EXPECT_TRUE(S_ISLNK(ModeOf(dir_.File("dangling.png"))));
    EXPECT_EQ(ReadAll(dir_.File("images/new.png")), image_);
    EXPECT_EQ(FolderEntries(dir_.File("images")), (std::vector<std::string>{"new.png", "old.png"}));
}

TEST_F(CommandLineOutput, AFifoAndDevNullAreWrittenInPlace) {
    const std::string fifo = dir_.File("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<uint8_t> received;
    std::thread reader([&] { received = ReadAll(fifo); });
    const test::CliRun run = RunTool({"export", project_, "-o", fifo});
    // Should the tool never open the pipe, this releases the reader.
    const int unblock = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (unblock >= 0) close(unblock);
    reader.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(received, image_);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(FolderEntries(dir_.path()), (std::vector<std::string>{"logo.kuz", "pipe", "reference.png"}));

    const test::CliRun null = RunTool({"export", project_, "-o", "/dev/null"});
    EXPECT_EQ(null.status, 0) << null.err;
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));
}

TEST_F(CommandLineOutput, PermissionsAreKeptAndNewFilesFollowTheUmask) {
    ASSERT_EQ(chmod(project_.c_str(), 0600), 0);
    const std::vector<uint8_t> project = ReadAll(project_);
    ASSERT_EQ(RunTool({"resave", project_, project_}).status, 0);
    EXPECT_EQ(ModeOf(project_) & 07777, 0600u);
    EXPECT_EQ(ReadAll(project_), project);

    test::WriteAll(dir_.File("shared.png"), {1});
    ASSERT_EQ(chmod(dir_.File("shared.png").c_str(), 0664), 0);
    ASSERT_EQ(RunTool({"export", project_, "-o", dir_.File("shared.png")}).status, 0);
    EXPECT_EQ(ModeOf(dir_.File("shared.png")) & 07777, 0664u);
    EXPECT_EQ(ReadAll(dir_.File("shared.png")), image_);

    EXPECT_EQ(ModeOf(reference_) & 07777, 0666u & ~CurrentUmask());
    // No temporary file stays behind.
    EXPECT_EQ(FolderEntries(dir_.path()), (std::vector<std::string>{"logo.kuz", "reference.png", "shared.png"}));
}

TEST_F(CommandLineOutput, ProjectsSharingATitleGetNumberedImages) {
    for (const std::string folder : {"a", "b", "c"}) {
        ASSERT_EQ(mkdir(dir_.File(folder).c_str(), 0755), 0);
        test::WriteTextLogo(dir_.File(folder + "/logo.kuz"), {"Logo " + folder});
    }
    test::WriteTextLogo(dir_.File("logo-2.kuz"), {"Logo two"});
    const std::string out = dir_.File("out");
    const test::CliRun run = RunTool({"export", dir_.File("a/logo.kuz"), dir_.File("b/logo.kuz"),
                                      dir_.File("logo-2.kuz"), dir_.File("c/logo.kuz"), "--output-dir", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FolderEntries(out),
              (std::vector<std::string>{"logo-2-2.png", "logo-2.png", "logo-3.png", "logo.png"}));
    EXPECT_NE(run.err.find(out + "/logo.png is taken by another project; " + dir_.File("b/logo.kuz") +
                           " goes to " + out + "/logo-2.png"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(dir_.File("logo-2.kuz") + " goes to " + out + "/logo-2-2.png"), std::string::npos);
    EXPECT_NE(run.err.find(dir_.File("c/logo.kuz") + " goes to " + out + "/logo-3.png"), std::string::npos);
    // Each image is its own project's.
    ASSERT_EQ(RunTool({"export", dir_.File("b/logo.kuz"), "-o", dir_.File("b.png")}).status, 0);
    EXPECT_EQ(ReadAll(out + "/logo-2.png"), ReadAll(dir_.File("b.png")));
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// The vector formats follow the name or --format, and take the raster export's size.
TEST_F(CommandLineOutput, SvgFromTheExtensionOrTheFormatOption) {
    const test::PngHeader png = test::ReadPngHeader(image_);
    const std::string by_name = dir_.File("logo.SVG");
    ASSERT_EQ(RunTool({"export", project_, "-o", by_name, "--transparent"}).status, 0);
    const std::string svg = test::AsText(ReadAll(by_name));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("viewBox=\"0 0 " + std::to_string(png.width) + " " + std::to_string(png.height) + "\""),
              std::string::npos);
    EXPECT_EQ(svg.find("<rect"), std::string::npos);
    const std::string by_option = dir_.File("logo.out");
    ASSERT_EQ(RunTool({"export", project_, "-o", by_option, "--format", "svg", "--margins", "5"}).status, 0);
    EXPECT_NE(test::AsText(ReadAll(by_option)).find("viewBox=\"0 0 " + std::to_string(png.width + 10) + " "),
              std::string::npos);
}

}  // namespace
}  // namespace qv
