#pragma once

#include <QImage>
#include <cstdint>

#include "codecs/image.h"
#include "render/pixel_buffer.h"

namespace qv::ui {

// A view of engine pixels for painting, without a copy: valid while the pixels live unchanged.
QImage BufferView(const uint32_t* pixels, int width, int height);
QImage BufferView(const PixelBuffer& buffer);

// An independent copy, for keeping (the clipboard, icons).
QImage BufferImage(const PixelBuffer& buffer);

// A codec image (rows counted from the bottom) as an opaque pixel buffer, top row first.
PixelBuffer ImageToBuffer(const Image& image);

// Mirrors every row of a width x height byte raster in place.
void MirrorRows(uint8_t* raster, int width, int height);

}  // namespace qv::ui
