#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/install_dir.h"
#include "persist/style_library.h"
#include "persist/template_library.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"

namespace qv {
namespace {

// The styles and templates the build made: what a user gets.
class ShippedDesigns : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        FtText::InitFt();
    }
    static void TearDownTestSuite() { FtText::FreeFt(); }
};

TEST_F(ShippedDesigns, EnoughStylesLoadWithoutMessages) {
    test::FaultCapture capture;
    StyleLibrary library;
    library.Load(QV_TEST_INSTALL_TREE);
    EXPECT_GE(library.count(), 60);
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_TRUE(capture.faults.empty());
    for (int n = 0; n < library.count(); ++n) {
        const ObjStyle& style = library.stfile[static_cast<size_t>(n)];
        EXPECT_TRUE(FtText::HasFace(style.font)) << "style " << n + 1 << ": " << style.font;
        EXPECT_FALSE(style.str.empty()) << "style " << n + 1;
    }
}

TEST_F(ShippedDesigns, EnoughTemplatesWithTheirPreviewsAndShippedFaces) {
    test::FaultCapture capture;
    TemplateLibrary& library = TemplateLibrary::Instance();
    const std::vector<std::string> folders = library.folders();
    library.SetFolders({std::string(QV_TEST_INSTALL_TREE) + "/templates"});
    library.ReloadTmps(false);
    EXPECT_GE(library.count(), 40);
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_TRUE(capture.faults.empty());

    std::set<std::string> titles;
    for (int n = 0; n < library.count(); ++n) {
        const LogoTemplate& t = library.at(n);
        EXPECT_TRUE(titles.insert(t.title).second) << t.title;
        EXPECT_GE(t.lf.objs, 2) << t.title;
        EXPECT_LE(t.lf.objs, 6) << t.title;
        EXPECT_EQ(t.xia.width, kPreviewWidth) << t.title;
        EXPECT_EQ(t.xia.height, kPreviewHeight) << t.title;
        EXPECT_EQ(t.xib.width, kPreviewWidth) << t.title;
        EXPECT_EQ(t.xib.height, kPreviewHeight) << t.title;
        for (int k = 0; k < t.lf.objs; ++k) {
            const LogoObj& o = *t.lf.obj[k];
            EXPECT_TRUE(FtText::HasFace(o.lt.font)) << t.title << ": " << o.lt.font;
            if (o.type == LogoObj::kShape) {
                bool offered = false;
                for (const ShapeEntry& shape : Registry().shapes) {
                    offered = offered || (shape.name == o.lt.font && shape.glyph == o.lt.glyph);
                }
                EXPECT_TRUE(offered) << t.title << ": " << o.lt.font << " glyph " << o.lt.glyph;
            }
        }
    }
    library.FreeTmps();
    library.SetFolders(folders);
}

}  // namespace
}  // namespace qv
