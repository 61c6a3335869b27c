#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace qv::test {
namespace {

bool IsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

CliRun Kit(std::vector<std::string> args) {
    CliCall call;
    call.args = std::move(args);
    call.args.insert(call.args.begin(), "kit");
    return RunCall(call);
}

TEST(KitCommand, WritesTheKitAndNamesTheFolder) {
    TempDir dir;
    WriteTextLogo(dir.File("logo.kuz"), {"Harbour", "Lane"});
    const std::string kit = dir.File("kit");
    const CliRun run = Kit({dir.File("logo.kuz"), "--output-dir", kit});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kit + "\n");
    for (const char* name : {"logo-512.png", "logo.jpg", "favicon.ico", "social-1080.png", "brand.html"}) {
        EXPECT_TRUE(IsFile(kit + "/" + name)) << name;
    }
    EXPECT_NE(AsText(ReadAll(kit + "/brand.html")).find("<h1>logo</h1>"), std::string::npos);
}

TEST(KitCommand, RefusesWhatCannotBeAKit) {
    TempDir dir;
    EXPECT_EQ(Kit({dir.File("logo.kuz")}).status, 2);
    EXPECT_EQ(Kit({"--output-dir", dir.File("kit")}).status, 2);
    WriteUndrawableLogo(dir.File("broken.kuz"));
    const CliRun broken = Kit({dir.File("broken.kuz"), "--output-dir", dir.File("kit")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_FALSE(broken.err.empty());
    EXPECT_FALSE(IsFile(dir.File("kit/brand.html")));
    // A folder of other things is never replaced.
    WriteTextLogo(dir.File("logo.kuz"), {"Harbour"});
    const CliRun foreign = Kit({dir.File("logo.kuz"), "--output-dir", dir.path()});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("holds other files"), std::string::npos) << foreign.err;
    EXPECT_TRUE(IsFile(dir.File("logo.kuz")));
}

}  // namespace
}  // namespace qv::test
