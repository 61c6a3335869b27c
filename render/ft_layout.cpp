#include <ft2build.h>
#include FT_GLYPH_H

#include <algorithm>
#include <cmath>

#include "app/codepage1252.h"
#include "app/guard.h"
#include "render/ft_text.h"

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
    slen = shape ? 1 : static_cast<int>(std::min<size_t>(lt.str.size(), 100000));
    // The bounded record never holds more; the check guards the fixed-size buffer below.
    if (!QV_CHECK_T("slen<500", slen < kMaxGlyphs)) slen = kMaxGlyphs - 1;

    if (slen == 0) {
        EmptyLayout();
        return 0;
    }
    if (gp.size() < static_cast<size_t>(slen)) gp.resize(static_cast<size_t>(slen));
    char16_t str2[kMaxGlyphs];
    QV_CHECK_T("MultiByteToWideChar(1252,0,lt.str,slen,&str2[0],500)", [&] {
        for (int n = 0; n < slen && !shape; ++n) {
            str2[n] = Cp1252ToUnicode(static_cast<unsigned char>(lt.str[size_t(n)]));
        }
        return true;
    }());

    const bool transformed = lt.transform != 0;
    const bool bent = transformed && lt.bend_on != 0;
    const double a0 = transformed ? lt.rotation * kTwoPi : 0.0;
    const double dir = lt.bend_inside ? -1.0 : 1.0;
    const double radius = (std::exp(10.0 * (1.0 - lt.bend)) + 30.0) * scale;
    const double cx = dir * radius * std::sin(a0);
    const double cy = -dir * radius * std::cos(a0);
    const bool kerning = FT_HAS_KERNING(face);
    const FT_Pos spacing = static_cast<FT_Pos>(static_cast<float>(lt.spacing) * scale * 64.0f);

    FT_Pos pen = 0;
    FT_UInt previ = 0;
    int minx = 10000, miny = 10000, maxx = -10000, maxy = -10000;
    int laid_out = 0;
    for (int n = 0; n < slen; ++n) {
        GlyphPlacement& g = gp[size_t(n)];
        g.index = shape ? lt.glyph : static_cast<int>(FT_Get_Char_Index(face, str2[n]));
        // A shape glyph the face does not have (a damaged file, or a face that fell back) is
        // drawn as the face's glyph 0, as a character it lacks is.
        if (g.index < 0 || g.index >= face->num_glyphs) g.index = 0;
        const FT_UInt index = static_cast<FT_UInt>(g.index);
        if (previ != 0 && index != 0) {
            if (kerning) {
                FT_Set_Transform(face, nullptr, nullptr);
                FT_Vector delta{0, 0};
                QV_FT_T("FT_Get_Kerning(face,previ,gp[n].index,FT_KERNING_UNFITTED,&delta)",
                        FT_Get_Kerning(face, previ, index, FT_KERNING_UNFITTED, &delta));
                pen += delta.x;
            }
            pen += spacing;
        }
        if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_DEFAULT)",
                     FT_Load_Glyph(face, index, FT_LOAD_DEFAULT))) {
            break;
        }
        const FT_Pos adv = face->glyph->metrics.horiAdvance;

        double a = a0;
        if (bent) {
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

        FT_Set_Transform(face, &m, nullptr);
        if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_DEFAULT)",
                     FT_Load_Glyph(face, index, FT_LOAD_DEFAULT))) {
            break;
        }
        FT_Glyph glyph = nullptr;
        if (!QV_FT_T("FT_Get_Glyph(face->glyph,&glyph)", FT_Get_Glyph(face->glyph, &glyph))) break;
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
        laid_out = n + 1;
    }
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
    for (int n = 0; n < slen; ++n) {
        const GlyphPlacement& g = gp[size_t(n)];
        FT_Matrix m = MatrixOf(g);
        FT_Set_Transform(face, &m, nullptr);
        if (!QV_FT_T("FT_Load_Glyph(face,gp[n].index,FT_LOAD_RENDER)",
                     FT_Load_Glyph(face, static_cast<FT_UInt>(g.index), FT_LOAD_RENDER))) {
            continue;
        }
        const FT_Bitmap* bitmap = &face->glyph->bitmap;
        const int ox = g.x + face->glyph->bitmap_left;
        const int oy = g.y - face->glyph->bitmap_top;
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
    return 0;
}

}  // namespace qv
