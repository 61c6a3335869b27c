#include "document/bar_mappings.h"

namespace qv {

int SliderValue(float fraction, int min, int max) {
    return min + static_cast<int>(fraction * static_cast<float>(max - min));
}

float SliderFraction(float value, float min, float max) {
    if (max <= min) return 0.0f;
    const float v = value < min ? min : (value > max ? max : value);
    return (v - min) / (max - min);
}

float AspectFromSlider(float f) {
    const float v = f < 0.5f ? f + 0.5f : 2.0f * f;
    return static_cast<float>(static_cast<int>(v * 10.0f)) * 0.1f;
}

float SliderFromAspect(float a) { return a >= 1.0f ? a * 0.5f : a - 0.5f; }

ImageRotation ImageRotationFromSlider(float f) { return {f, f != 0.0f ? 1 : 0}; }

}  // namespace qv
