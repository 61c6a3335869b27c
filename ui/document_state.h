#pragma once

#include "document/le_file.h"

namespace qv::ui {

// Whether two documents hold the same logo: the same objects in the same order with the same
// values, background and canvas settings. Which object is current and what was last rendered
// do not count, since neither is work that leaving the document would lose.
bool SameContent(const LeFile& a, const LeFile& b);

}  // namespace qv::ui
