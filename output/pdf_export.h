#pragma once
#include <string>
#include "output/logo_export.h"
namespace qv {
// The logo as a one-page PDF (cairo): the page is the export's size at 96 px per inch; vector
// paths for fills and gradients, the outline and shadow as images drawn by the engine used as
// masks, pictures as images, text as outlines. Title = `title`, creator "Qorvan Logo". Written
// through a temporary file. False, after a message, on failure (the same messages as the raster export).
bool ExportLogoPdf(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                   const std::string& path, const std::string& title);
}
