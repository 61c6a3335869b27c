#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <tuple>

#include "output/colour_reduction.h"
#include "output/octree_quantizer.h"

namespace qv {
namespace {

Image Filled(int w, int h, const std::function<uint32_t(int, int)>& colour) {
    Image image;
    EXPECT_TRUE(image.Create24(w, h));
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) image.Row(row)[x] = 0xFF000000u | colour(x, row);
    }
    return image;
}

std::set<std::tuple<int, int, int>> Colours(const std::vector<PaletteEntry>& palette) {
    std::set<std::tuple<int, int, int>> out;
    for (const PaletteEntry& e : palette) out.insert({e.r, e.g, e.b});
    return out;
}

TEST(OctreeQuantizer, FewColoursAreKeptExactly) {
    const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000, 0x7F7F80};
    const Image image = Filled(70, 30, [&](int x, int row) { return colours[(x + row) % 7]; });
    const std::vector<PaletteEntry> palette = BuildOctreePalette(image);
    EXPECT_EQ(palette.size(), 7u);
    std::set<std::tuple<int, int, int>> expected;
    for (uint32_t c : colours) expected.insert({int(c >> 16), int((c >> 8) & 0xFF), int(c & 0xFF)});
    EXPECT_EQ(Colours(palette), expected);
}

TEST(OctreeQuantizer, ExactlyTwoHundredFiftySixColoursNeedNoReduction) {
    const Image image = Filled(256, 4, [](int x, int) { return uint32_t(x) * 0x010101u; });
    EXPECT_EQ(BuildOctreePalette(image).size(), 256u);
}

TEST(OctreeQuantizer, ARampOfManyColoursFitsIn256) {
    const Image image = Filled(400, 250, [](int x, int row) {
        const uint32_t n = uint32_t(row) * 400 + uint32_t(x);  // 100,000 distinct colours
        return ((n * 167) & 0xFF) << 16 | ((n >> 4) & 0xFF) << 8 | ((n >> 9) & 0xFF);
    });
    const std::vector<PaletteEntry> palette = BuildOctreePalette(image);
    EXPECT_LE(palette.size(), 256u);
    EXPECT_GE(palette.size(), 64u);
}

TEST(ColourReduction, VisitsTheBottomRowOfThePictureFirst) {
    // Two rows of mid grey with black and white to choose from: the row reduced first rounds
    // its first pixel up to white and pushes the error into the row after it.
    Image image = Filled(1, 2, [](int, int) { return 0x808080u; });
    const std::vector<PaletteEntry> palette = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    ASSERT_TRUE(DecreaseBpp(image, palette));
    EXPECT_EQ(image.bpp, 8);
    EXPECT_EQ(image.GetIndex(0, 0), 1);  // image row 0: the bottom of the picture
    EXPECT_EQ(image.GetIndex(0, 1), 0);  // 128 - 127 * 4 / 16 = 97: black
}

TEST(ColourReduction, ErrorWeightsAreSevenTwoFourOneOverSixteen) {
    // One dark pixel among light ones that match the palette exactly; only the pixels that
    // receive its error may change.
    Image image = Filled(3, 2, [](int x, int row) { return (x == 1 && row == 0) ? 0x101010u : 0xF0F0F0u; });
    const std::vector<PaletteEntry> palette = {{0, 0, 0, 255}, {0xF0, 0xF0, 0xF0, 255}, {0xD0, 0xD0, 0xD0, 255}};
    ASSERT_TRUE(DecreaseBpp(image, palette));
    EXPECT_EQ(image.GetIndex(1, 0), 0);  // 0x10 -> black, error +16
    EXPECT_EQ(image.GetIndex(2, 0), 1);  // 0xF0 + 7: still nearest 0xF0
    EXPECT_EQ(image.GetIndex(0, 1), 1);
}

TEST(ColourReduction, FastSearchMatchesThePlainSearchBitForBit) {
    std::mt19937 rng(42);
    for (int round = 0; round < 6; ++round) {
        const int w = 37 + round * 50, h = 23 + round * 31;
        Image a = Filled(w, h, [&](int, int) { return rng() & 0xFFFFFFu; });
        Image b = a;
        std::vector<PaletteEntry> palette;
        const int size = round == 0 ? 1 : 2 + int(rng() % 255);
        for (int i = 0; i < size; ++i) {
            // Repeated entries check that ties go to the lowest index.
            const uint32_t c = (i % 5 == 4 && i > 0) ? 0 : rng();
            palette.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
            if (i % 5 == 4) palette.back() = palette[size_t(i - 1)];
        }
        ASSERT_TRUE(DecreaseBpp(a, palette));
        ASSERT_TRUE(DecreaseBppReference(b, palette));
        EXPECT_EQ(a.indices, b.indices) << "round " << round;
    }
    // Large enough to take the colour cache.
    Image big = Filled(400, 300, [&](int x, int row) { return uint32_t((x * 3) ^ (row * 5)) * 0x10101u; });
    Image plain = big;
    const std::vector<PaletteEntry> palette = BuildOctreePalette(big);
    ASSERT_TRUE(DecreaseBpp(big, palette));
    ASSERT_TRUE(DecreaseBppReference(plain, palette));
    EXPECT_EQ(big.indices, plain.indices);
}

TEST(ColourReduction, RefusesAnEmptyPalette) {
    Image image = Filled(2, 2, [](int, int) { return 0u; });
    EXPECT_FALSE(DecreaseBpp(image, {}));
}

}  // namespace
}  // namespace qv
