#pragma once

#include "document/le_file.h"

namespace qv::bench {

// Loads the shipped font library once (from the folder of the benchmark) for all benchmarks.
void EnsureFonts();

// The logo the speed targets are measured on: three texts of sizes 40-90 with outline and
// shadow at strength 5 (one with a gradient, one rotated, one bent), a fourth line of text, and
// two shapes with gradients.
void BuildReferenceLogo(LeFile& lf);

}  // namespace qv::bench
