#include "render/text_shaping.h"

#include <fribidi.h>
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <map>
#include <memory>

#include "render/fallback_faces.h"

namespace qv {
namespace {

struct FontRelease {
    void operator()(hb_font_t* font) const { hb_font_destroy(font); }
};
using ShapingFontPtr = std::unique_ptr<hb_font_t, FontRelease>;

// The shaper's font for each face, made once: building one parses the face's layout tables.
// The map owns them, so that they go with it at exit rather than leak.
std::map<FT_Face, ShapingFontPtr>& ShapingFonts() {
    static std::map<FT_Face, ShapingFontPtr> fonts;
    return fonts;
}

hb_font_t* ShapingFont(FT_Face face, bool fallback) {
    auto& fonts = ShapingFonts();
    auto found = fonts.find(face);
    hb_font_t* font = nullptr;
    if (found != fonts.end()) {
        font = found->second.get();
    } else {
        ShapingFontPtr made(hb_ft_font_create(face, nullptr));
        if (!made) return nullptr;
        font = made.get();
        // Advances as the layout loads the face's glyphs.
        hb_ft_font_set_load_flags(font, LoadFlagsFor(fallback));
        fonts[face] = std::move(made);
    }
    // The face's size is shared and set by every layout: read it afresh.
    hb_ft_font_changed(font);
    return font;
}

bool IsComplexScript(hb_script_t script) {
    switch (script) {
        case HB_SCRIPT_ARABIC: case HB_SCRIPT_HEBREW: case HB_SCRIPT_SYRIAC:
        case HB_SCRIPT_THAANA: case HB_SCRIPT_NKO: case HB_SCRIPT_DEVANAGARI:
        case HB_SCRIPT_BENGALI: case HB_SCRIPT_GURMUKHI: case HB_SCRIPT_GUJARATI:
        case HB_SCRIPT_ORIYA: case HB_SCRIPT_TAMIL: case HB_SCRIPT_TELUGU:
        case HB_SCRIPT_KANNADA: case HB_SCRIPT_MALAYALAM: case HB_SCRIPT_SINHALA:
        case HB_SCRIPT_THAI: case HB_SCRIPT_LAO: case HB_SCRIPT_TIBETAN:
        case HB_SCRIPT_MYANMAR: case HB_SCRIPT_KHMER: case HB_SCRIPT_MONGOLIAN:
        case HB_SCRIPT_JAVANESE: case HB_SCRIPT_BALINESE:
            return true;
        default:
            return false;
    }
}

bool IsNeutralScript(hb_script_t script) {
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
           script == HB_SCRIPT_UNKNOWN;
}

hb_script_t ScriptOf(char32_t cp) {
    return hb_unicode_script(hb_unicode_funcs_get_default(), cp);
}

bool IsRightToLeft(char32_t cp) {
    const FriBidiCharType type = fribidi_get_bidi_type(cp);
    return type == FRIBIDI_TYPE_RTL || type == FRIBIDI_TYPE_AL;
}

// The face for one character: the chosen face when it has it (or when the character keeps
// its code page look), else the first fallback face that has it.
FT_Face FaceFor(FT_Face face, char32_t cp) {
    if (FT_Get_Char_Index(face, cp) != 0 || !MayFallBack(cp)) return face;
    FT_UInt index = 0;
    FT_Face fallback = FallbackFaceFor(cp, index);
    return fallback ? fallback : face;
}

struct Run {
    size_t start = 0;
    size_t length = 0;
    FriBidiLevel level = 0;
    FT_Face face = nullptr;
    hb_script_t script = HB_SCRIPT_COMMON;
};

void AddPerCharacter(std::vector<GlyphItem>& items, FT_Face layout_face, FT_Face face,
                     const std::u32string& text, size_t start, size_t length) {
    for (size_t i = start; i < start + length; ++i) {
        GlyphItem item;
        item.face = face == layout_face ? nullptr : face;
        item.index = FT_Get_Char_Index(face, text[i]);
        items.push_back(item);
    }
}

// Shapes one run; false when the shaper cannot work with the face.
bool AddShaped(std::vector<GlyphItem>& items, FT_Face layout_face, const Run& run,
               const std::u32string& text) {
    hb_font_t* font = ShapingFont(run.face, run.face != layout_face);
    if (!font) return false;
    hb_buffer_t* buffer = hb_buffer_create();
    if (!hb_buffer_allocation_successful(buffer)) {
        hb_buffer_destroy(buffer);
        return false;
    }
    hb_buffer_add_codepoints(buffer, reinterpret_cast<const hb_codepoint_t*>(text.data()),
                             static_cast<int>(text.size()), static_cast<unsigned>(run.start),
                             static_cast<int>(run.length));
    hb_buffer_set_direction(buffer, (run.level & 1) ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, run.script);
    hb_buffer_set_language(buffer, hb_language_get_default());
    // Advances are read untransformed; the layout sets each glyph's transform afterwards.
    FT_Set_Transform(run.face, nullptr, nullptr);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned g = 0; g < count; ++g) {
        GlyphItem item;
        item.face = run.face == layout_face ? nullptr : run.face;
        item.index = info[g].codepoint;
        item.shaped = true;
        item.cluster_start = g == 0 || info[g].cluster != info[g - 1].cluster;
        item.advance = pos[g].x_advance;
        item.dx = pos[g].x_offset;
        item.dy = pos[g].y_offset;
        items.push_back(item);
    }
    hb_buffer_destroy(buffer);
    return true;
}

// Embedding levels by the bidirectional algorithm, the paragraph's direction taken from its
// first strong character. All zero when the algorithm fails.
std::vector<FriBidiLevel> LevelsOf(const std::u32string& text) {
    const auto n = static_cast<FriBidiStrIndex>(text.size());
    std::vector<FriBidiChar> chars(text.begin(), text.end());
    std::vector<FriBidiCharType> types(text.size());
    std::vector<FriBidiBracketType> brackets(text.size());
    std::vector<FriBidiLevel> levels(text.size(), 0);
    fribidi_get_bidi_types(chars.data(), n, types.data());
    fribidi_get_bracket_types(chars.data(), n, types.data(), brackets.data());
    FriBidiParType base = FRIBIDI_PAR_ON;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), n, &base, levels.data()) == 0) {
        std::fill(levels.begin(), levels.end(), 0);
    }
    return levels;
}

// Runs of one level, face and script, in logical order.
std::vector<Run> RunsOf(FT_Face face, const std::u32string& text) {
    const std::vector<FriBidiLevel> levels = LevelsOf(text);
    std::vector<hb_script_t> scripts(text.size());
    for (size_t i = 0; i < text.size(); ++i) scripts[i] = ScriptOf(text[i]);
    // Spaces, digits and marks belong to the script around them: the one before, or for a
    // line that begins with them, the first one after.
    hb_script_t last = HB_SCRIPT_COMMON;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsNeutralScript(scripts[i])) {
            scripts[i] = last;
        } else {
            last = scripts[i];
        }
    }
    for (size_t i = text.size(); i-- > 0;) {
        if (IsNeutralScript(scripts[i])) {
            scripts[i] = last;
        } else {
            last = scripts[i];
        }
    }
    std::vector<Run> runs;
    FT_Face previous = nullptr;
    for (size_t i = 0; i < text.size(); ++i) {
        // A neutral character stays in the face before it when that face has it, so a mark or
        // a space does not break a run that is shaped together.
        FT_Face f = nullptr;
        if (previous && IsNeutralScript(ScriptOf(text[i])) && FT_Get_Char_Index(previous, text[i]) != 0) {
            f = previous;
        } else {
            f = FaceFor(face, text[i]);
        }
        previous = f;
        if (!runs.empty() && runs.back().level == levels[i] && runs.back().face == f &&
            runs.back().script == scripts[i]) {
            ++runs.back().length;
        } else {
            runs.push_back({i, 1, levels[i], f, scripts[i]});
        }
    }
    return runs;
}

// Runs from left to right: from the highest level down to the lowest odd one, every sequence
// of runs at that level or above is reversed.
void ToVisualOrder(std::vector<Run>& runs) {
    FriBidiLevel highest = 0, lowest_odd = 255;
    for (const Run& run : runs) {
        highest = std::max(highest, run.level);
        if (run.level & 1) lowest_odd = std::min(lowest_odd, run.level);
    }
    for (int level = highest; level >= lowest_odd && level > 0; --level) {
        for (size_t i = 0; i < runs.size();) {
            if (runs[i].level < level) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < runs.size() && runs[end].level >= level) ++end;
            std::reverse(runs.begin() + static_cast<long>(i), runs.begin() + static_cast<long>(end));
            i = end;
        }
    }
}

}  // namespace

bool UseFaceSize(FT_Face face, int width, int height) {
    if (face->size && face->size->metrics.x_ppem == width && face->size->metrics.y_ppem == height) {
        return true;
    }
    return FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(width), static_cast<FT_UInt>(height)) == 0;
}

bool NeedsShaping(const std::u32string& text) {
    for (char32_t cp : text) {
        if (cp < 0x100) continue;
        if (IsRightToLeft(cp) || IsComplexScript(ScriptOf(cp))) return true;
    }
    return false;
}

std::vector<GlyphItem> GlyphItemsOf(FT_Face face, const std::u32string& text, int width,
                                    int height) {
    std::vector<GlyphItem> items;
    items.reserve(text.size());
    if (!NeedsShaping(text)) {
        for (char32_t cp : text) {
            GlyphItem item;
            item.index = FT_Get_Char_Index(face, cp);
            if (item.index == 0 && MayFallBack(cp)) {
                FT_UInt index = 0;
                if (FT_Face fallback = FallbackFaceFor(cp, index); fallback && UseFaceSize(fallback, width, height)) {
                    item.face = fallback;
                    item.index = index;
                }
            }
            items.push_back(item);
        }
        return items;
    }
    std::vector<Run> runs = RunsOf(face, text);
    ToVisualOrder(runs);
    for (const Run& run : runs) {
        if (!UseFaceSize(run.face, width, height)) {
            AddPerCharacter(items, face, face, text, run.start, run.length);
            continue;
        }
        const bool shaped = IsComplexScript(run.script) || (run.level & 1);
        if (shaped && AddShaped(items, face, run, text)) continue;
        // Left to right without joining, or a face the shaper cannot read: one glyph per
        // character, in reading order for a right-to-left run.
        if (run.level & 1) {
            for (size_t i = run.start + run.length; i-- > run.start;) {
                AddPerCharacter(items, face, run.face, text, i, 1);
            }
        } else {
            AddPerCharacter(items, face, run.face, text, run.start, run.length);
        }
    }
    return items;
}

void ForgetShapingFonts() { ShapingFonts().clear(); }

}  // namespace qv
