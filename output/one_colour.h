#pragma once

#include <cstdint>

#include "document/le_file.h"
#include "codecs/image.h"

namespace qv {

inline constexpr Hls kOneColourBlack{0, 0, 0};
inline constexpr Hls kOneColourWhite{0, 0, 240};

// `out` becomes a copy of `logo` whose every colour (fill, both gradient colours, outline,
// shadow) is `colour`; opacities, effects and shapes stay, so the coverage is the logo's own.
void MakeOneColourCopy(const LeFile& logo, const Hls& colour, LeFile& out);

// Sets the colour of every visible pixel of an image with alpha to `rgb` (0xRRGGBB) and clears
// the invisible ones: the dither's small colour errors do not survive into a one-colour file.
void PaintVisiblePixels(Image& image, uint32_t rgb);

}  // namespace qv
