#include "output/font_licences.h"

#include <algorithm>
#include <sstream>

#include "app/file_io.h"

namespace qv {
namespace {

// A font map is a few kilobytes; anything much larger is not one.
constexpr size_t kMaxMapBytes = 4 * 1024 * 1024;

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::map<std::string, std::string> ReadFontPackages(const std::string& install_dir) {
    std::map<std::string, std::string> map;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(install_dir + "/fontmap.txt", bytes) || bytes.size() > kMaxMapBytes) return map;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(lines, line)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) continue;
        const std::string package = Trimmed(line.substr(tab + 1));
        // A package name becomes a file name: no folders, nothing hidden.
        if (package.empty() || package[0] == '.' || package.find('/') != std::string::npos) continue;
        map.emplace(line.substr(0, tab), package);
    }
    return map;
}

std::string LicencePath(const std::string& install_dir, const std::string& package) {
    return install_dir + "/licenses/" + package + ".txt";
}

std::vector<std::string> LicenceNames(const std::string& text) {
    std::vector<std::string> names;
    std::istringstream lines(text);
    std::string line;
    // The packaging's own paragraph ("Files: debian/*") does not concern the fonts.
    bool packaging = false;
    while (std::getline(lines, line)) {
        if (line.empty()) packaging = false;
        if (line.rfind("Files:", 0) == 0) packaging = Trimmed(line.substr(6)).rfind("debian/", 0) == 0;
        if (packaging || line.rfind("License:", 0) != 0) continue;
        const std::string name = Trimmed(line.substr(8));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

}  // namespace qv
