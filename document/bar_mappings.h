#pragma once

namespace qv {

// How the option bars turn control positions into stored values and back. A slider position
// is a fraction 0..1 of its own range.

// The value a slider shows: min + f * (max - min), truncated.
int SliderValue(float fraction, int min, int max);
// Where a stored value sits on a slider: the value clamped to the range, as a fraction.
float SliderFraction(float value, float min, float max);

// The aspect-ratio slider is piecewise so that its middle is 1.0: the left half covers
// 0.5..1.0 and the right half 1.0..2.0, in steps of 0.1.
float AspectFromSlider(float fraction);
float SliderFromAspect(float aspect);

// The Image bar's rotation slider also switches the transform on or off.
struct ImageRotation {
    float rotation;
    int transform;
};
ImageRotation ImageRotationFromSlider(float fraction);

}  // namespace qv
