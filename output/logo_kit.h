#pragma once

#include <functional>
#include <string>

#include "document/le_file.h"

namespace qv {

struct KitRequest {
    std::string folder;       // the kit's folder: new, empty, or an earlier kit, replaced whole
    std::string title;        // the brand page's heading and the PDF's title
    std::string install_dir;  // where the font licences are (InstallDir())
};

// Called after each step with the steps done and their total; returning false stops the kit,
// which then leaves nothing behind and shows no message.
using KitProgress = std::function<bool(int done, int total)>;

// Every file a client needs (output/kit_files.h lists them) written into request.folder: the
// pictures at exact sizes through the render scale, the one-colour versions, the icons, the
// brand page and the licences of the logo's fonts. Everything is made in a folder beside the
// target and moved into place only when complete. False, after the message, when the logo is
// empty (kNothingToExportMessage), a picture cannot be read, the logo cannot be drawn as
// designed or a file cannot be written; an earlier kit at the target is then left as it was.
// The logo's objects are centred as for an export.
bool WriteLogoKit(LeFile& lf, const KitRequest& request, const KitProgress& progress = nullptr);

}  // namespace qv
