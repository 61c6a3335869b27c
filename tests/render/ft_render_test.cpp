#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/ft_text.h"
#include "tests/support/fault_capture.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

class Render : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = new test::TestFonts(); }
    static void TearDownTestSuite() {
        delete fonts_;
        fonts_ = nullptr;
    }
    static ObjStyle Text(const std::string& text) {
        ObjStyle lt;
        lt.str = text;
        lt.font = test::TestFonts::kSans;
        return lt;
    }
    // Columns of each glyph relative to the first.
    static std::vector<int> Advances(const FtText& ft) {
        std::vector<int> x;
        for (int n = 0; n < ft.slen; ++n) x.push_back(ft.gp[n].x - ft.gp[0].x);
        return x;
    }
    // The width of the empty band around the inked pixels: the smallest of the four sides.
    static int EmptyBorder(const FtText& ft) {
        int left = ft.szx, right = ft.szx, top = ft.szy, bottom = ft.szy;
        for (int y = 0; y < ft.szy; ++y) {
            for (int x = 0; x < ft.szx; ++x) {
                if (ft.raster[size_t(y) * size_t(ft.szx) + size_t(x)] == 0) continue;
                left = std::min(left, x);
                right = std::min(right, ft.szx - 1 - x);
                top = std::min(top, y);
                bottom = std::min(bottom, ft.szy - 1 - y);
            }
        }
        return std::min({left, right, top, bottom});
    }
    static test::TestFonts* fonts_;
};
test::TestFonts* Render::fonts_ = nullptr;

TEST_F(Render, EmptyTextGivesTenByTenZerosEvenWithEffects) {
    FtText ft;
    ObjStyle lt = Text("");
    lt.outline = 1;
    ft.Render(lt, 0, 1);
    EXPECT_EQ(ft.szx, 10);
    EXPECT_EQ(ft.szy, 10);
    EXPECT_EQ(ft.orgx, 0);
    EXPECT_EQ(ft.orgy, 0);
    ASSERT_EQ(ft.raster.size(), 100u);
    ASSERT_EQ(ft.mask.size(), 100u);
    for (size_t i = 0; i < 100; ++i) {
        EXPECT_EQ(ft.raster[i], 0);
        EXPECT_EQ(ft.mask[i], 0);
    }
}

TEST_F(Render, MarginIsTenPixelsWithEffectsAndOneWithout) {
    FtText ft;
    ft.Render(Text("W"), 0, 1);
    EXPECT_GE(EmptyBorder(ft), 10);
    EXPECT_LE(EmptyBorder(ft), 12);
    ft.Render(Text("W"), 0, 0);
    EXPECT_GE(EmptyBorder(ft), 1);
    EXPECT_LE(EmptyBorder(ft), 3);
    EXPECT_TRUE(ft.mask.empty());
}

TEST_F(Render, SpacingMovesEveryFollowingGlyph) {
    FtText plain, tight;
    ObjStyle lt = Text("HHHH");
    plain.Render(lt, 0, 0);
    lt.spacing = -3;
    tight.Render(lt, 0, 0);
    const std::vector<int> a = Advances(plain), b = Advances(tight);
    ASSERT_EQ(a.size(), 4u);
    for (size_t n = 0; n < 4; ++n) EXPECT_EQ(b[n], a[n] - 3 * static_cast<int>(n));
}

TEST_F(Render, AMissingCharacterBreaksTheSpacingOnBothSides) {
    FtText plain, spaced;
    ObjStyle lt = Text("A\x01" "B");
    plain.Render(lt, 0, 0);
    lt.spacing = 10;
    spaced.Render(lt, 0, 0);
    EXPECT_EQ(spaced.gp[1].index, 0);
    EXPECT_EQ(Advances(spaced), Advances(plain));
    // Without the gap the spacing is there.
    FtText two_plain, two_spaced;
    two_plain.Render(Text("AB"), 0, 0);
    ObjStyle ab = Text("AB");
    ab.spacing = 10;
    two_spaced.Render(ab, 0, 0);
    EXPECT_EQ(Advances(two_spaced)[1], Advances(two_plain)[1] + 10);
}

TEST_F(Render, AspectRatioScalesTheGlyphWidth) {
    FtText normal, wide, narrow;
    ObjStyle lt = Text("MMMMMMMM");
    normal.Render(lt, 0, 0);
    lt.aspect = 2.0f;
    wide.Render(lt, 0, 0);
    lt.aspect = 0.5f;
    narrow.Render(lt, 0, 0);
    EXPECT_NEAR(Advances(wide).back(), 2.0 * Advances(normal).back(), 8);
    EXPECT_NEAR(Advances(narrow).back(), 0.5 * Advances(normal).back(), 8);
    EXPECT_NEAR(wide.szy, normal.szy, 2);
}

TEST_F(Render, QuarterTurnReadsUpwards) {
    FtText ft;
    ObjStyle lt = Text("HHHHH");
    lt.transform = 1;
    lt.rotation = 0.25f;
    ft.Render(lt, 0, 0);
    EXPECT_GT(ft.szy, ft.szx);
    for (int n = 1; n < ft.slen; ++n) {
        EXPECT_LT(ft.gp[n].y, ft.gp[n - 1].y);
        EXPECT_NEAR(ft.gp[n].x, ft.gp[0].x, 1);
    }
    // Without the transform flag the rotation is ignored.
    FtText flat, flagged_off;
    flat.Render(Text("HHHHH"), 0, 0);
    lt.transform = 0;
    flagged_off.Render(lt, 0, 0);
    EXPECT_EQ(flagged_off.szx, flat.szx);
    EXPECT_EQ(flagged_off.szy, flat.szy);
}

TEST_F(Render, BendOutsideArchesDownwardsAndInsideUpwards) {
    ObjStyle lt = Text("OOOO");
    lt.transform = 1;
    lt.bend_on = 1;
    lt.bend = 0.7f;
    FtText outside, inside, straight;
    outside.Render(lt, 0, 0);
    lt.bend_inside = 1;
    inside.Render(lt, 0, 0);
    for (int n = 1; n < 4; ++n) {
        EXPECT_GT(outside.gp[n].y, outside.gp[n - 1].y) << n;  // rows run down the arch
        EXPECT_LT(inside.gp[n].y, inside.gp[n - 1].y) << n;
    }
    // The bend needs the transform flag as well.
    lt.transform = 0;
    straight.Render(lt, 0, 0);
    for (int n = 1; n < 4; ++n) EXPECT_EQ(straight.gp[n].y, straight.gp[0].y);
}

TEST_F(Render, LineHeightFitShrinksATallFace) {
    FtText exact, fitted;
    const ObjStyle lt = Text("Hxg");
    exact.Render(lt, 0, 0);
    fitted.Render(lt, 1, 0);
    EXPECT_LT(fitted.szy, exact.szy);
    // Modes other than 0 and 2 behave as 1.
    FtText other;
    other.Render(lt, 7, 0);
    EXPECT_EQ(other.szx, fitted.szx);
    EXPECT_EQ(other.szy, fitted.szy);
}

TEST_F(Render, UnknownFaceFallsBackToTheFirstTextFont) {
    FtText known, unknown;
    known.Render(Text("Qorvan"), 0, 0);
    ObjStyle lt = Text("Qorvan");
    lt.font = "No Such Face";
    unknown.Render(lt, 0, 0);
    EXPECT_EQ(unknown.face, known.face);
    EXPECT_EQ(unknown.szx, known.szx);
}

TEST_F(Render, ShapesUseTheirGlyphAndBox) {
    FtText ft;
    ObjStyle lt;
    lt.font = test::TestFonts::kMono;
    lt.glyph = 36;
    lt.size = 100;
    lt.width = 50;
    ft.Render(lt, 0, 0);
    EXPECT_EQ(ft.slen, 1);
    EXPECT_EQ(ft.gp[0].index, 36);
    FtText wide;
    lt.width = 200;
    wide.Render(lt, 0, 0);
    EXPECT_GT(wide.szx, ft.szx * 3);
}

// A file can hold any length; the layout takes the first 499 characters without a report.
TEST_F(Render, OverlongLinesAreCutSilently) {
    test::FaultCapture capture;
    FtText ft, exact;
    ft.Render(Text(std::string(520, 'i')), 0, 0);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_EQ(ft.slen, 499);
    exact.Render(Text(std::string(499, 'i')), 0, 0);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_EQ(ft.szx, exact.szx);
}

TEST_F(Render, SharedFacesCarryNothingFromOneRenderToTheNext) {
    FtText fresh;
    fresh.Render(Text("Logo"), 0, 0);
    FtText rotated, after;
    ObjStyle turned = Text("Logo");
    turned.transform = 1;
    turned.rotation = 0.1f;
    turned.size = 90;
    rotated.Render(turned, 2, 1);
    after.Render(Text("Logo"), 0, 0);
    ASSERT_EQ(after.szx, fresh.szx);
    ASSERT_EQ(after.szy, fresh.szy);
    EXPECT_TRUE(std::equal(after.raster.data(), after.raster.data() + after.raster.size(),
                           fresh.raster.data()));
}

TEST_F(Render, BlitsPlaceTheRasterAndDrawOnTheirBackground) {
    FtText ft;
    ObjStyle lt = Text("I");
    ft.Render(lt, 0, 0);
    const PixelBuffer chess = ft.BltToDC(lt, 64, 64, 0, Hls{0, 0, 240}, false, true);
    ASSERT_FALSE(chess.empty());
    EXPECT_EQ(chess.at(0, 0), kBlitChessA);
    EXPECT_EQ(chess.at(8, 0), kBlitChessB);
    // With xcnt false the origin goes to column `box`: ink starts just right of it.
    const PixelBuffer placed = ft.BltToDC(lt, 64, 64, 20, Hls{0, 0, 240});
    int first_ink = -1;
    for (int x = 0; x < 64 && first_ink < 0; ++x) {
        for (int y = 0; y < 64; ++y) {
            if (placed.at(x, y) != 0xFFFFFFu) {
                first_ink = x;
                break;
            }
        }
    }
    EXPECT_GE(first_ink, 20);
    EXPECT_LE(first_ink, 28);
    const PixelBuffer centred = ft.BltToBitmap(lt, 40, 80, Hls{0, 240, 120});
    EXPECT_EQ(centred.at(0, 0), 0xFF0000u);
    EXPECT_EQ(centred.at(20, 40), 0x000000u);
}

}  // namespace
}  // namespace qv
