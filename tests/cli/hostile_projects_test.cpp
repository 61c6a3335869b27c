// Hostile and damaged projects through the command-line tool, each in its own process with a
// bound on time and memory: absurd stored values are drawn within the editor's ranges, a picture
// that cannot be drawn fails the export with its name, a logo beyond the memory budget is
// refused at once, and nothing is ever left behind by a failed run.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/byte_writer.h"
#include "persist/project_file.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

constexpr double kMaxSeconds = 10.0;
constexpr long kMaxResidentKiB = 1536L * 1024;  // 1.5 GiB

struct ToolRun {
    int status = -1;  // exit status, or 128 + signal
    double seconds = 0;
    long max_rss_kib = 0;
    std::string errors;
};

// Runs the tool with `args` (no shell), stderr to a file; waits with wait4 for its resources.
ToolRun RunTool(const std::vector<std::string>& args, const std::string& error_file) {
    ToolRun run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        FILE* err = std::freopen(error_file.c_str(), "w", stderr);
        (void)err;
        std::vector<char*> argv;
        static std::string cli = QV_TEST_CLI;
        argv.push_back(cli.data());
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(cli.c_str(), argv.data());
        _exit(127);
    }
    if (pid < 0) return run;
    int status = 0;
    struct rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.max_rss_kib = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const std::vector<uint8_t> bytes = test::ReadAll(error_file);
    run.errors.assign(bytes.begin(), bytes.end());
    return run;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

LogoObj* Text(LeFile& lf, const std::string& text) {
    LogoObj* o = lf.AddObj(LogoObj::kText);
    o->lt.str = text;
    o->lt.font = "Quicksand Bold";
    o->lt.outline = 1;
    o->lt.shadow = 1;
    return o;
}

struct Case {
    const char* name;
    std::function<void(LeFile&, const test::TempDir&)> make;
    int status;              // expected exit status
    const char* message;     // expected on stderr; null for none
};

// A picture file built in the test: a GIF whose logical screen claims 16384 x 16384 around a
// one-pixel frame (35 bytes).
std::vector<uint8_t> GifBomb() {
    return {'G', 'I', 'F', '8', '9', 'a', 0x00, 0x40, 0x00, 0x40, 0x00, 0, 0,  // screen, no table
            0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x80,                                  // 1x1 frame, table
            0, 0, 0, 255, 255, 255,                                              // 2 colours
            0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
}

void Picture(LeFile& lf, const std::string& path) {
    LogoObj* o = lf.AddObj(LogoObj::kText);  // made a picture by hand: no decoder runs here
    o->type = LogoObj::kCustom;
    o->path = path;
    o->lt.str = "picture";
    o->w = 40;
    o->h = 40;
}

const Case kCases[] = {
    {"strength", [](LeFile& lf, const test::TempDir&) { Text(lf, "Blur")->lt.strength = 100000000; }, 0,
     nullptr},
    {"non-finite geometry",
     [](LeFile& lf, const test::TempDir&) {
         LogoObj* o = Text(lf, "Arc");
         o->lt.transform = 1;
         o->lt.bend_on = 1;
         o->lt.rotation = kNaN;
         o->lt.bend = -kInf;
         o->lt.aspect = kInf;
         o->lt.outline_opacity = kNaN;
         o->lt.outline_sharpness = kInf;
         o->lt.shadow_opacity = -kInf;
         o->lt.grad = 1;
         o->lt.grad_opacity1 = kNaN;
         o->lt.grad_color2 = {kNaN, kInf, -kInf};
         lf.bgc = {kNaN, kNaN, kNaN};
     },
     0, nullptr},
    {"extreme sizes",
     [](LeFile& lf, const test::TempDir&) {
         Text(lf, "Big")->lt.size = 2147483647;
         LogoObj* s = lf.AddObj(LogoObj::kShape);
         s->lt.size = -2147483647 - 1;
         s->lt.width = 2147483647;
         s->lt.glyph = 1000000000;
         Text(lf, "Wide")->lt.spacing = -2147483647;
         Text(lf, "Far")->lt.shadow_distance = 2147483647;
     },
     0, nullptr},
    {"overlong text", [](LeFile& lf, const test::TempDir&) { Text(lf, std::string(5000, 'W'))->lt.size = 8; },
     0, nullptr},
    {"positions and extents",
     [](LeFile& lf, const test::TempDir&) {
         LogoObj* o = Text(lf, "Here");
         o->x = 2147483647;
         o->y = -2147483647 - 1;
         o->w = 2147483647;
         o->h = -5;
     },
     0, nullptr},
    {"fixed canvas",
     [](LeFile& lf, const test::TempDir&) {
         Text(lf, "Canvas");
         lf.fixed = 1;
         lf.cw = 2147483647;
         lf.ch = -7;
     },
     0, nullptr},
    {"missing picture",
     [](LeFile& lf, const test::TempDir& dir) {
         Text(lf, "Logo");
         Picture(lf, dir.File("gone.png"));
     },
     1, "gone.png"},
    {"picture that is a FIFO",
     [](LeFile& lf, const test::TempDir& dir) {
         mkfifo(dir.File("pipe.png").c_str(), 0600);
         Picture(lf, dir.File("pipe.png"));
     },
     1, "pipe.png"},
    {"picture that is a device",
     [](LeFile& lf, const test::TempDir& dir) {
         symlink("/dev/zero", dir.File("zero.png").c_str());
         Picture(lf, dir.File("zero.png"));
     },
     1, "zero.png"},
    {"picture bomb",
     [](LeFile& lf, const test::TempDir& dir) {
         test::WriteAll(dir.File("bomb.gif"), GifBomb());
         Picture(lf, dir.File("bomb.gif"));
     },
     1, "bomb.gif"},
};

class HostileProjects : public ::testing::TestWithParam<Case> {};

TEST_P(HostileProjects, FinishInTimeWithinMemoryAndTellTheTruth) {
    const Case& c = GetParam();
    test::TempDir dir;
    LeFile lf;
    c.make(lf, dir);
    const std::string project = dir.File("p.kuz");
    const std::string output = dir.File("out.png");
    const std::vector<uint8_t> stored = WriteProjectBytes(lf);
    test::WriteAll(project, stored);

    const ToolRun run = RunTool({"export", project, output}, dir.File("err.txt"));
    EXPECT_EQ(run.status, c.status) << run.errors;
    EXPECT_LT(run.seconds, kMaxSeconds);
    EXPECT_LT(run.max_rss_kib, kMaxResidentKiB);
    // Fault reports are for programming errors, never for data.
    EXPECT_EQ(run.errors.find("Please email"), std::string::npos) << run.errors;
    if (c.message) {
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
    }
    EXPECT_EQ(Exists(output), c.status == 0) << run.errors;

    // The stored values go back unchanged.
    const ToolRun resave = RunTool({"resave", project, dir.File("again.kuz")}, dir.File("err2.txt"));
    EXPECT_EQ(resave.status, 0) << resave.errors;
    EXPECT_EQ(test::ReadAll(dir.File("again.kuz")), stored);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileProjects, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

// 100 two-letter objects with an outline at the largest scale would need tens of gigabytes:
// refused with the memory message in well under a second, nothing written.
TEST(HostileExports, ALogoBeyondMemoryIsRefusedAtOnce) {
    test::TempDir dir;
    LeFile lf;
    for (int n = 0; n < 100; ++n) {
        LogoObj* o = Text(lf, "Ab");
        o->x = (n % 10) * 60 - 270;
        o->y = (n / 10) * 50 - 225;
    }
    test::WriteAll(dir.File("p.kuz"), WriteProjectBytes(lf));
    const ToolRun run =
        RunTool({"export", dir.File("p.kuz"), dir.File("out.png"), "--scale", "10000"}, dir.File("err.txt"));
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("not enough memory to complete operation"), std::string::npos) << run.errors;
    EXPECT_LT(run.seconds, kMaxSeconds);
    EXPECT_LT(run.max_rss_kib, kMaxResidentKiB);
    EXPECT_FALSE(Exists(dir.File("out.png")));
}

}  // namespace
}  // namespace qv
