#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// One font of the library: an open FreeType face over a block of font data that it owns.
struct FontRecord {
    FT_Face face = nullptr;
    std::string name;   // family name, one space, style name
    std::string label;  // the label stored in the archive; only copied, never interpreted
    std::unique_ptr<uint8_t[]> fdt;
    size_t fdt_size = 0;
    int category = -1;  // -1 for the shape library, 0..10 for the text tabs
    // A font of the system or the user, opened when a logo uses it.
    static constexpr int kSystemCategory = -2;
};

// A glyph of a symbol font that is offered as a shape.
struct ShapeEntry {
    std::string name;
    std::string label;
    int glyph = 0;
};

struct GlyphRange {
    int first;
    int last;  // inclusive
};

// Glyphs of one symbol face that are never offered as shapes.
struct SymbolExclusion {
    const char* face;
    std::vector<GlyphRange> glyphs;
};

struct CodeRange {
    uint32_t first;
    uint32_t last;  // inclusive
};

// A symbol face whose shapes follow those of all the other faces, one face after another, so
// that adding it leaves every shape before it where it was. Its blank glyphs and repeats of an
// earlier glyph of the same face are left out; with code ranges, only the glyphs the face maps
// from those characters are offered.
struct AppendedShapeFace {
    const char* face;
    std::vector<CodeRange> codes;  // empty: every glyph
};

// The process-wide font library, filled once at start-up and read by every renderer.
struct FontRegistry {
    static constexpr int kMaxFonts = 1000;
    static constexpr int kMaxShapes = 10000;
    static constexpr int kCategories = 11;

    FT_Library library = nullptr;
    std::vector<FontRecord> fonts;
    int n_symfonts = 0;
    std::vector<ShapeEntry> shapes;
    std::vector<FontRecord> system_fonts;  // opened on first use, after the library's
    const std::vector<SymbolExclusion>* exclusions = nullptr;  // null: the compiled-in table

    // The fallback faces (render/fallback_faces.h): read on the first character that needs
    // one, over the one block of their archive, which they share.
    bool fallbacks_read = false;
    std::vector<uint8_t> fallback_data;
    std::vector<FT_Face> fallbacks;
    const std::vector<AppendedShapeFace>* appended = nullptr;  // null: the compiled-in table
};

FontRegistry& Registry();

// The table of glyphs withheld from the shipped symbol faces.
const std::vector<SymbolExclusion>& ShippedSymbolExclusions();

// The shipped symbol faces whose shapes come after the others'.
const std::vector<AppendedShapeFace>& ShippedAppendedShapeFaces();

// True unless `table` lists glyph `glyph` for the face called `face_name`.
bool SymGlyphAllowed(const std::string& face_name, int glyph,
                     const std::vector<SymbolExclusion>& table);

// The tab captions of the text font categories, in order.
extern const char* const kFontCategoryNames[FontRegistry::kCategories];

// The tab a font belongs to by the first character of its name: A, B, C, D-E, F-G, H-J, K-L,
// M-O, P-R, S, T-Z, case ignored. Names that begin with anything but a letter sort before A,
// so they go with the A tab.
int FontCategoryForName(const std::string& name);

}  // namespace qv
