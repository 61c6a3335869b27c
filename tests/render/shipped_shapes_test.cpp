#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/shape_catalogue.h"
#include "render/shape_search.h"

namespace qv {
namespace {

// The shape table the build made, with its names and keywords.
class ShippedShapes : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        FtText::InitFt();
        texts_ = LibraryShapeTexts(InstallDir());
    }
    static void TearDownTestSuite() {
        FtText::FreeFt();
        texts_.clear();
    }
    static inline std::vector<ShapeText> texts_;
};

// The shapes offered before more fonts were added, which projects and styles address by
// table position in the editor: their order is fixed.
constexpr size_t kFirstShapes = 3734;
constexpr uint64_t kFirstShapesFingerprint = 6500648663167944185ull;

uint64_t Fingerprint(const std::vector<ShapeEntry>& shapes, size_t count) {
    uint64_t hash = 1469598103934665603ull;
    for (size_t n = 0; n < count && n < shapes.size(); ++n) {
        const std::string line = shapes[n].name + "\t" + std::to_string(shapes[n].glyph) + "\n";
        for (const unsigned char c : line) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

TEST_F(ShippedShapes, TheFirstShapesKeepTheirOrderAndMoreFollow) {
    const std::vector<ShapeEntry>& shapes = Registry().shapes;
    ASSERT_GE(shapes.size(), 6000u);
    EXPECT_EQ(Fingerprint(shapes, kFirstShapes), kFirstShapesFingerprint);
    std::set<std::pair<std::string, int>> seen;
    for (const ShapeEntry& shape : shapes) EXPECT_TRUE(seen.insert({shape.name, shape.glyph}).second);
    for (const char* face : {"forkawesome Regular", "Material Icons Regular", "Symbola Regular"}) {
        int offered = 0;
        for (size_t n = 0; n < shapes.size(); ++n) {
            if (shapes[n].name != face) continue;
            EXPECT_GE(n, kFirstShapes) << face;
            ++offered;
        }
        EXPECT_GE(offered, 500) << face;
    }
}

TEST_F(ShippedShapes, MostShapesHaveANameAndManyHaveKeywords) {
    ASSERT_EQ(texts_.size(), Registry().shapes.size());
    size_t named = 0;
    size_t with_keywords = 0;
    for (size_t n = 0; n < texts_.size(); ++n) {
        ASSERT_FALSE(texts_[n].name.empty());
        if (texts_[n].name.find('#') == std::string::npos) ++named;
        if (!texts_[n].keywords.empty()) ++with_keywords;
    }
    EXPECT_GE(named, texts_.size() * 8 / 10);
    EXPECT_GE(with_keywords, texts_.size() / 4);
}

// What a user types, and words of which one names a shape that answers it.
TEST_F(ShippedShapes, EverydayWordsFindAFittingShapeInTheFirstFive) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> words = {
        {"coffee", {"coffee", "beverage"}},
        {"cup", {"cup", "coffee", "tea", "beverage"}},
        {"mug", {"coffee", "mug", "beer", "cup"}},
        {"house", {"house", "home"}},
        {"tooth", {"tooth"}},
        {"dental", {"tooth"}},
        {"car", {"car", "automobile"}},
        {"music", {"music"}},
        {"heart", {"heart"}},
        {"star", {"star"}},
        {"leaf", {"leaf"}},
        {"dog", {"dog"}},
        {"cat", {"cat"}},
        {"pizza", {"pizza"}},
        {"bicycle", {"bicycle", "bike"}},
        {"plane", {"plane", "airplane", "flight"}},
        {"phone", {"phone"}},
        {"camera", {"camera"}},
        {"tree", {"tree"}},
        {"sun", {"sun"}},
        {"anchor", {"anchor"}},
        {"key", {"key"}},
        {"wrench", {"wrench"}},
        {"hammer", {"hammer"}},
        {"book", {"book"}},
        {"money", {"money", "dollar", "banknote", "cash"}},
        {"shopping", {"shopping", "cart", "basket"}},
        {"rocket", {"rocket"}},
        {"fish", {"fish"}},
        {"horse", {"horse"}},
        {"globe", {"globe", "earth", "world"}},
        {"gift", {"gift", "present"}},
        {"trophy", {"trophy"}},
        {"flower", {"flower", "tulip", "rose", "blossom"}},
        {"snow", {"snow", "snowflake"}},
        {"fire", {"fire", "flame"}},
        {"guitar", {"guitar"}},
        {"beer", {"beer"}},
        {"doctor", {"doctor", "stethoscope", "user md", "hospital", "medical"}},
        {"bread", {"bread", "baguette"}},
    };
    for (const auto& [word, fitting] : words) {
        const std::vector<int> found = SearchShapes(texts_, word, 5);
        bool fits = false;
        std::string seen;
        for (const int n : found) {
            const std::string& name = texts_[static_cast<size_t>(n)].name;
            seen += " [" + name + "]";
            for (const std::string& part : fitting) fits = fits || name.find(part) != std::string::npos;
        }
        EXPECT_TRUE(fits) << word << ":" << seen;
    }
}

}  // namespace
}  // namespace qv
