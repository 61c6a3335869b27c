#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

namespace qv {

// Where one glyph goes: during layout relative to the text origin with y up, afterwards in
// raster columns and rows; with its transform in 16.16 fixed point.
struct GlyphPlacement {
    FT_Face face = nullptr;  // null: the layout's face; otherwise the fallback face drawing it
    int index = 0;
    int x = 0;
    int y = 0;
    FT_Fixed xx = 0x10000, xy = 0, yx = 0, yy = 0x10000;
};

// The result of laying out one style record: which face at which pixel size, where every glyph
// goes with its transform, and the raster that holds them. Every drawer reads this value — the
// rasteriser and the vector writers alike — so none of them repeats the layout arithmetic.
struct TextLayout {
    FT_Face face = nullptr;  // a registry face; null when no text font is installed. A glyph
                             // from a fallback face names its own, at the same pixel size.
    int pixel_width = 0;     // the pixel size set on the face for the glyphs below
    int pixel_height = 0;
    int margin = 1;          // empty border: 10 with effects, else 1
    int szx = 0;             // raster width and height
    int szy = 0;
    int orgx = 0;            // raster column of the text origin
    int orgy = 0;            // raster row of the baseline
    float scale = 1.0f;      // render scale: 1 on screen, the output factor during export
    int effects = 0;         // the effects flag the layout was made with
    int slen = 0;            // glyphs in use; gp holds at least that many
    // The pen's run along the line, from the first glyph's origin to the end of the last
    // one's advance, and the radius of the circle a bent line follows (0 when straight), in
    // pixels at the render scale.
    double run = 0;
    double bend_radius = 0;
    std::vector<GlyphPlacement> gp;
    // The pixel size would be beyond what a glyph can be drawn at (an export at a huge scale);
    // nothing is laid out and nothing can be drawn.
    bool too_large = false;
};

}  // namespace qv
