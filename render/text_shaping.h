#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

namespace qv {

// One glyph of a text line in visual order, before it is placed. A glyph of the per-character
// layout is placed by its own advance, kerning and spacing; a shaped glyph by the advance and
// offsets the shaper gave it (26.6), with spacing only between its clusters.
struct GlyphItem {
    FT_Face face = nullptr;  // null: the layout's face; otherwise a fallback face
    FT_UInt index = 0;
    bool shaped = false;
    bool cluster_start = true;
    FT_Pos advance = 0;
    FT_Pos dx = 0;
    FT_Pos dy = 0;
};

// How a glyph is loaded. A fallback face is drawn without hinting: its hinting programs (the
// Noto faces' especially) would cost more than the rest of a render, and at logo sizes it
// changes little; the chosen face's glyphs load as they always did.
inline FT_Int32 LoadFlagsFor(bool fallback) { return fallback ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT; }

// Sets a pixel size on a shared face unless it already has it; setting the same size again
// would make FreeType rerun the font's hinting set-up.
bool UseFaceSize(FT_Face face, int width, int height);

// The glyphs of `text` set in `face` (its pixel size already set to width x height), in the
// order they are drawn from left to right. A line that needs neither shaping nor a fallback
// face is one glyph per character, FT_Get_Char_Index of each, as it always was. A character
// outside code page 1252 that `face` lacks comes from a fallback face. Scripts that join or
// reorder (Arabic, Hebrew, the Indic scripts, Thai ...) and right-to-left runs are shaped by
// HarfBuzz at the same size, their runs ordered by the bidirectional algorithm.
std::vector<GlyphItem> GlyphItemsOf(FT_Face face, const std::u32string& text, int width,
                                    int height);

// True when `text` goes through the shaper rather than the per-character layout alone.
bool NeedsShaping(const std::u32string& text);

// Drops the shaper's fonts; called before the faces they read are closed.
void ForgetShapingFonts();

}  // namespace qv
