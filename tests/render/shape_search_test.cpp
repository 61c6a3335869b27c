#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/shape_catalogue.h"
#include "render/shape_keywords.h"
#include "render/shape_search.h"

namespace qv {
namespace {

TEST(KeywordFile, ReadsEntriesSkippingCommentsAndBlankLines) {
    const std::string text =
        "# subjects\n"
        "\n"
        "coffee: cup, mug , hot drink   # the cup of coffee\n"
        "hot beverage: coffee,tea\n";
    std::vector<KeywordEntry> entries;
    KeywordFileError error;
    ASSERT_TRUE(ParseKeywordFile(text, entries, error)) << error.message;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].word, "coffee");
    EXPECT_EQ(entries[0].keywords, (std::vector<std::string>{"cup", "mug", "hot drink"}));
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].word, "hot beverage");
    EXPECT_EQ(entries[1].keywords, (std::vector<std::string>{"coffee", "tea"}));
}

TEST(KeywordFile, AMistakeNamesItsLine) {
    struct Case {
        const char* what;
        std::string text;
        int line;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"no colon", "a: b\n\nleaf green\n", 3, "expected"},
        {"no word", "a: b\n: green\n", 2, "missing"},
        {"no keyword", "leaf:\n", 1, "empty keyword"},
        {"two commas", "leaf: green,, plant\n", 1, "empty keyword"},
        {"capital letter", "Leaf: green\n", 1, "lower-case"},
        {"capital in a keyword", "leaf: Green\n", 1, "lower-case"},
        {"hyphen in the word", "t-shirt: shirt\n", 1, "lower-case"},
        {"word given twice", "leaf: green\nstar: sky\nleaf: plant\n", 3, "line 1"},
    };
    for (const Case& c : cases) {
        std::vector<KeywordEntry> entries;
        KeywordFileError error;
        EXPECT_FALSE(ParseKeywordFile(c.text, entries, error)) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what;
        EXPECT_NE(error.message.find(c.says), std::string::npos) << c.what << ": " << error.message;
    }
}

TEST(KeywordFile, KeywordsGoToNamesHoldingTheWholeWord) {
    std::vector<KeywordEntry> entries;
    KeywordFileError error;
    ASSERT_TRUE(ParseKeywordFile("cart: shop, buy\nhot beverage: coffee, cup\ncup: mug, coffee\n",
                                 entries, error));
    EXPECT_EQ(KeywordsForName("shopping cart", entries), (std::vector<std::string>{"shop", "buy"}));
    EXPECT_TRUE(KeywordsForName("cartoon", entries).empty());
    EXPECT_TRUE(KeywordsForName("hot", entries).empty());
    // In file order, without repeats and without the name's own words.
    EXPECT_EQ(KeywordsForName("hot beverage cup", entries), (std::vector<std::string>{"coffee", "mug"}));
}

TEST(ShapeSearch, NormalisesCaseAndSeparators) {
    EXPECT_EQ(NormalizeSearchText("  Coffee-Cup__Outline  "), "coffee cup outline");
    EXPECT_EQ(NormalizeSearchText(""), "");
}

TEST(ShapeSearch, RanksExactNameThenPrefixThenKeywordThenSubstring) {
    const std::vector<ShapeText> shapes = {
        {"irishcoffee", {}},                // 0: substring
        {"hot beverage", {"coffee", "cup"}},  // 1: keyword
        {"coffee outline", {}},             // 2: prefix
        {"tea", {"cup"}},                   // 3: no match
        {"coffee", {"cup", "mug"}},         // 4: exact
        {"coffee bean", {}},                // 5: prefix, shorter than 2
        {"cafe", {"coffeehouse"}},          // 6: substring of a keyword
        {"black coffee", {}},               // 7: a word of the name
    };
    EXPECT_EQ(MatchShape(shapes[4], "coffee"), ShapeMatch::kExactName);
    EXPECT_EQ(MatchShape(shapes[2], "coffee"), ShapeMatch::kNamePrefix);
    EXPECT_EQ(MatchShape(shapes[1], "coffee"), ShapeMatch::kKeyword);
    EXPECT_EQ(MatchShape(shapes[7], "coffee"), ShapeMatch::kKeyword);
    EXPECT_EQ(MatchShape(shapes[0], "coffee"), ShapeMatch::kSubstring);
    EXPECT_EQ(MatchShape(shapes[6], "coffee"), ShapeMatch::kSubstring);
    EXPECT_EQ(MatchShape(shapes[3], "coffee"), ShapeMatch::kNone);
    EXPECT_EQ(SearchShapes(shapes, "coffee"), (std::vector<int>{4, 5, 2, 1, 7, 6, 0}));
    EXPECT_EQ(SearchShapes(shapes, "coffee", 3), (std::vector<int>{4, 5, 2}));
    EXPECT_TRUE(SearchShapes(shapes, "").empty());
    EXPECT_TRUE(SearchShapes(shapes, "zebra").empty());
}

TEST(ShapeSearch, EveryWordOfAQueryMustMatchSomewhere) {
    const std::vector<ShapeText> shapes = {
        {"coffee", {"cup", "mug"}},
        {"tea", {"cup"}},
        {"coffee bean", {}},
    };
    EXPECT_EQ(SearchShapes(shapes, "cup coffee"), (std::vector<int>{0}));
    EXPECT_EQ(SearchShapes(shapes, "coffee bean"), (std::vector<int>{2}));
}

TEST(ShapeCatalogue, WritesAndReadsBack) {
    const std::vector<CatalogueEntry> entries = {
        {"FontAwesome Regular", 12, {"coffee", {"cup", "mug"}}},
        {"Symbola Regular", 3000, {"hot beverage", {}}},
    };
    std::vector<CatalogueEntry> read;
    ASSERT_TRUE(ParseShapeCatalogue(FormatShapeCatalogue(entries), read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].face, "FontAwesome Regular");
    EXPECT_EQ(read[0].glyph, 12);
    EXPECT_EQ(read[0].text.name, "coffee");
    EXPECT_EQ(read[0].text.keywords, (std::vector<std::string>{"cup", "mug"}));
    EXPECT_TRUE(read[1].text.keywords.empty());
}

TEST(ShapeCatalogue, RefusesDamagedText) {
    const std::string good = FormatShapeCatalogue({{"Face", 1, {"star", {"sky"}}}});
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"other header", "qorvan-shapes 2\nFace\t1\tstar\tsky\n"},
        {"no newline at the end", good.substr(0, good.size() - 1)},
        {"missing field", "qorvan-shapes 1\nFace\t1\tstar\n"},
        {"extra field", "qorvan-shapes 1\nFace\t1\tstar\tsky\tmore\n"},
        {"negative glyph", "qorvan-shapes 1\nFace\t-1\tstar\tsky\n"},
        {"huge glyph", "qorvan-shapes 1\nFace\t99999999999\tstar\tsky\n"},
        {"glyph not a number", "qorvan-shapes 1\nFace\t1x\tstar\tsky\n"},
        {"empty name", "qorvan-shapes 1\nFace\t1\t\tsky\n"},
    };
    for (const auto& [what, text] : cases) {
        std::vector<CatalogueEntry> entries;
        EXPECT_FALSE(ParseShapeCatalogue(text, entries)) << what;
        EXPECT_TRUE(entries.empty()) << what;
    }
}

TEST(ShapeCatalogue, ShapesItDoesNotNameKeepTheirCodeName) {
    const std::vector<ShapeEntry> shapes = {{"Face A", "a", 3}, {"Face B", "b", 7}};
    const std::vector<CatalogueEntry> catalogue = {{"Face B", 7, {"star", {"sky"}}},
                                                   {"Face A", 4, {"moon", {}}}};
    const std::vector<ShapeText> texts = ShapeTextsFor(shapes, catalogue);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].name, "face a #3");
    EXPECT_TRUE(texts[0].keywords.empty());
    EXPECT_EQ(texts[1].name, "star");
}

}  // namespace
}  // namespace qv
