#pragma once

#include <string>

#include "document/obj_style.h"
#include "render/ft_text.h"
#include "render/pixel_buffer.h"
#include "ui/skin.h"

namespace qv::ui {

// A caption or a glyph drawn by the engine: rendered once per text into a coverage raster,
// then laid over a button face in the gradient of the button's look. Rendering waits for the
// font library, so controls can be built before the fonts are loaded.
class CaptionArt {
public:
    // A line of text (UTF-8) in `face` at `size` pixels.
    void SetText(const std::string& text, const char* face, int size);
    // One glyph of a symbol face, mirrored left to right when asked.
    void SetGlyph(const char* face, int glyph, int size, bool mirrored);

    const std::string& text() const { return lt_.str; }

    // The render scale: the screen's pixel ratio where the caption is drawn at device
    // resolution. Sizes and widths are then in device pixels.
    void SetScale(float scale);

    // A caption wider than this is condensed to fit (0: no limit).
    void SetMaxWidth(int width);

    // Lays the caption centred into the buffer, with the top colour above the bottom one.
    void DrawCentred(PixelBuffer& buffer, skin::CaptionColours colours);
    // Vertically centred, its right edge `margin` pixels from the buffer's right edge.
    void DrawRightAligned(PixelBuffer& buffer, int margin, skin::CaptionColours colours);

    // The rendered size; zero before the fonts are there.
    int width();
    int height();

private:
    bool EnsureRendered();
    void Colour(skin::CaptionColours colours);

    FtText ft_;
    ObjStyle lt_;
    bool mirrored_ = false;
    int max_width_ = 0;
    bool dirty_ = true;
    int fonts_seen_ = 0;
};

}  // namespace qv::ui
