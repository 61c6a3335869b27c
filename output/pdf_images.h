#pragma once

#include <cairo.h>

namespace qv {

// Paints `image` so that it fills the w x h box at (x, y) in export pixels, whatever its own
// pixel size. The box is drawn a hair (1/50 pixel) smaller on every side: renderers that round
// an image's far edge up to the next pixel would otherwise stretch it over one pixel more and
// smear it by half a pixel.
// `filter`: CAIRO_FILTER_NEAREST keeps a picture's pixels, CAIRO_FILTER_GOOD lets a viewer smooth
// an image it shows smaller than its pixels.
void PaintImageInBox(cairo_t* cr, cairo_surface_t* image, double x, double y, double w, double h,
                     cairo_filter_t filter);

// The current source painted through the alpha of `mask`, which fills the w x h box at (x, y)
// in the same way.
void MaskImageInBox(cairo_t* cr, cairo_surface_t* mask, double x, double y, double w, double h);

}  // namespace qv
