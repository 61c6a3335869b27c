// The build without vector writers: the kit leaves its vector files out.

#include "app/user_message.h"
#include "output/kit_vector.h"

namespace qv {

bool KitWriteSvg(LeFile&, const ExportSubject&, const ExportSettings&, const std::string&) {
    ShowMessage(kVectorUnavailableMessage);
    return false;
}

bool KitWritePdf(LeFile&, const ExportSubject&, const ExportSettings&, const std::string&, const std::string&) {
    ShowMessage(kVectorUnavailableMessage);
    return false;
}

bool KitVectorAvailable() { return false; }

}  // namespace qv
