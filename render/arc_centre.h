#pragma once

#include <optional>

#include "render/text_layout.h"

namespace qv {

// The rotation (a fraction of a turn, 0 up to 1) that puts the middle of a bent line's run at
// the top of its circle (bent outside) or at its bottom (bent inside), read from the laid-out
// run and radius. None for a line that is not bent or has no run. The run does not depend on
// the rotation, so one layout gives the answer.
std::optional<float> CentredArcRotation(const TextLayout& layout, bool inside);

}  // namespace qv
