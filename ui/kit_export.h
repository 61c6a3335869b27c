#pragma once

#include <QString>
#include <functional>
#include <string>

#include "document/le_file.h"

class QWidget;

namespace qv::ui {

// File > Export Logo Kit...: asks for a folder, writes the kit there with a progress bar the
// user may cancel, then names the folder. `choose_folder` answers the folder question (tests);
// null uses the system's folder dialog. Problems are shown by the engine's messages.
void ExportLogoKitTo(LeFile& lf, const std::string& doc_name, QWidget* parent,
                     const std::function<QString(QWidget*)>& choose_folder = nullptr);

}  // namespace qv::ui
