#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/image.h"

namespace qv {

// Decodes a file of the given ImageFileType into the 24-bit form, with has_alpha set when the
// file carries transparency. A damaged, truncated or oversized file gives false and an empty
// `out`; nothing is printed.
//
// What a file leaves open is settled so:
//   GIF   the first frame only; where it does not cover the logical screen, transparent black.
//   BMP   pixels that run-length data skips take palette entry 0. A 32-bit file has alpha only
//         when its fourth bytes are not all zero; the same holds for 32-bit Targa files.
//   ICO   the largest image, measured from the entries themselves rather than the directory.
//   TIFF  the first directory; premultiplied alpha is turned back into straight alpha.
bool DecodeImage(const uint8_t* data, size_t size, int type, Image& out);
bool DecodeImageFile(const std::string& path, int type, Image& out);

}  // namespace qv
