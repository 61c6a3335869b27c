#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/project_file.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

using test::RunTool;

// A logo with a gradient, so that the dither would show any difference between runs.
void WriteProject(const std::string& path, int n) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.str = "Logo " + std::to_string(n);
    o->lt.grad = 1;
    o->lt.grad_color1 = {static_cast<float>(n * 10), 240, 120};
    o->lt.shadow = 1;
    ASSERT_TRUE(SaveProject(path, lf));
}

TEST(CommandLine, BatchExportMatchesSingleExportsAndReportsTheDamagedOne) {
    test::TempDir dir;
    std::vector<std::string> batch = {"export"};
    for (int n = 0; n < 20; ++n) {
        const std::string path = dir.File("logo" + std::to_string(n) + ".kuz");
        if (n == 7) {
            test::WriteAll(path, {0xDF, 0x39, 0, 0, 2, 0, 0, 0, 1});  // cut short
        } else {
            WriteProject(path, n);
            const test::CliRun single = RunTool({"export", path, dir.File("single" + std::to_string(n) + ".png")});
            ASSERT_EQ(single.status, 0) << single.err;
        }
        batch.push_back(path);
    }
    batch.insert(batch.end(), {"--output-dir", dir.File("out"), "--jobs", "2"});
    const test::CliRun run = RunTool(batch);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("File could not be opened: " + dir.File("logo7.kuz")), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("1 of 20 projects could not be exported"), std::string::npos) << run.err;
    for (int n = 0; n < 20; ++n) {
        const std::vector<uint8_t> image = test::ReadAll(dir.File("out/logo" + std::to_string(n) + ".png"));
        if (n == 7) {
            EXPECT_TRUE(image.empty());
            continue;
        }
        EXPECT_FALSE(image.empty()) << n;
        EXPECT_EQ(image, test::ReadAll(dir.File("single" + std::to_string(n) + ".png"))) << n;
    }
    // Sequentially too, and with every project sound the status is 0.
    EXPECT_EQ(RunTool({"export", dir.File("logo3.kuz"), dir.File("logo4.kuz"), "--output-dir", dir.File("seq"),
                       "--format", "png8"})
                  .status,
              0);
}

TEST(CommandLine, ResaveKeepsTheProjectAndMissingFilesFail) {
    test::TempDir dir;
    WriteProject(dir.File("a.kuz"), 1);
    EXPECT_EQ(RunTool({"resave", dir.File("a.kuz"), dir.File("b.kuz")}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.File("a.kuz")), test::ReadAll(dir.File("b.kuz")));
    EXPECT_EQ(RunTool({"resave", dir.File("a.kuz"), "-o", dir.File("c.kuz")}).status, 0);
    EXPECT_EQ(test::ReadAll(dir.File("a.kuz")), test::ReadAll(dir.File("c.kuz")));
    const test::CliRun missing = RunTool({"resave", dir.File("none.kuz"), dir.File("d.kuz")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("File could not be opened: "), std::string::npos);
    EXPECT_FALSE(test::FileExists(dir.File("d.kuz")));
}

}  // namespace
}  // namespace qv
