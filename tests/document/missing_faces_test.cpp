#include <gtest/gtest.h>

#include "document/le_file.h"
#include "document/missing_faces.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

TEST(MissingFaces, ListsEachMissingFaceOnceWithTheFaceUsedInstead) {
    test::TestFonts fonts;
    LeFile lf;
    const auto add = [&lf](int type, const char* face) {
        // Added as text and then given its type: only the face name matters here.
        LogoObj* o = lf.AddObj(LogoObj::kText);
        ASSERT_NE(o, nullptr);
        o->type = type;
        o->lt.font = face;
    };
    add(LogoObj::kText, test::TestFonts::kSerif);
    add(LogoObj::kText, "Brand Face Bold");
    add(LogoObj::kShape, "Gone Symbols Regular");
    add(LogoObj::kText, "Brand Face Bold");
    add(LogoObj::kCustom, "");
    const std::vector<MissingFace> missing = MissingFaces(lf);
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_EQ(missing[0].face, "Brand Face Bold");
    EXPECT_EQ(missing[0].used_instead, test::TestFonts::kSans);
    EXPECT_EQ(missing[1].face, "Gone Symbols Regular");

    const std::string message = MissingFacesMessage(missing);
    EXPECT_NE(message.find("fonts that are not installed"), std::string::npos) << message;
    EXPECT_NE(message.find("\"Brand Face Bold\" is drawn with \"DejaVu Sans Book\""), std::string::npos)
        << message;
    EXPECT_NE(message.find("\"Gone Symbols Regular\" is drawn with \"DejaVu Sans Book\""), std::string::npos)
        << message;
}

TEST(MissingFaces, ALogoOfInstalledFacesHasNone) {
    test::TestFonts fonts;
    LeFile lf;
    LogoObj* o = lf.AddObj(LogoObj::kText);
    ASSERT_NE(o, nullptr);
    o->lt.font = test::TestFonts::kSerif;
    EXPECT_TRUE(MissingFaces(lf).empty());
}

}  // namespace
}  // namespace qv
