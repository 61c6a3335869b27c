#include "render/typeface_category.h"

#include <sys/stat.h>

#include <cstdint>
#include <vector>

#include "app/file_io.h"

namespace qv {

const char* const kTypefaceCategories[kTypefaceCategoryCount] = {
    "serif", "sans", "slab", "script", "handwriting", "display", "monospace",
};

bool IsTypefaceCategory(std::string_view name) {
    for (const char* category : kTypefaceCategories) {
        if (name == category) return true;
    }
    return false;
}

std::map<std::string, std::string> ParseTypefaceCategories(const std::string& text) {
    std::map<std::string, std::string> categories;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t tab = line.rfind('\t');
        if (tab == std::string::npos || tab == 0) continue;
        const std::string category = line.substr(tab + 1);
        if (IsTypefaceCategory(category)) categories[line.substr(0, tab)] = category;
    }
    return categories;
}

std::map<std::string, std::string> ReadTypefaceCategories(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > (1 << 20)) {
        return {};
    }
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return {};
    return ParseTypefaceCategories(std::string(bytes.begin(), bytes.end()));
}

}  // namespace qv
