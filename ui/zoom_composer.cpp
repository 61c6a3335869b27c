#include "ui/zoom_composer.h"

#include <algorithm>
#include <cmath>

#include "app/guard.h"
#include "app/memory_budget.h"
#include "output/logo_export.h"
#include "render/style_bounds.h"

namespace qv::ui {
namespace {

// A picture enlarged (or shrunk) to `scale` by taking the nearest source pixel, blended with
// its alpha; (cx, cy) is its centre in the window's pixels.
void BlitPictureScaled(const PixelBuffer& cust, float scale, long long cx, long long cy,
                       PixelBuffer& out) {
    const int bw = cust.width(), bh = cust.height();
    const long long sw = std::max<long long>(1, (long long)(bw * double(scale)));
    const long long sh = std::max<long long>(1, (long long)(bh * double(scale)));
    const long long left = cx - sw / 2, top = cy - sh / 2;
    const long long c0 = std::max(0LL, -left), c1 = std::min<long long>(sw, out.width() - left);
    const long long r0 = std::max(0LL, -top), r1 = std::min<long long>(sh, out.height() - top);
    for (long long r = r0; r < r1; ++r) {
        const long long sy = std::min<long long>(bh - 1, r * bh / sh);
        const uint32_t* src = cust.data() + size_t(sy) * size_t(bw);
        uint32_t* dst = out.data() + size_t(top + r) * size_t(out.width());
        for (long long c = c0; c < c1; ++c) {
            const uint32_t s = src[std::min<long long>(bw - 1, c * bw / sw)];
            uint32_t& d = dst[left + c];
            d = Blend(d, RedOf(s), GreenOf(s), BlueOf(s), s >> 24);
        }
    }
}

// Whether two records give the same rasters: the layout's fields and the effects mask's. The
// rest (colours, opacities, the shadow's offset, the gradient) only changes the blit, so a bar's
// colour or shadow slider does not render the object again.
bool SameRasters(const ObjStyle& a, const ObjStyle& b) {
    return a.str == b.str && a.font == b.font && a.glyph == b.glyph && a.size == b.size &&
           a.width == b.width && a.spacing == b.spacing && a.rotation == b.rotation &&
           a.bend == b.bend && a.aspect == b.aspect && a.bend_inside == b.bend_inside &&
           a.bend_on == b.bend_on && a.transform == b.transform && a.outline == b.outline &&
           a.shadow == b.shadow && a.strength == b.strength &&
           a.outline_sharpness == b.outline_sharpness;
}

}  // namespace

int ZoomComposer::ScaledSide(int logo_side, float scale) {
    const double side = double(std::max(logo_side, 0)) * double(scale);
    return side >= 1e9 ? 1000000000 : static_cast<int>(side);
}

FtText* ZoomComposer::RendererOf(int n, const LogoObj& o, float scale, uint64_t& budget) {
    if (cache_.size() <= size_t(n)) cache_.resize(size_t(n) + 1);
    Entry& e = cache_[size_t(n)];
    if (e.ft && e.scale == scale && SameRasters(e.lt, o.lt)) {
        const FtText::RasterCost cost = e.ft->Cost(o.lt);
        if (cost.kept > budget) return nullptr;
        budget -= cost.kept;
        return e.ft.get();
    }
    e.ft = std::make_unique<FtText>();
    e.ft->scale = scale;
    e.scale = scale;
    e.lt = o.lt;
    QV_CHECK_T("ft.Layout(lt,0,1)", e.ft->Layout(o.lt, 0, 1) == 0);
    const FtText::RasterCost cost = e.ft->Cost(o.lt);
    if (cost.peak > budget) {
        e.ft.reset();
        return nullptr;
    }
    QV_CHECK_T("ft.Render(lt,0,1)", e.ft->Rasterize(o.lt) == 0);
    budget -= std::min(budget, cost.kept);
    return e.ft.get();
}

bool ZoomComposer::ComposeObject(LogoObj& o, int slot, float scale, PixelBuffer& out) {
    if (!(scale > 0.0f) || !std::isfinite(scale) || out.empty() || slot < 0) return false;
    const int w = out.width(), h = out.height();
    if (o.type == LogoObj::kCustom) {
        if (o.cust.empty() && !o.LoadPixels()) return true;
        BlitPictureScaled(o.cust, scale, w / 2, h / 2, out);
        return true;
    }
    uint64_t budget = DefaultMemoryBudget();
    FtText* ft = RendererOf(slot, o, scale, budget);
    if (!ft) return false;
    QV_CHECK_T("ft.BltToBuf(lt,cdta,cdw,cdh,cdw/2,cdh/2,TRUE,TRUE)",
               ft->BltToBuf(o.lt, out.data(), w, h, w / 2, h / 2, true, true) == 0);
    return true;
}

bool ZoomComposer::Compose(LeFile& lf, float scale, int logo_w, int logo_h, int vx, int vy,
                           int vw, int vh, PixelBuffer& out) {
    if (!(scale > 0.0f) || !std::isfinite(scale) || vw <= 0 || vh <= 0) return false;
    // The zoomed rasters may take what a refresh may take, less the window itself.
    uint64_t budget = DefaultMemoryBudget();
    const uint64_t window_bytes = MulCost(uint64_t(vw) * uint64_t(vh), 4);
    if (window_bytes >= budget) return false;
    budget -= window_bytes;

    const int zw = ScaledSide(logo_w, scale), zh = ScaledSide(logo_h, scale);
    std::vector<FtText*> renderers(size_t(std::max(lf.objs, 0)), nullptr);
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        if (o->type == LogoObj::kCustom) {
            budget -= std::min(budget, MulCost(o->cust.size(), 4));
            continue;
        }
        renderers[size_t(n)] = RendererOf(n, *o, scale, budget);
        if (!renderers[size_t(n)]) return false;
    }
    if (cache_.size() > size_t(std::max(lf.objs, 0))) cache_.resize(size_t(std::max(lf.objs, 0)));

    // The window keeps its size while dragging: the buffer is reused rather than paged in anew.
    if ((out.empty() || out.width() != vw || out.height() != vh) && !out.Allocate(vw, vh))
        return false;
    out.Fill(HlsToPacked(lf.bgc));
    for (int n = 0; n < lf.objs; ++n) {
        LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        const long long cx = (long long)ScaledCentre(BoundedPosition(o->x), scale, zw) - vx;
        const long long cy = (long long)ScaledCentre(BoundedPosition(o->y), scale, zh) - vy;
        if (o->type == LogoObj::kCustom) {
            if (o->cust.empty() && !o->LoadPixels()) continue;
            BlitPictureScaled(o->cust, scale, cx, cy, out);
            continue;
        }
        if (cx < -1000000000LL || cx > 1000000000LL || cy < -1000000000LL || cy > 1000000000LL)
            continue;
        QV_CHECK_T("ft.BltToBuf(lt,dta,szx,szy,ox+dox,oy+doy,TRUE,TRUE)",
                   renderers[size_t(n)]->BltToBuf(o->lt, out.data(), vw, vh, int(cx), int(cy),
                                                  true, true) == 0);
    }
    return true;
}

}  // namespace qv::ui
