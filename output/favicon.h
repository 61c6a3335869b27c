#pragma once

#include "codecs/image.h"
#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv {

// The icons' small sizes are drawn this many times larger and reduced.
inline constexpr int kIconOversampling = 8;

// `out` becomes a copy of `logo` holding only its frontmost shape (text is unreadable at icon
// sizes). False, with `out` untouched, when the logo has no shape.
bool CopyFrontmostShape(const LeFile& logo, LeFile& out);

// Reduces a straight-alpha picture (top row first) by `factor` each way with an area filter:
// each output pixel is the alpha-weighted mean of its factor x factor block, so transparent
// pixels lend no colour to the edges. The result is a codec image with alpha. False when the
// picture's sides are not multiples of `factor` or memory is short.
bool ReduceByArea(const PixelBuffer& big, int factor, Image& out);

}  // namespace qv
