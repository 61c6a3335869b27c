#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "persist/project_file.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// Per process, so that test runs side by side do not mix their output.
std::string ErrorFile() { return "/tmp/qorvan-cli-test-" + std::to_string(getpid()) + ".err"; }

// Runs a shell command with stderr to the error file; the exit status, or 128 + the signal that
// ended it. A fork that fails (a busy machine) is tried again rather than failing the test.
int RunCli(const std::string& command) {
    const std::string line = command + " 2>" + ErrorFile();
    for (int attempt = 0; attempt < 5; ++attempt) {
        const pid_t pid = fork();
        if (pid < 0) {
            usleep(200000);
            continue;
        }
        if (pid == 0) {
            execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) return -1;
        }
        if (WIFEXITED(status)) return WEXITSTATUS(status);
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    }
    return -1;
}

std::string Errors() {
    const std::vector<uint8_t> bytes = test::ReadAll(ErrorFile());
    return std::string(bytes.begin(), bytes.end());
}

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
    const std::string cli = QV_TEST_CLI;
    std::string projects;
    for (int n = 0; n < 20; ++n) {
        const std::string path = dir.File("logo" + std::to_string(n) + ".kuz");
        if (n == 7) {
            test::WriteAll(path, {0xDF, 0x39, 0, 0, 2, 0, 0, 0, 1});  // cut short
        } else {
            WriteProject(path, n);
            ASSERT_EQ(RunCli(cli + " export " + path + " " + dir.File("single" + std::to_string(n) + ".png")), 0)
                << Errors();
        }
        projects += " " + path;
    }
    EXPECT_EQ(RunCli(cli + " export" + projects + " --output-dir " + dir.File("out") + " --jobs 2"), 1);
    const std::string errors = Errors();
    EXPECT_NE(errors.find("File could not be opened: " + dir.File("logo7.kuz")), std::string::npos) << errors;
    EXPECT_NE(errors.find("1 of 20 projects could not be exported"), std::string::npos) << errors;
    for (int n = 0; n < 20; ++n) {
        const std::vector<uint8_t> batch = test::ReadAll(dir.File("out/logo" + std::to_string(n) + ".png"));
        if (n == 7) {
            EXPECT_TRUE(batch.empty());
            continue;
        }
        EXPECT_FALSE(batch.empty()) << n;
        EXPECT_EQ(batch, test::ReadAll(dir.File("single" + std::to_string(n) + ".png"))) << n;
    }
    // Sequentially too, and with every project sound the status is 0.
    EXPECT_EQ(RunCli(cli + " export " + dir.File("logo3.kuz") + " " + dir.File("logo4.kuz") +
                  " --output-dir " + dir.File("seq") + " --format png8"),
              0);
}

TEST(CommandLine, UsageErrorsExitWithTwo) {
    const std::string cli = QV_TEST_CLI;
    EXPECT_EQ(RunCli(cli + " export"), 2);
    EXPECT_EQ(RunCli(cli + " export a.kuz"), 2);
    EXPECT_EQ(RunCli(cli + " export a.kuz b.png --format webp"), 2);
    EXPECT_EQ(RunCli(cli + " export a.kuz --output-dir /tmp/x --jobs 0"), 2);
    EXPECT_EQ(RunCli(cli + " resave a.kuz"), 2);
    EXPECT_EQ(RunCli(cli + " frobnicate"), 2);
    EXPECT_EQ(RunCli(cli + " --help"), 0);
}

TEST(CommandLine, ResaveKeepsTheProjectAndMissingFilesFail) {
    test::TempDir dir;
    const std::string cli = QV_TEST_CLI;
    WriteProject(dir.File("a.kuz"), 1);
    EXPECT_EQ(RunCli(cli + " resave " + dir.File("a.kuz") + " " + dir.File("b.kuz")), 0);
    EXPECT_EQ(test::ReadAll(dir.File("a.kuz")), test::ReadAll(dir.File("b.kuz")));
    EXPECT_EQ(RunCli(cli + " resave " + dir.File("none.kuz") + " " + dir.File("c.kuz")), 1);
    EXPECT_NE(Errors().find("File could not be opened: "), std::string::npos);
}

}  // namespace
}  // namespace qv
