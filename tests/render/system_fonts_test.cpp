#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/library_archive.h"
#include "render/system_fonts.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

constexpr const char* kBoldSerifFile = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
constexpr const char* kBoldSerif = "DejaVu Serif Bold";

std::vector<uint8_t> FontFile(const char* path) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// A library of DejaVu Sans Mono as the symbol font, DejaVu Sans as the first text font, and
// `more` text fonts after it; and a user font folder in XDG_DATA_HOME, both for as long as it
// lives.
class Setting {
public:
    explicit Setting(const std::vector<const char*>& more) {
        FtText::FreeFt();
        MakeDirectories(library_.path() + "/embedded");
        test::WriteAll(library_.File("basgl.bgd"), BuildLibraryArchive({{"mono", FontFile(QV_TEST_FONT_MONO)}}));
        for (int n = 1; n <= 11; ++n) {
            std::vector<LibraryArchiveEntry> entries;
            if (n == 4) {
                entries.push_back({"sans", FontFile(QV_TEST_FONT_SANS)});
                for (const char* path : more) entries.push_back({"more", FontFile(path)});
            }
            test::WriteAll(library_.File("embedded/emb" + std::to_string(n) + ".gld"), BuildLibraryArchive(entries));
        }
        if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old;
        setenv("XDG_DATA_HOME", user_.path().c_str(), 1);
        MakeDirectories(fonts());
        SetInstallDir(library_.path());
    }
    ~Setting() {
        FtText::FreeFt();
        if (saved_) {
            setenv("XDG_DATA_HOME", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        ForgetSystemFonts();
    }
    std::string fonts() const { return user_.path() + "/fonts"; }
    void Start() {
        ForgetSystemFonts();
        ASSERT_EQ(FtText::InitFt(), 0);
    }

private:
    test::TempDir library_;
    test::TempDir user_;
    std::optional<std::string> saved_;
};

struct Drawn {
    int szx = 0;
    int szy = 0;
    std::vector<uint8_t> coverage;
};

Drawn Draw(const std::string& face) {
    ObjStyle lt;
    lt.str = "Qorvan Logo";
    lt.font = face;
    lt.size = 60;
    FtText ft;
    EXPECT_EQ(ft.Render(lt, 0, 1), 0);
    Drawn drawn{ft.szx, ft.szy, {}};
    drawn.coverage.assign(ft.raster.data(), ft.raster.data() + size_t(ft.szx) * size_t(ft.szy));
    return drawn;
}

TEST(SystemFonts, AUserFontDrawsPixelForPixelLikeTheSameFileShipped) {
    Drawn shipped;
    {
        Setting setting({kBoldSerifFile});
        setting.Start();
        ASSERT_TRUE(FtText::HasFace(kBoldSerif));
        shipped = Draw(kBoldSerif);
    }
    Setting setting({});
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/MySerif.ttf", FontFile(kBoldSerifFile)));
    setting.Start();
    ASSERT_FALSE(FtText::HasFace(kBoldSerif));
    const SystemFont* font = FindSystemFont(kBoldSerif);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->user);
    EXPECT_TRUE(FtText::CanDraw(kBoldSerif));
    const Drawn user = Draw(kBoldSerif);
    ASSERT_GT(shipped.szx, 0);
    EXPECT_EQ(user.szx, shipped.szx);
    EXPECT_EQ(user.szy, shipped.szy);
    EXPECT_TRUE(user.coverage == shipped.coverage);
    // Not drawn with the first text font.
    EXPECT_FALSE(user.coverage == Draw("DejaVu Sans Book").coverage);
}

TEST(SystemFonts, AShippedFaceWinsANameClash) {
    Setting setting({});
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/Sans.ttf", FontFile(QV_TEST_FONT_SANS)));
    setting.Start();
    EXPECT_EQ(FindSystemFont("DejaVu Sans Book"), nullptr);
    EXPECT_EQ(FtText::FindFace("DejaVu Sans Book"), Registry().fonts[1].face);
    EXPECT_TRUE(Registry().system_fonts.empty());
}

TEST(SystemFonts, DamagedUserFontsAreLeftOutWithAWarning) {
    Setting setting({});
    std::vector<uint8_t> cut = FontFile(kBoldSerifFile);
    cut.resize(cut.size() / 3);
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/cut.ttf", cut));
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/noise.otf", std::vector<uint8_t>(5000, 0x5A)));
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/empty.ttf", {}));
    ASSERT_TRUE(WriteFileAtomically(setting.fonts() + "/notes.txt", {'h', 'i'}));
    test::FaultCapture capture;
    setting.Start();
    // A cut file may still open; the others never do, and nothing crashes.
    for (const SystemFont& font : SystemFonts()) {
        EXPECT_EQ(font.path.find("noise.otf"), std::string::npos);
        EXPECT_EQ(font.path.find("empty.ttf"), std::string::npos);
    }
    EXPECT_TRUE(capture.faults.empty());
    std::string said;
    for (const std::string& message : capture.messages) said += message + "\n";
    EXPECT_NE(said.find("noise.otf is damaged or not a font; it is left out"), std::string::npos) << said;
    EXPECT_NE(said.find("empty.ttf is damaged"), std::string::npos) << said;
    EXPECT_EQ(said.find("notes.txt"), std::string::npos) << said;
}

TEST(SystemFonts, AddFontFileCopiesOnlyFontsIntoTheUserFolder) {
    Setting setting({});
    setting.Start();
    test::TempDir elsewhere;
    ASSERT_TRUE(WriteFileAtomically(elsewhere.File("Brand.ttf"), FontFile(kBoldSerifFile)));
    ASSERT_TRUE(WriteFileAtomically(elsewhere.File("fake.ttf"), std::vector<uint8_t>(100, 1)));
    std::string name, problem;
    ASSERT_TRUE(AddUserFontFile(elsewhere.File("Brand.ttf"), name, problem)) << problem;
    EXPECT_EQ(name, kBoldSerif);
    std::vector<uint8_t> copied;
    ASSERT_TRUE(ReadFileBytes(setting.fonts() + "/Brand.ttf", copied));
    EXPECT_TRUE(copied == FontFile(kBoldSerifFile));
    const SystemFont* font = FindSystemFont(kBoldSerif);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->user);
    EXPECT_FALSE(AddUserFontFile(elsewhere.File("fake.ttf"), name, problem));
    EXPECT_NE(problem.find("fake.ttf is not a TrueType or OpenType font file"), std::string::npos) << problem;
    EXPECT_FALSE(AddUserFontFile(elsewhere.File("missing.otf"), name, problem));
}

}  // namespace
}  // namespace qv
