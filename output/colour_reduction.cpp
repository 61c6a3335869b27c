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

// Exact nearest entries through a grid of 32 x 32 x 32 cells. For each cell, built when a
// colour first falls into it, the candidates are the entries that can be nearest to some
// colour of the cell: those whose distance to the cell's box is no more than the smallest
// farthest distance of any entry to it. Every nearest (and every tied) entry is among them, and
// scanning them in index order settles ties as the linear search does.
class CellSearch {
public:
    explicit CellSearch(const std::vector<PaletteEntry>& palette)
        : palette_(palette), first_(kCells, -1), count_(kCells, 0) {}

    int Find(int r, int g, int b) {
        const int cell = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        if (first_[size_t(cell)] < 0) Build(cell);
        const int* c = candidates_.data() + first_[size_t(cell)];
        int best = c[0];
        int best_distance = Distance(r, g, b, palette_[size_t(best)]);
        for (int k = 1; k < count_[size_t(cell)] && best_distance != 0; ++k) {
            const int d = Distance(r, g, b, palette_[size_t(c[k])]);
            if (d < best_distance) {
                best_distance = d;
                best = c[k];
            }
        }
        return best;
    }

private:
    static constexpr size_t kCells = 32 * 32 * 32;

    // Squared distance from v to the range lo..hi, and to its far end.
    static int Near(int v, int lo, int hi) { return v < lo ? (lo - v) * (lo - v) : v > hi ? (v - hi) * (v - hi) : 0; }
    static int Far(int v, int lo, int hi) { return std::max((v - lo) * (v - lo), (hi - v) * (hi - v)); }

    void Build(int cell) {
        const int r0 = (cell >> 10) << 3, g0 = ((cell >> 5) & 31) << 3, b0 = (cell & 31) << 3;
        int limit = 1 << 30;
        for (const PaletteEntry& e : palette_) {
            limit = std::min(limit, Far(e.r, r0, r0 + 7) + Far(e.g, g0, g0 + 7) + Far(e.b, b0, b0 + 7));
        }
        first_[size_t(cell)] = static_cast<int>(candidates_.size());
        for (size_t i = 0; i < palette_.size(); ++i) {
            const PaletteEntry& e = palette_[i];
            if (Near(e.r, r0, r0 + 7) + Near(e.g, g0, g0 + 7) + Near(e.b, b0, b0 + 7) <= limit) {
                candidates_.push_back(static_cast<int>(i));
            }
        }
        count_[size_t(cell)] = static_cast<int>(candidates_.size()) - first_[size_t(cell)];
    }

    const std::vector<PaletteEntry>& palette_;
    std::vector<int> first_;
    std::vector<int> count_;
    std::vector<int> candidates_;
};

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Error diffusion reaches only the next pixel of the row and three pixels of the next row, so
// two rows of working colours are all it needs; the additions and their clamps happen in the
// same order as over the whole picture.
template <class Nearest>
bool Reduce(Image& image, const std::vector<PaletteEntry>& palette, Nearest&& nearest) {
    if (!image.IsValid() || palette.empty() || palette.size() > 256) return false;
    const int w = image.width;
    const int h = image.height;
    std::vector<int> cur(size_t(w) * 3), ahead(size_t(w) * 3);
    auto load = [&](std::vector<int>& dst, int row) {
        const uint32_t* src = image.Row(row);
        for (int x = 0; x < w; ++x) {
            dst[size_t(x) * 3] = ArgbR(src[x]);
            dst[size_t(x) * 3 + 1] = ArgbG(src[x]);
            dst[size_t(x) * 3 + 2] = ArgbB(src[x]);
        }
    };
    if (!image.CreateIndices()) return false;
    load(cur, 0);
    for (int row = 0; row < h; ++row) {
        const bool has_next = row + 1 < h;
        if (has_next) load(ahead, row + 1);
        uint8_t* out = image.IndexRow(row);
        for (int x = 0; x < w; ++x) {
            int* c = &cur[size_t(x) * 3];
            const int index = nearest(c[0], c[1], c[2]);
            out[x] = static_cast<uint8_t>(index);
            const PaletteEntry& e = palette[size_t(index)];
            const int error[3] = {c[0] - e.r, c[1] - e.g, c[2] - e.b};
            for (int k = 0; k < 3; ++k) {
                if (x + 1 < w) c[3 + k] = Clamp255(c[3 + k] + error[k] * 7 / 16);
                if (!has_next) continue;
                int* n = &ahead[size_t(x) * 3 + size_t(k)];
                if (x > 0) n[-3] = Clamp255(n[-3] + error[k] * 2 / 16);
                n[0] = Clamp255(n[0] + error[k] * 4 / 16);
                if (x + 1 < w) n[3] = Clamp255(n[3] + error[k] * 1 / 16);
            }
        }
        cur.swap(ahead);
    }
    StorePalette(image, palette);
    return true;
}

}  // namespace

void StorePalette(Image& image, const std::vector<PaletteEntry>& palette) {
    image.palette = {};
    for (size_t i = 0; i < palette.size() && i < image.palette.size(); ++i) image.palette[i] = palette[i];
    image.palette_size = static_cast<int>(std::min<size_t>(palette.size(), image.palette.size()));
    image.bpp = 8;
}

bool DecreaseBpp(Image& image, const std::vector<PaletteEntry>& palette) {
    if (palette.empty() || palette.size() > 256) return false;
    CellSearch search(palette);
    return Reduce(image, palette, [&](int r, int g, int b) { return search.Find(r, g, b); });
}

bool DecreaseBppReference(Image& image, const std::vector<PaletteEntry>& palette) {
    if (!image.IsValid() || palette.empty() || palette.size() > 256) return false;
    const int w = image.width, h = image.height;
    std::vector<int> c(size_t(w) * size_t(h) * 3);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
        c[i * 3] = ArgbR(image.pixels[i]);
        c[i * 3 + 1] = ArgbG(image.pixels[i]);
        c[i * 3 + 2] = ArgbB(image.pixels[i]);
    }
    if (!image.CreateIndices()) return false;
    auto add = [&](int x, int row, int weight, const int* error) {
        if (x < 0 || x >= w || row >= h) return;
        int* p = &c[(size_t(row) * size_t(w) + size_t(x)) * 3];
        for (int k = 0; k < 3; ++k) p[k] = Clamp255(p[k] + error[k] * weight / 16);
    };
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) {
            const int* p = &c[(size_t(row) * size_t(w) + size_t(x)) * 3];
            const int index = NearestLinear(p[0], p[1], p[2], palette);
            image.IndexRow(row)[x] = static_cast<uint8_t>(index);
            const PaletteEntry& e = palette[size_t(index)];
            const int error[3] = {p[0] - e.r, p[1] - e.g, p[2] - e.b};
            add(x + 1, row, 7, error);
            add(x - 1, row + 1, 2, error);
            add(x, row + 1, 4, error);
            add(x + 1, row + 1, 1, error);
        }
    }
    StorePalette(image, palette);
    return true;
}

}  // namespace qv
