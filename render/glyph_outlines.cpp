#include "render/glyph_outlines.h"

#include <ft2build.h>
#include FT_OUTLINE_H

#include <algorithm>

#include "render/text_shaping.h"

namespace qv {
namespace {

struct Decomposer {
    std::vector<PathSegment>* out;
    double gx;  // the glyph's raster column and row
    double gy;
    bool open = false;

    double X(const FT_Vector* v) const { return gx + static_cast<double>(v->x) / 64.0; }
    double Y(const FT_Vector* v) const { return gy - static_cast<double>(v->y) / 64.0; }
};

int MoveTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    if (d->open) d->out->push_back({PathSegment::Kind::kClose});
    PathSegment s;
    s.kind = PathSegment::Kind::kMove;
    s.x = d->X(to);
    s.y = d->Y(to);
    d->out->push_back(s);
    d->open = true;
    return 0;
}

int LineTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathSegment s;
    s.kind = PathSegment::Kind::kLine;
    s.x = d->X(to);
    s.y = d->Y(to);
    d->out->push_back(s);
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathSegment s;
    s.kind = PathSegment::Kind::kConic;
    s.c1x = d->X(control);
    s.c1y = d->Y(control);
    s.x = d->X(to);
    s.y = d->Y(to);
    d->out->push_back(s);
    return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    PathSegment s;
    s.kind = PathSegment::Kind::kCubic;
    s.c1x = d->X(c1);
    s.c1y = d->Y(c1);
    s.c2x = d->X(c2);
    s.c2y = d->Y(c2);
    s.x = d->X(to);
    s.y = d->Y(to);
    d->out->push_back(s);
    return 0;
}

}  // namespace

GlyphOutlines OutlinesOf(const TextLayout& layout) {
    GlyphOutlines result;
    FT_Face face = layout.face;
    if (!face || layout.too_large || layout.slen <= 0) return result;
    // Faces are shared: set exactly what this layout was made with, and leave the faces as every
    // other caller expects to find them.
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(layout.pixel_width),
                           static_cast<FT_UInt>(layout.pixel_height)) != 0) {
        return result;
    }
    std::vector<FT_Face> used{face};
    const FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    for (int n = 0; n < layout.slen && size_t(n) < layout.gp.size(); ++n) {
        const GlyphPlacement& g = layout.gp[size_t(n)];
        FT_Face f = g.face ? g.face : face;
        if (g.face) {
            if (!UseFaceSize(f, layout.pixel_width, layout.pixel_height)) continue;
            if (std::find(used.begin(), used.end(), f) == used.end()) used.push_back(f);
        }
        FT_Matrix m{g.xx, g.xy, g.yx, g.yy};
        FT_Set_Transform(f, &m, nullptr);
        if (FT_Load_Glyph(f, static_cast<FT_UInt>(g.index), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) {
            continue;
        }
        if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE) continue;
        FT_Outline& outline = f->glyph->outline;
        if (outline.flags & FT_OUTLINE_EVEN_ODD_FILL) result.even_odd = true;
        Decomposer d{&result.segments, static_cast<double>(g.x), static_cast<double>(g.y)};
        if (FT_Outline_Decompose(&outline, &funcs, &d) != 0) continue;
        if (d.open) result.segments.push_back({PathSegment::Kind::kClose});
    }
    for (FT_Face u : used) FT_Set_Transform(u, nullptr, nullptr);
    return result;
}

}  // namespace qv
