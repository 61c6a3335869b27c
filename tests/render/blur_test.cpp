#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/blur.h"

namespace qv {
namespace {

std::vector<uint8_t> RandomRaster(int w, int h, unsigned seed, bool sparse) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(size_t(w) * size_t(h));
    for (auto& b : v) {
        const unsigned r = rng();
        b = sparse ? ((r & 7) == 0 ? 255 : 0) : static_cast<uint8_t>(r);
    }
    return v;
}

TEST(BinomialBlur, SeparablePassMatchesTheDirectKernelBitForBit) {
    std::vector<uint16_t> scratch;
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 5}, {4, 4}, {5, 3}, {17, 9}, {64, 33}, {211, 97}};
    unsigned seed = 1;
    for (const auto& size : sizes) {
        for (bool sparse : {false, true}) {
            const int w = size[0], h = size[1];
            SCOPED_TRACE(testing::Message() << w << "x" << h << (sparse ? " sparse" : ""));
            const std::vector<uint8_t> in = RandomRaster(w, h, seed++, sparse);
            std::vector<uint8_t> fast(in.size(), 0xCD), plain(in.size(), 0xAB);
            BinomialBlurPass(in.data(), fast.data(), w, h, scratch);
            BinomialBlurPassReference(in.data(), plain.data(), w, h);
            EXPECT_EQ(fast, plain);
        }
    }
}

// Bands of rows, and the two-thread passes made of them, against one pass over the whole
// raster repeated: every size from a single row up, odd and even heights, few and many passes.
TEST(BinomialBlur, BandsAndThreadedPassesMatchTheSingleThreadedPassesBitForBit) {
    std::vector<uint16_t> scratch;
    const int sizes[][2] = {{1, 1}, {5, 1}, {1, 2}, {3, 3}, {2, 5}, {9, 4},  {13, 6},
                            {31, 7}, {64, 64}, {257, 129}, {1000, 3}, {3, 1000}, {733, 517}};
    unsigned seed = 100;
    for (const auto& size : sizes) {
        for (int passes : {1, 2, 3, 8, 21}) {
            const int w = size[0], h = size[1];
            SCOPED_TRACE(testing::Message() << w << "x" << h << ", " << passes << " passes");
            const std::vector<uint8_t> in = RandomRaster(w, h, seed++, passes % 2 == 0);

            std::vector<uint8_t> single = in, spare(in.size());
            for (int pass = 0; pass < passes; ++pass) {
                BinomialBlurPass(single.data(), spare.data(), w, h, scratch);
                single.swap(spare);
            }
            for (int threads : {1, 2}) {
                std::vector<uint8_t> a = in, b(in.size(), 0x5A);
                const uint8_t* result = BinomialBlurPasses(a.data(), b.data(), w, h, passes, threads);
                ASSERT_EQ(result, passes % 2 == 0 ? a.data() : b.data());
                EXPECT_EQ(std::vector<uint8_t>(result, result + in.size()), single) << threads << " threads";
            }
            // Three uneven bands of one pass make the whole pass.
            std::vector<uint8_t> whole(in.size()), banded(in.size(), 0x33);
            BinomialBlurPass(in.data(), whole.data(), w, h, scratch);
            const int cut1 = h / 3, cut2 = h - h / 4;
            BinomialBlurRows(in.data(), banded.data(), w, h, 0, cut1, scratch);
            BinomialBlurRows(in.data(), banded.data(), w, h, cut1, cut2, scratch);
            BinomialBlurRows(in.data(), banded.data(), w, h, cut2, h, scratch);
            EXPECT_EQ(banded, whole);
        }
    }
}

TEST(BinomialBlur, NoPassesLeaveTheInputWhereItIs) {
    std::vector<uint8_t> a = RandomRaster(8, 8, 7, false), b(a.size(), 0);
    const std::vector<uint8_t> before = a;
    EXPECT_EQ(BinomialBlurPasses(a.data(), b.data(), 8, 8, 0, 2), a.data());
    EXPECT_EQ(a, before);
    EXPECT_EQ(BinomialBlurPasses(a.data(), b.data(), 0, 8, 3, 2), a.data());
}

TEST(BinomialBlur, FullInteriorStaysFullAndEdgesLoseToZeroPadding) {
    std::vector<uint16_t> scratch;
    std::vector<uint8_t> in(10 * 10, 255), out(in.size());
    BinomialBlurPass(in.data(), out.data(), 10, 10, scratch);
    EXPECT_EQ(out[5 * 10 + 5], 255 * 256 >> 8);
    // A corner sees 9/16 of the rows' and columns' weight: (11 * 11) * 255 / 256.
    EXPECT_EQ(out[0], 121 * 255 / 256);
}

TEST(StretchContrast, MapsTheRangeToFullBytesAndLeavesFlatMasks) {
    std::vector<uint8_t> v = {10, 20, 110};
    StretchContrast(v.data(), v.size());
    EXPECT_EQ(v, (std::vector<uint8_t>{0, 25, 255}));
    std::vector<uint8_t> flat(8, 0);
    StretchContrast(flat.data(), flat.size());
    EXPECT_EQ(flat, std::vector<uint8_t>(8, 0));
}

}  // namespace
}  // namespace qv
