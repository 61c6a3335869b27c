#include <gtest/gtest.h>

#include <vector>

#include "render/effects.h"
#include "render/pixel_buffer.h"

namespace qv {
namespace {

TEST(Effects, PassCountFollowsStrengthAndRenderScale) {
    EXPECT_EQ(BlurPassCount(1.0f, 0), 1);
    EXPECT_EQ(BlurPassCount(1.0f, 5), 6);
    EXPECT_EQ(BlurPassCount(1.0f, 10), 11);
    EXPECT_EQ(BlurPassCount(2.0f, 10), 16);
    EXPECT_EQ(BlurPassCount(2.0f, 1), 2);
}

TEST(Effects, OutlineCurveAtBothEndsOfSharpness) {
    int soft[256], hard[256];
    BuildOutlineCurve(0.0f, soft);
    BuildOutlineCurve(1.0f, hard);
    EXPECT_EQ(soft[0], 0);
    EXPECT_EQ(soft[64], 164);
    EXPECT_LT(soft[105], 255);
    for (int i = 106; i < 256; ++i) EXPECT_EQ(soft[i], 255) << i;
    EXPECT_EQ(hard[1], 46);
    EXPECT_LT(hard[19], 255);
    for (int i = 20; i < 256; ++i) EXPECT_EQ(hard[i], 255) << i;
}

TEST(Effects, ShadowOffsetsShowTheSinglePrecisionAngle) {
    struct Case {
        int angle, distance, dx, dy;
    };
    const Case cases[] = {{0, 10, 10, 0}, {90, 10, 0, 9}, {180, 5, -4, 0}, {270, 7, 0, -6}, {45, 3, 2, 2}};
    for (const Case& c : cases) {
        const ShadowOffset off = ShadowOffsetFor(1.0f, c.distance, c.angle);
        EXPECT_EQ(off.dx, c.dx) << c.angle;
        EXPECT_EQ(off.dy, c.dy) << c.angle;
    }
    EXPECT_EQ(ShadowOffsetFor(3.0f, 10, 0).dx, 20);
}

TEST(Effects, OpacityBytes) {
    EXPECT_EQ(OpacityByte(1.0f), 255u);
    EXPECT_EQ(OpacityByte(0.5f), 127u);
    EXPECT_EQ(OpacityByte(-3.0f), 0u);
    EXPECT_EQ(OpacityByte(7e9f), 255u);
}

// A 4 x 1 raster over a white 6 x 3 buffer.
struct Scene {
    std::vector<uint8_t> coverage = {255, 128, 0, 0};
    std::vector<uint8_t> mask = {255, 255, 255, 0};
    std::vector<uint32_t> pixels = std::vector<uint32_t>(18, 0xFFFFFF);
    RasterPlacement At(int x0, int y0) { return {coverage.data(), mask.data(), 4, 1, x0, y0}; }
};

TEST(Effects, SolidFillBlendsByCoverage) {
    Scene s;
    ObjStyle lt;  // black fill
    DrawSolidFill(lt, s.At(1, 1), s.pixels.data(), 6, 3);
    EXPECT_EQ(s.pixels[6 + 1], 0x000000u);
    EXPECT_EQ(s.pixels[6 + 2], RGB_MAKE(127, 127, 127));
    EXPECT_EQ(s.pixels[6 + 3], 0xFFFFFFu);
    EXPECT_EQ(s.pixels[0], 0xFFFFFFu);
}

TEST(Effects, OutlineNeverTouchesFullCoverage) {
    Scene s;
    ObjStyle lt;
    lt.outline_color = {0, 240, 120};  // red
    int curve[256];
    BuildOutlineCurve(1.0f, curve);
    DrawOutline(lt, s.At(1, 1), curve, s.pixels.data(), 6, 3);
    EXPECT_EQ(s.pixels[6 + 1], 0xFFFFFFu);              // coverage 255
    EXPECT_EQ(s.pixels[6 + 2], RGB_MAKE(255, 128, 128));  // A = 255 * 127 * 255 / 65025 = 127
    EXPECT_EQ(s.pixels[6 + 3], RGB_MAKE(255, 0, 0));      // no coverage, full mask
    EXPECT_EQ(s.pixels[6 + 4], 0xFFFFFFu);              // mask 0
}

TEST(Effects, EveryPassClipsPerPixelWithoutWrapping) {
    // Placed so the raster hangs off each edge in turn; nothing may land on another row.
    for (const auto& at : {std::pair{-2, 1}, std::pair{4, 1}, std::pair{1, -1}, std::pair{1, 3}}) {
        Scene s;
        ObjStyle lt;
        lt.shadow_distance = 0;
        lt.shadow_opacity = 1.0f;
        int curve[256];
        BuildOutlineCurve(0.5f, curve);
        const RasterPlacement r = s.At(at.first, at.second);
        DrawShadow(lt, r, 1.0f, s.pixels.data(), 6, 3);
        DrawSolidFill(lt, r, s.pixels.data(), 6, 3);
        DrawOutline(lt, r, curve, s.pixels.data(), 6, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool covered = y == at.second && x - at.first >= 0 && x - at.first < 3;
                if (!covered) {
                    EXPECT_EQ(s.pixels[size_t(y * 6 + x)], 0xFFFFFFu) << x << "," << y;
                }
            }
        }
    }
}

TEST(Effects, ShadowUsesTheMaskAtItsOffsetWithOpacity) {
    Scene s;
    ObjStyle lt;
    lt.shadow_angle = 0;
    lt.shadow_distance = 1;  // dx = 1 at render scale 1
    lt.shadow_opacity = 1.0f;
    DrawShadow(lt, s.At(1, 1), 1.0f, s.pixels.data(), 6, 3);
    EXPECT_EQ(s.pixels[6 + 1], 0xFFFFFFu);
    EXPECT_EQ(s.pixels[6 + 2], 0x000000u);
    EXPECT_EQ(s.pixels[6 + 4], 0x000000u);
    EXPECT_EQ(s.pixels[6 + 5], 0xFFFFFFu);
    Scene half;
    lt.shadow_opacity = 0.5f;  // weight 255 * 127 / 255 = 127
    DrawShadow(lt, half.At(1, 1), 1.0f, half.pixels.data(), 6, 3);
    EXPECT_EQ(half.pixels[6 + 2], RGB_MAKE(128, 128, 128));
}

}  // namespace
}  // namespace qv
