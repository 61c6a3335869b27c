#include "output/kit_folder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qv {
namespace {

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string KitTargetPath(const std::string& dir) {
    std::string path = dir;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

KitStaging::KitStaging(const std::string& target, const std::string& page_name)
    : target_(KitTargetPath(target)) {
    if (target_.empty() || target_ == "/") {
        problem_ = "Choose a folder for the logo kit.";
        return;
    }
    struct stat info {};
    const std::string parent = ParentOf(target_);
    if (stat(parent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        problem_ = "The folder " + parent + " does not exist; the logo kit was not written.";
        return;
    }
    if (stat(target_.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode)) {
            problem_ = target_ + " is a file, not a folder; the logo kit was not written.";
            return;
        }
        // A kit replaces its folder as a whole, so only an empty folder or an earlier kit may
        // be its target: never a folder of other things chosen by mistake.
        std::error_code error;
        const bool empty = std::filesystem::is_empty(target_, error);
        if (error || (!empty && stat((target_ + "/" + page_name).c_str(), &info) != 0)) {
            problem_ = "The folder " + target_ + " holds other files; choose an empty folder or an earlier " +
                       "logo kit. The logo kit was not written.";
            return;
        }
    }
    std::string pattern = target_ + ".tmp-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        problem_ = "Can't write in the folder " + parent + " (" + std::strerror(errno) +
                   "); the logo kit was not written.";
        return;
    }
    folder_ = pattern;
}

KitStaging::~KitStaging() {
    if (!folder_.empty()) RemoveTree(folder_);
}

bool KitStaging::Commit() {
    if (folder_.empty()) return false;
    // mkdtemp makes the folder private; a kit is for sharing, as the user's umask allows.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(folder_.c_str(), 0777 & ~mask);
    struct stat info {};
    std::string aside;
    if (stat(target_.c_str(), &info) == 0) {
        aside = folder_ + "-old";
        if (std::rename(target_.c_str(), aside.c_str()) != 0) {
            problem_ = "Can't replace the folder " + target_ + " (" + std::strerror(errno) +
                       "); the logo kit was not written.";
            return false;
        }
    }
    if (std::rename(folder_.c_str(), target_.c_str()) != 0) {
        problem_ = "Can't create the folder " + target_ + " (" + std::strerror(errno) +
                   "); the logo kit was not written.";
        if (!aside.empty()) std::rename(aside.c_str(), target_.c_str());
        return false;
    }
    folder_.clear();
    if (!aside.empty()) RemoveTree(aside);
    return true;
}

}  // namespace qv
