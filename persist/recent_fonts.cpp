#include "persist/recent_fonts.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/file_io.h"
#include "persist/user_folders.h"

namespace qv {

namespace {

// A face name is a short line; a longer file is not this list.
constexpr off_t kMaxFileSize = 64 * 1024;

}  // namespace

std::string RecentFonts::DefaultFile() { return UserConfigFolder() + "/recent-fonts"; }

RecentFonts::RecentFonts(std::string file) : file_(std::move(file)) {
    struct stat info {};
    if (stat(file_.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) return;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(file_, bytes)) return;
    std::string line;
    for (const uint8_t b : bytes) {
        if (b != '\n') {
            line.push_back(static_cast<char>(b));
            continue;
        }
        if (!line.empty() && faces_.size() < kLimit &&
            std::find(faces_.begin(), faces_.end(), line) == faces_.end()) {
            faces_.push_back(line);
        }
        line.clear();
    }
}

bool RecentFonts::Add(const std::string& face) {
    if (face.empty() || face.find('\n') != std::string::npos) return false;
    faces_.erase(std::remove(faces_.begin(), faces_.end(), face), faces_.end());
    faces_.insert(faces_.begin(), face);
    if (faces_.size() > kLimit) faces_.resize(kLimit);
    std::vector<uint8_t> bytes;
    for (const std::string& f : faces_) {
        bytes.insert(bytes.end(), f.begin(), f.end());
        bytes.push_back('\n');
    }
    const auto slash = file_.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeDirectories(file_.substr(0, slash));
    return WriteFileAtomically(file_, bytes);
}

}  // namespace qv
