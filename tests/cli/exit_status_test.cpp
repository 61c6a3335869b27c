#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"

namespace qv {
namespace {

using test::ReadAll;
using test::RunTool;

void ExpectNoFaultReport(const test::CliRun& run) {
    EXPECT_EQ(run.err.find("Fatal Error"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Please email"), std::string::npos) << run.err;
}

TEST(CommandLineStatus, ALogoThatCannotBeDrawnAsDesignedLeavesNoFile) {
    test::TempDir dir;
    const std::string faulty = dir.File("faulty.kuz");
    test::WriteUndrawableLogo(faulty);
    const test::CliRun run = RunTool({"export", faulty, "-o", dir.File("faulty.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The picture " + faulty + ".missing.png could not be read."), std::string::npos)
        << run.err;
    ExpectNoFaultReport(run);
    EXPECT_FALSE(test::FileExists(dir.File("faulty.png")));

    // An image already there stays as it was, for such a logo as for a damaged project.
    test::WriteAll(dir.File("kept.png"), {7, 7, 7});
    EXPECT_EQ(RunTool({"export", faulty, "-o", dir.File("kept.png")}).status, 1);
    test::WriteAll(dir.File("damaged.kuz"), {0xDF, 0x39, 0, 0, 2, 0, 0, 0, 1});
    EXPECT_EQ(RunTool({"export", dir.File("damaged.kuz"), "-o", dir.File("kept.png")}).status, 1);
    EXPECT_EQ(ReadAll(dir.File("kept.png")), (std::vector<uint8_t>{7, 7, 7}));
    // Nothing on standard output either.
    const test::CliRun piped = RunTool({"export", faulty, "-o", "-"});
    EXPECT_EQ(piped.status, 1);
    EXPECT_TRUE(piped.out.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

TEST(CommandLineStatus, ExportingOntoTheProjectItselfIsRefused) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Itself"});
    const std::vector<uint8_t> bytes = ReadAll(project);
    ASSERT_EQ(symlink("logo.kuz", dir.File("alias.png").c_str()), 0);
    ASSERT_EQ(link(project.c_str(), dir.File("hard.png").c_str()), 0);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", project, project, "--format", "png24"},
             {"export", project, "-o", dir.File("alias.png")},
             {"export", project, "-o", dir.File("hard.png")},
             {"export", dir.File("alias.png"), "-o", dir.File("./logo.kuz"), "--format=gif"}}) {
        const test::CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args[3];
        EXPECT_NE(run.err.find("is the project itself"), std::string::npos) << run.err;
        EXPECT_EQ(ReadAll(project), bytes);
    }
    // Without --format the extension already says it is no image.
    EXPECT_EQ(RunTool({"export", project, project}).status, 2);
    EXPECT_EQ(ReadAll(project), bytes);
}

TEST(CommandLineStatus, ParallelBatchReportsAFailureLikeASerialOne) {
    test::TempDir dir;
    std::vector<std::string> args = {"export"};
    for (int n = 0; n < 5; ++n) {
        const std::string path = dir.File("logo" + std::to_string(n) + ".kuz");
        if (n == 2) {
            test::WriteUndrawableLogo(path);
        } else {
            test::WriteTextLogo(path, {"Batch " + std::to_string(n)});
        }
        args.push_back(path);
    }
    for (const std::string jobs : {"1", "2"}) {
        const std::string out = dir.File("out" + jobs);
        std::vector<std::string> batch = args;
        batch.insert(batch.end(), {"--output-dir", out, "--jobs", jobs});
        const test::CliRun run = RunTool(batch);
        EXPECT_EQ(run.status, 1) << jobs;
        EXPECT_NE(run.err.find("1 of 5 projects could not be exported"), std::string::npos) << run.err;
        ExpectNoFaultReport(run);
        for (int n = 0; n < 5; ++n) {
            EXPECT_EQ(test::FileExists(out + "/logo" + std::to_string(n) + ".png"), n != 2) << jobs << n;
        }
    }
    // A text number beyond a project's text objects does not fit the request.
    const test::CliRun refused = RunTool({"export", args[1], args[2], "--set-text", "2=Two", "--output-dir",
                                         dir.File("out3"), "--jobs", "2"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--set-text 2: the logo has only 1 text object"), std::string::npos) << refused.err;
}

// The tool copied alone into a folder finds no font library beside it.
TEST(CommandLineStatus, AMissingOrDamagedInstallationFails) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Installed"});
    const std::string tool = dir.File("alone/qorvan-logo-cli");
    ASSERT_TRUE(std::filesystem::create_directory(dir.File("alone")));
    ASSERT_TRUE(std::filesystem::copy_file(QV_TEST_CLI, tool));

    const test::CliRun missing = test::RunCall({{"export", project, "-o", dir.File("out.png")}, {}, tool});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("is incomplete"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("Please reinstall Qorvan Logo"), std::string::npos) << missing.err;
    ExpectNoFaultReport(missing);
    EXPECT_FALSE(test::FileExists(dir.File("out.png")));
    EXPECT_EQ(test::RunCall({{"info"}, {}, tool}).status, 1);

    // An archive that is not one ends the program through the engine's own message.
    test::WriteAll(dir.File("alone/basgl.bgd"), std::vector<uint8_t>(64, 0x5A));
    const test::CliRun damaged = test::RunCall({{"export", project, "-o", "-"}, {}, tool});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("Installation package corrupted. Please reinstall Qorvan Logo"), std::string::npos)
        << damaged.err;
    EXPECT_TRUE(damaged.out.empty());
}

}  // namespace
}  // namespace qv
