#include "ui/pixels.h"

#include <algorithm>

namespace qv::ui {

QImage BufferView(const uint32_t* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0) return {};
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height,
                  static_cast<qsizetype>(width) * 4, QImage::Format_RGB32);
}

QImage BufferView(const PixelBuffer& buffer) {
    return BufferView(buffer.data(), buffer.width(), buffer.height());
}

QImage BufferImage(const PixelBuffer& buffer) {
    return BufferView(buffer).copy();
}

PixelBuffer ImageToBuffer(const Image& image) {
    PixelBuffer buffer;
    if (!image.IsValid() || !buffer.Allocate(image.width, image.height)) return buffer;
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.Row(image.height - 1 - y);
        uint32_t* dst = buffer.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) dst[x] = src[x] & 0x00FFFFFFu;
    }
    return buffer;
}

void MirrorRows(uint8_t* raster, int width, int height) {
    if (!raster) return;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = raster + size_t(y) * size_t(width);
        std::reverse(row, row + width);
    }
}

}  // namespace qv::ui
