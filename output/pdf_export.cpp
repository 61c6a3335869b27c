#include "output/pdf_export.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <memory>
#include <cstdint>
#include <vector>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/file_io.h"
#include "app/memory_budget.h"
#include "app/user_message.h"
#include "document/colour_model.h"
#include "output/cairo_handles.h"
#include "output/pdf_effects.h"
#include "output/pdf_images.h"
#include "output/pdf_paths.h"
#include "render/glyph_outlines.h"
#include "render/style_bounds.h"

namespace qv {
namespace {

// Export pixels are drawn at 96 per inch on a page measured in points.
constexpr double kPointsPerPixel = 0.75;

cairo_status_t AppendToBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
    try {
        bytes->insert(bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}

// The most a PDF export holds at once: the plan's rasters and pictures, the pictures'
// premultiplied copies and every effect image, which the surface keeps until the page is
// written; never reckoned below what the raster export of the same size needs.
uint64_t PdfMemoryNeed(const LeFile& lf, const ExportPlan& plan, int w, int h) {
    uint64_t need = AddCost(plan.ObjectBytes(), plan.ObjectBytes());
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        const TextLayout* layout = plan.LayoutOf(n);
        if (!o || !layout) continue;
        const UsableStyle use(o->lt);
        need = AddCost(need, EffectImageBytes(use.get(), layout->szx, layout->szy));
    }
    return std::max(need, ExportMemoryNeed(plan, w, h, false, false));
}

bool DrawPicture(cairo_t* cr, const PixelBuffer& pixels, int x0, int y0) {
    const int w = pixels.width();
    const int h = pixels.height();
    CairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return false;
    cairo_surface_flush(image.get());
    uint8_t* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = pixels.data() + size_t(y) * size_t(w);
        auto* out = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            // Straight alpha in, premultiplied out, as cairo keeps its pixels.
            const uint32_t s = src[x];
            const uint32_t a = s >> 24;
            auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            out[x] = (a << 24) | (pre((s >> 16) & 0xFF) << 16) | (pre((s >> 8) & 0xFF) << 8) | pre(s & 0xFF);
        }
    }
    cairo_surface_mark_dirty(image.get());
    // Pixels stay pixels: the picture keeps its own size in export pixels.
    PaintImageInBox(cr, image.get(), x0, y0, w, h, CAIRO_FILTER_NEAREST);
    return true;
}

// Shadow, fill or gradient, outline: the order the raster export draws them in. False when an
// effect image could not be made: the page would lack what the design has.
bool DrawShapeObject(cairo_t* cr, LogoObj& o, FtText& ft, int x0, int y0) {
    const UsableStyle use(o.lt);
    const ObjStyle& lt = use.get();
    const TextLayout& layout = ft.layout();
    if (layout.szx <= 0 || layout.szy <= 0) return true;
    const GlyphOutlines outlines = OutlinesOf(layout);
    if (outlines.segments.empty()) return true;

    const bool effects = lt.outline || lt.shadow;
    std::unique_ptr<EffectImages> images;
    if (effects) {
        QV_CHECK_T("ft.Render(lt,0,1)", ft.Rasterize(o.lt) == 0);
        const size_t count = size_t(layout.szx) * size_t(layout.szy);
        if (layout.effects && ft.mask.size() == count) {
            images = std::make_unique<EffectImages>(EffectSource{
                ft.mask.data(), ft.curve, &outlines, layout.szx, layout.szy, x0, y0, layout.scale});
        }
        // The enlarged mask is all the images need from here on.
        ft.FreeRasters();
    }
    if (images && lt.shadow && !images->DrawShadow(cr, lt)) return false;

    AddOutlinePath(cr, outlines, x0, y0);
    if (lt.grad) {
        const CairoPattern gradient = GradientPattern(lt, layout.szx, layout.szy, x0, y0);
        cairo_set_source(cr, gradient.get());
    } else {
        const Rgb8 c = ToBytesClamped(HlsToRgb(lt.color));
        cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    }
    cairo_fill(cr);

    return !(images && lt.outline) || images->DrawOutline(cr, lt);
}

bool DrawPage(cairo_t* cr, LeFile& lf, ExportPlan& plan, int w, int h, bool transparent) {
    cairo_scale(cr, kPointsPerPixel, kPointsPerPixel);
    if (!transparent) {
        const Rgb8 bg = ToBytesClamped(HlsToRgb(lf.bgc));
        cairo_set_source_rgb(cr, bg.r / 255.0, bg.g / 255.0, bg.b / 255.0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
    }
    for (int n = 0; n < lf.objs; ++n) {
        LogoObj* o = lf.obj[n].get();
        if (!QV_CHECK_T("obj[n]!=NULL", o != nullptr)) continue;
        int x0 = 0, y0 = 0;
        if (!plan.RasterOrigin(lf, n, w, h, x0, y0)) continue;
        if (o->type == LogoObj::kCustom) {
            if (!DrawPicture(cr, o->cust, x0, y0)) return false;
            continue;
        }
        FtText* ft = plan.Renderer(n);
        if (ft && !DrawShapeObject(cr, *o, *ft, x0, y0)) return false;
    }
    return true;
}

}  // namespace

bool ExportLogoPdf(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   const std::string& path, const std::string& title) {
    const ExportSettings c = ClampedSettings(settings);
    OutputSize size{};
    const std::unique_ptr<ExportPlan> planned = PlanExport(lf, subject, c, size);
    if (!planned) return false;
    ExportPlan& plan = *planned;
    if (!ImageSizeAllowed(size.width, size.height) ||
        PdfMemoryNeed(lf, plan, size.width, size.height) > DefaultMemoryBudget()) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    const int faults_before = FaultsReported();
    std::vector<uint8_t> bytes;
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    {
        CairoSurface surface(cairo_pdf_surface_create_for_stream(
            AppendToBytes, &bytes, size.width * kPointsPerPixel, size.height * kPointsPerPixel));
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Qorvan Logo");
        {
            CairoContext cr(cairo_create(surface.get()));
            const bool drawn = DrawPage(cr.get(), lf, plan, size.width, size.height, c.transparent);
            status = cairo_status(cr.get());
            if (!drawn && status == CAIRO_STATUS_SUCCESS) status = CAIRO_STATUS_NO_MEMORY;
        }
        cairo_surface_finish(surface.get());
        if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    // A fault while drawing means the page is not what was designed: nothing is written.
    if (FaultsReported() != faults_before) return false;
    if (!WriteFileAtomically(path, bytes)) {
        ShowMessage("Can't open file " + path + " for writing...");
        return false;
    }
    return true;
}

}  // namespace qv
