#include "app/install_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_dir.h"

namespace qv {
namespace {

void MakeDir(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path; }

// The build tree has the data beside the executables, an installed tree under share; a
// folder with neither keeps the executable's folder so that messages name where data was
// looked for.
TEST(InstallDir, DataIsFoundBesideTheExecutableOrUnderShare) {
    test::TempDir root;
    const std::string bin = root.File("bin");
    MakeDir(bin);
    EXPECT_EQ(DataDirBeside(bin), bin);

    MakeDir(root.File("share"));
    MakeDir(root.File("share/qorvan-logo"));
    EXPECT_EQ(DataDirBeside(bin), bin) << "an empty data folder is not an installation";
    test::WriteAll(root.File("share/qorvan-logo/basgl.bgd"), {1});
    EXPECT_EQ(DataDirBeside(bin), root.File("share/qorvan-logo"));

    // Data beside the executable wins, as in the build tree.
    test::WriteAll(bin + "/basgl.bgd", {1});
    EXPECT_EQ(DataDirBeside(bin), bin);
}

TEST(InstallDir, AFolderNamedLikeTheArchiveIsNoData) {
    test::TempDir root;
    const std::string bin = root.File("bin");
    MakeDir(bin);
    MakeDir(bin + "/basgl.bgd");
    EXPECT_EQ(DataDirBeside(bin), bin);
    MakeDir(root.File("share"));
    MakeDir(root.File("share/qorvan-logo"));
    MakeDir(root.File("share/qorvan-logo/basgl.bgd"));
    EXPECT_EQ(DataDirBeside(bin), bin);
}

}  // namespace
}  // namespace qv
