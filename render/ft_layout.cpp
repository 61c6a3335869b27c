#include <ft2build.h>
#include FT_GLYPH_H

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/guard.h"
#include "app/unicode_text.h"
#include "render/ft_text.h"
#include "render/text_shaping.h"

namespace qv {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;

FT_Matrix Rotation(double a) {
    FT_Matrix m;
    m.xx = static_cast<FT_Fixed>(std::cos(a) * 65536.0);
    m.xy = static_cast<FT_Fixed>(-std::sin(a) * 65536.0);
    m.yx = static_cast<FT_Fixed>(std::sin(a) * 65536.0);
    m.yy = m.xx;
    return m;
}

FT_Matrix MatrixOf(const GlyphPlacement& g) { return FT_Matrix{g.xx, g.xy, g.yx, g.yy}; }

}  // namespace

int FtText::PrepareStr(const ObjStyle& lt) {
    const bool shape = lt.glyph >= 0;
    std::u32string text;
    if (!shape) text = DecodeText(lt.str);
    // The limit counts characters, whatever their bytes.
    slen = shape ? 1 : static_cast<int>(std::min<size_t>(text.size(), 100000));
    // The bounded record never holds more; the check guards the fixed-size buffer below.
    if (!QV_CHECK_T("slen<500", slen < kMaxGlyphs)) slen = kMaxGlyphs - 1;

    if (slen == 0) {
        EmptyLayout();
        return 0;
    }
    text.resize(shape ? 0 : size_t(slen));
    std::vector<GlyphItem> items;
    if (shape) {
        GlyphItem item;
        item.index = static_cast<FT_UInt>(lt.glyph);
        items.push_back(item);
    } else {
        items = GlyphItemsOf(face, text, pixel_width, pixel_height);
    }
    // Shaping may give a few more glyphs than characters; the placements hold them all.
    const int count = static_cast<int>(std::min<size_t>(items.size(), 4 * kMaxGlyphs));
    if (gp.size() < static_cast<size_t>(count)) gp.resize(static_cast<size_t>(count));

    const bool transformed = lt.transform != 0;
    const bool bent = transformed && lt.bend_on != 0;
    const double a0 = transformed ? lt.rotation * kTwoPi : 0.0;
    const double dir = lt.bend_inside ? -1.0 : 1.0;
    const double radius = (std::exp(10.0 * (1.0 - lt.bend)) + 30.0) * scale;
    const double cx = dir * radius * std::sin(a0);
    const double cy = -dir * radius * std::cos(a0);
    const FT_Pos spacing = static_cast<FT_Pos>(static_cast<float>(lt.spacing) * scale * 64.0f);

    FT_Pos pen = 0;
    FT_UInt previ = 0;
    FT_Face prev_face = nullptr;
    std::vector<FT_Face> used{face};
    int minx = 10000, miny = 10000, maxx = -10000, maxy = -10000;
    int laid_out = 0;
    for (int n = 0; n < count; ++n) {
        GlyphPlacement& g = gp[size_t(n)];
        const GlyphItem& item = items[size_t(n)];
        FT_Face f = item.face ? item.face : face;
        g.face = item.face;
        if (item.face && std::find(used.begin(), used.end(), f) == used.end()) used.push_back(f);
        g.index = static_cast<int>(item.index);
        // A shape glyph the face does not have (a damaged file, or a face that fell back) is
        // drawn as the face's glyph 0, as a character it lacks is.
        if (g.index < 0 || g.index >= f->num_glyphs) g.index = 0;
        const FT_UInt index = static_cast<FT_UInt>(g.index);
        FT_Pos adv = 0;
        if (!item.shaped) {
            if (previ != 0 && index != 0) {
                // Kerning pairs belong to one face.
                if (FT_HAS_KERNING(f) && f == prev_face) {
                    FT_Set_Transform(f, nullptr, nullptr);
                    FT_Vector delta{0, 0};
                    QV_FT_T("FT_Get_Kerning(face,previ,gp[n].index,FT_KERNING_UNFITTED,&delta)",
                            FT_Get_Kerning(f, previ, index, FT_KERNING_UNFITTED, &delta));
                    pen += delta.x;
                }
                pen += spacing;
            }
            // The advance is untransformed, whatever transform the face still has.
            if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_DEFAULT)",
                         FT_Load_Glyph(f, index, LoadFlagsFor(item.face != nullptr)))) {
                break;
            }
            adv = f->glyph->metrics.horiAdvance;
        } else {
            // Spacing goes between clusters, never inside one (a base and its marks).
            if (previ != 0 && index != 0 && item.cluster_start) pen += spacing;
            adv = item.advance;
        }

        double a = a0;
        if (item.shaped) {
            // The shaper's offsets: along the line, and up from the baseline.
            const FT_Pos along = pen + item.dx;
            const double up = item.dy / 64.0;
            if (bent) {
                const double phi = a0 - dir * (along / 64.0) / radius + dir * kHalfPi;
                a = a0 - dir * ((pen + adv / 2.0) / 64.0) / radius;
                g.x = static_cast<int>(radius * std::cos(phi) + cx - up * std::sin(a));
                g.y = static_cast<int>(radius * std::sin(phi) + cy + up * std::cos(a));
            } else {
                g.x = static_cast<int>((along * std::cos(a0)) / 64.0 - up * std::sin(a0));
                g.y = static_cast<int>((along * std::sin(a0)) / 64.0 + up * std::cos(a0));
            }
        } else if (bent) {
            const double phi = a0 - dir * (pen / 64.0) / radius + dir * kHalfPi;
            g.x = static_cast<int>(radius * std::cos(phi) + cx);
            g.y = static_cast<int>(radius * std::sin(phi) + cy);
            a = a0 - dir * ((pen + adv / 2.0) / 64.0) / radius;
        } else {
            g.x = static_cast<int>(pen * std::cos(a0) / 64.0);
            g.y = static_cast<int>(pen * std::sin(a0) / 64.0);
        }
        FT_Matrix m = Rotation(a);
        g.xx = m.xx;
        g.xy = m.xy;
        g.yx = m.yx;
        g.yy = m.yy;

        FT_Set_Transform(f, &m, nullptr);
        if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_DEFAULT)",
                     FT_Load_Glyph(f, index, LoadFlagsFor(item.face != nullptr)))) {
            break;
        }
        FT_Glyph glyph = nullptr;
        if (!QV_FT_T("FT_Get_Glyph(face->glyph,&glyph)", FT_Get_Glyph(f->glyph, &glyph))) break;
        FT_BBox box;
        FT_Glyph_Get_CBox(glyph, FT_GLYPH_BBOX_PIXELS, &box);
        FT_Done_Glyph(glyph);
        minx = std::min(minx, g.x + static_cast<int>(box.xMin));
        maxx = std::max(maxx, g.x + static_cast<int>(box.xMax));
        miny = std::min(miny, g.y + static_cast<int>(box.yMin));
        maxy = std::max(maxy, g.y + static_cast<int>(box.yMax));
        QV_CHECK_T("minx<=maxx && miny<=maxy", minx <= maxx && miny <= maxy);
        // A line that runs thousands of pixels off stops where it leaves the bound.
        if (!QV_CHECK_T("minx>5000 || miny>5000 || maxx<-5000 || maxy<-5000",
                        !(minx > 5000 || miny > 5000 || maxx < -5000 || maxy < -5000))) {
            break;
        }
        pen += adv;
        previ = index;
        prev_face = f;
        laid_out = n + 1;
    }
    // Faces are shared: leave every face used as other callers expect to find it.
    for (FT_Face u : used) FT_Set_Transform(u, nullptr, nullptr);
    slen = laid_out;
    run = pen / 64.0;
    bend_radius = bent ? radius : 0.0;
    if (slen == 0) {
        EmptyLayout();
        return 0;
    }

    margin = effects ? 10 : 1;
    szx = 2 * margin + maxx - minx;
    szy = 2 * margin + maxy - miny;
    orgx = margin - minx;
    orgy = margin + maxy;
    for (int n = 0; n < slen; ++n) {
        gp[size_t(n)].x = gp[size_t(n)].x + margin - minx;
        gp[size_t(n)].y = margin + maxy - gp[size_t(n)].y;
    }
    return 0;
}

int FtText::RenderStr(const ObjStyle&) {
    std::vector<FT_Face> used{face};
    for (int n = 0; n < slen; ++n) {
        const GlyphPlacement& g = gp[size_t(n)];
        FT_Face f = g.face ? g.face : face;
        if (g.face) {
            // A fallback face is drawn at the layout's size, which another layout may have
            // changed since.
            if (!UseFaceSize(f, pixel_width, pixel_height)) continue;
            if (std::find(used.begin(), used.end(), f) == used.end()) used.push_back(f);
        }
        FT_Matrix m = MatrixOf(g);
        FT_Set_Transform(f, &m, nullptr);
        if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_RENDER)",
                     FT_Load_Glyph(f, static_cast<FT_UInt>(g.index),
                                   LoadFlagsFor(g.face != nullptr) | FT_LOAD_RENDER))) {
            continue;
        }
        const FT_Bitmap* bitmap = &f->glyph->bitmap;
        const int ox = g.x + f->glyph->bitmap_left;
        const int oy = g.y - f->glyph->bitmap_top;
        const int bw = static_cast<int>(bitmap->width);
        const int bh = static_cast<int>(bitmap->rows);
        // A glyph that would fall outside the raster is reported and skipped.
        if (!QV_CHECK_T("ox<0 || oy<0 || ox+bitmap->width>szx || oy+bitmap->rows>szy",
                        !(ox < 0 || oy < 0 || ox + bw > szx || oy + bh > szy))) {
            continue;
        }
        const bool mono = bitmap->pixel_mode == FT_PIXEL_MODE_MONO;
        if (!mono && bitmap->pixel_mode != FT_PIXEL_MODE_GRAY) continue;
        const int pitch = bitmap->pitch;
        for (int r = 0; r < bh; ++r) {
            // A negative pitch means the buffer starts with the bottom row.
            const unsigned char* src =
                pitch >= 0 ? bitmap->buffer + size_t(r) * size_t(pitch)
                           : bitmap->buffer + size_t(bh - 1 - r) * size_t(-pitch);
            uint8_t* dst = raster.data() + size_t(oy + r) * size_t(szx) + size_t(ox);
            for (int c = 0; c < bw; ++c) {
                const uint8_t v = mono ? ((src[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0) : src[c];
                if (v > dst[c]) dst[c] = v;
            }
        }
    }
    for (FT_Face u : used) FT_Set_Transform(u, nullptr, nullptr);
    return 0;
}

}  // namespace qv
