#include "persist/recent_projects.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/file_io.h"
#include "persist/user_folders.h"

namespace qv {

std::string RecentProjects::DefaultFile() { return UserConfigFolder() + "/recent-projects"; }

RecentProjects::RecentProjects(std::string file) : file_(std::move(file)) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(file_, bytes)) return;
    std::string line;
    for (uint8_t b : bytes) {
        if (b == '\n') {
            if (!line.empty() && paths_.size() < kLimit &&
                std::find(paths_.begin(), paths_.end(), line) == paths_.end()) {
                paths_.push_back(line);
            }
            line.clear();
        } else {
            line.push_back(static_cast<char>(b));
        }
    }
}

bool RecentProjects::Add(const std::string& path) {
    if (path.empty() || path.find('\n') != std::string::npos) return false;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kLimit) paths_.resize(kLimit);
    std::vector<uint8_t> bytes;
    for (const std::string& p : paths_) {
        bytes.insert(bytes.end(), p.begin(), p.end());
        bytes.push_back('\n');
    }
    const auto slash = file_.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeDirectories(file_.substr(0, slash));
    return WriteFileAtomically(file_, bytes);
}

bool RecentProjects::Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace qv
