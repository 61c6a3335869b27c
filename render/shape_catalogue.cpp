#include "render/shape_catalogue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>
#include <unordered_map>

namespace qv {
namespace {

constexpr std::string_view kHeader = "qorvan-shapes 1";
// A catalogue line is well under 1 KB and the table holds at most kMaxShapes shapes.
constexpr off_t kMaxCatalogueSize = 16 << 20;
constexpr int kMaxGlyph = 1 << 24;

bool NextField(std::string_view& line, std::string_view& field, bool last = false) {
    const size_t tab = line.find('\t');
    if (last) {
        if (tab != std::string_view::npos) return false;
        field = line;
        line = {};
        return true;
    }
    if (tab == std::string_view::npos) return false;
    field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
    return true;
}

std::string Key(std::string_view face, int glyph) {
    std::string key(face);
    key += '\t';
    key += std::to_string(glyph);
    return key;
}

}  // namespace

std::string FormatShapeCatalogue(const std::vector<CatalogueEntry>& entries) {
    std::string text(kHeader);
    text += '\n';
    for (const CatalogueEntry& entry : entries) {
        text += entry.face + '\t' + std::to_string(entry.glyph) + '\t' + entry.text.name + '\t';
        for (size_t n = 0; n < entry.text.keywords.size(); ++n) {
            if (n > 0) text += ',';
            text += entry.text.keywords[n];
        }
        text += '\n';
    }
    return text;
}

bool ParseShapeCatalogue(const std::string& text, std::vector<CatalogueEntry>& entries) {
    entries.clear();
    std::string_view rest(text);
    bool header = true;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        if (end == std::string_view::npos) break;  // every line ends in a newline
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (header) {
            if (line != kHeader) return false;
            header = false;
            continue;
        }
        if (entries.size() >= static_cast<size_t>(FontRegistry::kMaxShapes) * 2) break;
        std::string_view face, glyph, name, keywords;
        CatalogueEntry entry;
        if (!NextField(line, face) || !NextField(line, glyph) || !NextField(line, name) ||
            !NextField(line, keywords, true) || face.empty() || name.empty()) {
            entries.clear();
            return false;
        }
        const auto [ptr, ec] = std::from_chars(glyph.data(), glyph.data() + glyph.size(), entry.glyph);
        if (ec != std::errc() || ptr != glyph.data() + glyph.size() || entry.glyph < 0 ||
            entry.glyph > kMaxGlyph) {
            entries.clear();
            return false;
        }
        entry.face = std::string(face);
        entry.text.name = std::string(name);
        while (!keywords.empty()) {
            const size_t comma = keywords.find(',');
            const std::string_view keyword = keywords.substr(0, comma);
            if (!keyword.empty()) entry.text.keywords.emplace_back(keyword);
            if (comma == std::string_view::npos) break;
            keywords.remove_prefix(comma + 1);
        }
        entries.push_back(std::move(entry));
    }
    if (header || !rest.empty()) {
        entries.clear();
        return false;
    }
    return true;
}

bool ReadShapeCatalogue(const std::string& path, std::vector<CatalogueEntry>& entries) {
    entries.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    std::string text;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxCatalogueSize;
    if (ok) {
        text.resize(static_cast<size_t>(info.st_size));
        size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        ok = got == text.size();
    }
    close(fd);
    return ok && ParseShapeCatalogue(text, entries);
}

std::vector<ShapeText> ShapeTextsFor(const std::vector<ShapeEntry>& shapes,
                                     const std::vector<CatalogueEntry>& catalogue) {
    std::unordered_map<std::string, const CatalogueEntry*> by_key;
    by_key.reserve(catalogue.size());
    for (const CatalogueEntry& entry : catalogue) by_key.emplace(Key(entry.face, entry.glyph), &entry);
    std::vector<ShapeText> texts;
    texts.reserve(shapes.size());
    for (const ShapeEntry& shape : shapes) {
        const auto found = by_key.find(Key(shape.name, shape.glyph));
        if (found != by_key.end()) {
            texts.push_back(found->second->text);
        } else {
            texts.push_back({NormalizeSearchText(ShapeCodeName(shape.name, shape.glyph)), {}});
        }
    }
    return texts;
}

std::vector<ShapeText> LibraryShapeTexts(const std::string& install_dir) {
    std::vector<CatalogueEntry> catalogue;
    ReadShapeCatalogue(install_dir + "/" + kShapeCataloguePath, catalogue);
    return ShapeTextsFor(Registry().shapes, catalogue);
}

}  // namespace qv
