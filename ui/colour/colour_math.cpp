#include "ui/colour/colour_math.h"

#include <algorithm>
#include <cmath>

namespace qv::ui {
namespace {

float Unit(float f) {
    return std::clamp(f, 0.0f, 1.0f);
}

}  // namespace

float PointerFraction(int coordinate, int size) {
    if (size <= 0) return 0.0f;
    return Unit(float(std::clamp(coordinate, 0, size)) / float(size));
}

int MarkerPosition(float fraction, int size) {
    return int((fraction * 0.96f + 0.02f) * float(size));
}

float HueFromStrip(float fraction) {
    return fraction * 239.0f;
}
float StripFromHue(float hue) {
    return Unit(hue / 239.0f);
}

uint32_t StripColour(int x, int width) {
    if (width <= 0) return 0;
    return HlsToPacked({float(x) / float(width) * 239.0f, 240.0f, 120.0f});
}

float SaturationFromField(float fraction) {
    return fraction * 240.0f;
}
float LightnessFromField(float fraction) {
    return fraction * 240.0f;
}
float FieldFromComponent(float value) {
    return Unit(value / 240.0f);
}

uint32_t FieldColour(float hue, int x, int y, int width, int height) {
    // A one-pixel field has only its first column and row.
    const float s = width > 1 ? 240.0f * float(x) / float(width - 1) : 0.0f;
    const float l = height > 1 ? 240.0f * float(y) / float(height - 1) : 0.0f;
    return HlsToPacked({hue, s, l});
}

CellRect PaletteCellRect(int column, int row, int width, int height) {
    const float cw = float(width - 2) / float(kPaletteColumns);
    const float ch = float(height - 2) / float(kPaletteRows);
    return {int(std::floor(float(column) * cw)) + 1, int(std::floor(float(row) * ch)) + 1,
            int(std::ceil(float(column + 1) * cw)) + 1, int(std::ceil(float(row + 1) * ch)) + 1};
}

Hls PaletteCellColour(int column, int row) {
    if (row == 0) return {0.0f, 0.0f, 240.0f * float(column) / 16.0f};
    float hue = 60.0f + 20.0f * float(row - 1);
    if (hue >= 240.0f) hue -= 240.0f;
    return {hue, 240.0f, 20.0f + 12.5f * float(column)};
}

bool PaletteHit(int x, int y, int width, int height, int& column, int& row) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const float cw = float(width - 2) / float(kPaletteColumns);
    const float ch = float(height - 2) / float(kPaletteRows);
    if (cw <= 0.0f || ch <= 0.0f) return false;
    // Truncation toward zero: the border pixel at 0 still belongs to the first cell.
    const int c = int(float(x - 1) / cw);
    const int r = int(float(y - 1) / ch);
    if (c > kPaletteColumns - 1 || r >= kPaletteRows) return false;
    column = c;
    row = r;
    return true;
}

ColourPosition PositionOf(const Hls& colour) {
    return {StripFromHue(colour.h), FieldFromComponent(colour.s), FieldFromComponent(colour.l)};
}

Rgb8 ShownRgb(const Hls& colour) {
    return ToBytesClamped(HlsToRgb(colour));
}

int ReadRgbEdit(const char* text) {
    if (!text) return -1;
    int value = -1;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p) {
        value = std::min((value < 0 ? 0 : value) * 10 + (*p - '0'), 99999);
    }
    return value;
}

int ClampRgb(int value) {
    return std::min(value, 255);
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Rgb8> ParseHexColour(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 3 && text.size() != 6) return std::nullopt;
    int digits[6];
    for (size_t i = 0; i < text.size(); ++i) {
        digits[i] = HexDigit(text[i]);
        if (digits[i] < 0) return std::nullopt;
    }
    if (text.size() == 3) {
        return Rgb8{uint8_t(digits[0] * 17), uint8_t(digits[1] * 17), uint8_t(digits[2] * 17)};
    }
    return Rgb8{uint8_t(digits[0] * 16 + digits[1]), uint8_t(digits[2] * 16 + digits[3]),
                uint8_t(digits[4] * 16 + digits[5])};
}

std::string HexColour(const Rgb8& rgb) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out = "#";
    for (const uint8_t v : {rgb.r, rgb.g, rgb.b}) {
        out += kDigits[v >> 4];
        out += kDigits[v & 15];
    }
    return out;
}

}  // namespace qv::ui
