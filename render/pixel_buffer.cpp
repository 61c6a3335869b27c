#include "render/pixel_buffer.h"

#include <algorithm>
#include <new>

#include "app/fault_report.h"
#include "app/user_message.h"

namespace qv {

bool PixelBuffer::Allocate(int width, int height) {
    Free();
    if (width < 0 || height < 0 || uint64_t(width) * uint64_t(height) > kMaxPixels) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    const size_t count = size_t(width) * size_t(height);
    pixels_.reset(new (std::nothrow) uint32_t[count > 0 ? count : 1]);
    if (!pixels_) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void PixelBuffer::Free() {
    pixels_.reset();
    width_ = 0;
    height_ = 0;
}

void PixelBuffer::Fill(uint32_t value) {
    if (pixels_) std::fill_n(pixels_.get(), size_t(width_) * size_t(height_), value);
}

void PixelBuffer::FillCheckerboard(uint32_t first, uint32_t second) {
    if (!pixels_) return;
    for (int y = 0; y < height_; ++y) {
        uint32_t* row = pixels_.get() + size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x) row[x] = (((x >> 3) + (y >> 3)) & 1) ? second : first;
    }
}

}  // namespace qv
