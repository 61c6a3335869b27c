#include "output/pdf_images.h"

namespace qv {

void PaintImageInBox(cairo_t* cr, cairo_surface_t* image, double x, double y, double w, double h,
                     cairo_filter_t filter) {
    constexpr double kInset = 1.0 / 50.0;
    const int iw = cairo_image_surface_get_width(image);
    const int ih = cairo_image_surface_get_height(image);
    if (iw <= 0 || ih <= 0 || w <= 2 * kInset || h <= 2 * kInset) return;
    cairo_save(cr);
    cairo_translate(cr, x + kInset, y + kInset);
    cairo_scale(cr, (w - 2 * kInset) / iw, (h - 2 * kInset) / ih);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace qv
