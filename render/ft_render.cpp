#include <cstring>
#include <thread>

#include "app/guard.h"
#include "render/blur.h"
#include "render/effects.h"
#include "render/ft_text.h"
#include "render/gradient.h"
#include "render/style_bounds.h"

namespace qv {

namespace {

// FreeType takes pixel sizes up to 0xFFFF, and no raster could hold a glyph that size anyway.
constexpr int kMaxPixelSize = 32768;

}  // namespace

int FtText::Render(const ObjStyle& lt, int mode, int flag) {
    const UsableStyle use(lt);
    LayoutBounded(use.get(), mode, flag);
    return RasterizeBounded(use.get());
}

int FtText::Layout(const ObjStyle& lt, int mode, int flag) {
    const UsableStyle use(lt);
    return LayoutBounded(use.get(), mode, flag);
}

int FtText::Rasterize(const ObjStyle& lt) {
    const UsableStyle use(lt);
    return RasterizeBounded(use.get());
}

void FtText::EmptyLayout() {
    slen = 0;
    run = 0;
    bend_radius = 0;
    szx = szy = 10;
    orgx = orgy = 0;
}

void FtText::FreeRasters() {
    raster.Free();
    mask.Free();
}

int FtText::LayoutBounded(const ObjStyle& lt, int mode, int flag) {
    FreeRasters();
    effects = flag;
    too_large = false;
    run = 0;
    bend_radius = 0;
    margin = flag ? 10 : 1;
    face = FindFace(lt.font);
    if (!face) {
        // No text font is installed at all: an empty picture rather than a crash.
        EmptyLayout();
        return 0;
    }
    if (!SetPixelSize(lt, mode)) {
        EmptyLayout();
        too_large = true;
        return 0;
    }
    QV_CHECK_T("PrepareStr(lt)", PrepareStr(lt) == 0);
    // Faces are shared: leave the transform as every other caller expects to find it.
    FT_Set_Transform(face, nullptr, nullptr);
    return 0;
}

FtText::RasterCost FtText::Cost(const ObjStyle& lt) const {
    if (too_large) return {UINT64_MAX, UINT64_MAX};
    const uint64_t count = uint64_t(szx) * uint64_t(szy);
    const UsableStyle use(lt);
    const bool blurred = effects && (use.get().outline || use.get().shadow);
    RasterCost cost;
    cost.kept = blurred ? 2 * count : count;
    // The blur's spare raster, and one glyph bitmap of FreeType's, never larger than the raster.
    cost.peak = cost.kept + (blurred ? count : 0) + (slen > 0 ? count : 0);
    return cost;
}

int FtText::RasterizeBounded(const ObjStyle& lt) {
    FreeRasters();
    if (too_large || !raster.Allocate(size_t(szx) * size_t(szy))) {
        // Nothing can be drawn: keep a consistent, empty picture.
        slen = 0;
        szx = szy = 0;
        return 0;
    }
    if (face && slen > 0) {
        // Faces are shared: another layout may have set its own size on this face since. The
        // same size is not set again, which would make FreeType rerun the font's hinting set-up.
        if (face->size->metrics.x_ppem != pixel_width || face->size->metrics.y_ppem != pixel_height) {
            QV_FT_T("FT_Set_Pixel_Sizes(face,fw,fh)",
                    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixel_width),
                                       static_cast<FT_UInt>(pixel_height)));
        }
        QV_CHECK_T("RenderStr(lt)", RenderStr(lt) == 0);
        FT_Set_Transform(face, nullptr, nullptr);
    }
    if (effects) QV_CHECK_T("PrepareEffects(lt)", PrepareEffects(lt) == 0);
    return 0;
}

bool FtText::SetPixelSize(const ObjStyle& lt, int mode) {
    const bool shape = lt.glyph >= 0;
    int fh = static_cast<int>(static_cast<float>(lt.size) * scale);
    int fw = shape ? static_cast<int>(static_cast<float>(lt.width) * scale)
                   : static_cast<int>(static_cast<float>(lt.size) * scale * lt.aspect);
    if (fh < 1) fh = 1;
    if (fw < 1) fw = 1;
    if (fh > kMaxPixelSize || fw > kMaxPixelSize) return false;
    pixel_width = fw;
    pixel_height = fh;
    if (mode == 0) {
        QV_FT_T("FT_Set_Pixel_Sizes(face,fw,fh)",
                FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(fw), static_cast<FT_UInt>(fh)));
        return true;
    }
    // Shrink until the line (and in mode 2 the widest glyph) fits, never below 2 pixels.
    const int d = fh - fw;
    for (int n = fw;; --n) {
        const int fw_ = n;
        const int fh_ = n + d;
        QV_FT_T("FT_Set_Pixel_Sizes(face,fw_,fh_)",
                FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(fw_), static_cast<FT_UInt>(fh_)));
        pixel_width = fw_;
        pixel_height = fh_;
        if (n - 1 < 2 || n - 1 + d < 2) break;
        const long line = face->size->metrics.height / 64;
        const long widest = face->size->metrics.max_advance / 64;
        if (line > fh || (mode == 2 && widest > fw)) continue;
        break;
    }
    return true;
}

int FtText::PrepareEffects(const ObjStyle& stored) {
    const UsableStyle use(stored);
    const ObjStyle& lt = use.get();
    if (!lt.outline && !lt.shadow) {
        mask.Free();
        return 0;
    }
    const size_t count = size_t(szx) * size_t(szy);
    if (raster.size() != count || !mask.Allocate(count)) {
        mask.Free();
        return 0;
    }
    ByteRaster spare;
    if (!spare.Allocate(count)) {
        mask.Free();
        return 0;
    }
    std::memcpy(mask.data(), raster.data(), count);
    const int passes = BlurPassCount(scale, lt.strength);
    const int threads =
        count >= kThreadedBlurPixels && std::thread::hardware_concurrency() >= 2 ? 2 : 1;
    if (BinomialBlurPasses(mask.data(), spare.data(), szx, szy, passes, threads) != mask.data()) {
        mask.swap(spare);
    }
    StretchContrast(mask.data(), count);
    if (lt.outline) BuildOutlineCurve(lt.outline_sharpness, curve);
    return 0;
}

int FtText::BltToBuf(const ObjStyle& lt, uint32_t* dta, int dw, int dh, int x, int y, bool xcnt,
                     bool ycnt) const {
    const UsableStyle use(lt);
    return BltBounded(use.get(), dta, dw, dh, x, y, xcnt, ycnt);
}

int FtText::BltBounded(const ObjStyle& lt, uint32_t* dta, int dw, int dh, int x, int y, bool xcnt,
                       bool ycnt) const {
    const size_t count = size_t(szx) * size_t(szy);
    if (!dta || dw <= 0 || dh <= 0 || raster.size() != count || count == 0) return 0;
    RasterPlacement r;
    r.coverage = raster.data();
    // The mask exists only after a render with effects of this very raster.
    r.mask = (effects && mask.size() == count) ? mask.data() : nullptr;
    r.szx = szx;
    r.szy = szy;
    r.x0 = xcnt ? x - szx / 2 : x - orgx;
    r.y0 = ycnt ? y - szy / 2 : y - orgy;
    if (lt.shadow) DrawShadow(lt, r, scale, dta, dw, dh);
    if (lt.grad) {
        QV_CHECK_T("Gradient(lt,out,bw,bh,box,boy)", (DrawGradient(lt, r, dta, dw, dh), true));
    } else {
        DrawSolidFill(lt, r, dta, dw, dh);
    }
    if (lt.outline) DrawOutline(lt, r, curve, dta, dw, dh);
    return 0;
}

PixelBuffer FtText::BltToDC(const ObjStyle& lt, int dw, int dh, int box, const Hls& bgc, bool xcnt,
                            bool chess) const {
    PixelBuffer buffer;
    if (!buffer.Allocate(dw, dh)) return buffer;
    if (chess) {
        buffer.FillCheckerboard(kBlitChessA, kBlitChessB);
    } else {
        buffer.Fill(HlsToPacked(bgc));
    }
    BltToBuf(lt, buffer.data(), dw, dh, xcnt ? dw / 2 : box, dh / 2, xcnt, true);
    return buffer;
}

PixelBuffer FtText::BltToBitmap(const ObjStyle& lt, int dw, int dh, const Hls& bgc) const {
    PixelBuffer buffer;
    if (!buffer.Allocate(dw, dh)) return buffer;
    buffer.Fill(HlsToPacked(bgc));
    BltToBuf(lt, buffer.data(), dw, dh, dw / 2, dh / 2, true, true);
    return buffer;
}

}  // namespace qv
