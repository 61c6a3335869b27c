#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A text face as the font lists show it.
struct FontListing {
    std::string name;      // "Family Style", the name projects use
    int tab = 0;           // its alphabetical tab
    std::string category;  // serif, sans, ... (render/typeface_category.h); empty when unknown
    std::string source;    // "shipped", "system" or "user"
};

// The text faces of the loaded library in library order, with their categories from
// `categories` (face name -> category).
std::vector<FontListing> ListLibraryFonts(const std::map<std::string, std::string>& categories);

// The system's and the user's fonts (render/system_fonts.h), listed now if they were not yet,
// with a category guessed from their names.
std::vector<FontListing> ListSystemFonts();

// The indices of the fonts whose name holds `query` (case and '-', '_' ignored) and, unless
// `category` is empty, that are of that category: the exact name first, then names that begin
// with the query, then those with a word that does, then the rest; each group in list order.
// An empty query matches every font.
std::vector<int> SearchFonts(const std::vector<FontListing>& fonts, std::string_view query,
                             std::string_view category = {});

}  // namespace qv
