#include "render/blur.h"

#include <algorithm>
#include <barrier>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

namespace qv {

namespace {

// The inner loops get their own functions so that the pointers can be declared free of
// aliasing, which is what lets the compiler vectorise them.
void RowInterior(const uint8_t* __restrict src, uint16_t* __restrict dst, int first, int last) {
    for (int j = first; j < last; ++j) {
        dst[j] = uint16_t(src[j - 2] + 4 * src[j - 1] + 6 * src[j] + 4 * src[j + 1] + src[j + 2]);
    }
}

void ColumnSums(const uint16_t* __restrict r0, const uint16_t* __restrict r1,
                const uint16_t* __restrict r2, const uint16_t* __restrict r3,
                const uint16_t* __restrict r4, uint8_t* __restrict dst, size_t w) {
    for (size_t j = 0; j < w; ++j) {
        const uint16_t sum = uint16_t(r0[j] + 4 * r1[j] + 6 * r2[j] + 4 * r3[j] + r4[j]);
        dst[j] = uint8_t(sum >> 8);
    }
}

}  // namespace

// The pass is separable and exact in integers: a row pass of [1 4 6 4 1] gives at most
// 16 * 255 = 4080, and the column pass of those at most 65280, so everything fits in 16 bits and
// the inner loops are plain element-wise arithmetic the compiler vectorises. Row sums are kept
// for only the five rows the column pass needs, so the working set stays in cache.
void BinomialBlurRows(const uint8_t* in, uint8_t* out, int width, int height, int first_row,
                      int last_row, std::vector<uint16_t>& scratch) {
    first_row = std::max(first_row, 0);
    last_row = std::min(last_row, height);
    if (width <= 0 || first_row >= last_row) return;
    const size_t w = static_cast<size_t>(width);
    scratch.assign(w * 6, 0);
    uint16_t* ring = scratch.data();
    const uint16_t* zero = scratch.data() + 5 * w;  // the padding rows above and below

    auto row_sums = [&](int k) {
        const uint8_t* src = in + size_t(k) * w;
        uint16_t* dst = ring + size_t(k % 5) * w;
        auto at = [&](int j) -> uint16_t { return (j >= 0 && j < width) ? src[j] : 0; };
        const int edge = std::min(2, width);
        for (int j = 0; j < edge; ++j) {
            dst[j] = uint16_t(at(j - 2) + 4 * at(j - 1) + 6 * at(j) + 4 * at(j + 1) + at(j + 2));
        }
        RowInterior(src, dst, 2, width - 2);
        for (int j = std::max(edge, width - 2); j < width; ++j) {
            dst[j] = uint16_t(at(j - 2) + 4 * at(j - 1) + 6 * at(j) + 4 * at(j + 1) + at(j + 2));
        }
    };
    auto sums_of = [&](int k) -> const uint16_t* {
        return (k < 0 || k >= height) ? zero : ring + size_t(k % 5) * w;
    };

    // The two rows above the band and the first two of it.
    for (int k = std::max(0, first_row - 2); k < std::min(first_row + 2, height); ++k) row_sums(k);
    for (int i = first_row; i < last_row; ++i) {
        // Row i + 2 takes the slot of row i - 3, which no output row needs any more.
        if (i + 2 < height) row_sums(i + 2);
        ColumnSums(sums_of(i - 2), sums_of(i - 1), sums_of(i), sums_of(i + 1), sums_of(i + 2),
                   out + size_t(i) * w, w);
    }
}

void BinomialBlurPass(const uint8_t* in, uint8_t* out, int width, int height,
                      std::vector<uint16_t>& scratch) {
    if (height <= 0) return;
    BinomialBlurRows(in, out, width, height, 0, height, scratch);
}

namespace {

// `passes` passes between `a` and `b` over the whole of a width x height raster on this thread.
uint8_t* PassesHere(uint8_t* a, uint8_t* b, int width, int height, int passes) {
    std::vector<uint16_t> scratch;
    for (int pass = 0; pass < passes; ++pass) {
        BinomialBlurRows(a, b, width, height, 0, height, scratch);
        std::swap(a, b);
    }
    return a;
}

// Each half of the raster blurred on its own thread with 2 rows per pass of the other half
// beside it: a wrong row at a cut spoils only 2 more rows per pass, so after all passes the
// half itself is exact, and the threads never wait for each other. Worth it while the extra
// rows are few. False, with nothing changed, when no thread or memory is to be had.
bool PassesInTwoHalves(uint8_t* a, uint8_t* b, int width, int height, int passes, int split,
                       const uint8_t*& result) {
    const size_t w = static_cast<size_t>(width);
    const int context = 2 * passes;
    const int lower_first = std::max(0, split - context);
    const int upper_last = std::min(height, split + context);
    const size_t lower_size = size_t(height - lower_first) * w;
    std::unique_ptr<uint8_t[]> lower_a(new (std::nothrow) uint8_t[lower_size]);
    std::unique_ptr<uint8_t[]> lower_b(new (std::nothrow) uint8_t[lower_size]);
    if (!lower_a || !lower_b) return false;
    std::memcpy(lower_a.get(), a + size_t(lower_first) * w, lower_size);
    const uint8_t* lower = nullptr;
    std::thread helper;
    try {
        helper = std::thread([&] {
            lower = PassesHere(lower_a.get(), lower_b.get(), width, height - lower_first, passes);
        });
    } catch (const std::system_error&) {
        return false;
    }
    // The upper half in place; its rows from `split` on are replaced by the lower half's.
    uint8_t* upper = PassesHere(a, b, width, upper_last, passes);
    helper.join();
    std::memcpy(upper + size_t(split) * w, lower + size_t(split - lower_first) * w,
                size_t(height - split) * w);
    result = upper;
    return true;
}

// Both halves over the shared rasters, waiting for each other after every pass, since each
// reads the other's rows of the previous one. For many passes, where the halves' own context
// would cost more than the waiting.
bool PassesInLockstep(uint8_t* a, uint8_t* b, int width, int height, int passes, int split) {
    const auto run_band = [=](int first_row, int last_row, std::barrier<>& between) {
        std::vector<uint16_t> scratch;
        uint8_t* from = a;
        uint8_t* to = b;
        for (int pass = 0; pass < passes; ++pass) {
            BinomialBlurRows(from, to, width, height, first_row, last_row, scratch);
            between.arrive_and_wait();
            std::swap(from, to);
        }
    };
    std::barrier<> between(2);
    std::thread helper;
    try {
        helper = std::thread(run_band, split, height, std::ref(between));
    } catch (const std::system_error&) {
        return false;
    }
    run_band(0, split, between);
    helper.join();
    return true;
}

}  // namespace

const uint8_t* BinomialBlurPasses(uint8_t* a, uint8_t* b, int width, int height, int passes,
                                  int threads) {
    if (width <= 0 || height <= 0 || passes <= 0) return a;
    const uint8_t* even_or_odd = passes % 2 == 0 ? a : b;
    const int split = height / 2;
    if (threads >= 2 && split > 0) {
        const uint8_t* result = nullptr;
        // Up to a quarter more rows per half is cheaper than waiting at every pass.
        if (2 * passes <= split / 4 && PassesInTwoHalves(a, b, width, height, passes, split, result)) {
            return result;
        }
        if (PassesInLockstep(a, b, width, height, passes, split)) return even_or_odd;
    }
    return PassesHere(a, b, width, height, passes);
}

void BinomialBlurPassReference(const uint8_t* in, uint8_t* out, int width, int height) {
    static const int kTaps[5] = {1, 4, 6, 4, 1};
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            int sum = 0;
            for (int di = -2; di <= 2; ++di) {
                for (int dj = -2; dj <= 2; ++dj) {
                    const int y = i + di;
                    const int x = j + dj;
                    if (y < 0 || y >= height || x < 0 || x >= width) continue;
                    sum += kTaps[di + 2] * kTaps[dj + 2] * in[size_t(y) * size_t(width) + size_t(x)];
                }
            }
            out[size_t(i) * size_t(width) + size_t(j)] = static_cast<uint8_t>(sum >> 8);
        }
    }
}

void StretchContrast(uint8_t* data, size_t count) {
    if (count == 0) return;
    const auto [lo, hi] = std::minmax_element(data, data + count);
    const int min = *lo;
    const int max = *hi;
    if (max - min <= 0) return;
    // One division per value, not per pixel.
    uint8_t table[256];
    for (int v = 0; v < 256; ++v) table[v] = uint8_t(v < min ? 0 : (v - min) * 255 / (max - min));
    for (size_t i = 0; i < count; ++i) data[i] = table[data[i]];
}

}  // namespace qv
