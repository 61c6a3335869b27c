#include "output/logo_export.h"

#include <algorithm>

#include "app/guard.h"
#include "app/memory_budget.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "output/bitmap_import.h"
#include "output/colour_reduction.h"
#include "output/octree_quantizer.h"
#include "output/pdf_export.h"
#include "output/svg_export.h"
#include "output/transparent_export.h"
#include "render/style_bounds.h"

namespace qv {
namespace {

const ExportFormatInfo kFormats[] = {
    {"PNG 24 Bit", kImagePng, false, "png", "PNG File (*.png)|*.png||"},
    {"PNG 8 Bit", kImagePng, true, "png", "PNG File (*.png)|*.png||"},
    {"GIF 8 Bit", kImageGif, true, "gif", "Gif File (*.gif)|*.gif||"},
    {"BMP 24 Bit", kImageBmp, false, "bmp", "Bitmap File (*.bmp)|*.bmp||"},
    {"JPEG", kImageJpeg, false, "jpg", "JPEG File (*.jpg)|*.jpg||"},
    {"TIFF", kImageTiff, false, "tif", "TIFF File (*.tif)|*.tif||"},
    {"SVG Vector", -1, false, "svg", "SVG File (*.svg)|*.svg||", true},
    {"PDF Document", -1, false, "pdf", "PDF File (*.pdf)|*.pdf||", true},
};

}  // namespace

const ExportFormatInfo& FormatInfo(ExportFormat format) { return kFormats[static_cast<int>(format)]; }

bool FormatAllowsTransparency(ExportFormat format) {
    return format == ExportFormat::kPng24 || format == ExportFormat::kPng8 ||
           format == ExportFormat::kGif8 || format == ExportFormat::kTiff ||
           format == ExportFormat::kSvg || format == ExportFormat::kPdf;
}

ExportPlan::ExportPlan(LeFile& lf, float scf) : scf_(scf), renderers_(size_t(std::max(lf.objs, 0))) {
    for (int n = 0; n < lf.objs; ++n) {
        LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        if (o->type == LogoObj::kCustom) {
            if (o->cust.empty() && !o->LoadPixels()) {
                missing_pictures_.push_back(o->path);
                continue;
            }
            picture_bytes_ = AddCost(picture_bytes_, MulCost(o->cust.size(), sizeof(uint32_t)));
            continue;
        }
        auto ft = std::make_unique<FtText>();
        ft->scale = scf;
        QV_CHECK_T("ft.Render(lt,0,1)", ft->Layout(o->lt, 0, 1) == 0);
        raster_bytes_ = std::max(raster_bytes_, ft->Cost(o->lt).peak);
        renderers_[size_t(n)] = std::move(ft);
    }
}

uint64_t ExportPlan::ObjectBytes() const { return AddCost(picture_bytes_, raster_bytes_); }

const TextLayout* ExportPlan::LayoutOf(int n) const {
    if (n < 0 || size_t(n) >= renderers_.size() || !renderers_[size_t(n)]) return nullptr;
    return &renderers_[size_t(n)]->layout();
}

int ScaledCentre(int position, float scale, int side) {
    return static_cast<int>(static_cast<float>(position) * scale + static_cast<float>(side / 2));
}

ExportPlan::Centre ExportPlan::CentreOf(const LogoObj& o, int w, int h) const {
    const int x = BoundedPosition(o.x);
    const int y = BoundedPosition(o.y);
    if (o.type == LogoObj::kCustom) return {w / 2 + x, h / 2 + y};  // pictures keep their size
    return {ScaledCentre(x, scf_, w), ScaledCentre(y, scf_, h)};
}

bool ExportPlan::RasterOrigin(const LeFile& lf, int n, int w, int h, int& x0, int& y0) const {
    if (n < 0 || n >= lf.objs || !lf.obj[n]) return false;
    const LogoObj& o = *lf.obj[n];
    const Centre c = CentreOf(o, w, h);
    if (o.type == LogoObj::kCustom) {
        x0 = c.x - o.cust.width() / 2;
        y0 = c.y - o.cust.height() / 2;
        return !o.cust.empty();
    }
    const TextLayout* layout = LayoutOf(n);
    if (!layout) return false;
    x0 = c.x - layout->szx / 2;
    y0 = c.y - layout->szy / 2;
    return true;
}

FtText* ExportPlan::Renderer(int n) {
    if (n < 0 || size_t(n) >= renderers_.size()) return nullptr;
    return renderers_[size_t(n)].get();
}

void ExportPlan::Draw(LeFile& lf, uint32_t* dta, int w, int h) {
    if (!dta || w <= 0 || h <= 0) return;
    std::fill_n(dta, size_t(w) * size_t(h), HlsToPacked(lf.bgc));
    for (int n = 0; n < lf.objs && size_t(n) < renderers_.size(); ++n) {
        LogoObj* o = lf.obj[n].get();
        if (!QV_CHECK_T("obj[n]!=NULL", o != nullptr)) continue;
        if (o->type == LogoObj::kCustom) {
            const Centre c = CentreOf(*o, w, h);
            QV_CHECK_T("BltCust(dta,szx,szy,ox+dox,oy+doy)", o->BltCust(dta, w, h, c.x, c.y) == 0);
            continue;
        }
        FtText* ft = renderers_[size_t(n)].get();
        if (!ft) continue;
        // One object's rasters at a time: a logo of many large objects never holds them all.
        QV_CHECK_T("ft.Render(lt,0,1)", ft->Rasterize(o->lt) == 0);
        const Centre c = CentreOf(*o, w, h);
        QV_CHECK_T("ft.BltToBuf(lt,dta,szx,szy,ox_,oy_,TRUE,TRUE)",
                   ft->BltToBuf(o->lt, dta, w, h, c.x, c.y, true, true) == 0);
        ft->FreeRasters();
    }
}

int Export(LeFile& lf, uint32_t* dta, int w, int h, float scf) {
    if (!dta || w <= 0 || h <= 0) return 0;
    QV_CHECK_T("Export2(dta,w,h,scf)", [&] {
        ExportPlan plan(lf, scf);
        plan.Draw(lf, dta, w, h);
        return true;
    }());
    return 0;
}

uint64_t ExportMemoryNeed(const ExportPlan& plan, int w, int h, bool transparent, bool eight_bit) {
    const uint64_t pixels = uint64_t(std::max(w, 0)) * uint64_t(std::max(h, 0));
    // Composing holds the export buffer (four of them for transparency) and the 24-bit image
    // besides one object's rasters; encoding holds the image, the 8-bit form and the encoded
    // file twice over while it is handed on.
    const uint64_t composing = AddCost(MulCost(pixels, transparent ? 20 : 8), plan.ObjectBytes());
    const uint64_t encoding = AddCost(MulCost(pixels, eight_bit ? 13 : 12), plan.ObjectBytes());
    return std::max(composing, encoding);
}

ExportSubject PrepareExportSubject(LeFile& lf) {
    ExportSubject subject;
    if (lf.fixed) {
        subject.width = BoundedCanvasSide(lf.cw);
        subject.height = BoundedCanvasSide(lf.ch);
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
    return ExportLogoImage(lf, subject, settings, path, DefaultMemoryBudget());
}

std::unique_ptr<ExportPlan> PlanExport(LeFile& lf, const ExportSubject& subject,
                                       const ExportSettings& settings, OutputSize& size) {
    size = ExportOutputSize(subject, settings);
    if (size.width < 1 || size.height < 1) {
        ShowMessage(kNothingToExportMessage);
        return nullptr;
    }
    const float scf = static_cast<float>(subject.has_custom_bitmap ? 100 : settings.scale) * 0.01f;
    auto plan = std::make_unique<ExportPlan>(lf, scf);
    if (!plan->missing_pictures().empty()) {
        ShowMessage(MissingPictureMessage(plan->missing_pictures().front()));
        return nullptr;
    }
    return plan;
}

std::string MissingPictureMessage(const std::string& path) {
    // Asked again only after a failure, to name the reason.
    PixelBuffer scratch;
    const PictureStatus status = LoadPicture(path, scratch).status;
    return PictureMessage(path, status == PictureStatus::kOk ? PictureStatus::kUnreadable : status);
}

bool ExportLogoImage(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                     const std::string& path, uint64_t memory_budget) {
    const ExportSettings c = ClampedSettings(settings);
    if (c.format == ExportFormat::kSvg) return ExportLogoSvgFile(lf, subject, c, path, memory_budget);
    if (c.format == ExportFormat::kPdf) return ExportLogoPdf(lf, subject, c, path, c.title);
    const ExportFormatInfo& format = FormatInfo(c.format);
    OutputSize size{};
    const std::unique_ptr<ExportPlan> planned = PlanExport(lf, subject, c, size);
    if (!planned) return false;
    ExportPlan& plan = *planned;
    const float scf = plan.scale();
    const bool transparent = c.transparent && FormatAllowsTransparency(c.format);
    if (!ImageSizeAllowed(size.width, size.height) ||
        ExportMemoryNeed(plan, size.width, size.height, transparent, format.eight_bit) > memory_budget) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    const int faults_before = FaultsReported();
    Image image;
    {
        PixelBuffer buffer;
        if (transparent) {
            if (!ExportWithAlpha(lf, size.width, size.height, scf, buffer)) return false;
        } else {
            if (!buffer.Allocate(size.width, size.height)) return false;
            QV_CHECK_T("le->Export(dta,bw,bh,scf/100.0F)",
                       (plan.Draw(lf, buffer.data(), size.width, size.height), true));
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
    // A fault while drawing means the picture is not what was designed: nothing is written.
    if (FaultsReported() != faults_before) return false;
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
