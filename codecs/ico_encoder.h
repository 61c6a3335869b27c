#pragma once

#include <cstdint>
#include <vector>

#include "codecs/image.h"

namespace qv {

// Icons of several sizes in one ICO file, each a 32-bit bitmap with straight alpha (and the
// 1-bit mask older readers use) in the order given. Every image must be valid and at most 256
// pixels each way; false otherwise, with `out` empty. The same images always give the same
// bytes.
bool EncodeIcoImages(const std::vector<const Image*>& images, std::vector<uint8_t>& out);

}  // namespace qv
