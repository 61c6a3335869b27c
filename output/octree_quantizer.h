#pragma once

#include <vector>

#include "codecs/image.h"

namespace qv {

// The palette of an 8-bit export: an octree over the 24-bit image with at most 256 leaves,
// reduced deepest level first, most recently created node first. The entries are the leaves'
// mean colours in depth-first order; an image with at most 256 colours keeps exactly them.
std::vector<PaletteEntry> BuildOctreePalette(const Image& image);

}  // namespace qv
