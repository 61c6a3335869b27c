#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "render/gradient.h"
#include "render/pixel_buffer.h"

namespace qv {
namespace {

TEST(GradientWeights, QuadrantsAndMirrors) {
    const GradientWeights g0 = GradientWeightsFor(0);
    EXPECT_EQ(g0.wx, 9000u);
    EXPECT_EQ(g0.wy, 0u);
    EXPECT_FALSE(g0.mirror_x);
    const GradientWeights g45 = GradientWeightsFor(45);
    EXPECT_EQ(g45.wx, 4500u);
    EXPECT_EQ(g45.wy, 4500u);
    const GradientWeights g180 = GradientWeightsFor(180);
    EXPECT_EQ(g180.wx, 9000u);
    EXPECT_TRUE(g180.mirror_x);
    EXPECT_TRUE(g180.mirror_y);
    const GradientWeights g270 = GradientWeightsFor(270);
    EXPECT_EQ(g270.wy, 9000u);
    EXPECT_TRUE(g270.mirror_y);
    // 360 is 0 again; a damaged angle stays within the weights.
    const GradientWeights g360 = GradientWeightsFor(360);
    EXPECT_EQ(GradientColour2Weight(g360, 3, 7, 10, 5), GradientColour2Weight(g0, 3, 7, 10, 5));
    const GradientWeights odd = GradientWeightsFor(-725);
    EXPECT_EQ(odd.wx + odd.wy, 9000u);
}

TEST(GradientWeights, ColourTwoWeightAcrossTheRaster) {
    const int szx = 40, szy = 20;
    const GradientWeights g0 = GradientWeightsFor(0);
    EXPECT_EQ(GradientColour2Weight(g0, 5, 0, szx, szy), 0u);
    EXPECT_EQ(GradientColour2Weight(g0, 5, szx - 1, szx, szy), 9000u * (szx - 1) / szx);
    const GradientWeights g180 = GradientWeightsFor(180);
    EXPECT_EQ(GradientColour2Weight(g180, 0, 0, szx, szy), 9000u);
    EXPECT_EQ(GradientColour2Weight(g180, 0, szx - 1, szx, szy), 9000u / szx);
    const GradientWeights g45 = GradientWeightsFor(45);
    for (int i : {0, 7, 19}) {
        for (int j : {0, 13, 39}) {
            EXPECT_EQ(GradientColour2Weight(g45, i, j, szx, szy), 4500u * j / szx + 4500u * i / szy);
        }
    }
}

struct GradientScene {
    std::vector<uint8_t> coverage;
    std::vector<uint32_t> pixels;
    GradientScene(uint8_t cover, uint32_t background) : coverage(8 * 4, cover), pixels(8 * 4, background) {}
    void Draw(const ObjStyle& lt) {
        DrawGradient(lt, {coverage.data(), nullptr, 8, 4, 0, 0}, pixels.data(), 8, 4);
    }
};

TEST(Gradient, ZeroOpacityKeepsTheDestinationPlusDither) {
    ObjStyle lt;
    lt.grad = 1;
    lt.grad_opacity1 = lt.grad_opacity2 = 0.0f;
    GradientScene s(255, RGB_MAKE(100, 50, 20));
    std::srand(7);
    s.Draw(lt);
    for (uint32_t p : s.pixels) {
        const uint32_t d = RedOf(p) - 100;
        EXPECT_LE(d, 7u);
        EXPECT_EQ(GreenOf(p), 50 + d);
        EXPECT_EQ(BlueOf(p), 20 + d);
    }
}

TEST(Gradient, FullOpacityAndCoverageHidesTheDestination) {
    ObjStyle lt;
    lt.grad = 1;
    lt.grad_color1 = {0, 0, 0};
    lt.grad_color2 = {0, 0, 0};
    GradientScene s(255, 0xFFFFFF);
    std::srand(3);
    s.Draw(lt);
    for (uint32_t p : s.pixels) {
        EXPECT_LE(RedOf(p), 7u);
        EXPECT_EQ(RedOf(p), GreenOf(p));
    }
}

TEST(Gradient, DitherComesFromRandPerPixelInRowOrder) {
    ObjStyle lt;
    lt.grad = 1;
    lt.grad_opacity1 = lt.grad_opacity2 = 0.0f;
    GradientScene s(255, 0);
    std::srand(11);
    std::vector<uint32_t> expected;
    for (int n = 0; n < 32; ++n) expected.push_back(static_cast<uint32_t>(Rand15() * 7 / 32767));
    std::srand(11);
    s.Draw(lt);
    for (size_t n = 0; n < 32; ++n) EXPECT_EQ(RedOf(s.pixels[n]), expected[n]) << n;
}

TEST(Gradient, UncoveredPixelsAreNotTouchedAndDrawNoRandomNumber) {
    ObjStyle lt;
    lt.grad = 1;
    GradientScene s(0, 0x123456);
    std::srand(5);
    s.Draw(lt);
    for (uint32_t p : s.pixels) EXPECT_EQ(p, 0x123456u);
    const int next = std::rand();
    std::srand(5);
    EXPECT_EQ(std::rand(), next);
}

}  // namespace
}  // namespace qv
