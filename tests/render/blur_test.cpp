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
