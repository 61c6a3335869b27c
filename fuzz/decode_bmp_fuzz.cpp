#include <cstddef>
#include <cstdint>

#include "codecs/decode.h"

// A decode either fails with nothing left behind or gives a complete image; anything else, or
// any sanitizer report, is a finding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qv::Image img;
    const bool ok = qv::DecodeImage(data, size, qv::kImageBmp, img);
    if (ok != img.IsValid() || (!ok && !img.pixels.empty())) __builtin_trap();
    return 0;
}
