#pragma once

#include <cairo.h>

#include "document/obj_style.h"
#include "output/cairo_handles.h"
#include "render/glyph_outlines.h"

namespace qv {

// Appends the outlines to the current path of `cr`, raster coordinates moved by (x0, y0);
// conics become the cubics they equal. Sets the fill rule the outlines were drawn for.
void AddOutlinePath(cairo_t* cr, const GlyphOutlines& outlines, double x0, double y0);

// The gradient of `lt` over a szx x szy raster whose column 0, row 0 is at (x0, y0): the
// colour-2 weight the rasteriser gives pixel (j, i) is a linear function of j and i, and the
// pattern is that same function of the pixel's centre. Colours and opacities interpolate
// apart, as the rasteriser blends them. The dither is left out.
CairoPattern GradientPattern(const ObjStyle& lt, int szx, int szy, double x0, double y0);

}  // namespace qv
