#pragma once

#include <cairo.h>

#include <cstdint>

#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/byte_raster.h"
#include "render/glyph_outlines.h"

namespace qv {

// Image pixels per export pixel of the outline and shadow images: 300 dpi on a page of 96 px
// per inch, so that they stay smooth when the page is enlarged.
inline constexpr double kEffectImageDensity = 300.0 / 96.0;

// The pixel size of the effect images of a szx x szy raster: kEffectImageDensity times the
// raster, or less where that would pass the largest image cairo makes.
struct EffectImageSize {
    int width;
    int height;
};
EffectImageSize EffectImageSizeFor(int szx, int szy);

// The most the effect images of one szx x szy raster cost: the enlarged mask while they are
// made, and the images themselves, which the PDF surface keeps (and then compresses) until the
// page is written.
uint64_t EffectImageBytes(const ObjStyle& lt, int szx, int szy);

// One object's rasters as its effects read them.
struct EffectSource {
    const uint8_t* mask;            // the engine's effects mask, szx * szy
    const int* curve;               // the outline curve, 256 entries
    const GlyphOutlines* outlines;  // the filled shape in raster coordinates
    int szx;
    int szy;
    int x0;       // page position of raster column 0, row 0, in export pixels
    int y0;
    float scale;  // the render scale, for the shadow offset
};

// The shadow and the outline of one object as alpha images in their colours. PDF cannot blur,
// so both are the engine's blurred mask, enlarged smoothly to kEffectImageDensity: the blur and
// the shadow offset stay exactly what the raster export draws at this scale. The outline leaves
// out what the fill covers; that coverage is the filled outlines drawn at the image's density,
// so the outline meets the vector fill without a seam.
class EffectImages {
public:
    explicit EffectImages(const EffectSource& source);
    // False when the enlarged mask could not be made.
    bool ok() const { return !enlarged_.empty(); }

    // Before the fill: the mask times the shadow opacity, at the shadow offset.
    // Both false when an image could not be made.
    bool DrawShadow(cairo_t* cr, const ObjStyle& lt) const;
    // After the fill: curve[mask] times what the fill leaves uncovered times the outline opacity.
    bool DrawOutline(cairo_t* cr, const ObjStyle& lt) const;

private:
    void Enlarge();
    bool MaskWith(cairo_t* cr, cairo_surface_t* alpha, const Rgb8& colour, double x, double y) const;

    EffectSource source_;
    int width_;
    int height_;
    ByteRaster enlarged_;  // the mask at the image's density, width_ x height_
};

}  // namespace qv
