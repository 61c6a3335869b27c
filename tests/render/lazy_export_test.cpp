#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "document/role_faces.h"
#include "persist/project_file.h"
#include "render/font_registry.h"
#include "render/library_archive.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// A copy of the command-line tool beside the shipped archives but without their index, so it
// reads the whole library as the editor does.
class WholeLibraryTool {
public:
    WholeLibraryTool() {
        const std::string shipped = QV_TEST_INSTALL_TREE;
        EXPECT_EQ(mkdir(dir_.File("embedded").c_str(), 0700), 0);
        for (int category = -1; category < FontRegistry::kCategories; ++category) {
            const std::string path = LibraryArchivePath(category);
            EXPECT_EQ(symlink((shipped + "/" + path).c_str(), dir_.File(path).c_str()), 0);
        }
        test::WriteAll(tool(), test::ReadAll(QV_TEST_CLI));
        EXPECT_EQ(chmod(tool().c_str(), 0755), 0);
    }
    std::string tool() const { return dir_.File("qorvan-logo-cli"); }

private:
    test::TempDir dir_;
};

LogoObj* AddText(LeFile& lf, const std::string& text, const std::string& face, int y) {
    LogoObj* o = lf.AddObj(0);
    if (!o) return nullptr;
    o->lt.str = text;
    o->lt.font = face;
    o->y = y;
    return o;
}

// Logos that between them use a text face with outline and shadow, a gradient, several faces,
// a face the library lacks and a shape.
void WriteProjects(const test::TempDir& dir, std::vector<std::string>& projects) {
    {
        LeFile lf;
        LogoObj* o = AddText(lf, "Qorvan", role::kBrandFace, 0);
        ASSERT_NE(o, nullptr);
        o->lt.outline = o->lt.shadow = 1;
        o->lt.strength = 6;
        projects.push_back(dir.File("effects.kuz"));
        ASSERT_TRUE(SaveProject(projects.back(), lf));
    }
    {
        LeFile lf;
        LogoObj* a = AddText(lf, "Gradient", role::kCaptionFace, 0);
        ASSERT_NE(a, nullptr);
        a->lt.grad = 1;
        a->lt.grad_color1 = {40, 240, 120};
        a->lt.shadow = 1;
        ASSERT_NE(AddText(lf, "missing face", "No Such Face Regular", 70), nullptr);
        LogoObj* shape = lf.AddObj(LogoObj::kShape);
        ASSERT_NE(shape, nullptr);
        shape->lt.outline = 1;
        shape->x = 200;
        projects.push_back(dir.File("mixed.kuz"));
        ASSERT_TRUE(SaveProject(projects.back(), lf));
    }
}

TEST(LazyLibraryExport, ImagesAreTheSameBytesAsWithTheWholeLibrary) {
    test::TempDir dir;
    std::vector<std::string> projects;
    WriteProjects(dir, projects);
    const WholeLibraryTool whole;
    int n = 0;
    for (const std::string& project : projects) {
        // At 600 % the effects raster is large enough to be blurred on two threads.
        for (const char* scale : {"100", "600"}) {
            SCOPED_TRACE(project + " at " + scale + " %");
            const std::string few_out = dir.File("few" + std::to_string(n) + ".png");
            const std::string whole_out = dir.File("whole" + std::to_string(n) + ".png");
            ++n;
            const test::CliRun few = test::RunTool({"export", project, few_out, "--scale", scale});
            const test::CliRun all =
                test::RunCall({{"export", project, whole_out, "--scale", scale}, {}, whole.tool()});
            ASSERT_EQ(few.status, 0) << few.err;
            ASSERT_EQ(all.status, 0) << all.err;
            EXPECT_EQ(few.err, all.err);
            const std::vector<uint8_t> image = test::ReadAll(few_out);
            EXPECT_GT(image.size(), 100u);
            EXPECT_TRUE(image == test::ReadAll(whole_out));
        }
    }
    // A batch reads only the faces of its projects too.
    const test::CliRun few = test::RunTool({"export", "--output-dir", dir.File("few-batch"), projects[0], projects[1]});
    const test::CliRun all = test::RunCall(
        {{"export", "--output-dir", dir.File("whole-batch"), projects[0], projects[1]}, {}, whole.tool()});
    ASSERT_EQ(few.status, 0) << few.err;
    ASSERT_EQ(all.status, 0) << all.err;
    for (const char* name : {"effects.png", "mixed.png"}) {
        EXPECT_TRUE(test::ReadAll(dir.File(std::string("few-batch/") + name)) ==
                    test::ReadAll(dir.File(std::string("whole-batch/") + name)))
            << name;
    }
}

}  // namespace
}  // namespace qv
