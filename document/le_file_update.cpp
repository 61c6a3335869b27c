#include <algorithm>
#include <cstdlib>

#include "app/guard.h"
#include "document/colour_model.h"
#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv {

int LeFile::Update(int w, int h, int preview_w, int preview_h) {
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

    if (objs <= 0) {
        ob.dw = w / 2;
        ob.dh = h / 2;
        allocate_buffers();
        return 0;
    }

    for (int n = 0; n < objs; ++n) {
        if (!QV_CHECK_T("obj[n]!=NULL", obj[n] != nullptr)) continue;
        LogoObj& o = *obj[n];
        if (o.type == LogoObj::kCustom) continue;
        QV_CHECK_T("ft.Render(lt,0,1)", o.ft.Render(o.lt, 0, 1) == 0);
        o.w = o.ft.szx;
        o.h = o.ft.szy;
    }

    int maxx = 0, maxy = 0;
    for (int n = 0; n < objs; ++n) {
        if (!obj[n]) continue;
        const LogoObj& o = *obj[n];
        const int left = o.x - o.w / 2;
        const int top = o.y - o.h / 2;
        maxx = std::max({maxx, std::abs(left), std::abs(left + o.w)});
        maxy = std::max({maxy, std::abs(top), std::abs(top + o.h)});
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
        // A canvas size read from a damaged file must not ask for a negative buffer.
        ob.dw = std::max(0, std::min(w, cw));
        ob.dh = std::max(0, std::min(h, ch));
        dox = cw / 2;
        doy = ch / 2;
    }
    allocate_buffers();

    if (!ob.dta.empty()) {
        uint32_t* dta = ob.dta.data();
        const int szx = ob.dta.width();
        const int szy = ob.dta.height();
        for (int n = 0; n < objs; ++n) {
            if (!obj[n]) continue;
            LogoObj& o = *obj[n];
            if (o.type == LogoObj::kCustom) {
                QV_CHECK_T("BltCust(dta,szx,szy,ox+dox,oy+doy)",
                           o.BltCust(dta, szx, szy, o.x + dox, o.y + doy) == 0);
            } else {
                QV_CHECK_T(
                    "ft.BltToBuf(lt,dta,szx,szy,ox+dox,oy+doy,TRUE,TRUE)",
                    o.ft.BltToBuf(o.lt, dta, szx, szy, o.x + dox, o.y + doy, true, true) == 0);
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
