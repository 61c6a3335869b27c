#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"

namespace qv {
namespace {

using nlohmann::json;

TEST(InfoCommand, JsonListsTheWholeLibrary) {
    const test::CliRun run = test::RunTool({"info", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json info = json::parse(run.out);
    ASSERT_TRUE(info["text_fonts"].is_array());
    size_t shipped = 0;
    for (const json& font : info["text_fonts"]) {
        EXPECT_TRUE(font["name"].is_string());
        EXPECT_TRUE(font["tab"].is_string());
        EXPECT_TRUE(font["category"].is_string());
        const std::string source = font["source"];
        EXPECT_TRUE(source == "shipped" || source == "system" || source == "user") << source;
        if (source == "shipped") ++shipped;
    }
    EXPECT_GE(shipped, 300u);
    int shapes = 0;
    for (const json& font : info["symbol_fonts"]) shapes += font["shapes"].get<int>();
    EXPECT_EQ(info["shape_count"].get<int>(), shapes);
    EXPECT_GE(shapes, 6000);
    EXPECT_GT(info["styles"].get<int>(), 0);
    ASSERT_TRUE(info["templates"].is_array());
    EXPECT_FALSE(info["templates"].empty());
    EXPECT_TRUE(info["templates"][0].is_string());
}

TEST(InfoCommand, ShapesAreListedBestFirst) {
    const test::CliRun run = test::RunTool({"info", "--shapes", "Coffee", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json shapes = json::parse(run.out);
    ASSERT_FALSE(shapes.empty());
    EXPECT_EQ(shapes[0]["name"], "coffee");
    EXPECT_TRUE(shapes[0]["font"].is_string());
    EXPECT_TRUE(shapes[0]["glyph"].is_number_integer());
    EXPECT_TRUE(shapes[0]["keywords"].is_array());
    EXPECT_EQ(json::parse(test::RunTool({"info", "--shapes", "qqzzxx", "--json"}).out), json::array());
}

TEST(InfoCommand, FontsFilterByQueryAndCategory) {
    const test::CliRun all = test::RunTool({"info", "--fonts", "", "--json"});
    ASSERT_EQ(all.status, 0) << all.err;
    const json every = json::parse(all.out);
    const test::CliRun mono = test::RunTool({"info", "--fonts=", "--category", "monospace", "--json"});
    ASSERT_EQ(mono.status, 0) << mono.err;
    const json fonts = json::parse(mono.out);
    ASSERT_FALSE(fonts.empty());
    EXPECT_LT(fonts.size(), every.size());
    for (const json& font : fonts) EXPECT_EQ(font["category"], "monospace") << font;

    const json lato = json::parse(test::RunTool({"info", "--fonts", "lato", "--json"}).out);
    ASSERT_FALSE(lato.empty());
    EXPECT_EQ(lato[0]["name"].get<std::string>().rfind("Lato ", 0), 0u) << lato;

    const test::CliRun bad = test::RunTool({"info", "--fonts", "", "--category", "gothic"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("serif, sans, slab, script, handwriting, display, monospace"), std::string::npos)
        << bad.err;
}

TEST(ExportCommand, AMissingFaceIsWarnedAboutAndTheExportSucceeds) {
    test::TempDir dir;
    const std::string project = dir.File("logo.kuz");
    {
        LeFile lf;
        for (const char* face : {"Brand Face Bold", "Quicksand Bold", "Other Face Italic"}) {
            LogoObj* o = lf.AddObj(0);
            ASSERT_NE(o, nullptr);
            o->lt.str = "Logo";
            o->lt.font = face;
        }
        ASSERT_TRUE(SaveProject(project, lf));
    }
    const test::CliRun run = test::RunTool({"export", project, "-o", dir.File("logo.png")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(test::FileExists(dir.File("logo.png")));
    EXPECT_NE(run.err.find("warning: the font \"Brand Face Bold\" is not installed; \""), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("warning: the font \"Other Face Italic\" is not installed"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Quicksand"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace qv
