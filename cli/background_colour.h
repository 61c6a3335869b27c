#pragma once

#include <string>

#include "document/colour_model.h"

namespace qv::cli {

// "#rrggbb" as the stored colour whose background pixels are exactly those bytes, or the
// nearest one where the colour model has none (a red with a trace of blue: hue stops at 239).
// False when the text is not of that form.
bool ParseHexColour(const std::string& text, Hls& colour);

}  // namespace qv::cli
