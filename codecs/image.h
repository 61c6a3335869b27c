#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// The numbers stand in saved settings and export dialogs, so they never change.
enum ImageFileType : int {
    kImageBmp = 0,
    kImageGif = 1,
    kImageJpeg = 2,
    kImagePng = 3,
    kImageIco = 4,
    kImageTiff = 5,
    kImageTga = 6,
};
inline constexpr int kImageFileTypeCount = 7;

// Limits every decoder checks before it allocates anything: a damaged header must not make us
// reserve gigabytes.
inline constexpr int kMaxImageSide = 32768;
#ifdef QV_FUZZING
// The fuzzing build takes a lower pixel count, so that the many tiny inputs that claim a huge
// picture do not each cost a gigabyte; the checks themselves are the same.
inline constexpr int64_t kMaxImagePixels = int64_t{4} * 1024 * 1024;
#else
inline constexpr int64_t kMaxImagePixels = int64_t{256} * 1024 * 1024;
#endif

// The largest picture a decoder may produce. The general limits above are the default; a
// caller that takes files from anywhere, such as the picture import, passes stricter ones.
// Wider ones gain nothing: an Image never exceeds the general limits.
struct DecodeLimits {
    int max_side = kMaxImageSide;
    int64_t max_pixels = kMaxImagePixels;

    // Whether a picture of at least one pixel each way fits; sides are compared before the
    // product, so it cannot overflow.
    constexpr bool Allows(int64_t width, int64_t height) const {
        return width >= 1 && height >= 1 && width <= max_side && height <= max_side &&
               width * height <= max_pixels;
    }
};

inline bool ImageSizeAllowed(int64_t width, int64_t height) {
    return DecodeLimits{}.Allows(width, height);
}

// A pixel of the 24-bit form: 0xAARRGGBB, which is B, G, R, A in memory on our little-endian
// targets, the order the image libraries can read and write directly.
inline constexpr uint32_t MakeArgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return (uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}
inline constexpr uint8_t ArgbA(uint32_t p) {
    return static_cast<uint8_t>(p >> 24);
}
inline constexpr uint8_t ArgbR(uint32_t p) {
    return static_cast<uint8_t>(p >> 16);
}
inline constexpr uint8_t ArgbG(uint32_t p) {
    return static_cast<uint8_t>(p >> 8);
}
inline constexpr uint8_t ArgbB(uint32_t p) {
    return static_cast<uint8_t>(p);
}

struct PaletteEntry {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;
};

// A picture in memory. Rows are counted from the bottom: row 0 is the bottom row, which is how
// the export and import code walks them.
//
// The 24-bit form (`pixels`) is always there in a valid image. The 8-bit form (`bpp` 8,
// `indices` and the palette) is an addition made by the colour reduction for the writers that
// store palette images; the 24-bit writers ignore it.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height, 0xAARRGGBB
    bool has_alpha = false;        // false: the alpha bytes are 255 and mean nothing

    int bpp = 24;                  // 24, or 8 when the 8-bit form below is filled in
    std::vector<uint8_t> indices;  // width * height palette indices, same row order
    std::array<PaletteEntry, 256> palette{};
    int palette_size = 0;

    int quality = 90;  // 10..100, for the JPEG writer

    // Makes an opaque black 24-bit image and drops any 8-bit form. False, with the image left
    // empty, for a size outside the limits above or when the memory cannot be had.
    bool Create24(int w, int h);
    // Adds a zeroed 8-bit form to a valid image and sets bpp 8; the caller fills in the indices
    // and the palette. False when the memory cannot be had.
    bool CreateIndices();
    void Clear();
    bool IsValid() const;

    // Out-of-range coordinates are ignored by the setter and read as 0 by the getters.
    void SetPixel(int x, int row, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
    uint32_t GetPixel(int x, int row) const;
    uint8_t GetIndex(int x, int row) const;

    // Row access for the codecs; `row` must be in range.
    uint32_t* Row(int row) { return pixels.data() + static_cast<size_t>(row) * width; }
    const uint32_t* Row(int row) const { return pixels.data() + static_cast<size_t>(row) * width; }
    uint8_t* IndexRow(int row) { return indices.data() + static_cast<size_t>(row) * width; }
    const uint8_t* IndexRow(int row) const {
        return indices.data() + static_cast<size_t>(row) * width;
    }
};

}  // namespace qv
