#pragma once

#include <vector>

#include "codecs/image.h"

namespace qv {

// Reduces a 24-bit image to 8 bits a pixel with `palette` and error diffusion: rows in the
// image's own order (the bottom row of the picture first), each left to right; the nearest
// entry by squared distance, the lowest index winning ties; the error spread with weights 7, 2,
// 4 and 1 over 16. The 24-bit form is left as it was. False for an invalid image, an empty
// palette or when memory is short.
bool DecreaseBpp(Image& image, const std::vector<PaletteEntry>& palette);

// Gives an image whose indices are filled its palette and marks it as 8 bits a pixel.
void StorePalette(Image& image, const std::vector<PaletteEntry>& palette);

// The same reduction written plainly, with a linear search for every pixel; DecreaseBpp must
// give identical indices.
bool DecreaseBppReference(Image& image, const std::vector<PaletteEntry>& palette);

}  // namespace qv
