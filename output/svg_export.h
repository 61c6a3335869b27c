#pragma once

#include <cstdint>
#include <string>

#include "output/logo_export.h"

namespace qv {

// The logo as an SVG document (UTF-8): the export's size in px (scale and margins as the raster
// export), the background unless transparent, then one group per object back to front with its
// name as the title: the glyphs as paths filled with the colour or a linear gradient, the
// outline and shadow as filters that rebuild the engine's blurred mask, pictures as embedded
// PNG. No text elements: the drawing needs no fonts. False, after the raster export's message,
// for an empty logo, a missing picture or too little memory, and when drawing faulted.
bool ExportLogoSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   std::string& svg);
bool ExportLogoSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   std::string& svg, uint64_t memory_budget);

// The same written to `path` through a temporary file; false after "Can't open file " + path +
// " for writing..." when it cannot be written.
bool ExportLogoSvgFile(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                       const std::string& path, uint64_t memory_budget);

// The logo for the clipboard as SVG text: centred, at 100 %, no margins, transparent. Empty when
// the logo has no objects or cannot be drawn.
std::string CopyLogoSvg(LeFile& lf);

}  // namespace qv
