#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codecs/image.h"

namespace qv {

// Why a decode gave no picture. A file is kTooLarge when its header claims a picture beyond
// the limits it was decoded under; that is found before anything of that size is allocated.
// Anything else that stops a decode (a damaged or truncated file, an unknown type) is
// kDamaged.
enum class DecodeStatus { kOk, kDamaged, kTooLarge };

// Decodes a file of the given ImageFileType into the 24-bit form, with has_alpha set when the
// file carries transparency. Unless the result is kOk, `out` is empty; nothing is printed.
//
// What a file leaves open is settled so:
//   GIF   the first frame only; where it does not cover the logical screen, transparent black.
//         The canvas, the logical screen grown to hold the frame, is what the limits measure.
//   BMP   pixels that run-length data skips take palette entry 0. A 32-bit file has alpha only
//         when its fourth bytes are not all zero; the same holds for 32-bit Targa files.
//   ICO   the largest image within the limits, measured from the entries themselves rather
//         than the directory; kTooLarge when every image is beyond them.
//   TIFF  the first directory; premultiplied alpha is turned back into straight alpha.
DecodeStatus DecodeImageWithin(const uint8_t* data, size_t size, int type,
                               const DecodeLimits& limits, Image& out);

// The same under the general limits, true for kOk.
bool DecodeImage(const uint8_t* data, size_t size, int type, Image& out);
// Reads the whole file first; false also when it cannot be read.
bool DecodeImageFile(const std::string& path, int type, Image& out);

}  // namespace qv
