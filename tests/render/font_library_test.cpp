#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/byte_writer.h"
#include "app/file_io.h"
#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/library_archive.h"
#include "render/library_scramble.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

std::vector<uint8_t> FontFile(const char* path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

// An installation folder with archives made in the test. Any archive not written is empty.
class Installation {
public:
    Installation() {
        MakeDirectories(dir_.path() + "/embedded");
        Write("/basgl.bgd", {});
        for (int n = 1; n <= 11; ++n) Write("/embedded/emb" + std::to_string(n) + ".gld", {});
        SetInstallDir(dir_.path());
    }
    ~Installation() { FtText::FreeFt(); }
    void Write(const std::string& relative, const std::vector<LibraryArchiveEntry>& entries) {
        test::WriteAll(dir_.path() + relative, BuildLibraryArchive(entries));
    }
    void WriteRaw(const std::string& relative, const std::vector<uint8_t>& plain) {
        std::vector<uint8_t> bytes = plain;
        ScrambleLibrary(bytes.data(), bytes.size());
        test::WriteAll(dir_.path() + relative, bytes);
    }

private:
    test::TempDir dir_;
};

TEST(FontLibrary, EmptyArchivesLoadNothingAndAreNoFault) {
    test::FaultCapture capture;
    Installation install;
    FtText::InitFt();
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_EQ(FtText::FontCount(), 0);
    EXPECT_EQ(FtText::ShapeCount(), 0);
    EXPECT_EQ(FtText::FindFace("anything"), nullptr);
}

TEST(FontLibrary, RegistryOrderCategoriesAndLookupFallback) {
    test::FaultCapture capture;
    Installation install;
    install.Write("/basgl.bgd", {{"sym", FontFile(QV_TEST_FONT_MONO)}});
    install.Write("/embedded/emb4.gld", {{"d", FontFile(QV_TEST_FONT_SANS)}});
    install.Write("/embedded/emb11.gld", {{"t", FontFile(QV_TEST_FONT_SERIF)}});
    FtText::InitFt();
    ASSERT_TRUE(capture.faults.empty()) << capture.faults[0].report;
    ASSERT_EQ(FtText::FontCount(), 3);
    EXPECT_EQ(FtText::SymbolFontCount(), 1);
    const auto& fonts = Registry().fonts;
    EXPECT_EQ(fonts[0].name, "DejaVu Sans Mono Book");
    EXPECT_EQ(fonts[0].category, -1);
    EXPECT_EQ(fonts[1].name, "DejaVu Sans Book");
    EXPECT_EQ(fonts[1].category, 3);
    EXPECT_EQ(fonts[1].label, "d");
    EXPECT_EQ(fonts[2].category, 10);
    EXPECT_EQ(FtText::TextFontNames(3), std::vector<std::string>{"DejaVu Sans Book"});
    EXPECT_TRUE(FtText::TextFontNames(0).empty());
    EXPECT_EQ(FtText::TextFont(1)->name, "DejaVu Serif Book");

    EXPECT_EQ(FtText::FindFace("DejaVu Serif Book"), fonts[2].face);
    // Exact, case-sensitive names only; anything else falls back to the first text font.
    EXPECT_EQ(FtText::FindFace("dejavu serif book"), fonts[1].face);
    EXPECT_EQ(FtText::FindFace(""), fonts[1].face);
    EXPECT_EQ(FtText::FindFace("DejaVu Sans Mono Book"), fonts[0].face);
}

TEST(FontLibrary, ShapesAreGlyphMajorWithoutEmptyOrExcludedGlyphs) {
    test::FaultCapture capture;
    Installation install;
    install.Write("/basgl.bgd", {{"a", FontFile(QV_TEST_FONT_SANS)}, {"b", FontFile(QV_TEST_FONT_SERIF)}});
    const std::vector<SymbolExclusion> table = {{"DejaVu Serif Book", {{4, 6}, {9, 9}}}};
    Registry().exclusions = &table;
    FtText::InitFt();
    Registry().exclusions = nullptr;
    ASSERT_TRUE(capture.faults.empty());
    const auto& fonts = Registry().fonts;
    const std::string sans = fonts[0].name;
    const std::string serif = fonts[1].name;

    int previous_glyph = 0;
    std::set<std::pair<std::string, int>> seen;
    for (int n = 0; n < FtText::ShapeCount(); ++n) {
        std::string name, label;
        int glyph = -1;
        FtText::GetSym(n, name, label, glyph);
        ASSERT_GE(glyph, 1);
        // Glyph-major: indices never go down, and within one index sans comes before serif.
        ASSERT_GE(glyph, previous_glyph);
        if (glyph == previous_glyph) {
            EXPECT_EQ(name, serif);
        }
        previous_glyph = glyph;
        EXPECT_EQ(label, name == sans ? "a" : "b");
        EXPECT_TRUE(seen.insert({name, glyph}).second);
        EXPECT_FALSE(name == serif && ((glyph >= 4 && glyph <= 6) || glyph == 9));
        FT_Face face = fonts[name == sans ? 0 : 1].face;
        FT_Set_Pixel_Sizes(face, 48, 0);
        FT_Load_Glyph(face, static_cast<FT_UInt>(glyph), FT_LOAD_DEFAULT);
        EXPECT_NE(face->glyph->metrics.width, 0);
        EXPECT_NE(face->glyph->metrics.height, 0);
    }
    // The space glyph of both faces is empty and never a shape.
    const FT_UInt space = FT_Get_Char_Index(fonts[0].face, ' ');
    EXPECT_EQ(seen.count({sans, static_cast<int>(space)}), 0u);
    // The sans face has glyphs 4..6 and 9 that the serif face is denied.
    EXPECT_TRUE(seen.count({sans, 5}));
    // It runs to the end of the larger face.
    const long larger = std::max(fonts[0].face->num_glyphs, fonts[1].face->num_glyphs);
    EXPECT_LE(previous_glyph, larger - 1);
    EXPECT_GT(previous_glyph, larger - 50);
}

TEST(FontLibrary, ShapeIndexOutOfRangeIsAFaultAndChangesNothing) {
    test::FaultCapture capture;
    Installation install;
    FtText::InitFt();
    std::string name = "n", label = "l";
    int glyph = 7;
    FtText::GetSym(0, name, label, glyph);
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "n<syms");
    EXPECT_EQ(name, "n");
    EXPECT_EQ(glyph, 7);
}

TEST(FontLibrary, SecondInitIsAFault) {
    test::FaultCapture capture;
    Installation install;
    install.Write("/embedded/emb1.gld", {{"a", FontFile(QV_TEST_FONT_SANS)}});
    FtText::InitFt();
    FtText::InitFt();
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "n_fonts==0");
    EXPECT_EQ(FtText::FontCount(), 1);
}

// A missing or damaged archive is the installation's problem, never a fault report: reading
// stops at the damage, keeps the fonts before it and says so by its result.
TEST(FontLibrary, MissingArchiveIsDamageNotAFault) {
    test::FaultCapture capture;
    test::TempDir dir;
    SetInstallDir(dir.path());
    EXPECT_EQ(FtText::ReadLib(0, dir.File("nope.gld")), FtText::kArchiveDamaged);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_TRUE(capture.messages.empty());
}

TEST(FontLibrary, TruncatedArchivesKeepTheFontsBeforeTheDamage) {
    const std::vector<uint8_t> sans = FontFile(QV_TEST_FONT_SANS);
    const std::vector<uint8_t> good =
        BuildLibraryArchive({{"first", sans}, {"second", sans}});
    std::vector<uint8_t> plain = good;
    DescrambleLibrary(plain.data(), plain.size());
    const size_t second_entry = 8 + 1 + 5 + 4 + sans.size();

    // Cut inside the count, the first label, the second label, its length and its data.
    const size_t cuts[] = {6, 8, second_entry, second_entry + 3, second_entry + 1 + 6 + 2,
                           second_entry + 1 + 6 + 4 + 100, plain.size() - 1};
    for (const size_t keep : cuts) {
        SCOPED_TRACE(keep);
        test::FaultCapture capture;
        test::TempDir dir;
        std::vector<uint8_t> cut(plain.begin(), plain.begin() + static_cast<long>(keep));
        ScrambleLibrary(cut.data(), cut.size());
        test::WriteAll(dir.File("a.gld"), cut);
        FT_Init_FreeType(&Registry().library);
        EXPECT_EQ(FtText::ReadLib(2, dir.File("a.gld")), FtText::kArchiveDamaged);
        EXPECT_TRUE(capture.faults.empty());
        EXPECT_EQ(FtText::FontCount(), keep >= second_entry ? 1 : 0);
        FtText::FreeFt();
    }
}

TEST(FontLibrary, HugeLengthsAreRefusedWithoutAllocating) {
    test::FaultCapture capture;
    test::TempDir dir;
    ByteWriter w;
    w.WriteU32(11671);
    w.WriteU32(0xFFFFFFFFu);  // absurd count
    w.WriteString("x");
    w.WriteU32(0xFFFFFFF0u);  // absurd font length
    std::vector<uint8_t> bytes = w.Bytes();
    ScrambleLibrary(bytes.data(), bytes.size());
    test::WriteAll(dir.File("a.gld"), bytes);
    FT_Init_FreeType(&Registry().library);
    EXPECT_EQ(FtText::ReadLib(0, dir.File("a.gld")), FtText::kArchiveDamaged);
    EXPECT_TRUE(capture.faults.empty());
    FtText::FreeFt();
}

TEST(FontLibrary, AFontFreeTypeRefusesIsLeftOutAndTheInstallationCalledDamaged) {
    test::FaultCapture capture;
    Installation install;
    install.Write("/embedded/emb1.gld",
                  {{"junk", {1, 2, 3, 4, 5, 6, 7, 8}}, {"ok", FontFile(QV_TEST_FONT_SANS)}});
    EXPECT_EQ(FtText::InitFt(), FtText::kArchiveDamaged);
    EXPECT_TRUE(capture.faults.empty());
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kDamagedInstallationMessage);
    ASSERT_EQ(FtText::FontCount(), 1);
    EXPECT_EQ(Registry().fonts[0].label, "ok");
}

TEST(FontLibraryDeathTest, WrongMagicEndsTheProcessWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    test::TempDir dir;
    ByteWriter w;
    w.WriteU32(11672);
    w.WriteU32(0);
    std::vector<uint8_t> bytes = w.Bytes();
    ScrambleLibrary(bytes.data(), bytes.size());
    test::WriteAll(dir.File("bad.gld"), bytes);
    EXPECT_EXIT(
        {
            FT_Init_FreeType(&Registry().library);
            FtText::ReadLib(0, dir.File("bad.gld"));
        },
        testing::ExitedWithCode(0), "Installation package corrupted. Please reinstall Qorvan Logo");
}

TEST(FontLibrary, FreeFtEmptiesTheLibrarySoItCanLoadAgain) {
    test::FaultCapture capture;
    Installation install;
    install.Write("/embedded/emb1.gld", {{"a", FontFile(QV_TEST_FONT_SANS)}});
    FtText::InitFt();
    FtText::FreeFt();
    EXPECT_EQ(FtText::FontCount(), 0);
    EXPECT_EQ(Registry().library, nullptr);
    FtText::InitFt();
    EXPECT_EQ(FtText::FontCount(), 1);
    EXPECT_TRUE(capture.faults.empty());
}

TEST(FontCategory, TabsByFirstCharacter) {
    EXPECT_EQ(FontCategoryForName("Alpha"), 0);
    EXPECT_EQ(FontCategoryForName("3270 Regular"), 0);
    EXPECT_EQ(FontCategoryForName("bravo"), 1);
    EXPECT_EQ(FontCategoryForName("Echo"), 3);
    EXPECT_EQ(FontCategoryForName("Golf"), 4);
    EXPECT_EQ(FontCategoryForName("Juliet"), 5);
    EXPECT_EQ(FontCategoryForName("Oscar"), 7);
    EXPECT_EQ(FontCategoryForName("Romeo"), 8);
    EXPECT_EQ(FontCategoryForName("Sierra"), 9);
    EXPECT_EQ(FontCategoryForName("zulu"), 10);
}

}  // namespace
}  // namespace qv
