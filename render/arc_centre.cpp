#include "render/arc_centre.h"

#include <cmath>

namespace qv {

std::optional<float> CentredArcRotation(const TextLayout& layout, bool inside) {
    if (!(layout.bend_radius > 0) || !(layout.run > 0) || !std::isfinite(layout.run) ||
        !std::isfinite(layout.bend_radius)) {
        return std::nullopt;
    }
    // A glyph at pen p sits at the angle a0 -/+ p / r from the top (bottom) of the circle, so
    // the middle of the run is there when a0 = +/- run / 2r.
    const double a0 = (inside ? -1.0 : 1.0) * layout.run / (2.0 * layout.bend_radius);
    double turns = std::fmod(a0 / 6.283185307179586, 1.0);
    if (turns < 0) turns += 1.0;
    const float r = static_cast<float>(turns);
    return r >= 1.0f ? 0.0f : r;
}

}  // namespace qv
