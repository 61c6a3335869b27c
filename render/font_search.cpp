#include "render/font_search.h"

#include <algorithm>

#include "render/ft_text.h"
#include "render/shape_text.h"
#include "render/system_fonts.h"
#include "render/typeface_category.h"

namespace qv {

std::vector<FontListing> ListLibraryFonts(const std::map<std::string, std::string>& categories) {
    std::vector<FontListing> fonts;
    const FontRegistry& reg = Registry();
    for (size_t n = static_cast<size_t>(reg.n_symfonts); n < reg.fonts.size(); ++n) {
        const FontRecord& record = reg.fonts[n];
        if (record.category < 0) continue;
        const auto found = categories.find(record.name);
        fonts.push_back({record.name, record.category,
                         found == categories.end() ? std::string() : found->second, "shipped"});
    }
    return fonts;
}

std::vector<FontListing> ListSystemFonts() {
    std::vector<FontListing> fonts;
    for (const SystemFont& font : SystemFonts()) {
        fonts.push_back({font.name, FontCategoryForName(font.name), GuessTypefaceCategory(font.name),
                         font.user ? "user" : "system"});
    }
    return fonts;
}

std::vector<int> SearchFonts(const std::vector<FontListing>& fonts, std::string_view query,
                             std::string_view category) {
    const std::string wanted = NormalizeSearchText(query);
    std::vector<std::pair<int, int>> hits;  // rank, index
    for (size_t n = 0; n < fonts.size(); ++n) {
        if (!category.empty() && fonts[n].category != category) continue;
        int rank = 0;
        if (!wanted.empty()) {
            const std::string name = NormalizeSearchText(fonts[n].name);
            const size_t at = name.find(wanted);
            if (at == std::string::npos) continue;
            if (name == wanted) {
                rank = 0;
            } else if (at == 0) {
                rank = 1;
            } else if (name.find(" " + wanted) != std::string::npos) {
                rank = 2;
            } else {
                rank = 3;
            }
        }
        hits.emplace_back(rank, static_cast<int>(n));
    }
    std::stable_sort(hits.begin(), hits.end());
    std::vector<int> found;
    found.reserve(hits.size());
    for (const auto& hit : hits) found.push_back(hit.second);
    return found;
}

}  // namespace qv
