#pragma once

#include <optional>
#include <vector>

// Snapping a dragged object to the canvas centre lines and to the other objects: pure, in logo
// coordinates, so that it can be checked without a window.

namespace qv::ui {

// An object's box: its centre and its extent, in logo coordinates.
struct SnapBox {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct SnapResult {
    int x = 0;  // the centre after snapping
    int y = 0;
    // Where the guide lines go, in logo coordinates: a vertical line at guide_x, a horizontal
    // one at guide_y; none on an axis that did not snap.
    std::optional<int> guide_x;
    std::optional<int> guide_y;
};

// Snap distance in screen pixels.
inline constexpr int kSnapPixels = 6;

// Moves `moving` so that its left edge, centre or right edge (top, centre, bottom) lands on the
// nearest of the targets within `reach` logo units: the canvas centre lines (x = 0, y = 0) and
// the edges and centres of `others`. Each axis snaps on its own; the nearest target wins, and
// of equally near ones the first found (the centre lines, then the objects in order).
SnapResult Snap(const SnapBox& moving, const std::vector<SnapBox>& others, double reach);

// The reach in logo units of kSnapPixels screen pixels at `zoom` (1 = 100 %).
double SnapReach(double zoom);

}  // namespace qv::ui
