#pragma once

#include <cstdint>

namespace qv {

// A stored colour: hue, saturation and lightness on the 0..240 scale (hue 0..239). Values
// outside the ranges are kept as they are and clamped only when converted.
struct Hls {
    float h = 0.0f;
    float s = 0.0f;
    float l = 0.0f;
    bool operator==(const Hls&) const = default;
};

// Colour fractions, nominally 0..1.
struct RgbF {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

struct Rgb8 {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb8&) const = default;
};

// All arithmetic is single precision with the constants as written; results depend on it.
RgbF HlsToRgb(const Hls& colour);

// 255 above 1, 0 below 0, else trunc(f * 255). For fills, outline, shadow and background.
Rgb8 ToBytesClamped(const RgbF& colour);
// trunc(f * 255) without clamping, as the gradient takes its two colours.
Rgb8 ToBytesUnclamped(const RgbF& colour);

// The clamped bytes packed as 0x00RRGGBB.
uint32_t HlsToPacked(const Hls& colour);

// Red, green and blue as 0..255 (clamped) to a stored colour.
Hls RgbToHls(float r, float g, float b);

// True when black would hardly show on the colour: its perceived brightness
// (0.299 R + 0.587 G + 0.114 B, Rec. 601 weights) is below half.
bool IsDarkColour(const Hls& colour);

}  // namespace qv
