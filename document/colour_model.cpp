#include "document/colour_model.h"

#include <cmath>

namespace qv {
namespace {

constexpr float kOneOver240 = 0.004166667f;
constexpr float kOneOver60 = 0.016666668f;

float Channel(float m1, float m2, float x) {
    if (x > 360.0f) {
        x = x - 360.0f;
    } else if (x < 0.0f) {
        x = x + 360.0f;
    }
    if (x < 60.0f) return m1 + (m2 - m1) * x * kOneOver60;
    if (x < 180.0f) return m2;
    if (x < 240.0f) return m1 + (m2 - m1) * (240.0f - x) * kOneOver60;
    return m1;
}

// A NaN (only a damaged file holds one) counts as the low end, so no conversion below ever
// turns a NaN into an integer.
float Clamp(float v, float lo, float hi) { return !(v >= lo) ? lo : (v >= hi ? hi : v); }

uint8_t ClampedByte(float f) {
    if (f > 1.0f) return 255;
    if (f < 0.0f) return 0;
    return static_cast<uint8_t>(static_cast<int>(f * 255.0f));
}

uint8_t UnclampedByte(float f) { return static_cast<uint8_t>(static_cast<int>(f * 255.0f)); }

}  // namespace

RgbF HlsToRgb(const Hls& colour) {
    const float hue = Clamp(colour.h, 0.0f, 239.0f);
    const float sat = Clamp(colour.s, 0.0f, 240.0f);
    const float lum = Clamp(colour.l, 0.0f, 240.0f);
    const float h = hue * 1.5f;
    const float s = sat * kOneOver240;
    const float l = lum * kOneOver240;
    if (std::fabs(s) <= 0.0001f) return {l, l, l};
    const float m2 = lum > 120.0f ? l + s - l * s : l * (1.0f + s);
    const float m1 = 2.0f * l - m2;
    return {Channel(m1, m2, h + 120.0f), Channel(m1, m2, h), Channel(m1, m2, h - 120.0f)};
}

Rgb8 ToBytesClamped(const RgbF& c) { return {ClampedByte(c.r), ClampedByte(c.g), ClampedByte(c.b)}; }

Rgb8 ToBytesUnclamped(const RgbF& c) {
    return {UnclampedByte(c.r), UnclampedByte(c.g), UnclampedByte(c.b)};
}

uint32_t HlsToPacked(const Hls& colour) {
    const Rgb8 c = ToBytesClamped(HlsToRgb(colour));
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
}

Hls RgbToHls(float r, float g, float b) {
    r = r < 0.0f ? 0.0f : (r > 255.0f ? 255.0f : r);
    g = g < 0.0f ? 0.0f : (g > 255.0f ? 255.0f : g);
    b = b < 0.0f ? 0.0f : (b > 255.0f ? 255.0f : b);
    const float max = std::fmax(r, std::fmax(g, b));
    const float min = std::fmin(r, std::fmin(g, b));
    const float sum = max + min;
    Hls out;
    out.l = sum * 0.47058824f;
    const float diff = max - min;
    if (std::fabs(diff) < 0.1f) {
        out.h = 160.0f;
        out.s = 0.0f;
        return out;
    }
    const float d = sum <= 255.0f ? sum : 510.0f - sum;
    out.s = diff / d * 240.0f;
    float h;
    if (r == max) {
        h = (g - b) / diff * 40.0f;
    } else if (g == max) {
        h = ((b - r) / diff + 2.0f) * 40.0f;
    } else {
        h = ((r - g) / diff + 4.0f) * 40.0f;
    }
    if (h < 0.0f) h = h + 240.0f;
    out.h = h;
    return out;
}

bool IsDarkColour(const Hls& colour) {
    const Rgb8 c = ToBytesClamped(HlsToRgb(colour));
    return 299 * c.r + 587 * c.g + 114 * c.b < 1000 * 128;
}

}  // namespace qv
