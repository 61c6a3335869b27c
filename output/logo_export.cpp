#include "output/logo_export.h"

#include <algorithm>

#include "app/guard.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "output/colour_reduction.h"
#include "output/octree_quantizer.h"
#include "output/transparent_export.h"

namespace qv {
namespace {

const ExportFormatInfo kFormats[] = {
    {"PNG 24 Bit", kImagePng, false, "png", "PNG File (*.png)|*.png||"},
    {"PNG 8 Bit", kImagePng, true, "png", "PNG File (*.png)|*.png||"},
    {"GIF 8 Bit", kImageGif, true, "gif", "Gif File (*.gif)|*.gif||"},
    {"BMP 24 Bit", kImageBmp, false, "bmp", "Bitmap File (*.bmp)|*.bmp||"},
    {"JPEG", kImageJpeg, false, "jpg", "JPEG File (*.jpg)|*.jpg||"},
    {"TIFF", kImageTiff, false, "tif", "TIFF File (*.tif)|*.tif||"},
};

}  // namespace

const ExportFormatInfo& FormatInfo(ExportFormat format) { return kFormats[static_cast<int>(format)]; }

bool FormatAllowsTransparency(ExportFormat format) {
    return format == ExportFormat::kPng24 || format == ExportFormat::kPng8 ||
           format == ExportFormat::kGif8 || format == ExportFormat::kTiff;
}

int ExportObject(LogoObj& o, uint32_t* buf, int bw, int bh, int ox, int oy, float scf) {
    if (o.type == LogoObj::kCustom) {
        QV_CHECK_T("BltCust(dta,szx,szy,ox+dox,oy+doy)", o.BltCust(buf, bw, bh, ox + o.x, oy + o.y) == 0);
        return 0;
    }
    o.ft.scale = scf;
    QV_CHECK_T("ft.Render(lt,0,1)", o.ft.Render(o.lt, 0, 1) == 0);
    const int ox_ = static_cast<int>(static_cast<float>(o.x) * scf + static_cast<float>(ox));
    const int oy_ = static_cast<int>(scf * static_cast<float>(o.y) + static_cast<float>(oy));
    QV_CHECK_T("ft.BltToBuf(lt,dta,szx,szy,ox_,oy_,TRUE,TRUE)",
               o.ft.BltToBuf(o.lt, buf, bw, bh, ox_, oy_, true, true) == 0);
    o.ft.scale = 1.0f;
    return 0;
}

int Export(LeFile& lf, uint32_t* dta, int w, int h, float scf) {
    if (!dta || w <= 0 || h <= 0) return 0;
    QV_CHECK_T("Export2(dta,w,h,scf)", [&] {
        std::fill_n(dta, size_t(w) * size_t(h), HlsToPacked(lf.bgc));
        for (int n = 0; n < lf.objs; ++n) {
            LogoObj* o = lf.obj[n].get();
            if (!QV_CHECK_T("obj[n]!=NULL", o != nullptr)) continue;
            QV_CHECK_T("obj[n]->Export(buf,bw,bh,bw/2,bh/2,scf)",
                       ExportObject(*o, dta, w, h, w / 2, h / 2, scf) == 0);
        }
        return true;
    }());
    return 0;
}

ExportSubject PrepareExportSubject(LeFile& lf) {
    ExportSubject subject;
    if (lf.fixed) {
        subject.width = lf.cw;
        subject.height = lf.ch;
    } else {
        QV_CHECK_T("le->CenterObjects(w,h)", lf.CenterObjects(subject.width, subject.height) == 0);
    }
    for (int n = 0; n < lf.objs; ++n) {
        if (lf.obj[n] && lf.obj[n]->type == LogoObj::kCustom) subject.has_custom_bitmap = true;
    }
    return subject;
}

ExportSettings ClampedSettings(const ExportSettings& s) {
    ExportSettings c = s;
    c.scale = std::clamp(s.scale, 1, 10000);
    c.margins = std::clamp(s.margins, 0, 100);
    c.quality = std::clamp(s.quality, 10, 100);
    return c;
}

OutputSize ExportOutputSize(const ExportSubject& subject, const ExportSettings& settings) {
    const ExportSettings c = ClampedSettings(settings);
    const int scale = subject.has_custom_bitmap ? 100 : c.scale;
    // 64-bit products: 10000 % of a 3000-pixel canvas overflows 32 bits.
    const int64_t w = 2 * int64_t(c.margins) + int64_t(scale) * subject.width / 100;
    const int64_t h = 2 * int64_t(c.margins) + int64_t(scale) * subject.height / 100;
    auto clip = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {clip(w), clip(h)};
}

bool BufferToImage(const uint32_t* dta, int w, int h, Image& image) {
    if (!QV_CHECK_T("xi.IsValid()", image.Create24(w, h) && image.IsValid())) return false;
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = dta + size_t(y) * size_t(w);
        uint32_t* dst = image.Row(h - 1 - y);
        for (int x = 0; x < w; ++x) dst[x] = 0xFF000000u | (src[x] & 0x00FFFFFFu);
    }
    return true;
}

bool ExportLogoImage(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                     const std::string& path) {
    const ExportSettings c = ClampedSettings(settings);
    const ExportFormatInfo& format = FormatInfo(c.format);
    const OutputSize size = ExportOutputSize(subject, c);
    const float scf = static_cast<float>(subject.has_custom_bitmap ? 100 : c.scale) * 0.01f;

    if (size.width < 1 || size.height < 1) {
        ShowMessage(kNothingToExportMessage);
        return false;
    }
    const bool transparent = c.transparent && FormatAllowsTransparency(c.format);
    Image image;
    {
        PixelBuffer buffer;
        if (transparent) {
            if (!ExportWithAlpha(lf, size.width, size.height, scf, buffer)) return false;
        } else {
            if (!buffer.Allocate(size.width, size.height)) return false;
            QV_CHECK_T("le->Export(dta,bw,bh,scf/100.0F)",
                       Export(lf, buffer.data(), size.width, size.height, scf) == 0);
        }
        if (!BufferToImage(buffer.data(), size.width, size.height, image)) return false;
        if (transparent) {
            // Keep the alpha the buffer carries in its top byte.
            for (int y = 0; y < size.height; ++y) {
                const uint32_t* src = buffer.data() + size_t(y) * size_t(size.width);
                uint32_t* dst = image.Row(size.height - 1 - y);
                for (int x = 0; x < size.width; ++x) dst[x] = src[x];
            }
            image.has_alpha = true;
        }
    }
    image.quality = c.quality;
    if (transparent && format.eight_bit) {
        if (!QV_CHECK_T("xi.DecreaseBpp(8,true,pal)",
                        ReduceWithAlpha(image, c.format == ExportFormat::kGif8))) {
            return false;
        }
    } else if (format.eight_bit) {
        const std::vector<PaletteEntry> palette = BuildOctreePalette(image);
        if (!QV_CHECK_T("xi.DecreaseBpp(8,true,pal)", DecreaseBpp(image, palette))) return false;
    }
    if (!SaveImageFile(image, path, format.file_type)) {
        ShowMessage("Can't open file " + path + " for writing...");
        return false;
    }
    return true;
}

namespace {

// Both clipboard pictures: the objects centred, at 100 %, no margins; nothing for an empty logo.
template <class Draw>
PixelBuffer CentredLogo(LeFile& lf, Draw&& draw) {
    PixelBuffer buffer;
    if (lf.objs == 0) return buffer;
    int w = 0, h = 0;
    QV_CHECK_T("lf.CenterObjects(w,h)", lf.CenterObjects(w, h) == 0);
    draw(w, h, buffer);
    return buffer;
}

}  // namespace

PixelBuffer CopyLogoImageWithAlpha(LeFile& lf) {
    return CentredLogo(lf, [&](int w, int h, PixelBuffer& buffer) { ExportWithAlpha(lf, w, h, 1.0f, buffer); });
}

PixelBuffer CopyLogoImage(LeFile& lf) {
    return CentredLogo(lf, [&](int w, int h, PixelBuffer& buffer) {
        if (!buffer.Allocate(w, h)) return;
        QV_CHECK_T("lf.Export(dta,w,h,1)", Export(lf, buffer.data(), w, h, 1.0f) == 0);
    });
}

}  // namespace qv
