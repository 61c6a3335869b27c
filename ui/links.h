#pragma once

#include <string>

#include "app/install_dir.h"

namespace qv::ui {

// The product's home page, opened by "Qorvan Logo Home Page" and shown in the about box.
inline constexpr const char* kHomePageAddress = "https://www.qorvan-logo.org/";

// The user guide ships with the program, so help works without a network.
inline std::string HelpPagePath() {
    return InstallDir() + "/help/index.html";
}

}  // namespace qv::ui
