#include "ui/caption_art.h"

#include <algorithm>

#include "app/guard.h"
#include "document/colour_model.h"
#include "ui/pixels.h"

namespace qv::ui {

void CaptionArt::SetText(const std::string& text, const char* face, int size) {
    if (lt_.str == text && lt_.font == face && lt_.size == size && lt_.glyph < 0) return;
    lt_.str = text;
    lt_.font = face;
    lt_.glyph = -1;
    lt_.size = size;
    lt_.width = size;
    mirrored_ = false;
    dirty_ = true;
}

void CaptionArt::SetScale(float scale) {
    if (!(scale > 0.0f) || scale == ft_.scale) return;
    ft_.scale = scale;
    dirty_ = true;
}

void CaptionArt::SetMaxWidth(int width) {
    if (width == max_width_) return;
    max_width_ = width;
    dirty_ = true;
}

void CaptionArt::SetGlyph(const char* face, int glyph, int size, bool mirrored) {
    lt_.str.clear();
    lt_.font = face;
    lt_.glyph = glyph;
    lt_.size = size;
    lt_.width = size;
    mirrored_ = mirrored;
    dirty_ = true;
}

bool CaptionArt::EnsureRendered() {
    // The library may have been loaded (or reloaded) since the last render.
    if (FtText::FontCount() != fonts_seen_) dirty_ = true;
    if (!dirty_) return ft_.szx > 0;
    fonts_seen_ = FtText::FontCount();
    dirty_ = false;
    if (fonts_seen_ == 0 || (lt_.glyph < 0 && lt_.str.empty())) {
        ft_.szx = ft_.szy = 0;
        ft_.raster.Free();
        return false;
    }
    lt_.aspect = 1.0f;
    QV_CHECK_T("ft.Render(lt,0,0)", ft_.Render(lt_, 0, 0) == 0);
    // Our caption face runs wider than the captions were measured for: condense rather than
    // cut a caption off at the button's edges.
    if (max_width_ > 0 && lt_.glyph < 0 && ft_.szx > max_width_) {
        lt_.aspect = std::max(0.6f, float(max_width_) / float(ft_.szx));
        QV_CHECK_T("ft.Render(lt,0,0)", ft_.Render(lt_, 0, 0) == 0);
    }
    if (mirrored_) MirrorRows(ft_.raster.data(), ft_.szx, ft_.szy);
    return ft_.szx > 0;
}

void CaptionArt::Colour(skin::CaptionColours colours) {
    lt_.grad = 1;
    lt_.grad_angle = 90;
    lt_.grad_color1 = RgbToHls(float(RedOf(colours.top)), float(GreenOf(colours.top)),
                               float(BlueOf(colours.top)));
    lt_.grad_color2 = RgbToHls(float(RedOf(colours.bottom)), float(GreenOf(colours.bottom)),
                               float(BlueOf(colours.bottom)));
    lt_.grad_opacity1 = lt_.grad_opacity2 = 1.0f;
    lt_.outline = lt_.shadow = 0;
}

void CaptionArt::DrawCentred(PixelBuffer& buffer, skin::CaptionColours colours) {
    if (buffer.empty() || !EnsureRendered()) return;
    Colour(colours);
    ft_.BltToBuf(lt_, buffer.data(), buffer.width(), buffer.height(), buffer.width() / 2,
                 buffer.height() / 2, true, true);
}

void CaptionArt::DrawRightAligned(PixelBuffer& buffer, int margin, skin::CaptionColours colours) {
    if (buffer.empty() || !EnsureRendered()) return;
    Colour(colours);
    const int left = buffer.width() - margin - ft_.szx;
    ft_.BltToBuf(lt_, buffer.data(), buffer.width(), buffer.height(), left + ft_.szx / 2,
                 buffer.height() / 2, true, true);
}

int CaptionArt::width() {
    return EnsureRendered() ? ft_.szx : 0;
}
int CaptionArt::height() {
    return EnsureRendered() ? ft_.szy : 0;
}

}  // namespace qv::ui
