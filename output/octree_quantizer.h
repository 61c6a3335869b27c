#pragma once

#include <vector>

#include "codecs/image.h"

namespace qv {

// The palette of an 8-bit export: an octree over the 24-bit image with at most 256 leaves,
// reduced deepest level first, most recently created node first. The entries are the leaves'
// mean colours in depth-first order; an image with at most 256 colours keeps exactly them.
std::vector<PaletteEntry> BuildOctreePalette(const Image& image);

// The same tree over the colours of a set of 0xAARRGGBB pixels, with a limit of its own: over
// red, green and blue, or over red, green, blue and alpha together (sixteen children a node),
// so that the palette of a transparent picture spends its entries where colour and coverage
// vary.
std::vector<PaletteEntry> BuildOctreePaletteRgb(const std::vector<uint32_t>& pixels, int max_colours);
std::vector<PaletteEntry> BuildOctreePaletteRgba(const std::vector<uint32_t>& pixels, int max_colours);

}  // namespace qv
