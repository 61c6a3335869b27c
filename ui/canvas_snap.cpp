#include "ui/canvas_snap.h"

#include <cmath>
#include <cstdlib>

namespace qv::ui {
namespace {

struct AxisSnap {
    long long shift = 0;
    std::optional<int> guide;
    long long best = 0;
};

// The three lines of a box along one axis, as the hit test and the drawing place them.
void Lines(int centre, int extent, long long out[3]) {
    const long long low = (long long)centre - extent / 2;
    out[0] = low;
    out[1] = centre;
    out[2] = low + extent;
}

void Consider(AxisSnap& a, const long long own[3], long long target, double reach) {
    for (int k = 0; k < 3; ++k) {
        const long long d = target - own[k];
        if (double(std::llabs(d)) > reach) continue;
        if (!a.guide || std::llabs(d) < a.best) {
            a.best = std::llabs(d);
            a.shift = d;
            a.guide = static_cast<int>(target);
        }
    }
}

}  // namespace

SnapResult Snap(const SnapBox& moving, const std::vector<SnapBox>& others, double reach) {
    long long own_x[3], own_y[3];
    Lines(moving.x, moving.w, own_x);
    Lines(moving.y, moving.h, own_y);
    AxisSnap ax, ay;
    Consider(ax, own_x, 0, reach);
    Consider(ay, own_y, 0, reach);
    for (const SnapBox& o : others) {
        long long lx[3], ly[3];
        Lines(o.x, o.w, lx);
        Lines(o.y, o.h, ly);
        for (long long t : lx) Consider(ax, own_x, t, reach);
        for (long long t : ly) Consider(ay, own_y, t, reach);
    }
    SnapResult r;
    r.x = static_cast<int>(moving.x + ax.shift);
    r.y = static_cast<int>(moving.y + ay.shift);
    r.guide_x = ax.guide;
    r.guide_y = ay.guide;
    return r;
}

double SnapReach(double zoom) {
    if (!std::isfinite(zoom) || zoom <= 0) return kSnapPixels;
    return kSnapPixels / zoom;
}

}  // namespace qv::ui
