#include "output/svg_export.h"

#include <vector>

#include "app/unicode_text.h"
#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/guard.h"
#include "app/memory_budget.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "output/svg_effects.h"
#include "output/svg_gradient.h"
#include "output/xml_text.h"
#include "render/effects.h"
#include "render/glyph_outlines.h"
#include "render/style_bounds.h"

namespace qv {
namespace {

constexpr const char* kXlink = "xlink:href";

std::string PathData(const GlyphOutlines& outlines) {
    std::string d;
    d.reserve(outlines.segments.size() * 24);
    auto point = [&](double x, double y) {
        d += SvgNumber(x, 2);
        d += ' ';
        d += SvgNumber(y, 2);
    };
    for (const PathSegment& s : outlines.segments) {
        switch (s.kind) {
            case PathSegment::Kind::kMove: d += 'M'; point(s.x, s.y); break;
            case PathSegment::Kind::kLine: d += 'L'; point(s.x, s.y); break;
            case PathSegment::Kind::kConic:
                d += 'Q';
                point(s.c1x, s.c1y);
                d += ' ';
                point(s.x, s.y);
                break;
            case PathSegment::Kind::kCubic:
                d += 'C';
                point(s.c1x, s.c1y);
                d += ' ';
                point(s.c2x, s.c2y);
                d += ' ';
                point(s.x, s.y);
                break;
            case PathSegment::Kind::kClose: d += 'Z'; break;
        }
    }
    return d;
}

std::string GroupOpen(int n, const ObjStyle& lt, int x0, int y0) {
    return "<g id=\"object-" + std::to_string(n + 1) + "\" transform=\"translate(" + std::to_string(x0) +
           " " + std::to_string(y0) + ")\"><title>" + XmlEscaped(CleanUtf8(lt.str)) + "</title>";
}

// A picture as the engine blends it: straight alpha, its own pixel size, at its raster origin.
bool PictureElement(const LogoObj& o, std::string& out) {
    const PixelBuffer& cust = o.cust;
    Image image;
    if (!image.Create24(cust.width(), cust.height())) return false;
    for (int y = 0; y < cust.height(); ++y) {
        const uint32_t* src = cust.data() + size_t(y) * size_t(cust.width());
        uint32_t* dst = image.Row(cust.height() - 1 - y);
        for (int x = 0; x < cust.width(); ++x) dst[x] = src[x];
    }
    image.has_alpha = true;
    std::vector<uint8_t> png;
    if (!EncodeImage(image, kImagePng, png)) return false;
    out += "<image x=\"0\" y=\"0\" width=\"" + std::to_string(cust.width()) + "\" height=\"" +
           std::to_string(cust.height()) + "\" preserveAspectRatio=\"none\" " + kXlink +
           "=\"data:image/png;base64," + Base64(png) + "\"/>";
    return true;
}

// Shadow, fill (or gradient), outline: the engine's order.
void TextObjectBody(int n, const ObjStyle& lt, FtText& ft, const ObjStyle& stored, std::string& out) {
    const TextLayout& layout = ft.layout();
    const GlyphOutlines outlines = OutlinesOf(layout);
    if (outlines.segments.empty()) return;
    const std::string id = "object-" + std::to_string(n + 1);
    const bool effects = layout.effects && (lt.outline || lt.shadow);
    MaskStretch stretch;
    int curve[256] = {};
    if (effects) {
        QV_CHECK_T("ft.Render(lt,0,1)", ft.Rasterize(stored) == 0);
        stretch = MeasureMaskStretch(ft.raster.data(), layout.szx, layout.szy, BlurPassCount(layout.scale, lt.strength));
        ft.FreeRasters();
        BuildOutlineCurve(lt.outline_sharpness, curve);
    }
    const SvgBox box{0, 0, layout.szx, layout.szy};
    const ShadowOffset off = ShadowOffsetFor(layout.scale, lt.shadow_distance, lt.shadow_angle);

    out += "<defs><path id=\"" + id + "-shape\" fill-rule=\"" + (outlines.even_odd ? "evenodd" : "nonzero") +
           "\" d=\"" + PathData(outlines) + "\"/>";
    if (lt.grad) out += GradientElement(id + "-gradient", lt, layout.szx, layout.szy);
    if (effects && lt.shadow) {
        out += ShadowFilter(id + "-shadow", box, stretch, OpacityByte(lt.shadow_opacity),
                            ToBytesClamped(HlsToRgb(lt.shadow_color)), off.dx, off.dy);
    }
    if (effects && lt.outline) {
        out += OutlineFilter(id + "-outline", box, stretch, curve, OpacityByte(lt.outline_opacity),
                             ToBytesClamped(HlsToRgb(lt.outline_color)));
    }
    out += "</defs>";
    const std::string use = std::string("<use ") + kXlink + "=\"#" + id + "-shape\" ";
    if (effects && lt.shadow) out += use + "fill=\"#000000\" filter=\"url(#" + id + "-shadow)\"/>";
    if (lt.grad) {
        out += use + "fill=\"url(#" + id + "-gradient)\"/>";
    } else {
        out += use + "fill=\"" + SvgColour(ToBytesClamped(HlsToRgb(lt.color))) + "\"/>";
    }
    if (effects && lt.outline) out += use + "fill=\"#000000\" filter=\"url(#" + id + "-outline)\"/>";
}

bool WriteSvg(LeFile& lf, ExportPlan& plan, int w, int h, bool transparent, std::string& svg) {
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "version=\"1.1\" width=\"" + std::to_string(w) + "px\" height=\"" + std::to_string(h) +
           "px\" viewBox=\"0 0 " + std::to_string(w) + " " + std::to_string(h) + "\">\n";
    if (!transparent) {
        out += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) +
               "\" fill=\"" + SvgColour(ToBytesClamped(HlsToRgb(lf.bgc))) + "\"/>\n";
    }
    for (int n = 0; n < lf.objs; ++n) {
        LogoObj* o = lf.obj[n].get();
        if (!QV_CHECK_T("obj[n]!=NULL", o != nullptr)) continue;
        int x0 = 0, y0 = 0;
        if (!plan.RasterOrigin(lf, n, w, h, x0, y0)) continue;
        const UsableStyle use(o->lt);
        out += GroupOpen(n, use.get(), x0, y0);
        if (o->type == LogoObj::kCustom) {
            if (!PictureElement(*o, out)) return false;
        } else if (FtText* ft = plan.Renderer(n); ft && !ft->layout().too_large) {
            TextObjectBody(n, use.get(), *ft, o->lt, out);
        }
        out += "</g>\n";
    }
    out += "</svg>\n";
    svg = std::move(out);
    return true;
}

}  // namespace

bool ExportLogoSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   std::string& svg) {
    return ExportLogoSvg(lf, subject, settings, svg, DefaultMemoryBudget());
}

bool ExportLogoSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   std::string& svg, uint64_t memory_budget) {
    const ExportSettings c = ClampedSettings(settings);
    OutputSize size{};
    const std::unique_ptr<ExportPlan> planned = PlanExport(lf, subject, c, size);
    if (!planned) return false;
    ExportPlan& plan = *planned;
    // No canvas is composed: one object's rasters and a blurred copy of its coverage at a time,
    // the pictures and their PNG form.
    if (MulCost(plan.ObjectBytes(), 3) > memory_budget) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    const int faults_before = FaultsReported();
    std::string out;
    if (!WriteSvg(lf, plan, size.width, size.height, c.transparent, out)) return false;
    if (FaultsReported() != faults_before) return false;
    svg = std::move(out);
    return true;
}

bool ExportLogoSvgFile(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                       const std::string& path, uint64_t memory_budget) {
    std::string svg;
    if (!ExportLogoSvg(lf, subject, settings, svg, memory_budget)) return false;
    if (!WriteFileAtomically(path, std::vector<uint8_t>(svg.begin(), svg.end()))) {
        ShowMessage("Can't open file " + path + " for writing...");
        return false;
    }
    return true;
}

std::string CopyLogoSvg(LeFile& lf) {
    if (lf.objs == 0) return {};
    ExportSubject subject;
    QV_CHECK_T("lf.CenterObjects(w,h)", lf.CenterObjects(subject.width, subject.height) == 0);
    ExportSettings settings;
    settings.format = ExportFormat::kSvg;
    settings.transparent = true;
    std::string svg;
    // The clipboard has no room for a message: a logo that cannot be drawn offers no SVG.
    MessageHandler previous = SetMessageHandler([](const std::string&) {});
    const bool ok = ExportLogoSvg(lf, subject, settings, svg);
    SetMessageHandler(std::move(previous));
    return ok ? svg : std::string();
}

}  // namespace qv
