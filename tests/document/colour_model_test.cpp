#include <gtest/gtest.h>

#include "document/colour_model.h"

namespace qv {
namespace {

Rgb8 Bytes(float h, float s, float l) { return ToBytesClamped(HlsToRgb({h, s, l})); }

TEST(HlsToRgb, KnownColours) {
    struct Case {
        Hls in;
        Rgb8 out;
    };
    const Case cases[] = {
        {{0, 0, 120}, {127, 127, 127}},      // grey whatever the hue
        {{123, 0, 120}, {127, 127, 127}},
        {{0, 240, 120}, {255, 0, 0}},
        {{80, 240, 120}, {0, 255, 0}},
        {{160, 240, 120}, {0, 0, 255}},
        {{0, 0, 240}, {255, 255, 255}},
        {{0, 240, 240}, {255, 255, 255}},
        {{0, 0, 0}, {0, 0, 0}},
        {{0, 0, 100}, {106, 106, 106}},      // the default outline colour
        {{255, 255, 255}, {255, 255, 255}},  // read as (239, 240, 240)
        {{40, 240, 120}, {255, 255, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.h << "," << c.in.s << "," << c.in.l);
        EXPECT_EQ(ToBytesClamped(HlsToRgb(c.in)), c.out);
    }
}

TEST(HlsToRgb, OutOfRangeValuesAreClampedWhenConverted) {
    EXPECT_EQ(Bytes(300, 240, 120), Bytes(239, 240, 120));
    EXPECT_EQ(Bytes(-5, 240, 120), Bytes(0, 240, 120));
    EXPECT_EQ(Bytes(0, 240, -10), (Rgb8{0, 0, 0}));
    EXPECT_EQ(Bytes(0, 500, 120), Bytes(0, 240, 120));
}

TEST(HlsToRgb, ByteConversions) {
    EXPECT_EQ(ToBytesClamped({1.2f, -0.1f, 0.5f}), (Rgb8{255, 0, 127}));
    EXPECT_EQ(ToBytesUnclamped({1.0f, 0.5f, 0.0f}), (Rgb8{255, 127, 0}));
    EXPECT_EQ(HlsToPacked({0, 240, 120}), 0x00FF0000u);
    EXPECT_EQ(HlsToPacked({160, 240, 120}), 0x000000FFu);
    EXPECT_EQ(HlsToPacked({0, 0, 100}), 0x006A6A6Au);
}

TEST(RgbToHls, KnownColours) {
    Hls red = RgbToHls(255, 0, 0);
    EXPECT_FLOAT_EQ(red.h, 0);
    EXPECT_FLOAT_EQ(red.s, 240);
    EXPECT_FLOAT_EQ(red.l, 120);
    EXPECT_FLOAT_EQ(RgbToHls(255, 255, 0).h, 40);
    const Hls pink = RgbToHls(255, 0, 128);
    EXPECT_NEAR(pink.h, 219.92f, 0.005f);
    EXPECT_FLOAT_EQ(pink.s, 240);
    EXPECT_FLOAT_EQ(pink.l, 120);
    EXPECT_EQ(RgbToHls(0, 0, 0), (Hls{160, 0, 0}));
    const Hls white = RgbToHls(255, 255, 255);
    EXPECT_FLOAT_EQ(white.h, 160);
    EXPECT_FLOAT_EQ(white.s, 0);
    EXPECT_FLOAT_EQ(white.l, 240);
    // Inputs are clamped to 0..255.
    EXPECT_EQ(RgbToHls(300, -4, 0), RgbToHls(255, 0, 0));
}

TEST(RgbToHls, RoundTripsThroughTheBytesOfPrimaryAndMixedColours) {
    const Rgb8 colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}};
    for (const Rgb8& c : colours) {
        EXPECT_EQ(ToBytesClamped(HlsToRgb(RgbToHls(c.r, c.g, c.b))), c);
    }
}

}  // namespace
}  // namespace qv
