#include "output/transparent_export.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "output/colour_reduction.h"
#include "output/logo_export.h"
#include "output/octree_quantizer.h"
#include "render/gradient.h"

namespace qv {
namespace {

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Nearest palette entry over `channels` channels (3: colour, 4: colour and alpha), the lowest
// index winning ties, among entries [first, size). Answers are remembered per colour.
class Nearest {
public:
    Nearest(const std::vector<PaletteEntry>& palette, int first, int channels)
        : palette_(palette), first_(first), channels_(channels) {}

    int Find(const int* c) {
        const uint32_t key = (uint32_t(c[0]) << 24) | (uint32_t(c[1]) << 16) | (uint32_t(c[2]) << 8) |
                             (channels_ > 3 ? uint32_t(c[3]) : 0u);
        const auto hit = cache_.find(key);
        if (hit != cache_.end()) return hit->second;
        int best = first_;
        long best_distance = -1;
        for (size_t i = size_t(first_); i < palette_.size(); ++i) {
            const PaletteEntry& e = palette_[i];
            const long dr = c[0] - e.r, dg = c[1] - e.g, db = c[2] - e.b;
            long d = dr * dr + dg * dg + db * db;
            if (channels_ > 3) d += long(c[3] - e.a) * (c[3] - e.a);
            if (best_distance < 0 || d < best_distance) {
                best_distance = d;
                best = static_cast<int>(i);
                if (d == 0) break;
            }
        }
        cache_.emplace(key, best);
        return best;
    }

private:
    const std::vector<PaletteEntry>& palette_;
    int first_;
    int channels_;
    std::unordered_map<uint32_t, int> cache_;
};

}  // namespace

bool ExportWithAlpha(LeFile& lf, int w, int h, float scf, PixelBuffer& out) {
    PixelBuffer usual, black, white;
    if (!usual.Allocate(w, h) || !black.Allocate(w, h) || !white.Allocate(w, h) ||
        !out.Allocate(w, h)) {
        return false;
    }
    const Hls background = lf.bgc;
    {
        // The first rendering draws the dither the ordinary export would draw; the other two
        // replay it.
        DitherTape tape(DitherTape::Mode::kRecord);
        Export(lf, usual.data(), w, h, scf);
        tape.Replay();
        lf.bgc = {0, 0, 0};
        Export(lf, black.data(), w, h, scf);
        tape.Replay();
        lf.bgc = {0, 0, 240};
        Export(lf, white.data(), w, h, scf);
    }
    lf.bgc = background;
    const uint32_t b = HlsToPacked(background);
    const int bg[3] = {int(RedOf(b)), int(GreenOf(b)), int(BlueOf(b))};
    const size_t count = size_t(w) * size_t(h);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t k = black.data()[i], v = white.data()[i], u = usual.data()[i];
        const int over_black[3] = {int(RedOf(k)), int(GreenOf(k)), int(BlueOf(k))};
        const int over_white[3] = {int(RedOf(v)), int(GreenOf(v)), int(BlueOf(v))};
        const int over_bg[3] = {int(RedOf(u)), int(GreenOf(u)), int(BlueOf(u))};
        // What the two backgrounds let through is the coverage...
        int spread = 0;
        for (int c = 0; c < 3; ++c) spread = std::max(spread, over_white[c] - over_black[c]);
        int alpha = 255 - std::min(spread, 255);
        // ...but light the logo adds whatever its coverage (the gradient's dither) needs more
        // of it: enough that the colour over the document's background stays in 0..255.
        for (int c = 0; c < 3; ++c) {
            const int d = over_bg[c] - bg[c];
            if (d > 0 && bg[c] < 255) alpha = std::max(alpha, (d * 255 + 254 - bg[c]) / (255 - bg[c]));
            if (d < 0) alpha = std::max(alpha, (-d * 255 + bg[c] - 1) / bg[c]);
        }
        if (alpha == 0) {
            out.data()[i] = 0;
            continue;
        }
        // The colour that, at this coverage, gives exactly the ordinary export over the
        // document's background.
        uint32_t colour[3];
        for (int c = 0; c < 3; ++c) {
            const int numerator = over_bg[c] * 255 - bg[c] * (255 - alpha);
            colour[c] = uint32_t(Clamp255((numerator + alpha / 2) / alpha));
        }
        out.data()[i] = (uint32_t(alpha) << 24) | RGB_MAKE(colour[0], colour[1], colour[2]);
    }
    return true;
}

bool ReduceWithAlpha(Image& image, bool single_transparent_index) {
    if (!image.IsValid()) return false;
    const int w = image.width, h = image.height;
    auto transparent = [&](uint32_t p) {
        return single_transparent_index ? ArgbA(p) < 128 : ArgbA(p) == 0;
    };
    std::vector<uint32_t> visible;
    bool any_transparent = false;
    for (uint32_t p : image.pixels) {
        if (transparent(p)) {
            any_transparent = true;
        } else {
            visible.push_back(single_transparent_index ? (p | 0xFF000000u) : p);
        }
    }
    std::vector<PaletteEntry> palette;
    if (any_transparent) palette.push_back({0, 0, 0, 0});
    const int room = any_transparent ? 255 : 256;
    const std::vector<PaletteEntry> colours = single_transparent_index
                                                  ? BuildOctreePaletteRgb(visible, room)
                                                  : BuildOctreePaletteRgba(visible, room);
    palette.insert(palette.end(), colours.begin(), colours.end());
    if (palette.empty()) palette.push_back({0, 0, 0, 0});
    const int first_visible = any_transparent ? 1 : 0;
    const int channels = single_transparent_index ? 3 : 4;
    Nearest nearest(palette, first_visible, channels);

    // Error diffusion as for opaque pictures (bottom row first, 7, 2, 4 and 1 over 16), with
    // transparent pixels neither taking nor giving error.
    std::vector<int> c(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        c[i * 4] = ArgbR(p);
        c[i * 4 + 1] = ArgbG(p);
        c[i * 4 + 2] = ArgbB(p);
        c[i * 4 + 3] = single_transparent_index ? 255 : ArgbA(p);
    }
    if (!image.CreateIndices()) return false;
    auto is_transparent = [&](int x, int row) { return transparent(image.pixels[size_t(row) * size_t(w) + size_t(x)]); };
    auto add = [&](int x, int row, int weight, const int* error) {
        if (x < 0 || x >= w || row >= h || is_transparent(x, row)) return;
        int* p = &c[(size_t(row) * size_t(w) + size_t(x)) * 4];
        for (int k = 0; k < channels; ++k) p[k] = Clamp255(p[k] + error[k] * weight / 16);
    };
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) {
            if (is_transparent(x, row)) {
                image.IndexRow(row)[x] = 0;
                continue;
            }
            const int* p = &c[(size_t(row) * size_t(w) + size_t(x)) * 4];
            const int index = nearest.Find(p);
            image.IndexRow(row)[x] = static_cast<uint8_t>(index);
            const PaletteEntry& e = palette[size_t(index)];
            const int error[4] = {p[0] - e.r, p[1] - e.g, p[2] - e.b, p[3] - e.a};
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
