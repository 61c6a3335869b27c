#include "output/svg_gradient.h"

#include "document/colour_model.h"
#include "output/svg_effects.h"
#include "output/xml_text.h"
#include "render/effects.h"
#include "render/gradient.h"

namespace qv {
namespace {

std::string Stop(double offset, const Hls& colour, float opacity) {
    return "<stop offset=\"" + SvgNumber(offset) + "\" stop-color=\"" +
           SvgColour(ToBytesUnclamped(HlsToRgb(colour))) + "\" stop-opacity=\"" +
           SvgNumber(OpacityByte(opacity) / 255.0, 4) + "\"/>";
}

}  // namespace

std::string GradientElement(const std::string& id, const ObjStyle& lt, int szx, int szy) {
    const GradientWeights g = GradientWeightsFor(lt.grad_angle);
    const double sx = szx > 0 ? szx : 1;
    const double sy = szy > 0 ? szy : 1;
    // Colour 2's share at pixel (column j, row i) is a*j + b*i + c: each axis contributes its
    // weight times the column's (row's) fraction of the raster, counted backwards when mirrored.
    const double a = (g.mirror_x ? -1.0 : 1.0) * g.wx / 9000.0 / sx;
    const double b = (g.mirror_y ? -1.0 : 1.0) * g.wy / 9000.0 / sy;
    const double c = (g.mirror_x ? g.wx / 9000.0 : 0.0) + (g.mirror_y ? g.wy / 9000.0 : 0.0);
    const double norm = a * a + b * b;  // never 0: the weights sum to 9000
    // Pixel (j, i) is sampled at its centre (j + 0.5, i + 0.5). The share is 0 at p1 and grows
    // by 1 along (a, b) / norm.
    const double s = -c / norm;
    const double x1 = 0.5 + s * a;
    const double y1 = 0.5 + s * b;
    const double x2 = x1 + a / norm;
    const double y2 = y1 + b / norm;
    return "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"" + SvgNumber(x1) +
           "\" y1=\"" + SvgNumber(y1) + "\" x2=\"" + SvgNumber(x2) + "\" y2=\"" + SvgNumber(y2) + "\">" +
           Stop(0, lt.grad_color1, lt.grad_opacity1) + Stop(1, lt.grad_color2, lt.grad_opacity2) +
           "</linearGradient>";
}

}  // namespace qv
