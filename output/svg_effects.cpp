#include "output/svg_effects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "output/xml_text.h"
#include "render/blur.h"

namespace qv {
namespace {

// The contrast stretch as the engine applies it to a blurred value.
// Blurred values above the mask's own maximum (the SVG blur is not the engine's) stretch to at
// most 255: the result indexes the 256-entry outline curve.
int Stretched(int v, const MaskStretch& s) {
    if (s.hi - s.lo <= 0) return std::clamp(v, 0, 255);
    return v < s.lo ? 0 : std::min((v - s.lo) * 255 / (s.hi - s.lo), 255);
}

// feFuncA tableValues: entry v (a blurred alpha of v / 255) is the final weight / 255. With 256
// entries every byte value falls exactly on one, so the table is the engine's lookup itself.
template <class Weight>
std::string AlphaTable(Weight&& weight) {
    std::string values;
    values.reserve(256 * 6);
    for (int v = 0; v < 256; ++v) {
        if (v) values += ' ';
        values += SvgNumber(std::clamp(weight(v), 0, 255) / 255.0, 4);
    }
    return values;
}

std::string Region(int x, int y, int w, int h) {
    return "x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
           std::to_string(w) + "\" height=\"" + std::to_string(h) + "\"";
}

std::string Blur(const SvgBox& box, const MaskStretch& stretch) {
    // n passes of variance 1 each add up to a Gaussian of variance n.
    return "<feGaussianBlur in=\"SourceAlpha\" stdDeviation=\"" +
           SvgNumber(std::sqrt(static_cast<double>(std::max(stretch.passes, 0))), 4) + "\" " +
           Region(box.x, box.y, box.width, box.height) + " result=\"blur\"/>";
}

std::string FilterOpen(const std::string& id, int x, int y, int w, int h) {
    return "<filter id=\"" + id + "\" filterUnits=\"userSpaceOnUse\" primitiveUnits=\"userSpaceOnUse\" " +
           Region(x, y, w, h) + " color-interpolation-filters=\"sRGB\">";
}

}  // namespace

MaskStretch MeasureMaskStretch(const uint8_t* coverage, int szx, int szy, int passes) {
    MaskStretch s;
    s.passes = passes;
    const size_t count = size_t(std::max(szx, 0)) * size_t(std::max(szy, 0));
    if (!coverage || count == 0) return s;
    std::vector<uint8_t> a(coverage, coverage + count);
    std::vector<uint8_t> b(count);
    std::vector<uint16_t> scratch;
    for (int pass = 0; pass < passes; ++pass) {
        BinomialBlurPass(a.data(), b.data(), szx, szy, scratch);
        a.swap(b);
    }
    const auto [lo, hi] = std::minmax_element(a.begin(), a.end());
    s.lo = *lo;
    s.hi = *hi;
    return s;
}

std::string SvgColour(const Rgb8& c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
    return buffer;
}

std::string OutlineFilter(const std::string& id, const SvgBox& box, const MaskStretch& stretch,
                          const int curve[256], uint32_t opacity, const Rgb8& colour) {
    const std::string table = AlphaTable([&](int v) {
        return static_cast<int>(uint32_t(std::clamp(curve[Stretched(v, stretch)], 0, 255)) * opacity / 255u);
    });
    return FilterOpen(id, box.x, box.y, box.width, box.height) + Blur(box, stretch) +
           "<feComponentTransfer in=\"blur\" result=\"weight\"><feFuncA type=\"table\" tableValues=\"" +
           table + "\"/></feComponentTransfer>" + "<feFlood flood-color=\"" + SvgColour(colour) +
           "\" result=\"paint\"/>" +
           "<feComposite in=\"paint\" in2=\"weight\" operator=\"in\" result=\"ring\"/>" +
           // Where the fill covers a pixel the outline gives way in proportion.
           "<feComposite in=\"ring\" in2=\"SourceAlpha\" operator=\"out\"/></filter>";
}

std::string ShadowFilter(const std::string& id, const SvgBox& box, const MaskStretch& stretch,
                         uint32_t opacity, const Rgb8& colour, int dx, int dy) {
    const int x = std::min(box.x, box.x + dx);
    const int y = std::min(box.y, box.y + dy);
    const int w = box.width + std::abs(dx);
    const int h = box.height + std::abs(dy);
    const std::string table = AlphaTable(
        [&](int v) { return static_cast<int>(uint32_t(Stretched(v, stretch)) * opacity / 255u); });
    return FilterOpen(id, x, y, w, h) + Blur(box, stretch) +
           "<feComponentTransfer in=\"blur\" result=\"weight\"><feFuncA type=\"table\" tableValues=\"" +
           table + "\"/></feComponentTransfer>" + "<feOffset in=\"weight\" dx=\"" + std::to_string(dx) +
           "\" dy=\"" + std::to_string(dy) + "\" " + Region(x, y, w, h) + " result=\"moved\"/>" +
           "<feFlood flood-color=\"" + SvgColour(colour) + "\" " + Region(x, y, w, h) +
           " result=\"paint\"/>" + "<feComposite in=\"paint\" in2=\"moved\" operator=\"in\"/></filter>";
}

}  // namespace qv
