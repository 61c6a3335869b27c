#pragma once

#include <string>

#include "document/obj_style.h"

namespace qv {

// <linearGradient> (userSpaceOnUse, in raster coordinates) that gives every pixel centre of a
// szx x szy raster the colour and opacity the engine's gradient gives that pixel, without the
// dither.
std::string GradientElement(const std::string& id, const ObjStyle& lt, int szx, int szy);

}  // namespace qv
