#include "render/gradient.h"

#include <algorithm>
#include <cstdlib>

#include "document/colour_model.h"
#include "render/pixel_buffer.h"

namespace qv {

namespace {

DitherTape*& ActiveTape() {
    static DitherTape* tape = nullptr;
    return tape;
}

int DrawRand15() {
    return static_cast<int>(static_cast<long long>(std::rand()) * 32768 / (RAND_MAX + 1LL));
}

}  // namespace

DitherTape::DitherTape(Mode mode) : mode_(mode), previous_(ActiveTape()) { ActiveTape() = this; }

DitherTape::~DitherTape() { ActiveTape() = previous_; }

void DitherTape::Replay() {
    mode_ = Mode::kReplay;
    position_ = 0;
}

int DitherTape::Next() {
    if (mode_ == Mode::kRecord) {
        values_.push_back(DrawRand15());
        return values_.back();
    }
    // A replay that runs past the recording (it never should) falls back to fresh values.
    return position_ < values_.size() ? values_[position_++] : DrawRand15();
}

int Rand15() { return ActiveTape() ? ActiveTape()->Next() : DrawRand15(); }

GradientWeights GradientWeightsFor(int angle) {
    // The bar offers 0..360; a stored angle outside it (a damaged file) is read modulo a turn
    // so the weights stay within 0..9000.
    if (angle < 0 || angle > 360) angle = ((angle % 360) + 360) % 360;
    const int q = angle / 90;
    const uint32_t a = static_cast<uint32_t>(angle);
    switch (q) {
        case 0:
            return {9000 - 100 * a, 100 * a, false, false};
        case 1:
            return {100 * (a - 90), 9000 - 100 * (a - 90), true, false};
        case 2:
            return {9000 - 100 * (a - 180), 100 * (a - 180), true, true};
        default:
            return {100 * (a - 270), 9000 - 100 * (a - 270), false, true};
    }
}

uint32_t GradientColour2Weight(const GradientWeights& g, int i, int j, int szx, int szy) {
    const uint32_t xx = static_cast<uint32_t>(g.mirror_x ? szx - j : j);
    const uint32_t yy = static_cast<uint32_t>(g.mirror_y ? szy - i : i);
    return xx * g.wx / static_cast<uint32_t>(szx) + yy * g.wy / static_cast<uint32_t>(szy);
}

void DrawGradient(const ObjStyle& lt, const RasterPlacement& r, uint32_t* dta, int dw, int dh) {
    if (r.szx <= 0 || r.szy <= 0) return;
    const Rgb8 c1 = ToBytesUnclamped(HlsToRgb(lt.grad_color1));
    const Rgb8 c2 = ToBytesUnclamped(HlsToRgb(lt.grad_color2));
    const uint32_t o1 = OpacityByte(lt.grad_opacity1);
    const uint32_t o2 = OpacityByte(lt.grad_opacity2);
    const GradientWeights g = GradientWeightsFor(lt.grad_angle);
    constexpr uint32_t kFull = 2295000;  // 9000 * 255

    const int first_row = std::max(0, -r.y0);
    const int last_row = std::min(r.szy, dh - r.y0);
    const int first_col = std::max(0, -r.x0);
    const int last_col = std::min(r.szx, dw - r.x0);
    for (int i = first_row; i < last_row; ++i) {
        const uint8_t* cov = r.coverage + size_t(i) * size_t(r.szx);
        uint32_t* d = dta + size_t(r.y0 + i) * size_t(dw) + r.x0;
        for (int j = first_col; j < last_col; ++j) {
            const uint32_t a = cov[j];
            if (a == 0) continue;
            const uint32_t dither = static_cast<uint32_t>(Rand15() * 7 / 32767);
            const uint32_t t2 = GradientColour2Weight(g, i, j, r.szx, r.szy);
            const uint32_t t1 = 9000 - t2;
            const uint32_t x = (t2 * o2 + t1 * o1) * a / 255;
            const uint32_t n = x / 9000;
            const uint32_t dest = d[j];
            auto channel = [&](uint32_t k1, uint32_t k2, uint32_t b) {
                const uint32_t v = dither + ((t1 * k1 + t2 * k2) * n + b * (kFull - x)) / kFull;
                return v > 255 ? 255u : v;
            };
            d[j] = RGB_MAKE(channel(c1.r, c2.r, RedOf(dest)), channel(c1.g, c2.g, GreenOf(dest)),
                            channel(c1.b, c2.b, BlueOf(dest)));
        }
    }
}

}  // namespace qv
