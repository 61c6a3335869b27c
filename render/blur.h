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

// Rows first_row .. last_row - 1 of one such pass; they read the input rows two above and two
// below. The bands of a split raster together give exactly the whole pass.
void BinomialBlurRows(const uint8_t* in, uint8_t* out, int width, int height, int first_row,
                      int last_row, std::vector<uint16_t>& scratch);

// `passes` passes back and forth between `a` (the input) and `b`; returns the one holding the
// result: `a` after an even number of passes, else `b`. With `threads` of 2 or more the rows are
// split into two bands done side by side; the result is the same byte for byte. While the
// passes are few against the height, the lower band works on a copy of its rows with 2 rows
// of context per pass, which holds about one more raster's bytes until the passes end.
const uint8_t* BinomialBlurPasses(uint8_t* a, uint8_t* b, int width, int height, int passes,
                                  int threads);

// Rasters from this many pixels on are blurred on two threads when there are two cores: below
// it starting the thread costs more than it saves.
inline constexpr size_t kThreadedBlurPixels = 1 << 18;

// The same pass written directly from its definition; the fast one must match it bit for bit.
void BinomialBlurPassReference(const uint8_t* in, uint8_t* out, int width, int height);

// Stretches the values to 0..255: v -> (v - min) * 255 / (max - min); unchanged when flat.
void StretchContrast(uint8_t* data, size_t count);

}  // namespace qv
