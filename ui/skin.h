#pragma once

#include <cstdint>

#include "render/pixel_buffer.h"

// The editor's own look: the palette and the pictures of the skinned controls, all computed
// here so that no artwork has to ship with the program.
namespace qv::ui::skin {

inline constexpr uint32_t kWindow = RGB_MAKE(236, 236, 241);
inline constexpr uint32_t kEdgeDark = RGB_MAKE(144, 163, 174);
inline constexpr uint32_t kEdgeLight = RGB_MAKE(255, 255, 255);
inline constexpr uint32_t kFrame = RGB_MAKE(63, 115, 141);
inline constexpr uint32_t kHighlight = RGB_MAKE(134, 180, 202);
inline constexpr uint32_t kPale = RGB_MAKE(220, 230, 240);
inline constexpr uint32_t kDeep = RGB_MAKE(63, 108, 126);

enum class Look { kNormal, kHover, kPressed, kDisabled };

// Hovered or pressed, normal, disabled: the three colour sets of a caption.
struct CaptionColours {
    uint32_t top;
    uint32_t bottom;
};
CaptionColours CaptionColoursFor(Look look);

// `a` moved towards `b` by t (0..1).
uint32_t Mix(uint32_t a, uint32_t b, float t);

// A button face: a vertical gradient in a one-pixel frame with rounded corners, on the window
// colour. Symmetric left to right, so a mirrored glyph needs no mirrored face.
PixelBuffer ButtonFace(int width, int height, Look look);

// The arrow button of a page slider: a face with a triangle pointing left or right.
PixelBuffer ArrowFace(int size, bool right, Look look);

// A page slider: a groove across the width and a thumb at the place of `page`.
PixelBuffer SliderFace(int width, int height, int page, int pages, Look look);
// Where the thumb of a slider `width` wide stands: its left column and width.
void SliderThumb(int width, int page, int pages, int& left, int& thumb_width);

// The decorative strip under the text box.
PixelBuffer StripFace(int width, int height);

// A one-pixel border: top and left in one colour, bottom and right in the other.
void Draw3dEdge(PixelBuffer& buffer, uint32_t top_left, uint32_t bottom_right);
// A one-pixel frame inside the rectangle.
void DrawFrame(PixelBuffer& buffer, int x, int y, int w, int h, uint32_t colour);

}  // namespace qv::ui::skin
