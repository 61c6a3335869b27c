#include "document/logo_obj.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "app/guard.h"

namespace qv {
namespace {

BitmapLoader g_loader = nullptr;

}  // namespace

BitmapLoader SetBitmapLoader(BitmapLoader loader) {
    return std::exchange(g_loader, loader);
}

void LogoObj::CopyValueFrom(const LogoObj& o) {
    if (&o == this) return;
    lt = o.lt;
    path = o.path;
    x = o.x;
    y = o.y;
    w = o.w;
    h = o.h;
    type = o.type;
    hint = o.hint;
    centre_on_arc = o.centre_on_arc;
    cust.Free();
}

int LogoObj::MakeShapeName() {
    std::string letters;
    for (size_t i = 1; i < lt.font.size() && letters.size() < 3; ++i) {
        const unsigned char c = static_cast<unsigned char>(lt.font[i]);
        if (c < 0x41 || c > 0x7F) continue;
        // Only ASCII is kept, so the conversion needs no locale.
        letters += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    const std::string number = std::to_string(lt.glyph);
    // Up to four digits, but never more than two zeros in front.
    const size_t zeros = number.size() >= 4 ? 0 : std::min<size_t>(2, 4 - number.size());
    lt.str = letters + std::string(zeros, '0') + number;
    return 0;
}

bool LogoObj::LoadPixels() {
    if (!g_loader) return false;
    PixelBuffer pixels;
    if (!g_loader(path, pixels) || pixels.empty() || pixels.width() <= 0 || pixels.height() <= 0) {
        return false;
    }
    cust = std::move(pixels);
    w = cust.width();
    h = cust.height();
    return true;
}

int LogoObj::BltToBufCnt(uint32_t* cdta, int cdw, int cdh) {
    if (!cdta || cdw <= 0 || cdh <= 0) return 0;
    if (type == kCustom) {
        QV_CHECK_T("BltCust(dta,szx,szy,szx/2,szy/2)",
                   BltCust(cdta, cdw, cdh, cdw / 2, cdh / 2) == 0);
    } else {
        QV_CHECK_T("ft.BltToBuf(lt,cdta,cdw,cdh,cdw/2,cdh/2,TRUE,TRUE)",
                   ft.BltToBuf(lt, cdta, cdw, cdh, cdw / 2, cdh / 2, true, true) == 0);
    }
    return 0;
}

int LogoObj::BltCust(uint32_t* dta, int szx, int szy, int ox, int oy) {
    if (!dta || szx <= 0 || szy <= 0) return 0;
    // A missing file is drawn as nothing and needs no message: the user saw one at import.
    if (cust.empty() && !LoadPixels()) return 0;
    const int bw = cust.width();
    const int bh = cust.height();
    // Wide arithmetic: a position far outside the buffer must not wrap round into it.
    const long long left = static_cast<long long>(ox) - bw / 2;
    const long long top = static_cast<long long>(oy) - bh / 2;
    const long long first_col = std::max(0LL, -left);
    const long long last_col = std::min<long long>(bw, szx - left);
    const long long first_row = std::max(0LL, -top);
    const long long last_row = std::min<long long>(bh, szy - top);
    for (long long r = first_row; r < last_row; ++r) {
        const uint32_t* src = cust.data() + static_cast<size_t>(r) * static_cast<size_t>(bw);
        uint32_t* dst = dta + static_cast<size_t>(top + r) * static_cast<size_t>(szx);
        for (long long c = first_col; c < last_col; ++c) {
            const uint32_t s = src[c];
            uint32_t& d = dst[left + c];
            d = Blend(d, RedOf(s), GreenOf(s), BlueOf(s), s >> 24);
        }
    }
    return 0;
}

}  // namespace qv
