#include "ui/canvas_mapping.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::ui {
namespace {

// The steps Ctrl+plus and Ctrl+minus walk through, in percent.
constexpr std::array<int, 16> kZoomSteps = {10,  25,  33,  50,  67,  75,  100, 125,
                                            150, 200, 300, 400, 500, 600, 700, 800};
constexpr int kBorder = 10;

int FloorInt(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::floor(std::clamp(v, -1e9, 1e9)));
}

}  // namespace

IntPoint LogoPointAt(const CanvasMapping& m, int cx, int cy) {
    const double z = ClampZoom(m.zoom);
    return {FloorInt(double(cx - m.width / 2 + m.scroll_x) / z),
            FloorInt(double(cy - m.height / 2 + m.scroll_y) / z)};
}

IntPoint ClientPointOf(const CanvasMapping& m, double lx, double ly) {
    const double z = ClampZoom(m.zoom);
    const auto ceil_int = [](double v) { return -FloorInt(-v); };
    return {ceil_int(lx * z) + m.width / 2 - m.scroll_x, ceil_int(ly * z) + m.height / 2 - m.scroll_y};
}

double ClampZoom(double zoom) {
    if (!std::isfinite(zoom)) return 1.0;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

double StepZoom(double zoom, int direction) {
    const double percent = ClampZoom(zoom) * 100.0;
    if (direction > 0) {
        for (int s : kZoomSteps) {
            if (s > percent + 0.5) return s / 100.0;
        }
        return kMaxZoom;
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < percent - 0.5) return *it / 100.0;
    }
    return kMinZoom;
}

double FitZoom(int logo_w, int logo_h, int view_w, int view_h) {
    if (logo_w <= 0 || logo_h <= 0) return 1.0;
    const double room_w = std::max(view_w - 2 * kBorder, 1);
    const double room_h = std::max(view_h - 2 * kBorder, 1);
    const double z = std::min(room_w / logo_w, room_h / logo_h);
    return ClampZoom(std::floor(z * 100.0) / 100.0);
}

CanvasMapping ZoomAbout(const CanvasMapping& m, double zoom, int cx, int cy) {
    const double old_zoom = ClampZoom(m.zoom);
    const double new_zoom = ClampZoom(zoom);
    // The logo point under the cursor, unrounded, stays under it.
    const double lx = double(cx - m.width / 2 + m.scroll_x) / old_zoom;
    const double ly = double(cy - m.height / 2 + m.scroll_y) / old_zoom;
    CanvasMapping out = m;
    out.zoom = new_zoom;
    out.scroll_x = static_cast<int>(std::lround(lx * new_zoom)) - (cx - m.width / 2);
    out.scroll_y = static_cast<int>(std::lround(ly * new_zoom)) - (cy - m.height / 2);
    return out;
}

IntPoint ScrollLimit(const CanvasMapping& m, int logo_w, int logo_h) {
    const double z = ClampZoom(m.zoom);
    const auto limit = [&](int logo, int view) {
        const double over = (std::max(logo, 0) * z + 2 * kBorder - view) / 2.0;
        return over > 0 ? FloorInt(std::ceil(over)) : 0;
    };
    return {limit(logo_w, m.width), limit(logo_h, m.height)};
}

CanvasMapping ClampScroll(const CanvasMapping& m, int logo_w, int logo_h) {
    const IntPoint l = ScrollLimit(m, logo_w, logo_h);
    CanvasMapping out = m;
    out.scroll_x = std::clamp(m.scroll_x, -l.x, l.x);
    out.scroll_y = std::clamp(m.scroll_y, -l.y, l.y);
    return out;
}

IntPoint ClampToLogoArea(int x, int y, int area_w, int area_h) {
    // In 64 bits: a position read from a damaged file may be near the int limits.
    const auto hold = [](int v, int side) {
        const long long s = std::max(side, 0);
        return static_cast<int>(std::clamp<long long>(v + (long long)(side / 2), 0, s) - side / 2);
    };
    return {hold(x, area_w), hold(y, area_h)};
}

}  // namespace qv::ui
