#include "ui/missing_faces_notice.h"

#include "app/user_message.h"
#include "document/missing_faces.h"

namespace qv::ui {

void TellMissingFaces(LeFile& lf) {
    const std::vector<MissingFace> missing = MissingFaces(lf);
    if (!missing.empty()) ShowMessage(MissingFacesMessage(missing));
}

}  // namespace qv::ui
