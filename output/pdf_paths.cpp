#include "output/pdf_paths.h"

#include "document/colour_model.h"
#include "render/effects.h"
#include "render/gradient.h"

namespace qv {

void AddOutlinePath(cairo_t* cr, const GlyphOutlines& outlines, double x0, double y0) {
    double px = 0, py = 0;  // the current point, for the conics
    for (const PathSegment& s : outlines.segments) {
        const double x = x0 + s.x;
        const double y = y0 + s.y;
        switch (s.kind) {
            case PathSegment::Kind::kMove:
                cairo_move_to(cr, x, y);
                break;
            case PathSegment::Kind::kLine:
                cairo_line_to(cr, x, y);
                break;
            case PathSegment::Kind::kConic: {
                const double qx = x0 + s.c1x;
                const double qy = y0 + s.c1y;
                cairo_curve_to(cr, px + 2.0 / 3.0 * (qx - px), py + 2.0 / 3.0 * (qy - py),
                               x + 2.0 / 3.0 * (qx - x), y + 2.0 / 3.0 * (qy - y), x, y);
                break;
            }
            case PathSegment::Kind::kCubic:
                cairo_curve_to(cr, x0 + s.c1x, y0 + s.c1y, x0 + s.c2x, y0 + s.c2y, x, y);
                break;
            case PathSegment::Kind::kClose:
                cairo_close_path(cr);
                break;
        }
        if (s.kind != PathSegment::Kind::kClose) {
            px = x;
            py = y;
        }
    }
    cairo_set_fill_rule(cr, outlines.even_odd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
}

CairoPattern GradientPattern(const ObjStyle& lt, int szx, int szy, double x0, double y0) {
    const GradientWeights g = GradientWeightsFor(lt.grad_angle);
    // weight / 9000 = a * j + b * i + c over the raster's columns j and rows i.
    const double a = (g.mirror_x ? -1.0 : 1.0) * g.wx / 9000.0 / szx;
    const double b = (g.mirror_y ? -1.0 : 1.0) * g.wy / 9000.0 / szy;
    const double c = (g.mirror_x ? g.wx / 9000.0 : 0.0) + (g.mirror_y ? g.wy / 9000.0 : 0.0);
    const double length2 = a * a + b * b;  // never 0: the weights sum to 9000
    // Pixel (j, i) has its centre at (x0 + j + 0.5, y0 + i + 0.5); the pattern runs from where
    // the weight is 0 to where it is 1, along (a, b).
    const double qx = x0 + 0.5 - c * a / length2;
    const double qy = y0 + 0.5 - c * b / length2;
    CairoPattern p(cairo_pattern_create_linear(qx, qy, qx + a / length2, qy + b / length2));
    const Rgb8 c1 = ToBytesUnclamped(HlsToRgb(lt.grad_color1));
    const Rgb8 c2 = ToBytesUnclamped(HlsToRgb(lt.grad_color2));
    cairo_pattern_add_color_stop_rgba(p.get(), 0.0, c1.r / 255.0, c1.g / 255.0, c1.b / 255.0,
                                      OpacityByte(lt.grad_opacity1) / 255.0);
    cairo_pattern_add_color_stop_rgba(p.get(), 1.0, c2.r / 255.0, c2.g / 255.0, c2.b / 255.0,
                                      OpacityByte(lt.grad_opacity2) / 255.0);
    cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_PAD);
    return p;
}

}  // namespace qv
