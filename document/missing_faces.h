#pragma once

#include <string>
#include <vector>

#include "document/le_file.h"

namespace qv {

// A face a logo names that the library does not hold, and the face drawn in its place.
struct MissingFace {
    std::string face;
    std::string used_instead;
};

// Every face the text and shape objects of `lf` name that is not loaded, once each, in object
// order.
std::vector<MissingFace> MissingFaces(LeFile& lf);

// The one message the editor shows for them: a line per face with the face used instead.
std::string MissingFacesMessage(const std::vector<MissingFace>& missing);

}  // namespace qv
