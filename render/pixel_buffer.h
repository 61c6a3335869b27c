#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

// 0x00RRGGBB; in memory B, G, R, 0 — the layout of a top-down 32-bit bitmap.
constexpr uint32_t RGB_MAKE(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

constexpr uint32_t RedOf(uint32_t p) { return (p >> 16) & 0xFF; }
constexpr uint32_t GreenOf(uint32_t p) { return (p >> 8) & 0xFF; }
constexpr uint32_t BlueOf(uint32_t p) { return p & 0xFF; }

// Colour c laid over pixel d with weight a (0..255), per channel truncating; top byte 0.
constexpr uint32_t Blend(uint32_t d, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    return RGB_MAKE((RedOf(d) * (255 - a) + r * a) / 255, (GreenOf(d) * (255 - a) + g * a) / 255,
                    (BlueOf(d) * (255 - a) + b * a) / 255);
}

// Sizes beyond this are treated as allocation failures rather than left to exhaust memory.
inline constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

// A width x height block of 32-bit pixels, row-major, top row first, no padding.
class PixelBuffer {
public:
    PixelBuffer() = default;
    // Replaces the content with an uninitialised width x height block. On failure (memory, or a
    // size beyond kMaxPixels, or a negative side) it shows "not enough memory to complete
    // operation", ends up empty and returns false; nothing may be drawn into it then.
    bool Allocate(int width, int height);
    void Free();

    void Fill(uint32_t value);
    // 8 x 8 squares, `first` at the top-left corner.
    void FillCheckerboard(uint32_t first, uint32_t second);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return !pixels_; }
    uint64_t size() const { return uint64_t(width_) * uint64_t(height_); }
    uint32_t* data() { return pixels_.get(); }
    const uint32_t* data() const { return pixels_.get(); }
    uint32_t at(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    uint32_t& at(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }

private:
    std::unique_ptr<uint32_t[]> pixels_;
    int width_ = 0;
    int height_ = 0;
};

// The two checkerboards: behind the current-object preview, and behind single-object blits.
inline constexpr uint32_t kPreviewChessA = 0xECECF1;
inline constexpr uint32_t kPreviewChessB = 0xD0D8DA;
inline constexpr uint32_t kBlitChessA = 0xC0C0C0;
inline constexpr uint32_t kBlitChessB = 0xFFFFFF;

}  // namespace qv
