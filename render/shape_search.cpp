#include "render/shape_search.h"

#include <algorithm>
#include <string>

namespace qv {
namespace {

bool HasWord(std::string_view text, std::string_view word) {
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const bool starts = at == 0 || text[at - 1] == ' ';
        const bool ends = at + word.size() == text.size() || text[at + word.size()] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

bool Contains(const ShapeText& shape, std::string_view part) {
    if (shape.name.find(part) != std::string::npos) return true;
    for (const std::string& keyword : shape.keywords) {
        if (keyword.find(part) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

ShapeMatch MatchShape(const ShapeText& shape, std::string_view query) {
    if (query.empty()) return ShapeMatch::kNone;
    const std::string_view name = shape.name;
    if (name == query) return ShapeMatch::kExactName;
    if (name.substr(0, query.size()) == query) return ShapeMatch::kNamePrefix;
    if (HasWord(name, query)) return ShapeMatch::kKeyword;
    for (const std::string& keyword : shape.keywords) {
        if (keyword == query) return ShapeMatch::kKeyword;
    }
    if (Contains(shape, query)) return ShapeMatch::kSubstring;
    // "coffee cup" finds a shape whose name and keywords hold both words.
    if (query.find(' ') == std::string_view::npos) return ShapeMatch::kNone;
    size_t start = 0;
    while (start < query.size()) {
        size_t end = query.find(' ', start);
        if (end == std::string_view::npos) end = query.size();
        if (!Contains(shape, query.substr(start, end - start))) return ShapeMatch::kNone;
        start = end + 1;
    }
    return ShapeMatch::kSubstring;
}

std::vector<int> SearchShapes(const std::vector<ShapeText>& shapes, std::string_view query,
                              size_t limit) {
    struct Hit {
        ShapeMatch match;
        size_t length;
        int index;
    };
    std::vector<Hit> hits;
    for (size_t n = 0; n < shapes.size(); ++n) {
        const ShapeMatch match = MatchShape(shapes[n], query);
        if (match != ShapeMatch::kNone) {
            hits.push_back({match, shapes[n].name.size(), static_cast<int>(n)});
        }
    }
    const auto better = [](const Hit& a, const Hit& b) {
        if (a.match != b.match) return a.match < b.match;
        if (a.length != b.length) return a.length < b.length;
        return a.index < b.index;
    };
    if (hits.size() > limit) {
        std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(limit), hits.end(), better);
        hits.resize(limit);
    } else {
        std::sort(hits.begin(), hits.end(), better);
    }
    std::vector<int> found;
    found.reserve(hits.size());
    for (const Hit& hit : hits) found.push_back(hit.index);
    return found;
}

}  // namespace qv
