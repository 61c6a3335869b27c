#include "render/style_bounds.h"

#include <algorithm>
#include <cmath>

#include "app/unicode_text.h"

namespace qv {
namespace {

using namespace bounds;

bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }
bool Within(float v, float lo, float hi) { return v >= lo && v <= hi; }  // false for NaN

bool ColourWithin(const Hls& c) {
    // The colour conversion clamps every finite component itself; only NaN and infinities
    // would reach a float-to-integer conversion unclamped.
    return std::isfinite(c.h) && std::isfinite(c.s) && std::isfinite(c.l);
}

float Finite(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

Hls BoundedColour(const Hls& c, const Hls& fallback) {
    return {std::isfinite(c.h) ? c.h : fallback.h, std::isfinite(c.s) ? c.s : fallback.s,
            std::isfinite(c.l) ? c.l : fallback.l};
}

// Opacities and sharpness are fractions; the drawing code holds finite values to 0..1 itself.
float BoundedFraction(float v, float fallback) { return std::clamp(Finite(v, fallback), 0.0f, 1.0f); }

bool RotationWithin(float r) { return Within(r, -1.0f, 1.0f); }

float BoundedRotation(float r) {
    if (!std::isfinite(r)) return 0.0f;
    if (RotationWithin(r)) return r;
    // The same direction within one turn; values the editor stores (0..1) never come here.
    return std::fmod(r, 1.0f);
}

}  // namespace

bool StyleWithinBounds(const ObjStyle& lt) {
    return (lt.str.size() <= size_t(kMaxTextChars) || CharacterCount(lt.str) <= size_t(kMaxTextChars)) &&
           Within(lt.size, kMinSize, kMaxSize) &&
           Within(lt.width, kMinSize, kMaxSize) && Within(lt.spacing, -kMaxSpacing, kMaxSpacing) &&
           RotationWithin(lt.rotation) && Within(lt.bend, 0.0f, 1.0f) &&
           Within(lt.aspect, kMinAspect, kMaxAspect) && Within(lt.strength, 0, kMaxStrength) &&
           Within(lt.shadow_distance, -kMaxShadowDistance, kMaxShadowDistance) &&
           Within(lt.shadow_angle, -360, 720) && std::isfinite(lt.outline_opacity) &&
           std::isfinite(lt.outline_sharpness) && Within(lt.outline_sharpness, 0.0f, 1.0f) &&
           std::isfinite(lt.shadow_opacity) && std::isfinite(lt.grad_opacity1) &&
           std::isfinite(lt.grad_opacity2) && ColourWithin(lt.color) &&
           ColourWithin(lt.outline_color) && ColourWithin(lt.shadow_color) &&
           ColourWithin(lt.grad_color1) && ColourWithin(lt.grad_color2);
}

ObjStyle BoundedStyle(const ObjStyle& lt) {
    const ObjStyle defaults;
    ObjStyle b = lt;
    // Longer text is laid out up to the layout's capacity, counted in whole characters.
    if (CharacterCount(b.str) > size_t(kMaxTextChars)) b.str = FirstCharacters(b.str, size_t(kMaxTextChars));
    b.size = std::clamp(lt.size, kMinSize, kMaxSize);
    b.width = std::clamp(lt.width, kMinSize, kMaxSize);
    b.spacing = std::clamp(lt.spacing, -kMaxSpacing, kMaxSpacing);
    b.rotation = BoundedRotation(lt.rotation);
    b.bend = std::clamp(Finite(lt.bend, defaults.bend), 0.0f, 1.0f);
    b.aspect = std::clamp(Finite(lt.aspect, defaults.aspect), kMinAspect, kMaxAspect);
    b.strength = std::clamp(lt.strength, 0, kMaxStrength);
    b.shadow_distance = std::clamp(lt.shadow_distance, -kMaxShadowDistance, kMaxShadowDistance);
    // Any angle points the same way as its remainder; the remainder keeps the float maths
    // of the offset exact for the angles the editor stores.
    if (!Within(lt.shadow_angle, -360, 720)) b.shadow_angle = lt.shadow_angle % 360;
    b.outline_opacity = BoundedFraction(lt.outline_opacity, defaults.outline_opacity);
    b.outline_sharpness = BoundedFraction(lt.outline_sharpness, defaults.outline_sharpness);
    b.shadow_opacity = BoundedFraction(lt.shadow_opacity, defaults.shadow_opacity);
    b.grad_opacity1 = BoundedFraction(lt.grad_opacity1, defaults.grad_opacity1);
    b.grad_opacity2 = BoundedFraction(lt.grad_opacity2, defaults.grad_opacity2);
    b.color = BoundedColour(lt.color, defaults.color);
    b.outline_color = BoundedColour(lt.outline_color, defaults.outline_color);
    b.shadow_color = BoundedColour(lt.shadow_color, defaults.shadow_color);
    b.grad_color1 = BoundedColour(lt.grad_color1, defaults.grad_color1);
    b.grad_color2 = BoundedColour(lt.grad_color2, defaults.grad_color2);
    return b;
}

int BoundedPosition(int v) { return std::clamp(v, -bounds::kMaxPosition, bounds::kMaxPosition); }
int BoundedExtent(int v) { return std::clamp(v, 0, bounds::kMaxExtent); }
int BoundedCanvasSide(int v) { return std::clamp(v, 1, bounds::kMaxCanvasSide); }

}  // namespace qv
