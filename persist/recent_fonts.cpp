#include "persist/recent_fonts.h"

#include "persist/recent_lines.h"
#include "persist/user_folders.h"

namespace qv {

std::string RecentFonts::DefaultFile() { return UserConfigFolder() + "/recent-fonts"; }

RecentFonts::RecentFonts(std::string file)
    : file_(std::move(file)), faces_(ReadRecentLines(file_, kLimit)) {}

bool RecentFonts::Add(const std::string& face) { return PutRecentLine(faces_, face, kLimit, file_); }

}  // namespace qv
