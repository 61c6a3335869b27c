#pragma once

#include <string>

#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv {

// The codec file type for a path by its last three characters, case ignored ("bmp", "gif",
// "jpg", "png", "ico", "tif", "tga"); -1 for anything else, "jpeg" and "tiff" included.
int ImageTypeForPath(const std::string& path);

// Decodes an image file into 0xAARRGGBB pixels, top row first, with alpha 255 where the file
// has none. False, with `out` unchanged, when the file cannot be decoded.
bool LoadBitmapPixels(const std::string& path, PixelBuffer& out);

// Makes LoadBitmapPixels the loader of every custom-bitmap object.
void InstallBitmapLoader();

// The file name without folder and extension: the name a custom bitmap is given.
std::string BitmapTitle(const std::string& path);

// Imports an image file as a custom bitmap: at the back, current. Null, after the message
// "File could not be opened: " + path, when the file cannot be decoded; the document is then
// unchanged.
LogoObj* ImportImage(LeFile& lf, const std::string& path);

}  // namespace qv
