#include "app/guard.h"
#include "render/ft_text.h"

namespace qv {

int FtText::PrepSymLib() {
    FontRegistry& reg = Registry();
    const std::vector<SymbolExclusion>& table =
        reg.exclusions ? *reg.exclusions : ShippedSymbolExclusions();
    const int symfonts = reg.n_symfonts;

    // The size is per face and nothing else touches these faces while the table is built, so
    // it is set once rather than before every glyph.
    std::vector<bool> usable(static_cast<size_t>(symfonts), false);
    for (int n = 0; n < symfonts; ++n) {
        FT_Face face = reg.fonts[static_cast<size_t>(n)].face;
        FT_Set_Transform(face, nullptr, nullptr);
        usable[static_cast<size_t>(n)] =
            QV_FT_T("FT_Set_Pixel_Sizes(face,48,0)", FT_Set_Pixel_Sizes(face, 48, 0));
    }

    // Glyph-major, so that the shapes of the different fonts interleave.
    for (int ngl = 1;; ++ngl) {
        bool some_face_has_it = false;
        for (int n = 0; n < symfonts; ++n) {
            const FontRecord& record = reg.fonts[static_cast<size_t>(n)];
            FT_Face face = record.face;
            if (ngl >= face->num_glyphs) continue;
            some_face_has_it = true;
            if (!usable[static_cast<size_t>(n)] || !SymGlyphAllowed(record.name, ngl, table)) {
                continue;
            }
            if (!QV_FT_T("FT_Load_Glyph(face,ngl,FT_LOAD_DEFAULT)",
                         FT_Load_Glyph(face, static_cast<FT_UInt>(ngl), FT_LOAD_DEFAULT))) {
                continue;
            }
            const FT_Glyph_Metrics& metrics = face->glyph->metrics;
            if (metrics.width == 0 || metrics.height == 0) continue;
            if (!QV_CHECK_T("syms<10000", reg.shapes.size() < FontRegistry::kMaxShapes)) return 0;
            reg.shapes.push_back(ShapeEntry{record.name, record.label, ngl});
        }
        if (!some_face_has_it) break;
    }
    return 0;
}

int FtText::GetSym(int n, std::string& name, std::string& label, int& glyph) {
    if (!QV_CHECK_T("n<syms", n >= 0 && n < ShapeCount())) return 0;
    const ShapeEntry& entry = Registry().shapes[static_cast<size_t>(n)];
    name = entry.name;
    label = entry.label;
    glyph = entry.glyph;
    return 0;
}

}  // namespace qv
