#include "output/pdf_effects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/memory_budget.h"
#include "document/colour_model.h"
#include "output/cairo_handles.h"
#include "output/pdf_images.h"
#include "output/pdf_paths.h"
#include "render/effects.h"

namespace qv {
namespace {

// An A8 image the caller fills, or null when cairo could not make it.
CairoSurface AlphaImage(int width, int height) {
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return s;
}

// Where an image pixel's centre falls between two raster pixels: the lower index and the
// upper one's weight out of 256.
struct Tap {
    int index;
    int weight;
};

Tap TapAt(int image_index, double density) {
    const double v = (image_index + 0.5) / density - 0.5;
    const double f = std::floor(v);
    return {static_cast<int>(f), static_cast<int>(std::lround((v - f) * 256.0))};
}

}  // namespace

EffectImageSize EffectImageSizeFor(int szx, int szy) {
    static constexpr double kLargestSide = 32767;  // cairo's image surfaces
    const double longest = std::max({szx, szy, 1});
    const double density = std::min(kEffectImageDensity, kLargestSide / longest);
    auto side = [density](int raster) {
        return static_cast<int>(std::clamp(std::ceil(std::max(raster, 1) * density), 1.0, kLargestSide));
    };
    return {side(szx), side(szy)};
}

uint64_t EffectImageBytes(const ObjStyle& lt, int szx, int szy) {
    if (!lt.outline && !lt.shadow) return 0;
    const EffectImageSize size = EffectImageSizeFor(szx, szy);
    const uint64_t image = MulCost(uint64_t(size.width) + 4, uint64_t(size.height));
    // The enlarged mask, and each image twice: its pixels and their compressed copy.
    const uint64_t images = (lt.outline ? 2 : 0) + (lt.shadow ? 2 : 0);
    return MulCost(image, 1 + images);
}

EffectImages::EffectImages(const EffectSource& source)
    : source_(source),
      width_(EffectImageSizeFor(source.szx, source.szy).width),
      height_(EffectImageSizeFor(source.szx, source.szy).height) {
    if (!source_.mask || source_.szx <= 0 || source_.szy <= 0) return;
    if (!enlarged_.Allocate(size_t(width_) * size_t(height_))) return;
    Enlarge();
}

void EffectImages::Enlarge() {
    // Bilinear: the mask is blurred, so this adds no edge the raster export does not have.
    const int szx = source_.szx;
    const int szy = source_.szy;
    const double dx = static_cast<double>(width_) / szx;
    const double dy = static_cast<double>(height_) / szy;
    std::vector<Tap> columns(static_cast<size_t>(width_));
    for (int x = 0; x < width_; ++x) columns[size_t(x)] = TapAt(x, dx);
    auto at = [&](const uint8_t* row, int j) -> int { return (row && j >= 0 && j < szx) ? row[j] : 0; };
    for (int y = 0; y < height_; ++y) {
        const Tap r = TapAt(y, dy);
        const uint8_t* upper = (r.index >= 0 && r.index < szy) ? source_.mask + size_t(r.index) * size_t(szx) : nullptr;
        const uint8_t* lower =
            (r.index + 1 >= 0 && r.index + 1 < szy) ? source_.mask + size_t(r.index + 1) * size_t(szx) : nullptr;
        uint8_t* out = enlarged_.data() + size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x) {
            const Tap c = columns[size_t(x)];
            const int top = at(upper, c.index) * (256 - c.weight) + at(upper, c.index + 1) * c.weight;
            const int bottom = at(lower, c.index) * (256 - c.weight) + at(lower, c.index + 1) * c.weight;
            out[x] = static_cast<uint8_t>((top * (256 - r.weight) + bottom * r.weight + 32768) >> 16);
        }
    }
}

bool EffectImages::MaskWith(cairo_t* cr, cairo_surface_t* alpha, const Rgb8& colour, double x, double y) const {
    cairo_set_source_rgb(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
    MaskImageInBox(cr, alpha, x, y, source_.szx, source_.szy);
    return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

bool EffectImages::DrawShadow(cairo_t* cr, const ObjStyle& lt) const {
    if (!ok()) return false;
    CairoSurface image = AlphaImage(width_, height_);
    if (!image) return false;
    const uint32_t opacity = OpacityByte(lt.shadow_opacity);
    cairo_surface_flush(image.get());
    uint8_t* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < height_; ++y) {
        const uint8_t* m = enlarged_.data() + size_t(y) * size_t(width_);
        uint8_t* out = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width_; ++x) out[x] = static_cast<uint8_t>(m[x] * opacity / 255);
    }
    cairo_surface_mark_dirty(image.get());
    const Rgb8 c = ToBytesClamped(HlsToRgb(lt.shadow_color));
    const ShadowOffset off = ShadowOffsetFor(source_.scale, lt.shadow_distance, lt.shadow_angle);
    return MaskWith(cr, image.get(), c, source_.x0 + off.dx, source_.y0 + off.dy);
}

bool EffectImages::DrawOutline(cairo_t* cr, const ObjStyle& lt) const {
    if (!ok() || !source_.curve) return false;
    CairoSurface image = AlphaImage(width_, height_);
    if (!image) return false;
    // The fill's coverage at the image's density first; the outline is computed in place.
    if (source_.outlines) {
        CairoContext fill(cairo_create(image.get()));
        cairo_scale(fill.get(), static_cast<double>(width_) / source_.szx, static_cast<double>(height_) / source_.szy);
        AddOutlinePath(fill.get(), *source_.outlines, 0, 0);
        cairo_fill(fill.get());
    }
    cairo_surface_flush(image.get());
    const uint32_t opacity = OpacityByte(lt.outline_opacity);
    uint8_t* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < height_; ++y) {
        const uint8_t* m = enlarged_.data() + size_t(y) * size_t(width_);
        uint8_t* out = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t cov = out[x];
            out[x] = (cov == 255 || m[x] == 0)
                         ? 0
                         : static_cast<uint8_t>(static_cast<uint32_t>(source_.curve[m[x]]) * (255u - cov) * opacity / 65025u);
        }
    }
    cairo_surface_mark_dirty(image.get());
    const Rgb8 c = ToBytesClamped(HlsToRgb(lt.outline_color));
    return MaskWith(cr, image.get(), c, source_.x0, source_.y0);
}

}  // namespace qv
