#include <gtest/gtest.h>

#include <set>

#include "app/install_dir.h"
#include "render/font_search.h"
#include "render/ft_text.h"
#include "render/typeface_category.h"

namespace qv {
namespace {

std::vector<std::string> Names(const std::vector<FontListing>& fonts, const std::vector<int>& found) {
    std::vector<std::string> names;
    for (const int n : found) names.push_back(fonts[static_cast<size_t>(n)].name);
    return names;
}

const std::vector<FontListing> kFonts = {
    {"Averia Serif GWF Regular", 0, "serif", "shipped"},
    {"Lato Bold", 6, "sans", "shipped"},
    {"Open Sans Regular", 7, "sans", "shipped"},
    {"Lato Regular", 6, "sans", "shipped"},
    {"Roboto Slab Regular", 8, "slab", "shipped"},
    {"Translato Regular", 10, "display", "user"},
};

TEST(FontSearch, RanksExactThenPrefixThenWordThenSubstring) {
    EXPECT_EQ(Names(kFonts, SearchFonts(kFonts, "lato")),
              (std::vector<std::string>{"Lato Bold", "Lato Regular", "Translato Regular"}));
    EXPECT_EQ(Names(kFonts, SearchFonts(kFonts, "LATO BOLD")), (std::vector<std::string>{"Lato Bold"}));
    EXPECT_EQ(Names(kFonts, SearchFonts(kFonts, "regular")).front(), "Averia Serif GWF Regular");
    EXPECT_EQ(Names(kFonts, SearchFonts(kFonts, "sans")),
              (std::vector<std::string>{"Open Sans Regular"}));
    EXPECT_TRUE(SearchFonts(kFonts, "garamond").empty());
}

TEST(FontSearch, CategoryFilterKeepsOnlyThatCategory) {
    EXPECT_EQ(SearchFonts(kFonts, "", "sans"), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SearchFonts(kFonts, "regular", "sans"), (std::vector<int>{2, 3}));
    EXPECT_EQ(SearchFonts(kFonts, "", "slab"), (std::vector<int>{4}));
    EXPECT_TRUE(SearchFonts(kFonts, "lato", "serif").empty());
    // An empty query and no category: every font in list order.
    EXPECT_EQ(SearchFonts(kFonts, ""), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(TypefaceCategories, ReadsKnownCategoriesOnly) {
    const auto categories = ParseTypefaceCategories(
        "Lato Bold\tsans\nOdd Face\tgothic\nno tab here\n\tserif\nRoboto Slab Regular\tslab");
    EXPECT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories.at("Lato Bold"), "sans");
    EXPECT_EQ(categories.at("Roboto Slab Regular"), "slab");
}

TEST(TypefaceCategories, EveryShippedTextFaceHasOne) {
    SetInstallDir(QV_TEST_INSTALL_TREE);
    ASSERT_EQ(FtText::InitFt(), 0);
    const std::vector<FontListing> fonts =
        ListLibraryFonts(ReadTypefaceCategories(InstallDir() + "/" + kTypefaceCategoriesPath));
    std::set<std::string> used;
    for (const FontListing& font : fonts) {
        EXPECT_TRUE(IsTypefaceCategory(font.category)) << font.name;
        EXPECT_EQ(font.source, "shipped");
        used.insert(font.category);
    }
    EXPECT_EQ(used.size(), static_cast<size_t>(kTypefaceCategoryCount));
    const std::vector<int> mono = SearchFonts(fonts, "", "monospace");
    EXPECT_FALSE(mono.empty());
    bool liberation_mono = false;
    for (const int n : mono) liberation_mono |= fonts[static_cast<size_t>(n)].name == "Liberation Mono Regular";
    EXPECT_TRUE(liberation_mono);
    FtText::FreeFt();
}

}  // namespace
}  // namespace qv
