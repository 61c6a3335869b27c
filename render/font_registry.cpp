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
