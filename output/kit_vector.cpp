// The kit's vector files go through the ordinary SVG and PDF writers.

#include "output/kit_vector.h"

#include "app/memory_budget.h"
#include "output/pdf_export.h"
#include "output/svg_export.h"

namespace qv {

bool KitWriteSvg(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings, const std::string& path) {
    return ExportLogoSvgFile(lf, subject, settings, path, DefaultMemoryBudget());
}

bool KitWritePdf(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings, const std::string& path,
                 const std::string& title) {
    return ExportLogoPdf(lf, subject, settings, path, title);
}

bool KitVectorAvailable() { return true; }

}  // namespace qv
