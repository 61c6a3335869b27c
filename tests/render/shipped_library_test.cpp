#include <gtest/gtest.h>

#include <set>

#include "app/install_dir.h"
#include "document/role_faces.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"

namespace qv {
namespace {

// The font library the build made: what a user gets.
class ShippedLibrary : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        test::FaultCapture capture;
        FtText::InitFt();
        faults_ = capture.faults.size();
    }
    static void TearDownTestSuite() { FtText::FreeFt(); }
    static inline size_t faults_ = 0;
};

TEST_F(ShippedLibrary, LoadsWithoutFaults) { EXPECT_EQ(faults_, 0u); }

TEST_F(ShippedLibrary, EveryTabHasEnoughTextFonts) {
    EXPECT_GE(FtText::TextFontCount(), 300);
    for (int tab = 0; tab < FontRegistry::kCategories; ++tab) {
        EXPECT_GE(FtText::TextFontNames(tab).size(), 8u) << kFontCategoryNames[tab];
    }
}

TEST_F(ShippedLibrary, OffersEnoughShapesFromSeveralFonts) {
    EXPECT_GE(FtText::SymbolFontCount(), 5);
    EXPECT_GE(FtText::ShapeCount(), 2500);
    EXPECT_LE(FtText::ShapeCount(), 10000);
}

TEST_F(ShippedLibrary, FaceNamesAreUniqueAndInTheirTabs) {
    std::set<std::string> names;
    for (const FontRecord& record : Registry().fonts) {
        EXPECT_TRUE(names.insert(record.name).second) << record.name;
        if (record.category >= 0) {
            EXPECT_EQ(record.category, FontCategoryForName(record.name)) << record.name;
        }
    }
}

TEST_F(ShippedLibrary, RoleFacesAreShipped) {
    for (const char* face : {role::kDefaultTextFace, role::kCaptionFace, role::kBrandFace}) {
        EXPECT_TRUE(FtText::HasFace(face)) << face;
    }
    bool default_shape_offered = false;
    for (const ShapeEntry& shape : Registry().shapes) {
        if (shape.name == role::kDefaultShapeFace && shape.glyph == role::kDefaultShapeGlyph) {
            default_shape_offered = true;
        }
    }
    EXPECT_TRUE(default_shape_offered);
    ASSERT_TRUE(FtText::HasFace(role::kArrowFace));
    EXPECT_LT(role::kArrowGlyph, FtText::FindFace(role::kArrowFace)->num_glyphs);
}

}  // namespace
}  // namespace qv
