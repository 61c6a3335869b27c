#include <gtest/gtest.h>
#include <hb-ot.h>
#include <hb.h>

#include <string>
#include <vector>

#include "app/unicode_text.h"
#include "render/font_registry.h"
#include "render/ft_text.h"
#include "render/glyph_outlines.h"
#include "tests/support/fault_capture.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

const std::string kLodz = "\xC5\x81\xC3\xB3\x64\xC5\xBA";                        // Łódź
const std::string kSalam = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85";                     // سلام
const std::string kZhe = "\xD0\x96";                                               // Ж

ObjStyle Text(const std::string& text, const char* face) {
    ObjStyle lt;
    lt.str = text;
    lt.font = face;
    lt.size = 40;
    return lt;
}

// The glyphs HarfBuzz gives `text` with the font file itself, through its own OpenType
// functions rather than FreeType: what its shaping tools print, left to right.
std::vector<int> ReferenceShape(const char* font_file, const std::string& text) {
    hb_blob_t* blob = hb_blob_create_from_file(font_file);
    hb_face_t* face = hb_face_create(blob, 0);
    hb_font_t* font = hb_font_create(face);
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, text.c_str(), static_cast<int>(text.size()), 0, -1);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    std::vector<int> glyphs;
    for (unsigned n = 0; n < count; ++n) glyphs.push_back(static_cast<int>(info[n].codepoint));
    hb_buffer_destroy(buffer);
    hb_font_destroy(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return glyphs;
}

std::vector<int> Indices(const FtText& ft, int from = 0, int count = -1) {
    std::vector<int> out;
    const int end = count < 0 ? ft.slen : from + count;
    for (int n = from; n < end; ++n) out.push_back(ft.gp[size_t(n)].index);
    return out;
}

bool RunsLeftToRight(const FtText& ft) {
    for (int n = 1; n < ft.slen; ++n) {
        if (ft.gp[size_t(n)].x < ft.gp[size_t(n - 1)].x) return false;
    }
    return true;
}

class UnicodeLayout : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = new test::TestFonts(test::TestFonts::Fallbacks::kNoto); }
    static void TearDownTestSuite() {
        delete fonts_;
        fonts_ = nullptr;
    }
    static test::TestFonts* fonts_;
};
test::TestFonts* UnicodeLayout::fonts_ = nullptr;

// The document now keeps UTF-8; a code-page text must come out exactly as its bytes did, in
// every transform.
TEST_F(UnicodeLayout, CodePageTextsLayOutAndRenderAsTheirBytesDid) {
    const std::vector<std::string> bytes = {"Caf\xE9 \x80 \x8A\x9F", "\xC6gypt \xAB\xBB \xD8", "Wave"};
    for (const std::string& old : bytes) {
        for (int variant = 0; variant < 3; ++variant) {
            SCOPED_TRACE(old + " / " + std::to_string(variant));
            ObjStyle a = Text(old, test::TestFonts::kSerif);
            a.spacing = variant == 1 ? -3 : 2;
            a.transform = variant > 0;
            a.rotation = 0.1f;
            a.bend_on = variant == 2;
            a.bend = 0.8f;
            a.outline = 1;
            ObjStyle b = a;
            b.str = TextFromCp1252(old);
            FtText x, y;
            x.Render(a, 0, 1);
            y.Render(b, 0, 1);
            ASSERT_EQ(x.slen, y.slen);
            ASSERT_EQ(x.slen, static_cast<int>(old.size()));
            for (int n = 0; n < x.slen; ++n) {
                EXPECT_EQ(x.gp[size_t(n)].index, y.gp[size_t(n)].index);
                EXPECT_EQ(x.gp[size_t(n)].x, y.gp[size_t(n)].x);
                EXPECT_EQ(x.gp[size_t(n)].y, y.gp[size_t(n)].y);
                EXPECT_EQ(y.gp[size_t(n)].face, nullptr);
            }
            EXPECT_EQ(x.szx, y.szx);
            EXPECT_EQ(x.szy, y.szy);
            EXPECT_EQ(x.raster.size(), y.raster.size());
            EXPECT_TRUE(std::equal(x.raster.data(), x.raster.data() + x.raster.size(), y.raster.data()));
        }
    }
    // None of that needed a fallback face, so none was read.
    EXPECT_FALSE(Registry().fallbacks_read);
}

// A face that has the letters lays them out one glyph per character, by code point.
TEST_F(UnicodeLayout, UnicodeLineInACoveringFaceIsOneGlyphPerCharacter) {
    const std::string line = kLodz + " \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
    FtText ft;
    ft.Render(Text(line, test::TestFonts::kSans), 0, 0);
    const std::u32string chars = DecodeText(line);
    ASSERT_EQ(ft.slen, static_cast<int>(chars.size()));
    for (int n = 0; n < ft.slen; ++n) {
        EXPECT_EQ(ft.gp[size_t(n)].index, static_cast<int>(FT_Get_Char_Index(ft.face, chars[size_t(n)]))) << n;
        EXPECT_NE(ft.gp[size_t(n)].index, 0) << n;
        EXPECT_EQ(ft.gp[size_t(n)].face, nullptr) << n;
    }
    EXPECT_TRUE(RunsLeftToRight(ft));
    // "Łódź" is four glyphs, not the seven bytes of its UTF-8.
    FtText lodz;
    lodz.Render(Text(kLodz, test::TestFonts::kSans), 0, 0);
    EXPECT_EQ(lodz.slen, 4);
}

TEST_F(UnicodeLayout, ArabicIsJoinedAndRightToLeftAsHarfBuzzShapesIt) {
    FtText ft;
    ft.Render(Text(kSalam, test::TestFonts::kSans), 0, 0);
    const std::vector<int> reference = ReferenceShape(QV_TEST_FONT_SANS, kSalam);
    // Seen, a lam-alef ligature, meem: three glyphs for four letters.
    ASSERT_EQ(reference.size(), 3u);
    EXPECT_EQ(Indices(ft), reference);
    EXPECT_TRUE(RunsLeftToRight(ft));
    // Joined forms: the first letter, drawn last at the right, takes its initial form; the
    // meem after the alef, which joins nothing on its left, stays isolated.
    ASSERT_EQ(ft.slen, 3);
    EXPECT_NE(ft.gp[2].index, static_cast<int>(FT_Get_Char_Index(ft.face, 0x633)));
    EXPECT_EQ(ft.gp[0].index, static_cast<int>(FT_Get_Char_Index(ft.face, 0x645)));
    EXPECT_GT(ft.gp[2].x, ft.gp[0].x);
}

TEST_F(UnicodeLayout, MixedLatinAndArabicKeepTheirOwnDirections) {
    FtText ft;
    ft.Render(Text("abc " + kSalam, test::TestFonts::kSans), 0, 0);
    ASSERT_EQ(ft.slen, 7);
    std::vector<int> expected;
    for (char c : std::string("abc ")) expected.push_back(static_cast<int>(FT_Get_Char_Index(ft.face, c)));
    for (int g : ReferenceShape(QV_TEST_FONT_SANS, kSalam)) expected.push_back(g);
    EXPECT_EQ(Indices(ft), expected);
    EXPECT_TRUE(RunsLeftToRight(ft));

    // A right-to-left line puts the Latin word at its left end, still reading left to right.
    FtText rtl;
    rtl.Render(Text(kSalam + " abc", test::TestFonts::kSans), 0, 0);
    ASSERT_EQ(rtl.slen, 7);
    EXPECT_EQ(Indices(rtl, 0, 3), (std::vector<int>{static_cast<int>(FT_Get_Char_Index(rtl.face, 'a')),
                                                    static_cast<int>(FT_Get_Char_Index(rtl.face, 'b')),
                                                    static_cast<int>(FT_Get_Char_Index(rtl.face, 'c'))}));
    EXPECT_TRUE(RunsLeftToRight(rtl));
}

TEST_F(UnicodeLayout, CharacterTheFaceLacksComesFromAFallbackFace) {
    FtText ft;
    ft.Render(Text("A" + kZhe + "B", test::TestFonts::kLatinOnly), 0, 1);
    ASSERT_EQ(ft.slen, 3);
    EXPECT_EQ(FT_Get_Char_Index(ft.face, 0x416), 0u);  // Cabin has no Cyrillic
    EXPECT_TRUE(Registry().fallbacks_read);
    EXPECT_EQ(ft.gp[0].face, nullptr);
    EXPECT_EQ(ft.gp[2].face, nullptr);
    FT_Face fallback = ft.gp[1].face;
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(std::string(fallback->family_name), "Noto Sans");
    EXPECT_EQ(ft.gp[1].index, static_cast<int>(FT_Get_Char_Index(fallback, 0x416)));
    EXPECT_TRUE(RunsLeftToRight(ft));
    // The Zhe is drawn: ink between the A and the B.
    int ink = 0;
    for (int y = 0; y < ft.szy; ++y) {
        for (int x = ft.gp[1].x + 2; x < ft.gp[2].x - 2; ++x) ink += ft.raster[size_t(y) * size_t(ft.szx) + size_t(x)] > 128;
    }
    EXPECT_GT(ink, 40);
    // The vector writers draw it from the same face.
    const GlyphOutlines outlines = OutlinesOf(ft.layout());
    int contours = 0;
    for (const PathSegment& s : outlines.segments) contours += s.kind == PathSegment::Kind::kMove;
    EXPECT_GE(contours, 3);

    // Letters of code page 1252 keep the chosen face; the others of "Łódź" fall back.
    FtText lodz;
    lodz.Render(Text(kLodz, test::TestFonts::kLatinOnly), 0, 0);
    ASSERT_EQ(lodz.slen, 4);
    EXPECT_EQ(lodz.gp[0].face, fallback);
    EXPECT_EQ(lodz.gp[1].face, nullptr);
    EXPECT_EQ(lodz.gp[2].face, nullptr);
    EXPECT_EQ(lodz.gp[3].face, fallback);
}

TEST_F(UnicodeLayout, ArabicInALatinFaceIsShapedInTheFallbackFace) {
    FtText ft;
    ft.Render(Text(kSalam, test::TestFonts::kLatinOnly), 0, 1);
    ASSERT_EQ(ft.slen, 3);
    for (int n = 0; n < ft.slen; ++n) {
        ASSERT_NE(ft.gp[size_t(n)].face, nullptr);
        EXPECT_EQ(std::string(ft.gp[size_t(n)].face->family_name), "Noto Sans Arabic");
    }
    EXPECT_EQ(Indices(ft), ReferenceShape(QV_TEST_FONT_FALLBACK_ARABIC, kSalam));
    EXPECT_TRUE(RunsLeftToRight(ft));
}

// Shaped glyphs take the same rotation and bend as any other: turned a quarter they read
// upwards, and on an arch every glyph lands inside the raster.
TEST_F(UnicodeLayout, ShapedLinesTakeRotationAndBend) {
    test::FaultCapture faults;
    ObjStyle lt = Text("abc " + kSalam + " \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", test::TestFonts::kLatinOnly);
    lt.transform = 1;
    lt.rotation = 0.25f;
    lt.outline = 1;
    FtText up;
    up.Render(lt, 0, 1);
    ASSERT_GT(up.slen, 8);
    for (int n = 1; n < up.slen; ++n) {
        EXPECT_LE(up.gp[size_t(n)].y, up.gp[size_t(n - 1)].y) << n;
        EXPECT_NEAR(up.gp[size_t(n)].x, up.gp[0].x, 2) << n;
    }
    lt.rotation = 0.0f;
    lt.bend_on = 1;
    lt.bend = 0.9f;
    FtText arch;
    arch.Render(lt, 0, 1);
    EXPECT_EQ(arch.slen, up.slen);
    size_t ink = 0;
    for (size_t i = 0; i < arch.raster.size(); ++i) ink += arch.raster[i] > 0;
    EXPECT_GT(ink, 500u);
    EXPECT_TRUE(faults.faults.empty());
}

TEST_F(UnicodeLayout, TheLimitCountsCharacters) {
    std::string line;
    for (int n = 0; n < 600; ++n) line += kZhe;
    FtText ft;
    ft.Layout(Text(line, test::TestFonts::kSans), 0, 0);
    EXPECT_EQ(ft.slen, 499);
}

}  // namespace
}  // namespace qv
