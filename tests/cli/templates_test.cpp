#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/cli_runner.h"

namespace qv {
namespace {

using test::ReadAll;
using test::RunTool;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A user template folder of its own: text, imported picture, text, text, back to front.
class CommandLineTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string folder = dir_.File("data/qorvan-logo/templates");
        std::filesystem::create_directories(folder);
        template_ = folder + "/Zz Test Template.kuz";
        LeFile lf;
        for (const char* text : {"One", "", "Two", "Three"}) {
            LogoObj* o = lf.AddObj(0);
            ASSERT_NE(o, nullptr);
            o->lt.str = text;
            if (*text == '\0') {
                o->type = LogoObj::kCustom;
                o->lt.str = "picture";
                o->path = dir_.File("picture.png");
            }
        }
        ASSERT_TRUE(SaveProject(template_, lf));
    }

    test::CliRun Run(std::vector<std::string> args) const {
        return test::RunCall({std::move(args), {"XDG_DATA_HOME=" + dir_.File("data")}, QV_TEST_CLI});
    }

    std::vector<std::string> Texts(const std::string& project) const {
        LeFile lf;
        EXPECT_TRUE(LoadProject(project, lf));
        std::vector<std::string> texts;
        for (int n = 0; n < lf.objs; ++n) texts.push_back(lf.obj[n]->lt.str);
        return texts;
    }

    test::TempDir dir_;
    std::string template_;
};

TEST_F(CommandLineTemplates, ListsTheInstalledAndTheUsersTemplates) {
    const test::CliRun plain = Run({"templates"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::vector<std::string> titles = Lines(plain.out);
    ASSERT_GT(titles.size(), 1u);
    EXPECT_TRUE(std::is_sorted(titles.begin(), titles.end()));
    EXPECT_EQ(titles.back(), "Zz Test Template");

    const test::CliRun json = Run({"templates", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_EQ(json.out.substr(json.out.size() - 2), "]\n");
    for (const std::string& title : titles) {
        EXPECT_NE(json.out.find("{\"title\": \"" + title + "\", \"file\": \""), std::string::npos) << title;
    }
    EXPECT_NE(json.out.find("\"file\": \"" + template_ + "\"}"), std::string::npos) << json.out;
}

TEST_F(CommandLineTemplates, NewProjectTakesTheTemplateWithItsTexts) {
    const std::string out = dir_.File("mine.kuz");
    const test::CliRun run = Run({"new", "--template", "Zz Test Template", "-o", out, "--set-text=2=Caf\xC3\xA9 \xE2\x82\xAC",
                                  "--set-text", "1=" + std::string(600, 'x')});
    ASSERT_EQ(run.status, 0) << run.err;
    // Counted among the texts only: the picture between them keeps its title.
    EXPECT_EQ(Texts(out), (std::vector<std::string>{std::string(499, 'x'), "picture", "Caf\xC3\xA9 \xE2\x82\xAC", "Three"}));

    // Without texts the project is the template's.
    ASSERT_EQ(Run({"new", "--template=Zz Test Template", "--output", dir_.File("plain.kuz")}).status, 0);
    EXPECT_EQ(Texts(dir_.File("plain.kuz")), Texts(template_));

    const test::CliRun beyond = Run({"new", "--template", "Zz Test Template", "-o", dir_.File("no.kuz"), "--set-text", "4=Four"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_NE(beyond.err.find("--set-text 4: the logo has only 3 text objects"), std::string::npos) << beyond.err;
    const test::CliRun unknown = Run({"new", "--template", "No Such Template", "-o", dir_.File("no.kuz")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no template is titled 'No Such Template'"), std::string::npos) << unknown.err;
    EXPECT_FALSE(test::FileExists(dir_.File("no.kuz")));
    // Any script is logo text; it is kept whole in the project.
    const test::CliRun greek = Run({"new", "--template", "Zz Test Template", "-o", dir_.File("omega.kuz"), "--set-text", "1=\xCE\xA9"});
    EXPECT_EQ(greek.status, 0) << greek.err;
    EXPECT_EQ(Texts(dir_.File("omega.kuz"))[0], "\xCE\xA9");

    const std::vector<uint8_t> before = ReadAll(template_);
    EXPECT_EQ(Run({"new", "--template", "Zz Test Template", "-o", template_}).status, 2);
    EXPECT_EQ(ReadAll(template_), before);
}

TEST_F(CommandLineTemplates, ExportReplacesTextsOnTheFly) {
    const std::string project = dir_.File("pair.kuz");
    test::WriteTextLogo(project, {"Alpha", "Beta"});
    test::WriteTextLogo(dir_.File("edited.kuz"), {"Alpha", "Gamma \xE9"});
    const std::vector<uint8_t> before = ReadAll(project);
    ASSERT_EQ(Run({"export", project, "-o", dir_.File("fly.png"), "--set-text", "2=Gamma \xC3\xA9"}).status, 0);
    ASSERT_EQ(Run({"export", dir_.File("edited.kuz"), "-o", dir_.File("edited.png")}).status, 0);
    ASSERT_EQ(Run({"export", project, "-o", dir_.File("unedited.png")}).status, 0);
    EXPECT_EQ(ReadAll(dir_.File("fly.png")), ReadAll(dir_.File("edited.png")));
    EXPECT_NE(ReadAll(dir_.File("fly.png")), ReadAll(dir_.File("unedited.png")));
    EXPECT_EQ(ReadAll(project), before);

    // In a batch too.
    ASSERT_EQ(Run({"export", project, "--set-text", "2=Gamma \xC3\xA9", "--output-dir", dir_.File("out"), "--jobs", "2"}).status, 0);
    EXPECT_EQ(ReadAll(dir_.File("out/pair.png")), ReadAll(dir_.File("edited.png")));
}

}  // namespace
}  // namespace qv
