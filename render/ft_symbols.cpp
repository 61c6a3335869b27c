#include <cstdint>
#include <unordered_set>

#include "app/guard.h"
#include "render/ft_text.h"

namespace qv {
namespace {

const AppendedShapeFace* AppendedEntry(const std::string& face_name,
                                       const std::vector<AppendedShapeFace>& table) {
    for (const AppendedShapeFace& entry : table) {
        if (face_name == entry.face) return &entry;
    }
    return nullptr;
}

// The glyphs `face` maps from the characters of `codes`; every glyph when `codes` is empty.
std::vector<bool> GlyphsFromCodes(FT_Face face, const std::vector<CodeRange>& codes) {
    const size_t count = face->num_glyphs > 0 ? static_cast<size_t>(face->num_glyphs) : 0;
    std::vector<bool> wanted(count, codes.empty());
    if (codes.empty()) return wanted;
    FT_UInt glyph = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0;
         code = FT_Get_Next_Char(face, code, &glyph)) {
        if (glyph >= count) continue;
        for (const CodeRange& range : codes) {
            if (code >= range.first && code <= range.last) wanted[glyph] = true;
        }
    }
    return wanted;
}

// A fingerprint of the glyph's outline in font units: two glyphs drawn alike have the same one.
uint64_t OutlineFingerprint(const FT_Outline& outline) {
    uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    for (int p = 0; p < outline.n_points; ++p) {
        mix(static_cast<uint64_t>(outline.points[p].x));
        mix(static_cast<uint64_t>(outline.points[p].y));
        mix(static_cast<uint64_t>(outline.tags[p] & 3));
    }
    for (int c = 0; c < outline.n_contours; ++c) mix(static_cast<uint64_t>(outline.contours[c]));
    return hash;
}

// Appends the shapes of one appended face in glyph order: visible, allowed and not a repeat.
bool AppendFaceShapes(FontRegistry& reg, const FontRecord& record, const AppendedShapeFace& entry,
                      const std::vector<SymbolExclusion>& exclusions) {
    FT_Face face = record.face;
    const std::vector<bool> wanted = GlyphsFromCodes(face, entry.codes);
    std::unordered_set<uint64_t> seen;
    for (int ngl = 1; ngl < face->num_glyphs; ++ngl) {
        if (!wanted[static_cast<size_t>(ngl)] || !SymGlyphAllowed(record.name, ngl, exclusions)) {
            continue;
        }
        if (FT_Load_Glyph(face, static_cast<FT_UInt>(ngl), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0 ||
            face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
            continue;
        }
        const FT_Glyph_Metrics& metrics = face->glyph->metrics;
        const FT_Outline& outline = face->glyph->outline;
        if (metrics.width == 0 || metrics.height == 0 || outline.n_points == 0) continue;
        if (!seen.insert(OutlineFingerprint(outline)).second) continue;
        if (!QV_CHECK_T("syms<10000", reg.shapes.size() < FontRegistry::kMaxShapes)) return false;
        reg.shapes.push_back(ShapeEntry{record.name, record.label, ngl});
    }
    return true;
}

}  // namespace

int FtText::PrepSymLib() {
    FontRegistry& reg = Registry();
    const std::vector<SymbolExclusion>& table =
        reg.exclusions ? *reg.exclusions : ShippedSymbolExclusions();
    const std::vector<AppendedShapeFace>& appended =
        reg.appended ? *reg.appended : ShippedAppendedShapeFaces();
    const int symfonts = reg.n_symfonts;

    // The size is per face and nothing else touches these faces while the table is built, so
    // it is set once rather than before every glyph.
    std::vector<bool> usable(static_cast<size_t>(symfonts), false);
    std::vector<const AppendedShapeFace*> later(static_cast<size_t>(symfonts), nullptr);
    for (int n = 0; n < symfonts; ++n) {
        const FontRecord& record = reg.fonts[static_cast<size_t>(n)];
        later[static_cast<size_t>(n)] = AppendedEntry(record.name, appended);
        if (later[static_cast<size_t>(n)]) continue;
        FT_Face face = record.face;
        FT_Set_Transform(face, nullptr, nullptr);
        usable[static_cast<size_t>(n)] =
            QV_FT_T("FT_Set_Pixel_Sizes(face,48,0)", FT_Set_Pixel_Sizes(face, 48, 0));
    }

    // Glyph-major, so that the shapes of the different fonts interleave.
    for (int ngl = 1;; ++ngl) {
        bool some_face_has_it = false;
        for (int n = 0; n < symfonts; ++n) {
            if (later[static_cast<size_t>(n)]) continue;
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

    for (int n = 0; n < symfonts; ++n) {
        const AppendedShapeFace* entry = later[static_cast<size_t>(n)];
        if (entry && !AppendFaceShapes(reg, reg.fonts[static_cast<size_t>(n)], *entry, table)) break;
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
