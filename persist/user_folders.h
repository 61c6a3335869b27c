#pragma once

#include <string>

namespace qv {

// The per-user folders of the XDG base directories, each with the program's own subfolder:
// $XDG_xxx_HOME/qorvan-logo, or the usual default below $HOME when the variable is unset or
// not an absolute path.
std::string UserDataFolder();    // ~/.local/share/qorvan-logo
std::string UserStateFolder();   // ~/.local/state/qorvan-logo
std::string UserConfigFolder();  // ~/.config/qorvan-logo

}  // namespace qv
