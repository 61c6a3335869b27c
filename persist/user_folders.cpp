#include "persist/user_folders.h"

#include <cstdlib>

namespace qv {
namespace {

std::string Folder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::string(value) + "/qorvan-logo";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallback + "/qorvan-logo";
}

}  // namespace

std::string UserDataFolder() { return Folder("XDG_DATA_HOME", ".local/share"); }
std::string UserStateFolder() { return Folder("XDG_STATE_HOME", ".local/state"); }
std::string UserConfigFolder() { return Folder("XDG_CONFIG_HOME", ".config"); }

}  // namespace qv
