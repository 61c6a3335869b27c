#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"

namespace qv {
namespace {

using test::ReadAll;
using test::RunTool;

struct Refusal {
    std::vector<std::string> args;
    std::string says;  // part of the message on stderr
};

TEST(CommandLineOptions, BadValuesAreUsageErrorsThatNameTheRange) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Range"});
    const std::string out = dir.File("out.png");
    const std::vector<Refusal> refusals = {
        {{"export", project, "-o", out, "--scale", "0"}, "--scale must be a whole number from 1 to 10000"},
        {{"export", project, "-o", out, "--scale=10001"}, "from 1 to 10000, not '10001'"},
        {{"export", project, "-o", out, "--scale", "20000"}, "from 1 to 10000"},
        {{"export", project, "-o", out, "--scale", "5x"}, "from 1 to 10000"},
        {{"export", project, "-o", out, "--margins", "-1"}, "--margins must be a whole number from 0 to 100"},
        {{"export", project, "-o", out, "--margins=101"}, "from 0 to 100"},
        {{"export", project, "-o", out, "--quality", "9"}, "--quality must be a whole number from 10 to 100"},
        {{"export", project, "-o", out, "--quality", "101"}, "from 10 to 100"},
        {{"export", project, "-o", out, "--width", "0"}, "--width must be a whole number from 1 to 32768"},
        {{"export", project, "-o", out, "--height=32769"}, "--height must be a whole number from 1 to 32768"},
        {{"export", project, "--output-dir", dir.File("d"), "--jobs", "0"}, "--jobs must be a whole number from 1 to 64"},
        {{"export", project, "--output-dir", dir.File("d"), "--jobs=65"}, "from 1 to 64"},
        {{"export", project, "-o", out, "--width", "10", "--height", "10"}, "not both"},
        {{"export", project, "-o", out, "--width", "10", "--scale", "50"}, "not both"},
        {{"export", project, "-o", out, "--height", "10", "--scale", "50"}, "not both"},
        {{"export", project, "-o", out, "--format", "webp"}, "png24, png8, gif, bmp, jpeg, tiff, svg or pdf"},
        {{"export", project, "-o", dir.File("out.webp")}, ".png, .gif, .bmp, .jpg, .jpeg, .tif, .tiff, .svg or .pdf"},
        {{"export", project, "-o", dir.File("out.jpg"), "--transparent"}, "transparent canvas needs PNG, GIF, TIFF, SVG or PDF"},
        {{"export", project, "-o", out, "--background", "red"}, "--background must be #rrggbb or none"},
        {{"export", project, "-o", out, "--background", "#12345g"}, "--background must be #rrggbb or none"},
        {{"export", project, "-o", out, "--background", "#123456", "--transparent"}, "exclude each other"},
        {{"export", project, "-o", out, "--set-text", "Hello"}, "--set-text needs N=TEXT"},
        {{"export", project, "-o", out, "--set-text", "0=Hello"}, "from 1 to 100"},
        {{"export", project, "-o", out, "--set-text", "1=\xFF"}, "not valid UTF-8"},
        {{"export", project, "-o", out, "--bogus"}, "unrecognized option '--bogus'"},
        {{"export", project, "-o", out, "--scale"}, "requires an argument"},
        {{"export"}, "needs a project and an output"},
        {{"export", project}, "needs a project and an output"},
        {{"export", project, out, dir.File("third.png")}, "--output-dir"},
        {{"export", project, "-o", out, "--output-dir", dir.File("d")}, "not both"},
        {{"resave", project}, "needs a project and an output"},
        {{"info", "extra"}, "takes no arguments"},
        {{"templates", "--bogus"}, "unrecognized option"},
        {{"new", "-o", dir.File("n.kuz")}, "needs --template"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
    };
    for (const Refusal& refusal : refusals) {
        const test::CliRun run = RunTool(refusal.args);
        std::string line;
        for (const std::string& a : refusal.args) line += a + " ";
        EXPECT_EQ(run.status, 2) << line << run.err;
        EXPECT_NE(run.err.find(refusal.says), std::string::npos) << line << run.err;
        EXPECT_EQ(run.err.find("Fatal Error"), std::string::npos) << line;
        EXPECT_TRUE(run.out.empty()) << line;
    }
    EXPECT_FALSE(test::FileExists(out));
    EXPECT_FALSE(test::FileExists(dir.File("d")));
    EXPECT_EQ(RunTool({}).status, 2);
}

TEST(CommandLineOptions, EveryCommandHasHelpAndTheToolItsVersion) {
    for (const std::string command : {"info", "export", "resave", "templates", "new"}) {
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {command, "--help"}, {command, "-h"}, {"help", command}}) {
            const test::CliRun run = RunTool(args);
            EXPECT_EQ(run.status, 0) << command << run.err;
            EXPECT_EQ(run.out.rfind("usage: qorvan-logo-cli " + command, 0), 0u) << run.out;
            EXPECT_NE(run.out.find("exit status is 0 on success, 1 on a failure, 2 on bad usage"), std::string::npos);
        }
    }
    const test::CliRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "export", "resave", "templates", "new"}) {
        EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    }
    const test::CliRun version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    ASSERT_GT(version.out.size(), 17u);
    EXPECT_EQ(version.out.rfind("qorvan-logo-cli ", 0), 0u) << version.out;
    EXPECT_TRUE(version.out[16] >= '0' && version.out[16] <= '9') << version.out;
    EXPECT_EQ(version.out.back(), '\n');
}

TEST(CommandLineOptions, ValuesAttachedOrSeparateAndOutputByOptionOrPosition) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Forms"});
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("a.png"), "--scale", "50", "--margins", "4"}).status, 0);
    ASSERT_EQ(RunTool({"export", "--scale=50", "--margins=4", project, dir.File("b.png")}).status, 0);
    ASSERT_EQ(RunTool({"export", "--output=" + dir.File("c.png"), "--scale=50", "--margins", "4", project}).status, 0);
    const std::vector<uint8_t> a = ReadAll(dir.File("a.png"));
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(ReadAll(dir.File("b.png")), a);
    EXPECT_EQ(ReadAll(dir.File("c.png")), a);

    // "--" ends the options, so a project may begin with a dash.
    const std::string dashed = dir.File("-dash.kuz");
    test::WriteTextLogo(dashed, {"Forms"});
    ASSERT_EQ(RunTool({"export", "--scale=50", "--margins=4", "-o", dir.File("d.png"), "--", dashed}).status, 0);
    EXPECT_EQ(ReadAll(dir.File("d.png")), a);
}

TEST(CommandLineOptions, TheFormatFollowsTheExtensionUnlessGiven) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Formats"});
    const auto starts_with = [](const std::vector<uint8_t>& bytes, const std::string& magic) {
        return bytes.size() > magic.size() &&
               std::equal(magic.begin(), magic.end(), bytes.begin(),
                          [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
    };
    struct Case {
        std::string name;
        std::vector<std::string> extra;
        std::string magic;
    };
    const std::vector<Case> cases = {
        {"a.gif", {}, "GIF8"},          {"a.GIF", {}, "GIF8"},         {"a.bmp", {}, "BM"},
        {"a.jpg", {}, "\xFF\xD8\xFF"},  {"a.jpeg", {}, "\xFF\xD8\xFF"}, {"a.tif", {}, "II*"},
        {"a.tiff", {}, "II*"},          {"b.tif", {"--format=gif"}, "GIF8"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"export", project, "-o", dir.File(c.name)};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const test::CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        EXPECT_TRUE(starts_with(ReadAll(dir.File(c.name)), c.magic)) << c.name;
    }
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("p.png")}).status, 0);
    EXPECT_EQ(test::ReadPngHeader(ReadAll(dir.File("p.png"))).colour_type, 2);
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("p8.png"), "--format=png8"}).status, 0);
    EXPECT_EQ(test::ReadPngHeader(ReadAll(dir.File("p8.png"))).colour_type, 3);
    // No extension at all: PNG 24 bit.
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("plain")}).status, 0);
    EXPECT_EQ(ReadAll(dir.File("plain")), ReadAll(dir.File("p.png")));
}

TEST(CommandLineOptions, StandardOutputGetsTheBytesOfTheFile) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Stdout"});
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("file.png")}).status, 0);
    const test::CliRun png = RunTool({"export", project, "-o", "-"});
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(std::vector<uint8_t>(png.out.begin(), png.out.end()), ReadAll(dir.File("file.png")));
    EXPECT_FALSE(test::FileExists("-"));
    // Named as a file, standard output (here redirected to a file) is written the same way.
    for (const std::string name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        const test::CliRun named = RunTool({"export", project, "-o", name});
        EXPECT_EQ(named.status, 0) << name << named.err;
        EXPECT_EQ(std::vector<uint8_t>(named.out.begin(), named.out.end()), ReadAll(dir.File("file.png"))) << name;
    }

    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("file.gif")}).status, 0);
    const test::CliRun gif = RunTool({"export", project, "--format", "gif", "-o", "-"});
    EXPECT_EQ(gif.status, 0) << gif.err;
    EXPECT_EQ(std::vector<uint8_t>(gif.out.begin(), gif.out.end()), ReadAll(dir.File("file.gif")));
}

TEST(CommandLineOptions, WidthOrHeightSetTheSizeAndKeepTheProportions) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Proportions", "kept"});
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("full.png")}).status, 0);
    const test::PngHeader full = test::ReadPngHeader(ReadAll(dir.File("full.png")));
    ASSERT_TRUE(full.valid);
    const double aspect = double(full.width) / full.height;

    for (const int width : {57, 400, 1000}) {
        const std::string out = dir.File("w" + std::to_string(width) + ".png");
        const test::CliRun run = RunTool({"export", project, "-o", out, "--width=" + std::to_string(width)});
        ASSERT_EQ(run.status, 0) << run.err;
        const test::PngHeader h = test::ReadPngHeader(ReadAll(out));
        // A whole percent of the logo's width is as near as the scale can come.
        EXPECT_LE(std::abs(int(h.width) - width), int(full.width) / 100 + 1) << width;
        EXPECT_NEAR(double(h.width) / h.height, aspect, aspect * 0.05) << width;
        if (int(h.width) != width) {
            EXPECT_NE(run.err.find("nearest"), std::string::npos) << run.err;
        }
    }
    const test::CliRun tall = RunTool({"export", project, "-o", dir.File("h.png"), "--height", "300", "--margins", "20"});
    ASSERT_EQ(tall.status, 0) << tall.err;
    const test::PngHeader h = test::ReadPngHeader(ReadAll(dir.File("h.png")));
    EXPECT_LE(std::abs(int(h.height) - 300), int(full.height) / 100 + 1);
    EXPECT_NEAR(double(h.width - 40) / (h.height - 40), aspect, aspect * 0.05);

    // Margins that leave no room for the logo, or a size beyond 10000 %, cannot be met.
    const test::CliRun cramped = RunTool({"export", project, "-o", dir.File("x.png"), "--width", "30", "--margins", "20"});
    EXPECT_EQ(cramped.status, 2);
    EXPECT_NE(cramped.err.find("--width 30 cannot be met"), std::string::npos) << cramped.err;
    EXPECT_FALSE(test::FileExists(dir.File("x.png")));
}

TEST(CommandLineOptions, BackgroundReplacesTheProjectsColourForThisExportOnly) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    test::WriteTextLogo(project, {"Colour"});
    const std::vector<uint8_t> before = ReadAll(project);
    for (const std::string colour : {"#ff0000", "#123456", "#01FE7F", "#7f7f80", "#000000", "#ffffff"}) {
        const std::string out = dir.File("bg.bmp");
        ASSERT_EQ(RunTool({"export", project, "-o", out, "--margins", "3", "--background", colour}).status, 0);
        const std::vector<uint8_t> bmp = ReadAll(out);
        ASSERT_GT(bmp.size(), 60u);
        const size_t at = bmp[10] | (bmp[11] << 8) | (bmp[12] << 16);  // the first pixel: a margin
        char seen[8];
        std::snprintf(seen, sizeof seen, "#%02x%02x%02x", bmp[at + 2], bmp[at + 1], bmp[at]);
        std::string wanted = colour;
        for (char& c : wanted) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(seen, wanted);
    }
    EXPECT_EQ(ReadAll(project), before);

    // "none" is a transparent canvas, byte for byte as --transparent.
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("t1.png"), "--background=none"}).status, 0);
    ASSERT_EQ(RunTool({"export", project, "-o", dir.File("t2.png"), "--transparent"}).status, 0);
    EXPECT_EQ(test::ReadPngHeader(ReadAll(dir.File("t1.png"))).colour_type, 6);
    EXPECT_EQ(ReadAll(dir.File("t1.png")), ReadAll(dir.File("t2.png")));
}

}  // namespace
}  // namespace qv
