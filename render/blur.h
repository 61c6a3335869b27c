#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// One pass of the 5 x 5 binomial blur ([1 4 6 4 1] by itself, weights summing to 256) with zero
// padding and truncating division: out(i, j) = sum(weight * in) >> 8. `in` and `out` are
// width x height bytes and must not overlap. `scratch` is reused between calls.
void BinomialBlurPass(const uint8_t* in, uint8_t* out, int width, int height,
                      std::vector<uint16_t>& scratch);

// The same pass written directly from its definition; the fast one must match it bit for bit.
void BinomialBlurPassReference(const uint8_t* in, uint8_t* out, int width, int height);

// Stretches the values to 0..255: v -> (v - min) * 255 / (max - min); unchanged when flat.
void StretchContrast(uint8_t* data, size_t count);

}  // namespace qv
