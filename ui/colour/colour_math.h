#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/colour_model.h"

// The arithmetic of the colour controls, apart from any widget: where a pointer lands, what
// colour each pixel of the strip, the field and the palette gets, and how the RGB edits are read.
namespace qv::ui {

// A pointer coordinate across a control `size` pixels long, as a fraction 0..1.
float PointerFraction(int coordinate, int size);

// Where a marker for fraction f stands in a control `size` pixels long: inset by 2 % on either
// side so that it never sits on the border.
int MarkerPosition(float fraction, int size);

// The hue strip: fraction f picks hue f * 239, so its right end is 239 and never 240.
float HueFromStrip(float fraction);
float StripFromHue(float hue);
// Column x of a strip `width` pixels wide: hue x / width * 239 at full saturation, half light.
uint32_t StripColour(int x, int width);

// The saturation/lightness field: saturation across, lightness down, both 0..240.
float SaturationFromField(float fraction);
float LightnessFromField(float fraction);
float FieldFromComponent(float value);
// Pixel (x, y) of a width x height field at `hue`: black along the top, white along the bottom.
uint32_t FieldColour(float hue, int x, int y, int width, int height);

// The preset palette: 17 columns, 13 rows, a one-pixel border around the cells.
inline constexpr int kPaletteColumns = 17;
inline constexpr int kPaletteRows = 13;

// The pixels a cell covers: columns left..right - 1, rows top..bottom - 1. Neighbours may share
// a column or row; the later cell paints over it.
struct CellRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const CellRect&) const = default;
};
CellRect PaletteCellRect(int column, int row, int width, int height);

// Row 0 is a grey ramp; rows 1..12 walk the hues from green round to yellow, dark to light.
Hls PaletteCellColour(int column, int row);

// The cell under client point (x, y); false when the point is past the last column or row.
bool PaletteHit(int x, int y, int width, int height, int& column, int& row);

// Where the three controls stand for a colour: the strip's fraction, the field's two.
struct ColourPosition {
    float hue;
    float saturation;
    float lightness;
};
ColourPosition PositionOf(const Hls& colour);

// The colour as the logo draws it, red, green, blue 0..255.
Rgb8 ShownRgb(const Hls& colour);

// What an RGB edit holds: its leading digits as a number (capped far above 255 so that it
// cannot overflow), or -1 when it starts with no digit at all.
int ReadRgbEdit(const char* text);
// The edit's value as it has to read: 255 for anything above.
int ClampRgb(int value);

// A colour typed or pasted as a hex code: "#1a73e8", "1a73e8", "#abc" or "abc" (each digit
// doubled), any case, surrounding spaces ignored. Nothing for anything else.
std::optional<Rgb8> ParseHexColour(std::string_view text);
// "#rrggbb" in lower case.
std::string HexColour(const Rgb8& rgb);

}  // namespace qv::ui
