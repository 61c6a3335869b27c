#include "render/effects.h"

#include <algorithm>
#include <cmath>

#include "document/colour_model.h"
#include "render/pixel_buffer.h"

namespace qv {
namespace {

// The rows and columns of a raster moved by (dx, dy) that fall inside the destination; empty
// ranges when none do. Clipping this way equals testing every pixel.
struct Span {
    int first;
    int last;  // exclusive
};

Span Inside(int origin, int length, int limit) {
    return {std::max(0, -origin), std::min(length, limit - origin)};
}

}  // namespace

uint32_t OpacityByte(float opacity) {
    // Bars store 0..1; anything else (a damaged file) is held to the byte range.
    if (!(opacity > 0.0f)) return 0;
    if (opacity >= 1.0f) return 255;
    return static_cast<uint32_t>(static_cast<int>(opacity * 255.0f));
}

int BlurPassCount(float render_scale, int strength) {
    return 1 - static_cast<int>((render_scale + 1.0) * strength * (-0.5));
}

void BuildOutlineCurve(float sharpness, int curve[256]) {
    const double t = std::exp(5.0f * sharpness);
    const double denominator = std::log(1.0 + t);
    for (int i = 0; i < 256; ++i) {
        double v = 510.0 * std::log(1.0 + t * i * 0.003921569f) / denominator;
        if (v > 255.0) v = 255.0;
        curve[i] = static_cast<int>(v);
    }
}

ShadowOffset ShadowOffsetFor(float render_scale, int distance, int angle) {
    const double d = (render_scale + 1.0) * distance * 0.5;
    const float a = static_cast<float>(angle) * 0.0027777778f * 6.2831855f;
    // The angle is single precision, its sine and cosine double: a shadow at 90 degrees and
    // distance 10 moves 9 pixels, not 10.
    const double radians = a;
    return {static_cast<int>(d * std::cos(radians)), static_cast<int>(d * std::sin(radians))};
}

void DrawShadow(const ObjStyle& lt, const RasterPlacement& r, float render_scale, uint32_t* dta,
                int dw, int dh) {
    if (!r.mask) return;
    const Rgb8 c = ToBytesClamped(HlsToRgb(lt.shadow_color));
    const uint32_t opacity = OpacityByte(lt.shadow_opacity);
    const ShadowOffset off = ShadowOffsetFor(render_scale, lt.shadow_distance, lt.shadow_angle);
    const int x0 = r.x0 + off.dx;
    const int y0 = r.y0 + off.dy;
    const Span rows = Inside(y0, r.szy, dh);
    const Span cols = Inside(x0, r.szx, dw);
    for (int i = rows.first; i < rows.last; ++i) {
        const uint8_t* m = r.mask + size_t(i) * size_t(r.szx);
        uint32_t* d = dta + size_t(y0 + i) * size_t(dw) + x0;
        for (int j = cols.first; j < cols.last; ++j) {
            if (m[j] == 0) continue;
            const uint32_t weight = m[j] * opacity / 255;
            d[j] = Blend(d[j], c.r, c.g, c.b, weight);
        }
    }
}

void DrawSolidFill(const ObjStyle& lt, const RasterPlacement& r, uint32_t* dta, int dw, int dh) {
    const Rgb8 c = ToBytesClamped(HlsToRgb(lt.color));
    const Span rows = Inside(r.y0, r.szy, dh);
    const Span cols = Inside(r.x0, r.szx, dw);
    for (int i = rows.first; i < rows.last; ++i) {
        const uint8_t* cov = r.coverage + size_t(i) * size_t(r.szx);
        uint32_t* d = dta + size_t(r.y0 + i) * size_t(dw) + r.x0;
        for (int j = cols.first; j < cols.last; ++j) {
            if (cov[j] == 0) continue;
            d[j] = Blend(d[j], c.r, c.g, c.b, cov[j]);
        }
    }
}

void DrawOutline(const ObjStyle& lt, const RasterPlacement& r, const int curve[256], uint32_t* dta,
                 int dw, int dh) {
    if (!r.mask) return;
    const Rgb8 c = ToBytesClamped(HlsToRgb(lt.outline_color));
    const uint32_t opacity = OpacityByte(lt.outline_opacity);
    const Span rows = Inside(r.y0, r.szy, dh);
    const Span cols = Inside(r.x0, r.szx, dw);
    for (int i = rows.first; i < rows.last; ++i) {
        const uint8_t* cov = r.coverage + size_t(i) * size_t(r.szx);
        const uint8_t* m = r.mask + size_t(i) * size_t(r.szx);
        uint32_t* d = dta + size_t(r.y0 + i) * size_t(dw) + r.x0;
        for (int j = cols.first; j < cols.last; ++j) {
            if (cov[j] == 255 || m[j] == 0) continue;
            const uint32_t weight =
                static_cast<uint32_t>(curve[m[j]]) * (255u - cov[j]) * opacity / 65025u;
            d[j] = Blend(d[j], c.r, c.g, c.b, weight);
        }
    }
}

}  // namespace qv
