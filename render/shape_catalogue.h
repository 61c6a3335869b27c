#pragma once

#include <string>
#include <vector>

#include "render/font_registry.h"
#include "render/shape_text.h"

namespace qv {

// The names and keywords of the shipped shapes, written at build time beside the font
// library: one line per shape, "face<TAB>glyph<TAB>name<TAB>keyword,keyword".
struct CatalogueEntry {
    std::string face;
    int glyph = 0;
    ShapeText text;
};

inline constexpr const char* kShapeCataloguePath = "shapes.txt";

std::string FormatShapeCatalogue(const std::vector<CatalogueEntry>& entries);

// Reads what FormatShapeCatalogue wrote. False for anything else (an unknown header, a line
// without its four fields, a glyph out of range, too many lines); `entries` is then empty.
bool ParseShapeCatalogue(const std::string& text, std::vector<CatalogueEntry>& entries);

// Reads the catalogue file of the installation at `path`; false when it is missing, too large
// or damaged.
bool ReadShapeCatalogue(const std::string& path, std::vector<CatalogueEntry>& entries);

// The texts of `shapes` in table order: from the catalogue where it names the shape, else the
// shape's code name without keywords.
std::vector<ShapeText> ShapeTextsFor(const std::vector<ShapeEntry>& shapes,
                                     const std::vector<CatalogueEntry>& catalogue);

// The texts of the loaded library's shape table, from the catalogue in `install_dir` (code
// names only when it is missing or damaged).
std::vector<ShapeText> LibraryShapeTexts(const std::string& install_dir);

}  // namespace qv
