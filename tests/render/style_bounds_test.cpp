#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "document/colour_model.h"
#include "render/ft_text.h"
#include "render/style_bounds.h"
#include "tests/support/fault_capture.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Everything the bars can store is used as it is.
TEST(StyleBounds, EditorValuesAreWithinBounds) {
    ObjStyle lt;
    EXPECT_TRUE(StyleWithinBounds(lt));
    lt.size = 3000;
    lt.width = 1;
    lt.spacing = -30;
    lt.rotation = 1.0f;
    lt.bend = 1.0f;
    lt.aspect = 0.5f;
    lt.strength = 10;
    lt.shadow_angle = 360;
    lt.shadow_distance = 20;
    lt.outline_sharpness = 0.0f;
    lt.str = std::string(499, 'x');
    EXPECT_TRUE(StyleWithinBounds(lt));
    EXPECT_EQ(BoundedStyle(lt), lt);
}

TEST(StyleBounds, AbsurdValuesAreHeldToTheEditorsRanges) {
    ObjStyle lt;
    lt.str = std::string(600, 'x');
    lt.size = 2147483647;
    lt.width = -4;
    lt.spacing = -100000;
    lt.strength = 100000000;
    lt.shadow_distance = 2147483647;
    lt.shadow_angle = 3645;
    lt.aspect = 40.0f;
    lt.bend = -3.0f;
    lt.rotation = 2.75f;
    ASSERT_FALSE(StyleWithinBounds(lt));
    const ObjStyle b = BoundedStyle(lt);
    EXPECT_TRUE(StyleWithinBounds(b));
    EXPECT_EQ(b.str.size(), 499u);
    EXPECT_EQ(b.size, bounds::kMaxSize);
    EXPECT_EQ(b.width, bounds::kMinSize);
    EXPECT_EQ(b.spacing, -bounds::kMaxSpacing);
    EXPECT_EQ(b.strength, 10);
    EXPECT_EQ(b.shadow_distance, bounds::kMaxShadowDistance);
    EXPECT_EQ(b.shadow_angle, 45);  // the same direction
    EXPECT_EQ(b.aspect, 2.0f);
    EXPECT_EQ(b.bend, 0.0f);
    EXPECT_FLOAT_EQ(b.rotation, 0.75f);  // the same direction within one turn
}

TEST(StyleBounds, NonFiniteValuesTakeTheDefaults) {
    const ObjStyle defaults;
    ObjStyle lt;
    lt.rotation = kNaN;
    lt.bend = kInf;
    lt.aspect = -kInf;
    lt.outline_opacity = kNaN;
    lt.outline_sharpness = kNaN;
    lt.shadow_opacity = kInf;
    lt.grad_opacity1 = -kInf;
    lt.grad_opacity2 = kNaN;
    lt.color = {kNaN, 120, kInf};
    ASSERT_FALSE(StyleWithinBounds(lt));
    const ObjStyle b = BoundedStyle(lt);
    EXPECT_TRUE(StyleWithinBounds(b));
    EXPECT_EQ(b.rotation, 0.0f);
    EXPECT_EQ(b.bend, defaults.bend);
    EXPECT_EQ(b.aspect, defaults.aspect);
    EXPECT_EQ(b.outline_opacity, defaults.outline_opacity);
    EXPECT_EQ(b.outline_sharpness, defaults.outline_sharpness);
    EXPECT_EQ(b.shadow_opacity, defaults.shadow_opacity);
    EXPECT_EQ(b.grad_opacity1, defaults.grad_opacity1);
    EXPECT_EQ(b.grad_opacity2, defaults.grad_opacity2);
    EXPECT_EQ(b.color.h, defaults.color.h);
    EXPECT_EQ(b.color.s, 120.0f);
    EXPECT_EQ(b.color.l, defaults.color.l);
}

TEST(StyleBounds, PlacementValues) {
    EXPECT_EQ(BoundedPosition(2147483647), bounds::kMaxPosition);
    EXPECT_EQ(BoundedPosition(-2147483647 - 1), -bounds::kMaxPosition);
    EXPECT_EQ(BoundedPosition(-37), -37);
    EXPECT_EQ(BoundedExtent(-5), 0);
    EXPECT_EQ(BoundedCanvasSide(-7), 1);
    EXPECT_EQ(BoundedCanvasSide(3000), 3000);
}

// The colour conversion never turns a NaN into an integer.
TEST(StyleBounds, NaNColoursConvertAsTheLowEnd) {
    EXPECT_EQ(HlsToPacked({kNaN, kNaN, kNaN}), HlsToPacked({0, 0, 0}));
    EXPECT_EQ(HlsToPacked({0, 0, kInf}), HlsToPacked({0, 0, 240}));
}

class BoundedRender : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = std::make_unique<test::TestFonts>(); }
    static void TearDownTestSuite() { fonts_.reset(); }
    static ObjStyle Text(const std::string& text) {
        ObjStyle lt;
        lt.str = text;
        lt.font = test::TestFonts::kSans;
        lt.outline = 1;
        lt.shadow = 1;
        return lt;
    }
    static std::vector<uint32_t> Draw(const ObjStyle& lt) {
        FtText ft;
        ft.Render(lt, 0, 1);
        const PixelBuffer picture = ft.BltToBitmap(lt, 300, 120, Hls{0, 0, 240});
        return std::vector<uint32_t>(picture.data(), picture.data() + picture.size());
    }
    static std::unique_ptr<test::TestFonts> fonts_;
};
std::unique_ptr<test::TestFonts> BoundedRender::fonts_;

// A stored value outside the range draws exactly as its bound, without any report, and the
// record keeps its value.
TEST_F(BoundedRender, OutOfRangeRecordsDrawAsTheirBounds) {
    test::FaultCapture capture;
    ObjStyle hostile = Text("Bound");
    hostile.strength = 100000000;
    hostile.outline_opacity = kNaN;
    hostile.shadow_distance = -2147483647;
    ObjStyle bounded = hostile;
    bounded.strength = 10;
    bounded.outline_opacity = 1.0f;
    bounded.shadow_distance = -bounds::kMaxShadowDistance;
    EXPECT_EQ(Draw(hostile), Draw(bounded));
    EXPECT_EQ(hostile.strength, 100000000);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_TRUE(capture.messages.empty());
}

// A shape glyph the face does not have draws as glyph 0 instead of failing in FreeType.
TEST_F(BoundedRender, AGlyphBeyondTheFaceIsGlyphZero) {
    test::FaultCapture capture;
    ObjStyle shape = Text("");
    shape.glyph = 1000000000;
    ObjStyle zero = shape;
    zero.glyph = 0;
    EXPECT_EQ(Draw(shape), Draw(zero));
    EXPECT_TRUE(capture.faults.empty());
}

// Layout tells what the rasters will cost before they exist.
TEST_F(BoundedRender, LayoutCostsWhatRasterisingTakes) {
    FtText ft;
    const ObjStyle lt = Text("Cost");
    ft.Layout(lt, 0, 1);
    EXPECT_TRUE(ft.raster.empty());
    const FtText::RasterCost cost = ft.Cost(lt);
    ft.Rasterize(lt);
    EXPECT_EQ(cost.kept, ft.raster.size() + ft.mask.size());
    EXPECT_GE(cost.peak, cost.kept);

    FtText huge;
    huge.scale = 100.0f;
    ObjStyle big = lt;
    big.size = 3000;
    huge.Layout(big, 0, 1);
    EXPECT_TRUE(huge.too_large);
    EXPECT_EQ(huge.Cost(big).peak, UINT64_MAX);
}

// Rendering in two steps equals rendering in one.
TEST_F(BoundedRender, LayoutThenRasterizeEqualsRender) {
    ObjStyle lt = Text("Steps");
    lt.transform = 1;
    lt.bend_on = 1;
    lt.bend = 0.7f;
    FtText one, two, other;
    one.Render(lt, 0, 1);
    two.Layout(lt, 0, 1);
    // Another size set on the shared face in between must not matter.
    ObjStyle small = lt;
    small.size = 9;
    other.Render(small, 0, 1);
    two.Rasterize(lt);
    ASSERT_EQ(one.raster.size(), two.raster.size());
    EXPECT_TRUE(std::equal(one.raster.data(), one.raster.data() + one.raster.size(), two.raster.data()));
    EXPECT_TRUE(std::equal(one.mask.data(), one.mask.data() + one.mask.size(), two.mask.data()));
}

}  // namespace
}  // namespace qv
