#pragma once

#include <string>

#include "document/le_file.h"
#include "output/logo_export.h"

namespace qv {

// The vector files of a logo kit, transparent, at the size the subject and settings give.
// Each writes `path` and returns true, or shows why not and returns false.
bool KitWriteSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings, const std::string& path);
bool KitWritePdf(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings, const std::string& path,
                 const std::string& title);

// Whether this build writes vector files at all; a kit without them leaves them out.
bool KitVectorAvailable();

}  // namespace qv
