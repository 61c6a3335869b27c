#include "output/colour_reduction.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace qv {
namespace {

int Distance(int r, int g, int b, const PaletteEntry& e) {
    const int dr = r - e.r, dg = g - e.g, db = b - e.b;
    return dr * dr + dg * dg + db * db;
}

int NearestLinear(int r, int g, int b, const std::vector<PaletteEntry>& palette) {
    int best = 0;
    int best_distance = Distance(r, g, b, palette[0]);
    for (size_t i = 1; i < palette.size() && best_distance != 0; ++i) {
        const int d = Distance(r, g, b, palette[i]);
        if (d < best_distance) {
            best_distance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// The palette sorted by red lets a search stop once the red difference alone is worse than the
// best distance found; ties are settled by index, so the answer is the linear search's.
class NearestSearch {
public:
    explicit NearestSearch(const std::vector<PaletteEntry>& palette) : palette_(palette) {
        for (size_t i = 0; i < palette.size(); ++i) order_.push_back(static_cast<int>(i));
        std::stable_sort(order_.begin(), order_.end(),
                         [&](int a, int b) { return palette[size_t(a)].r < palette[size_t(b)].r; });
        for (int i : order_) reds_.push_back(palette[size_t(i)].r);
    }

    int Find(int r, int g, int b) const {
        const auto start = std::lower_bound(reds_.begin(), reds_.end(), r) - reds_.begin();
        int best = -1;
        int best_distance = 1 << 30;
        auto consider = [&](long k) {
            const int index = order_[size_t(k)];
            const int d = Distance(r, g, b, palette_[size_t(index)]);
            if (d < best_distance || (d == best_distance && index < best)) {
                best_distance = d;
                best = index;
            }
        };
        const long n = static_cast<long>(order_.size());
        for (long up = start, down = start - 1; up < n || down >= 0;) {
            bool progressed = false;
            if (up < n) {
                const int dr = reds_[size_t(up)] - r;
                if (dr * dr <= best_distance) {
                    consider(up++);
                    progressed = true;
                } else {
                    up = n;
                }
            }
            if (down >= 0) {
                const int dr = r - reds_[size_t(down)];
                if (dr * dr <= best_distance) {
                    consider(down--);
                    progressed = true;
                } else {
                    down = -1;
                }
            }
            if (!progressed && up >= n && down < 0) break;
        }
        return best;
    }

private:
    const std::vector<PaletteEntry>& palette_;
    std::vector<int> order_;
    std::vector<int> reds_;
};

void Diffuse(int* channels, int width, int height, int x, int row, const int error[3]) {
    auto add = [&](int px, int prow, int weight) {
        if (px < 0 || px >= width || prow >= height) return;
        int* c = channels + (size_t(prow) * size_t(width) + size_t(px)) * 3;
        for (int k = 0; k < 3; ++k) c[k] = std::clamp(c[k] + error[k] * weight / 16, 0, 255);
    };
    add(x + 1, row, 7);
    add(x - 1, row + 1, 2);
    add(x, row + 1, 4);
    add(x + 1, row + 1, 1);
}

template <class Nearest>
bool Reduce(Image& image, const std::vector<PaletteEntry>& palette, Nearest&& nearest) {
    if (!image.IsValid() || palette.empty() || palette.size() > 256) return false;
    const size_t count = size_t(image.width) * size_t(image.height);
    std::unique_ptr<int[]> channels(new (std::nothrow) int[count * 3]);
    if (!channels) return false;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = image.pixels[i];
        channels[i * 3] = ArgbR(p);
        channels[i * 3 + 1] = ArgbG(p);
        channels[i * 3 + 2] = ArgbB(p);
    }
    if (!image.CreateIndices()) return false;
    for (int row = 0; row < image.height; ++row) {
        uint8_t* out = image.IndexRow(row);
        for (int x = 0; x < image.width; ++x) {
            const int* c = &channels[(size_t(row) * size_t(image.width) + size_t(x)) * 3];
            const int index = nearest(c[0], c[1], c[2]);
            out[x] = static_cast<uint8_t>(index);
            const PaletteEntry& e = palette[size_t(index)];
            const int error[3] = {c[0] - e.r, c[1] - e.g, c[2] - e.b};
            Diffuse(channels.get(), image.width, image.height, x, row, error);
        }
    }
    image.palette = {};
    for (size_t i = 0; i < palette.size(); ++i) image.palette[i] = palette[i];
    image.palette_size = static_cast<int>(palette.size());
    image.bpp = 8;
    return true;
}

}  // namespace

bool DecreaseBpp(Image& image, const std::vector<PaletteEntry>& palette) {
    if (palette.empty()) return false;
    const NearestSearch search(palette);
    // Remembering the answer per colour pays off on large pictures, where colours repeat.
    const bool cached = size_t(image.width) * size_t(image.height) > (1u << 16);
    std::unique_ptr<int16_t[]> cache;
    if (cached) {
        cache.reset(new (std::nothrow) int16_t[1u << 24]);
        if (cache) std::fill_n(cache.get(), 1u << 24, int16_t{-1});
    }
    return Reduce(image, palette, [&](int r, int g, int b) {
        if (!cache) return search.Find(r, g, b);
        int16_t& slot = cache[(uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b)];
        if (slot < 0) slot = static_cast<int16_t>(search.Find(r, g, b));
        return static_cast<int>(slot);
    });
}

bool DecreaseBppReference(Image& image, const std::vector<PaletteEntry>& palette) {
    return Reduce(image, palette, [&](int r, int g, int b) { return NearestLinear(r, g, b, palette); });
}

}  // namespace qv
