#include "persist/recent_projects.h"

#include <sys/stat.h>

#include "persist/recent_lines.h"
#include "persist/user_folders.h"

namespace qv {

std::string RecentProjects::DefaultFile() { return UserConfigFolder() + "/recent-projects"; }

RecentProjects::RecentProjects(std::string file)
    : file_(std::move(file)), paths_(ReadRecentLines(file_, kLimit)) {}

bool RecentProjects::Add(const std::string& path) {
    return PutRecentLine(paths_, path, kLimit, file_);
}

bool RecentProjects::Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace qv
