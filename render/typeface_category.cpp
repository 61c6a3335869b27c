#include "render/typeface_category.h"

#include <sys/stat.h>

#include <cctype>
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

std::string GuessTypefaceCategory(const std::string& face_name) {
    std::string name;
    for (const char c : face_name) name += char(std::tolower(static_cast<unsigned char>(c)));
    struct Clue {
        const char* word;
        const char* category;
    };
    // Checked in order: "Sans Mono" is monospace, "Serif Display" serif.
    static const Clue kClues[] = {
        {"mono", "monospace"}, {"code", "monospace"},   {"courier", "monospace"},
        {"slab", "slab"},      {"script", "script"},    {"hand", "handwriting"},
        {"sans", "sans"},      {"serif", "serif"},      {"display", "display"},
        {"roman", "serif"},    {"gothic", "sans"},
    };
    for (const Clue& clue : kClues) {
        if (name.find(clue.word) != std::string::npos) return clue.category;
    }
    return "sans";
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
