#pragma once

#include <vector>

#include "render/text_layout.h"

namespace qv {

// One step of a glyph outline, in raster coordinates (column, row; y down, pixels as doubles).
// A conic has one control point (c1), a cubic two (c1, c2); every step ends at (x, y).
struct PathSegment {
    enum class Kind { kMove, kLine, kConic, kCubic, kClose };
    Kind kind = Kind::kMove;
    double c1x = 0, c1y = 0, c2x = 0, c2y = 0;
    double x = 0, y = 0;
};

struct GlyphOutlines {
    std::vector<PathSegment> segments;  // every glyph of the layout, contours closed
    bool even_odd = false;              // the fill rule the face's outlines were drawn for
};

// The outlines of every placed glyph of `layout`, unhinted, at the layout's pixel size and with
// each glyph's transform, placed where the rasteriser puts its bitmap: the vector drawing lies
// on the raster one and differs from it only by hinting. Reads the layout; no arithmetic of the
// layout itself is repeated. Empty for an empty or too large layout.
GlyphOutlines OutlinesOf(const TextLayout& layout);

}  // namespace qv
