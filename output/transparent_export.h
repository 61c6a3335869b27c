#pragma once

#include "codecs/image.h"
#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv {

// The logo on a transparent canvas: w x h pixels 0xAARRGGBB with straight alpha, top row first.
// The ordinary export composes the logo over the document's background, and twice more over
// black and over white with the very same dither; each pixel's coverage is what the two plain
// backgrounds let through, and its colour the one that gives the ordinary export back. Laid over
// the document's background colour the picture therefore reproduces the ordinary export within
// 1 per channel, whatever passes (shadow, fill, gradient, outline, custom bitmaps) made it.
bool ExportWithAlpha(LeFile& lf, int w, int h, float scf, PixelBuffer& out);

// Reduces a 24-bit image with alpha to a palette. PNG: colour and alpha are quantized together
// (an octree over red, green, blue and alpha) with one entry kept for fully transparent pixels,
// which take no diffused error; GIF: pixels below half alpha take the one transparent index and
// the rest are reduced by colour alone.
bool ReduceWithAlpha(Image& image, bool single_transparent_index);

}  // namespace qv
