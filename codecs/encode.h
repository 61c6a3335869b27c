#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/image.h"

namespace qv {

// Encodes a valid image as the given ImageFileType. BMP, JPEG and TIFF store the 24-bit form
// (TIFF and PNG with alpha when has_alpha); PNG stores the palette form when bpp is 8; GIF needs
// the 8-bit form and fails without it. ICO stores one 32-bit icon of at most 256 x 256 pixels;
// TGA is read but not written. The same image always gives the same bytes.
bool EncodeImage(const Image& img, int type, std::vector<uint8_t>& out);

// Encodes and writes through a temporary file; false when either step fails, in which case an
// existing file at `path` is left as it was.
bool SaveImageFile(const Image& img, const std::string& path, int type);

}  // namespace qv
