#pragma once

#include <optional>

#include "ui/canvas_mapping.h"

namespace qv::ui {

enum class Alignment { kCentreH, kCentreV, kCentreBoth, kLeft, kRight, kTop, kBottom };

// Whether an alignment needs the canvas edges, which only a fixed canvas has.
bool NeedsFixedCanvas(Alignment a);

// Where an object centred at (x, y) with extent w x h goes when aligned: the centres on the
// canvas centre lines, the edges on the fixed canvas's edges (canvas_w x canvas_h, centred on
// the logo centre, as drawing places it). None when the alignment needs a fixed canvas and
// `fixed` is false.
std::optional<IntPoint> AlignedPosition(Alignment a, int x, int y, int w, int h, bool fixed,
                                        int canvas_w, int canvas_h);

}  // namespace qv::ui
