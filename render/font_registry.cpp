#include "render/font_registry.h"

#include <cctype>

namespace qv {

FontRegistry& Registry() {
    static FontRegistry registry;
    return registry;
}

const std::vector<SymbolExclusion>& ShippedSymbolExclusions() {
    static const std::vector<SymbolExclusion> table = {
#include "render/symbol_exclusions.inc"
    };
    return table;
}

const std::vector<AppendedShapeFace>& ShippedAppendedShapeFaces() {
    // Symbola covers every script; only its symbol and picture blocks are shapes.
    static const std::vector<AppendedShapeFace> table = {
        {"forkawesome Regular", {}},
        {"Material Icons Regular", {}},
        {"Symbola Regular",
         {{0x2190, 0x21FF}, {0x2300, 0x23FF}, {0x2460, 0x24FF}, {0x25A0, 0x27BF},
          {0x2900, 0x297F}, {0x2B00, 0x2BFF}, {0x1F000, 0x1F0FF}, {0x1F300, 0x1F6FF},
          {0x1F700, 0x1F7FF}, {0x1F800, 0x1F8FF}, {0x1F900, 0x1F9FF}}},
    };
    return table;
}

bool SymGlyphAllowed(const std::string& face_name, int glyph,
                     const std::vector<SymbolExclusion>& table) {
    for (const SymbolExclusion& entry : table) {
        if (face_name != entry.face) continue;
        for (const GlyphRange& range : entry.glyphs) {
            if (glyph >= range.first && glyph <= range.last) return false;
        }
    }
    return true;
}

const char* const kFontCategoryNames[FontRegistry::kCategories] = {
    "A - A", "B - B", "C - C", "D - E", "F - G", "H - J",
    "K - L", "M - O", "P - R", "S - S", "T - Z",
};

int FontCategoryForName(const std::string& name) {
    if (name.empty()) return 0;
    const int c = std::toupper(static_cast<unsigned char>(name[0]));
    if (c < 'A' || c > 'Z') return 0;
    // The first letter of each tab after A.
    static const char kFirst[FontRegistry::kCategories] = {'A', 'B', 'C', 'D', 'F', 'H',
                                                          'K', 'M', 'P', 'S', 'T'};
    int category = 0;
    for (int i = 0; i < FontRegistry::kCategories; ++i) {
        if (c >= kFirst[i]) category = i;
    }
    return category;
}

}  // namespace qv
