#include <algorithm>
#include <cstdlib>

#include "app/guard.h"
#include "app/memory_budget.h"
#include "app/user_message.h"
#include "document/colour_model.h"
#include "document/le_file.h"
#include "render/arc_centre.h"
#include "render/pixel_buffer.h"
#include "render/style_bounds.h"

namespace qv {

int LeFile::Update(int w, int h, int preview_w, int preview_h) {
    return Update(w, h, preview_w, preview_h, DefaultMemoryBudget());
}

uint64_t LeFile::LayOutObjects(uint64_t budget) {
    uint64_t kept = 0;
    uint64_t working = 0;  // the most any one rasterisation holds beyond what it keeps
    for (int n = 0; n < objs; ++n) {
        if (!QV_CHECK_T("obj[n]!=NULL", obj[n] != nullptr)) continue;
        LogoObj& o = *obj[n];
        if (o.type == LogoObj::kCustom) {
            // Pictures are decoded on first use; the decoder holds each to its own limits.
            if (o.cust.empty() && kept < budget) o.LoadPixels();
            kept = AddCost(kept, MulCost(o.cust.size(), sizeof(uint32_t)));
            continue;
        }
        QV_CHECK_T("ft.Layout(lt,0,1)", o.ft.Layout(o.lt, 0, 1) == 0);
        if (o.centre_on_arc && o.lt.transform != 0 && o.lt.bend_on != 0) {
            // Whatever changed the run (text, face, size, spacing, aspect, bend), the middle
            // of the line goes back to the top of its circle; the layout is made again only
            // when the rotation moved.
            const std::optional<float> r = CentredArcRotation(o.ft.layout(), o.lt.bend_inside != 0);
            if (r && *r != o.lt.rotation) {
                o.lt.rotation = *r;
                QV_CHECK_T("ft.Layout(lt,0,1)", o.ft.Layout(o.lt, 0, 1) == 0);
            }
        }
        const FtText::RasterCost cost = o.ft.Cost(o.lt);
        kept = AddCost(kept, cost.kept);
        working = std::max(working, cost.peak - cost.kept);
        o.w = o.ft.szx;
        o.h = o.ft.szy;
    }
    return AddCost(kept, working);
}

int LeFile::Update(int w, int h, int preview_w, int preview_h, uint64_t budget) {
    if (w < 10 || h < 10) return 0;
    if (preview_w > 0) ob.cdw = preview_w;
    if (preview_h > 0) ob.cdh = preview_h;
    const uint32_t background = HlsToPacked(bgc);

    // A buffer that cannot be allocated is left empty, and whatever would be drawn into it is
    // skipped.
    const auto allocate_buffers = [&] {
        if (ob.dta.Allocate(ob.dw, ob.dh)) ob.dta.Fill(background);
        if (ob.cdta.Allocate(ob.cdw, ob.cdh)) {
            ob.cdta.FillCheckerboard(kPreviewChessA, kPreviewChessB);
        }
    };
    const auto buffer_cost = [&] {
        return AddCost(MulCost(uint64_t(std::max(ob.dw, 0)) * uint64_t(std::max(ob.dh, 0)), 4),
                       MulCost(uint64_t(std::max(ob.cdw, 0)) * uint64_t(std::max(ob.cdh, 0)), 4));
    };

    if (objs <= 0) {
        ob.dw = w / 2;
        ob.dh = h / 2;
        allocate_buffers();
        return 0;
    }

    // Every object is laid out before any raster is allocated, so that a logo that would need
    // more memory than the machine can spare is refused before it is drawn.
    const uint64_t rasters = LayOutObjects(budget);

    int maxx = 0, maxy = 0;
    for (int n = 0; n < objs; ++n) {
        if (!obj[n]) continue;
        const LogoObj& o = *obj[n];
        const int ow = BoundedExtent(o.w);
        const int oh = BoundedExtent(o.h);
        const int left = BoundedPosition(o.x) - ow / 2;
        const int top = BoundedPosition(o.y) - oh / 2;
        maxx = std::max({maxx, std::abs(left), std::abs(left + ow)});
        maxy = std::max({maxy, std::abs(top), std::abs(top + oh)});
    }

    // Halfway between the logo's own extent and the whole canvas, always even.
    const int hw = w / 2;
    const int hh = h / 2;
    maxx = std::min(maxx, hw);
    maxy = std::min(maxy, hh);
    int dox = (hw + maxx) / 2;
    int doy = (hh + maxy) / 2;
    ob.dw = 2 * dox;
    ob.dh = 2 * doy;
    if (fixed) {
        // A canvas size read from a damaged file must not ask for a negative or huge buffer.
        const int fw = BoundedCanvasSide(cw);
        const int fh = BoundedCanvasSide(ch);
        ob.dw = std::min(w, fw);
        ob.dh = std::min(h, fh);
        dox = fw / 2;
        doy = fh / 2;
    }

    if (AddCost(rasters, buffer_cost()) > budget) {
        // Nothing is drawn; the message comes once, not again on every refresh while the logo
        // stays too large.
        for (int n = 0; n < objs; ++n) {
            if (!obj[n]) continue;
            obj[n]->ft.FreeRasters();
            obj[n]->cust.Free();
        }
        if (buffer_cost() <= budget) {
            allocate_buffers();
        } else {
            ob.dta.Free();
            ob.cdta.Free();
        }
        if (!ob.over_budget) ShowMessage(kOutOfMemory);
        ob.over_budget = true;
        return 0;
    }
    ob.over_budget = false;

    for (int n = 0; n < objs; ++n) {
        if (!obj[n] || obj[n]->type == LogoObj::kCustom) continue;
        LogoObj& o = *obj[n];
        QV_CHECK_T("ft.Render(lt,0,1)", o.ft.Rasterize(o.lt) == 0);
    }
    allocate_buffers();

    if (!ob.dta.empty()) {
        uint32_t* dta = ob.dta.data();
        const int szx = ob.dta.width();
        const int szy = ob.dta.height();
        for (int n = 0; n < objs; ++n) {
            if (!obj[n]) continue;
            LogoObj& o = *obj[n];
            const int ox = BoundedPosition(o.x);
            const int oy = BoundedPosition(o.y);
            if (o.type == LogoObj::kCustom) {
                QV_CHECK_T("BltCust(dta,szx,szy,ox+dox,oy+doy)",
                           o.BltCust(dta, szx, szy, ox + dox, oy + doy) == 0);
            } else {
                QV_CHECK_T("ft.BltToBuf(lt,dta,szx,szy,ox+dox,oy+doy,TRUE,TRUE)",
                           o.ft.BltToBuf(o.lt, dta, szx, szy, ox + dox, oy + doy, true, true) == 0);
            }
        }
    }

    if (cur >= 0 && QV_CHECK_T("cur<objs", cur < objs) && obj[cur] && !ob.cdta.empty()) {
        QV_CHECK_T("obj[cur]->BltToBufCnt(ob.cdta,ob.cdw,ob.cdh)",
                   obj[cur]->BltToBufCnt(ob.cdta.data(), ob.cdta.width(), ob.cdta.height()) == 0);
    }
    return 0;
}

}  // namespace qv
