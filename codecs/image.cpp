#include "codecs/image.h"

#include <new>

namespace qv {

namespace {

// The one place where a failed allocation is turned into a result: images are the only large
// blocks the engine allocates from sizes found in files.
template <class T>
bool AllocateZeroed(std::vector<T>& v, size_t count, T value) {
    try {
        v.assign(count, value);
        return true;
    } catch (const std::bad_alloc&) {
        std::vector<T>().swap(v);
        return false;
    }
}

}  // namespace

bool Image::Create24(int w, int h) {
    Clear();
    if (!ImageSizeAllowed(w, h)) return false;
    if (!AllocateZeroed(pixels, static_cast<size_t>(w) * static_cast<size_t>(h),
                        MakeArgb(0, 0, 0))) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

bool Image::CreateIndices() {
    if (!IsValid()) return false;
    if (!AllocateZeroed(indices, pixels.size(), uint8_t{0})) return false;
    bpp = 8;
    palette_size = 0;
    palette = {};
    return true;
}

void Image::Clear() {
    const int kept_quality = quality;
    *this = Image();
    quality = kept_quality;
}

bool Image::IsValid() const {
    if (!ImageSizeAllowed(width, height)) return false;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (pixels.size() != count) return false;
    if (bpp == 24) return true;
    return bpp == 8 && indices.size() == count && palette_size >= 1 && palette_size <= 256;
}

void Image::SetPixel(int x, int row, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    if (x < 0 || row < 0 || x >= width || row >= height) return;
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return;
    Row(row)[x] = MakeArgb(r, g, b, a);
}

uint32_t Image::GetPixel(int x, int row) const {
    if (x < 0 || row < 0 || x >= width || row >= height) return 0;
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return 0;
    return Row(row)[x];
}

uint8_t Image::GetIndex(int x, int row) const {
    if (x < 0 || row < 0 || x >= width || row >= height) return 0;
    if (indices.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return 0;
    return IndexRow(row)[x];
}

}  // namespace qv
