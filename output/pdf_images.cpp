#include "output/pdf_images.h"

namespace qv {
namespace {

constexpr double kInset = 1.0 / 50.0;

// Maps the image's pixels onto the inset box; false when there is nothing to draw.
bool EnterBox(cairo_t* cr, cairo_surface_t* image, double x, double y, double w, double h) {
    const int iw = cairo_image_surface_get_width(image);
    const int ih = cairo_image_surface_get_height(image);
    if (iw <= 0 || ih <= 0 || w <= 2 * kInset || h <= 2 * kInset) return false;
    cairo_save(cr);
    cairo_translate(cr, x + kInset, y + kInset);
    cairo_scale(cr, (w - 2 * kInset) / iw, (h - 2 * kInset) / ih);
    return true;
}

}  // namespace

void PaintImageInBox(cairo_t* cr, cairo_surface_t* image, double x, double y, double w, double h,
                     cairo_filter_t filter) {
    if (!EnterBox(cr, image, x, y, w, h)) return;
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
    cairo_paint(cr);
    cairo_restore(cr);
}

void MaskImageInBox(cairo_t* cr, cairo_surface_t* mask, double x, double y, double w, double h) {
    if (!EnterBox(cr, mask, x, y, w, h)) return;
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
}

}  // namespace qv
