#pragma once

#include <cstdint>
#include <string>

#include "document/colour_model.h"

namespace qv {

// The facts about one object's effects mask that an SVG filter needs to rebuild it: the blur
// (passes of the engine's binomial blur, each of variance 1) and the lowest and highest value
// of the blurred coverage, which the contrast stretch maps to 0 and 255.
struct MaskStretch {
    int passes = 1;
    int lo = 0;
    int hi = 255;
};

// Blurs a copy of a coverage raster as the engine does and reports its range.
MaskStretch MeasureMaskStretch(const uint8_t* coverage, int szx, int szy, int passes);

// A raster box in the object's own coordinates (raster column, row).
struct SvgBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// <filter> drawing the outline of whatever it is applied to: the blurred, stretched alpha
// through the outline curve, times opacity, in `colour`, outside the source's own alpha.
std::string OutlineFilter(const std::string& id, const SvgBox& box, const MaskStretch& stretch,
                          const int curve[256], uint32_t opacity, const Rgb8& colour);

// <filter> drawing the shadow: the blurred, stretched alpha times opacity in `colour`, moved by
// (dx, dy); the mask stays within `box` before it moves, as the engine's does.
std::string ShadowFilter(const std::string& id, const SvgBox& box, const MaskStretch& stretch,
                         uint32_t opacity, const Rgb8& colour, int dx, int dy);

// "#rrggbb".
std::string SvgColour(const Rgb8& c);

}  // namespace qv
