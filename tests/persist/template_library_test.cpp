#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "codecs/decode.h"
#include "persist/project_file.h"
#include "persist/template_library.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// A template with only a background: its previews need no fonts.
void WriteTemplate(const std::string& folder, const std::string& title, float hue, bool with_c = true) {
    MakeDirectories(folder);
    LeFile lf;
    lf.bgc = {hue, 240, 120};
    const std::string base = folder + "/" + title;
    ASSERT_TRUE(SavePreview(lf, base + "a.bpr", base + "c.bpr"));
    if (!with_c) std::remove((base + "c.bpr").c_str());
    ASSERT_TRUE(SaveProject(base + ".kuz", lf));
}

TEST(TemplateLibrary, TitlesSortByteForByteAcrossFolders) {
    test::FaultCapture capture;
    test::TempDir dir;
    WriteTemplate(dir.File("installed"), "beta", 10);
    WriteTemplate(dir.File("installed"), "Alpha", 20);
    WriteTemplate(dir.File("user"), "alpha", 30);
    TemplateLibrary library;
    library.SetFolders({dir.File("installed"), dir.File("user")});
    library.ReloadTmps(false);
    ASSERT_EQ(library.count(), 3);
    EXPECT_EQ(library.at(0).title, "Alpha");
    EXPECT_EQ(library.at(1).title, "alpha");
    EXPECT_EQ(library.at(2).title, "beta");
    EXPECT_EQ(library.at(1).lf.bgc.h, 30.0f);
    EXPECT_EQ(library.at(0).xia.width, kPreviewWidth);
    EXPECT_EQ(library.at(0).xia.height, kPreviewHeight);
    EXPECT_TRUE(capture.messages.empty());
    library.FreeTmps();
    EXPECT_EQ(library.count(), 0);
}

TEST(TemplateLibrary, HighlightIsTenLighterAndFallsBackToTheNormalPreview) {
    test::FaultCapture capture;
    test::TempDir dir;
    WriteTemplate(dir.path(), "both", 0);
    WriteTemplate(dir.path(), "only_a", 0, false);
    TemplateLibrary library;
    library.SetFolders({dir.path()});
    library.ReloadTmps(false);
    ASSERT_EQ(library.count(), 2);
    const LogoTemplate& both = library.at(0);
    EXPECT_EQ(both.xia.GetPixel(5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(both.xib.GetPixel(5, 5) & 0xFFFFFF, 0xFF0A0Au);
    const LogoTemplate& only_a = library.at(1);
    EXPECT_EQ(only_a.xib.pixels, only_a.xia.pixels);
    EXPECT_TRUE(capture.messages.empty());

    std::remove(dir.File("botha.bpr").c_str());
    library.ReloadTmps(true);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], "File could not be opened: " + dir.File("botha.bpr"));
    EXPECT_EQ(library.count(), 2);  // the template stays listed
}

TEST(TemplatePager, NineTemplatesOnThreePages) {
    TemplatePager pager;
    EXPECT_FALSE(pager.PreviousEnabled());
    EXPECT_TRUE(pager.NextEnabled(9));
    EXPECT_EQ(pager.Visible(9), 4);
    pager.Next(9);
    EXPECT_EQ(pager.ctm, 4);
    EXPECT_TRUE(pager.PreviousEnabled());
    pager.Next(9);
    EXPECT_EQ(pager.ctm, 8);
    EXPECT_FALSE(pager.NextEnabled(9));
    EXPECT_EQ(pager.Visible(9), 1);
    pager.Next(9);
    EXPECT_EQ(pager.ctm, 8);
    pager.Previous();
    pager.Previous();
    pager.Previous();
    EXPECT_EQ(pager.ctm, 0);
}

TEST(Preview, ScaleFitsOrCoversAndNeverDividesByZero) {
    EXPECT_FLOAT_EQ(PreviewScale(524, 157, false), 0.5f);
    EXPECT_FLOAT_EQ(PreviewScale(524, 157, true), 1.0f);
    EXPECT_FLOAT_EQ(PreviewScale(131, 314, false), 0.5f);
    EXPECT_FLOAT_EQ(PreviewScale(0, 0, false), 1.0f);
    EXPECT_FLOAT_EQ(PreviewScale(0, 314, false), 0.5f);
    EXPECT_FLOAT_EQ(PreviewScale(131, 0, true), 2.0f);
}

TEST(SaveAsTemplate, UnsafeNamesAreRefusedAndNothingIsWritten) {
    test::FaultCapture capture;
    test::TempDir dir;
    MakeDirectories(dir.File("templates"));
    LeFile lf;
    const std::vector<std::string> names = {"", ".", "..", ".hidden", "a/b", "../escape", "tab\there", "nul\x01"};
    for (const std::string& name : names) {
        EXPECT_FALSE(TemplateNameIsSafe(name)) << name;
        EXPECT_FALSE(SaveAsTemplate(lf, dir.path(), name));
    }
    EXPECT_EQ(capture.messages.size(), 8u);
    EXPECT_EQ(capture.messages[0], kUnsafeTemplateNameMessage);
    std::error_code ignored;
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("templates"), ignored));
    EXPECT_TRUE(TemplateNameIsSafe("Caf\xE9 Rouge 2"));
    EXPECT_FALSE(TemplateLibrary::Instance().changed);
}

TEST(SaveAsTemplate, WritesBesideTheProgramOrElseIntoTheUsersFolder) {
    test::FaultCapture capture;
    test::TempDir dir;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);

    LeFile lf;
    lf.bgc = {80, 240, 120};
    // The installation has no writable templates folder: the user's folder is used.
    ASSERT_TRUE(SaveAsTemplate(lf, dir.File("install"), "Green"));
    const std::string user = dir.File("data") + "/qorvan-logo/templates";
    EXPECT_EQ(UserTemplateFolder(), user);
    EXPECT_TRUE(std::filesystem::exists(user + "/Green.kuz"));
    EXPECT_TRUE(std::filesystem::exists(user + "/Greena.bpr"));
    EXPECT_TRUE(std::filesystem::exists(user + "/Greenc.bpr"));
    EXPECT_TRUE(TemplateLibrary::Instance().changed);
    TemplateLibrary::Instance().changed = false;

    MakeDirectories(dir.File("install/templates"));
    ASSERT_TRUE(SaveAsTemplate(lf, dir.File("install"), "Beside"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("install/templates/Beside.kuz")));
    TemplateLibrary::Instance().changed = false;

    if (previous) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
    EXPECT_TRUE(capture.messages.empty());
}

}  // namespace
}  // namespace qv
