#include "app/user_message.h"
#include "output/pdf_export.h"

namespace qv {

// Stands in until the PDF writer is merged.
bool ExportLogoPdf(LeFile&, const ExportSubject&, const ExportSettings&, const std::string&, const std::string&) {
    ShowMessage("PDF export is not available in this build.");
    return false;
}

}  // namespace qv
