#include "output/favicon.h"

namespace qv {

bool CopyFrontmostShape(const LeFile& logo, LeFile& out) {
    int shape = -1;
    for (int n = 0; n < logo.objs; ++n) {
        if (logo.obj[n] && logo.obj[n]->type == LogoObj::kShape) shape = n;
    }
    if (shape < 0) return false;
    out.CopyFrom(logo);
    // Back to front, so that the indices still to visit keep their objects.
    for (int n = out.objs - 1; n >= 0; --n) {
        if (n == shape) continue;
        out.SetCurObj(n);
        out.DeleteCur();
    }
    return out.objs == 1;
}

bool ReduceByArea(const PixelBuffer& big, int factor, Image& out) {
    if (factor < 1 || big.empty() || big.width() % factor != 0 || big.height() % factor != 0) return false;
    const int w = big.width() / factor, h = big.height() / factor;
    if (!out.Create24(w, h)) return false;
    out.has_alpha = true;
    const uint64_t area = uint64_t(factor) * uint64_t(factor);
    for (int y = 0; y < h; ++y) {
        uint32_t* dst = out.Row(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const uint32_t p = big.at(x * factor + dx, y * factor + dy);
                    const uint32_t pa = p >> 24;
                    a += pa;
                    r += pa * ((p >> 16) & 0xFF);
                    g += pa * ((p >> 8) & 0xFF);
                    b += pa * (p & 0xFF);
                }
            }
            if (a == 0) {
                dst[x] = 0;
                continue;
            }
            dst[x] = MakeArgb(uint8_t((r + a / 2) / a), uint8_t((g + a / 2) / a), uint8_t((b + a / 2) / a),
                              uint8_t((a + area / 2) / area));
        }
    }
    return true;
}

}  // namespace qv
