#include <gtest/gtest.h>

#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>

#include "app/file_io.h"
#include "app/install_dir.h"
#include "codecs/decode.h"
#include "document/colour_model.h"
#include "output/brand_page.h"
#include "output/xml_text.h"
#include "output/favicon.h"
#include "output/font_licences.h"
#include "output/kit_files.h"
#include "output/kit_vector.h"
#include "output/logo_export.h"
#include "output/logo_kit.h"
#include "render/ft_text.h"
#include "tests/codecs/ico_entries.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// A wide logo with everything a kit must carry: a shape with a gradient, text with outline and
// shadow, a second text with a solid fill, on a coloured background.
void BuildLogo(LeFile& lf) {
    lf.Clear();
    lf.bgc = {140, 120, 200};
    LogoObj* shape = lf.AddObj(LogoObj::kShape);
    shape->lt.font = "D050000L Regular";
    shape->lt.glyph = 43;
    shape->lt.size = shape->lt.width = 120;
    shape->lt.grad = 1;
    shape->lt.grad_color1 = {30, 240, 150};
    shape->lt.grad_color2 = {10, 240, 60};
    shape->x = -220;
    LogoObj* title = lf.AddObj(LogoObj::kText);
    title->lt.str = "Harbour Lane";
    title->lt.font = "Roboto Slab Bold";
    title->lt.size = 80;
    title->lt.outline = 1;
    title->lt.outline_color = {160, 240, 60};
    title->lt.shadow = 1;
    title->lt.shadow_color = {0, 0, 40};
    title->lt.strength = 4;
    title->x = 60;
    LogoObj* line = lf.AddObj(LogoObj::kText);
    line->lt.str = "EST. 2026";
    line->lt.font = "Roboto Slab Bold";
    line->lt.size = 30;
    line->lt.color = {80, 200, 100};
    line->x = 60;
    line->y = 70;
    lf.Update(1180, 780, -1, -1);
}

bool Decode(const std::string& path, Image& image) {
    const std::string ext = path.substr(path.rfind('.') + 1);
    const int type = ext == "jpg" ? kImageJpeg : ext == "ico" ? kImageIco : kImagePng;
    return DecodeImageFile(path, type, image);
}

// Row 0 of an image is the bottom; these name pixels as seen, top row first.
uint32_t Seen(const Image& image, int x, int y) { return image.GetPixel(x, image.height - 1 - y); }

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// Paths beside `target` that a kit left behind (its temporary folders).
std::vector<std::string> Leftovers(const std::string& target) {
    std::vector<std::string> found;
    glob_t g{};
    if (glob((target + ".tmp-*").c_str(), 0, nullptr, &g) == 0) {
        for (size_t i = 0; i < g.gl_pathc; ++i) found.emplace_back(g.gl_pathv[i]);
    }
    globfree(&g);
    return found;
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// One kit of the logo above, made once for the suite.
class LogoKit : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        FtText::InitFt();
        dir_ = std::make_unique<test::TempDir>();
        logo_ = std::make_unique<LeFile>();
        BuildLogo(*logo_);
        test::FaultCapture capture;
        written_ = WriteLogoKit(*logo_, {Kit(), "Harbour Lane", QV_TEST_INSTALL_TREE});
        messages_ = capture.messages;
        faults_ = capture.faults.size();
    }
    static void TearDownTestSuite() {
        logo_.reset();
        dir_.reset();
        FtText::FreeFt();
    }
    static std::string Kit() { return dir_->File("kit"); }
    static std::string File(const std::string& name) { return Kit() + "/" + name; }
    static uint32_t Background() { return HlsToPacked(logo_->bgc) & 0xFFFFFFu; }

    static inline std::unique_ptr<test::TempDir> dir_;
    static inline std::unique_ptr<LeFile> logo_;
    static inline bool written_ = false;
    static inline std::vector<std::string> messages_;
    static inline size_t faults_ = 0;
};

TEST_F(LogoKit, IsWrittenWithoutMessagesOrLeftovers) {
    EXPECT_TRUE(written_);
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(faults_, 0u);
    EXPECT_TRUE(Leftovers(Kit()).empty());
    for (const KitFile& file : KitFiles()) {
        EXPECT_EQ(Exists(File(file.name)), !file.vector || KitVectorAvailable()) << file.name;
    }
}

// The vector files as independent renderers draw them: librsvg for the SVGs (the black one
// black wherever it covers, the corners transparent), poppler for the PDF (no fonts inside).
TEST_F(LogoKit, VectorFilesDrawInIndependentRenderers) {
    ASSERT_TRUE(written_);
    if (std::system("command -v rsvg-convert >/dev/null 2>&1 && command -v pdfinfo >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "rsvg-convert or pdfinfo is not installed";
    }
    for (const char* name : {"logo.svg", "logo-black.svg", "logo-white.svg"}) {
        SCOPED_TRACE(name);
        const std::string png = dir_->File(std::string(name) + ".png");
        ASSERT_EQ(std::system(("rsvg-convert '" + File(name) + "' -o '" + png + "'").c_str()), 0);
        Image image;
        ASSERT_TRUE(Decode(png, image));
        EXPECT_EQ(ArgbA(Seen(image, 0, 0)), 0);
        EXPECT_EQ(ArgbA(Seen(image, image.width - 1, image.height - 1)), 0);
        size_t covered = 0, off = 0;
        for (const uint32_t p : image.pixels) {
            if (ArgbA(p) < 128) continue;
            ++covered;
            const int v = std::string(name) == "logo-white.svg" ? 255 : 0;
            const bool one_colour = std::string(name) == "logo.svg" ||
                                    (std::abs(ArgbR(p) - v) <= 2 && std::abs(ArgbG(p) - v) <= 2 &&
                                     std::abs(ArgbB(p) - v) <= 2);
            if (!one_colour) ++off;
        }
        EXPECT_GT(covered, image.pixels.size() / 50);
        EXPECT_EQ(off, 0u);
    }
    const std::string info = dir_->File("pdfinfo.txt");
    ASSERT_EQ(std::system(("pdfinfo '" + File("logo.pdf") + "' >'" + info + "'").c_str()), 0);
    const std::vector<uint8_t> bytes = test::ReadAll(info);
    const std::string text(bytes.begin(), bytes.end());
    const auto field = [&](const std::string& key) {
        const size_t at = text.find(key + ":");
        if (at == std::string::npos) return std::string();
        const size_t start = text.find_first_not_of(' ', at + key.size() + 1);
        return text.substr(start, text.find('\n', start) - start);
    };
    EXPECT_EQ(field("Pages"), "1") << text;
    EXPECT_EQ(field("Creator"), "Qorvan Logo") << text;
    const std::string fonts = dir_->File("pdffonts.txt");
    ASSERT_EQ(std::system(("pdffonts '" + File("logo.pdf") + "' >'" + fonts + "'").c_str()), 0);
    const std::vector<uint8_t> listed = test::ReadAll(fonts);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2);  // the header lines alone
}

TEST_F(LogoKit, PicturesHaveTheirExactSizesAndBackgrounds) {
    ASSERT_TRUE(written_);
    struct Expect {
        const char* name;
        int longer;
        bool square;
        bool transparent;
    };
    const Expect expected[] = {
        {"logo-512.png", 512, false, true},    {"logo-1024.png", 1024, false, true},
        {"logo-2048.png", 2048, false, true},  {"logo.jpg", 2048, false, false},
        {"logo-black.png", 1024, false, true}, {"logo-white.png", 1024, false, true},
        {"icon-180.png", 180, true, false},    {"icon-192.png", 192, true, true},
        {"icon-512.png", 512, true, true},     {"social-400.png", 400, true, false},
        {"social-1080.png", 1080, true, false},
    };
    const ExportSubject subject = PrepareExportSubject(*logo_);
    ASSERT_GT(subject.width, subject.height);  // the logo is wide
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.name);
        Image image;
        ASSERT_TRUE(Decode(File(e.name), image));
        EXPECT_EQ(std::max(image.width, image.height), e.longer);
        if (e.square) {
            EXPECT_EQ(image.width, image.height);
        } else {
            EXPECT_EQ(image.width, e.longer);
            EXPECT_NEAR(image.height, double(e.longer) * subject.height / subject.width, 1.0);
        }
        const uint32_t corners[] = {Seen(image, 0, 0), Seen(image, image.width - 1, 0),
                                    Seen(image, 0, image.height - 1),
                                    Seen(image, image.width - 1, image.height - 1)};
        for (uint32_t c : corners) {
            if (e.transparent) {
                EXPECT_TRUE(image.has_alpha);
                EXPECT_EQ(ArgbA(c), 0);
            } else {
                EXPECT_EQ(ArgbA(c), 255);
                // JPEG is lossy; the PNGs hold the background exactly.
                const int tolerance = std::string(e.name) == "logo.jpg" ? 3 : 0;
                const uint32_t bg = Background();
                EXPECT_NEAR(ArgbR(c), (bg >> 16) & 0xFF, tolerance);
                EXPECT_NEAR(ArgbG(c), (bg >> 8) & 0xFF, tolerance);
                EXPECT_NEAR(ArgbB(c), bg & 0xFF, tolerance);
            }
        }
    }
}

TEST_F(LogoKit, OneColourVersionsArePureAndKeepTheCoverage) {
    ASSERT_TRUE(written_);
    Image black, white, colour;
    ASSERT_TRUE(Decode(File("logo-black.png"), black));
    ASSERT_TRUE(Decode(File("logo-white.png"), white));
    ASSERT_TRUE(Decode(File("logo-1024.png"), colour));
    ASSERT_EQ(black.pixels.size(), white.pixels.size());
    ASSERT_EQ(black.pixels.size(), colour.pixels.size());
    size_t visible = 0, visible_colour = 0, partial = 0;
    for (size_t i = 0; i < black.pixels.size(); ++i) {
        const uint32_t k = black.pixels[i], w = white.pixels[i];
        EXPECT_EQ(ArgbA(k), ArgbA(w));
        if (ArgbA(k) > 0) {
            ++visible;
            if (ArgbA(k) < 255) ++partial;
            ASSERT_EQ(k & 0xFFFFFFu, 0u) << i;
            ASSERT_EQ(w & 0xFFFFFFu, 0xFFFFFFu) << i;
        }
        if (ArgbA(colour.pixels[i]) > 0) ++visible_colour;
    }
    // Shadows and edges keep their partial coverage; the shapes cover what the colours do.
    EXPECT_GT(partial, 0u);
    EXPECT_GT(visible, black.pixels.size() / 20);
    EXPECT_NEAR(double(visible), double(visible_colour), 0.02 * double(visible_colour));
}

TEST_F(LogoKit, SocialSquaresKeepTheirMargins) {
    ASSERT_TRUE(written_);
    for (const char* name : {"social-400.png", "social-1080.png"}) {
        SCOPED_TRACE(name);
        Image image;
        ASSERT_TRUE(Decode(File(name), image));
        const int side = image.width;
        int left = side, right = -1, top = side, bottom = -1;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if ((Seen(image, x, y) & 0xFFFFFFu) == Background()) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_GE(right, left);  // the logo is there
        const double margin = 0.08 * side;
        EXPECT_GE(left, margin);
        EXPECT_GE(top, margin);
        EXPECT_GE(side - 1 - right, margin);
        EXPECT_GE(side - 1 - bottom, margin);
        // ...and fills the rest across: the logo is wide.
        EXPECT_GE(right - left + 1, int(0.75 * side));
    }
}

TEST_F(LogoKit, FaviconHoldsThreeSizesWithAlpha) {
    ASSERT_TRUE(written_);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(File("favicon.ico"), bytes));
    const std::vector<test::IcoEntry> entries = test::ReadIcoEntries(bytes);
    ASSERT_EQ(entries.size(), 3u);
    const int sides[] = {16, 32, 48};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(sides[i]);
        EXPECT_EQ(entries[i].width, sides[i]);
        EXPECT_EQ(entries[i].height, sides[i]);
        EXPECT_EQ(entries[i].bpp, 32);
        ASSERT_TRUE(entries[i].decoded);
        const Image& icon = entries[i].image;
        EXPECT_EQ(icon.width, sides[i]);
        EXPECT_TRUE(icon.has_alpha);
        EXPECT_EQ(ArgbA(Seen(icon, 0, 0)), 0);
        int opaque = 0;
        for (uint32_t p : icon.pixels) opaque += ArgbA(p) == 255;
        EXPECT_GT(opaque, 0);
    }
    // The small sizes show the shape alone, which is about square: it fills the icon's height,
    // where the whole wide logo at 48 leaves the top row empty.
    const Image& small = entries[1].image;
    int top_row_alpha = 0;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 32; ++x) top_row_alpha += ArgbA(Seen(small, x, y));
    }
    EXPECT_GT(top_row_alpha, 0);
    for (int x = 0; x < 48; ++x) EXPECT_EQ(ArgbA(Seen(entries[2].image, x, 0)), 0);
}

TEST_F(LogoKit, BrandPageNamesColoursFontsAndFilesAndIsSelfContained) {
    ASSERT_TRUE(written_);
    const std::string html = ReadText(File(kKitPageName));
    ASSERT_FALSE(html.empty());
    for (const BrandColour& c : LogoColours(*logo_)) EXPECT_NE(html.find(HexColour(c.rgb)), std::string::npos) << c.role;
    for (const char* role : {"gradient", "outline", "shadow", "background", "fill"}) {
        EXPECT_NE(html.find(role), std::string::npos) << role;
    }
    EXPECT_NE(html.find("K = 1 &minus; max(R, G, B)"), std::string::npos);
    EXPECT_NE(html.find("Roboto Slab Bold"), std::string::npos);
    EXPECT_NE(html.find("D050000L Regular"), std::string::npos);
    EXPECT_NE(html.find("Apache-2.0"), std::string::npos);  // Roboto Slab's licence
    for (const KitFile& file : KitFiles()) {
        EXPECT_EQ(html.find(std::string("href=\"") + file.name + "\"") != std::string::npos,
                  !file.vector || KitVectorAvailable())
            << file.name;
    }
    EXPECT_NE(html.find("data:image/png;base64,"), std::string::npos);
    EXPECT_EQ(html.find("src=\"http"), std::string::npos);
    EXPECT_EQ(html.find("url(http"), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    // The licences the page links are in the kit, as the installation has them.
    const auto packages = ReadFontPackages(QV_TEST_INSTALL_TREE);
    for (const char* face : {"Roboto Slab Bold", "D050000L Regular"}) {
        ASSERT_EQ(packages.count(face), 1u) << face;
        const std::string name = std::string(kKitLicenceFolder) + "/" + packages.at(face) + ".txt";
        EXPECT_NE(html.find("href=\"" + name + "\""), std::string::npos);
        EXPECT_EQ(ReadText(File(name)), ReadText(LicencePath(QV_TEST_INSTALL_TREE, packages.at(face))));
    }
}

TEST_F(LogoKit, AnIndependentReaderAgreesOnEverySize) {
    ASSERT_TRUE(written_);
    if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "identify is not installed";
    const std::string list = dir_->File("identify.txt");
    const std::string command = "cd '" + Kit() + "' && identify -format '%f %w %h %[channels]\\n' *.png *.jpg favicon.ico > '" +
                                list + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ReadText(list);
    for (const char* line : {"icon-180.png 180 180", "icon-192.png 192 192", "icon-512.png 512 512",
                             "social-400.png 400 400", "social-1080.png 1080 1080", "logo-2048.png 2048",
                             "logo-1024.png 1024", "logo-512.png 512", "logo.jpg 2048", "favicon.ico 16 16",
                             "favicon.ico 32 32", "favicon.ico 48 48"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    EXPECT_NE(text.find("icon-192.png 192 192 srgba"), std::string::npos) << text;
}

// The failures: nothing is left half-written, an earlier kit survives, and the user is told.
class LogoKitFailure : public LogoKit {};

// Characters drawn from a fallback face bring that face and its licence into the kit.
TEST_F(LogoKitFailure, AFallbackFaceIsNamedWithItsLicence) {
    test::TempDir dir;
    LeFile lf;
    LogoObj* city = lf.AddObj(LogoObj::kText);
    city->lt.str = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";  // Moscow, in Cyrillic
    city->lt.font = "Cabin Regular";
    ASSERT_EQ(FT_Get_Char_Index(FtText::FindFace("Cabin Regular"), 0x41C), 0u);
    ASSERT_TRUE(WriteLogoKit(lf, {dir.File("kit"), "City", QV_TEST_INSTALL_TREE}));
    const std::string html = ReadText(dir.File("kit/" + std::string(kKitPageName)));
    EXPECT_NE(html.find("Cabin Regular"), std::string::npos);
    EXPECT_NE(html.find("Noto Sans Regular"), std::string::npos);
    const std::string licence = std::string(kKitLicenceFolder) + "/fonts-noto-core.txt";
    EXPECT_NE(html.find("href=\"" + licence + "\""), std::string::npos);
    EXPECT_EQ(ReadText(dir.File("kit/" + licence)), ReadText(LicencePath(QV_TEST_INSTALL_TREE, "fonts-noto-core")));
}

TEST_F(LogoKitFailure, AnEmptyLogoGetsTheExportsMessage) {
    test::TempDir dir;
    LeFile empty;
    test::FaultCapture capture;
    EXPECT_FALSE(WriteLogoKit(empty, {dir.File("kit"), "Empty", QV_TEST_INSTALL_TREE}));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kNothingToExportMessage);
    EXPECT_FALSE(Exists(dir.File("kit")));
}

TEST_F(LogoKitFailure, AMissingParentFolderIsNamed) {
    test::TempDir dir;
    LeFile lf;
    BuildLogo(lf);
    test::FaultCapture capture;
    EXPECT_FALSE(WriteLogoKit(lf, {dir.File("nowhere/kit"), "X", QV_TEST_INSTALL_TREE}));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_NE(capture.messages[0].find(dir.File("nowhere")), std::string::npos);
    EXPECT_NE(capture.messages[0].find("does not exist"), std::string::npos);
}

// An earlier kit with a file of its own, which only a complete new kit may replace.
std::string OldKit(const test::TempDir& dir) {
    const std::string kit = dir.File("kit");
    EXPECT_TRUE(MakeDirectories(kit));
    EXPECT_TRUE(WriteFileAtomically(kit + "/old.txt", {'o', 'l', 'd'}));
    EXPECT_TRUE(WriteFileAtomically(kit + "/" + kKitPageName, {'<'}));
    return kit;
}

TEST_F(LogoKitFailure, AFolderOfOtherFilesIsNeverReplaced) {
    test::TempDir dir;
    const std::string folder = dir.File("documents");
    ASSERT_TRUE(MakeDirectories(folder));
    ASSERT_TRUE(WriteFileAtomically(folder + "/letter.txt", {'h', 'i'}));
    LeFile lf;
    BuildLogo(lf);
    test::FaultCapture capture;
    EXPECT_FALSE(WriteLogoKit(lf, {folder, "X", QV_TEST_INSTALL_TREE}));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_NE(capture.messages[0].find("holds other files"), std::string::npos);
    EXPECT_EQ(ReadText(folder + "/letter.txt"), "hi");
    EXPECT_TRUE(Leftovers(folder).empty());
    // An empty folder is fine.
    const std::string empty = dir.File("empty");
    ASSERT_TRUE(MakeDirectories(empty));
    EXPECT_TRUE(WriteLogoKit(lf, {empty, "X", QV_TEST_INSTALL_TREE}));
}

TEST_F(LogoKitFailure, AWriteFailureLeavesTheOldKitIntact) {
    test::TempDir dir;
    const std::string kit = OldKit(dir);
    LeFile lf;
    BuildLogo(lf);
    test::FaultCapture capture;
    // While the kit is under way, a folder takes the place of one of its files.
    const KitProgress block = [&](int done, int) {
        if (done == 1) {
            for (const std::string& staging : Leftovers(kit)) MakeDirectories(staging + "/icon-512.png");
        }
        return true;
    };
    EXPECT_FALSE(WriteLogoKit(lf, {kit, "X", QV_TEST_INSTALL_TREE}, block));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_NE(capture.messages[0].find("icon-512.png"), std::string::npos) << capture.messages[0];
    EXPECT_EQ(ReadText(kit + "/old.txt"), "old");
    EXPECT_FALSE(Exists(kit + "/logo-512.png"));
    EXPECT_TRUE(Leftovers(kit).empty());
}

TEST_F(LogoKitFailure, AnUnwritableParentLeavesTheOldKitIntact) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    test::TempDir dir;
    const std::string parent = dir.File("locked");
    ASSERT_TRUE(MakeDirectories(parent));
    const std::string kit = parent + "/kit";
    ASSERT_TRUE(MakeDirectories(kit));
    ASSERT_TRUE(WriteFileAtomically(kit + "/old.txt", {'o', 'l', 'd'}));
    ASSERT_TRUE(WriteFileAtomically(kit + "/" + kKitPageName, {'<'}));
    chmod(parent.c_str(), 0555);
    LeFile lf;
    BuildLogo(lf);
    test::FaultCapture capture;
    EXPECT_FALSE(WriteLogoKit(lf, {kit, "X", QV_TEST_INSTALL_TREE}));
    chmod(parent.c_str(), 0755);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_NE(capture.messages[0].find("Can't write in the folder " + parent), std::string::npos);
    EXPECT_EQ(ReadText(kit + "/old.txt"), "old");
}

TEST_F(LogoKitFailure, StoppingLeavesNothingAndACompleteKitReplacesTheOld) {
    test::TempDir dir;
    const std::string kit = OldKit(dir);
    LeFile lf;
    BuildLogo(lf);
    test::FaultCapture capture;
    EXPECT_FALSE(WriteLogoKit(lf, {kit, "X", QV_TEST_INSTALL_TREE}, [](int done, int) { return done < 3; }));
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_EQ(ReadText(kit + "/old.txt"), "old");
    EXPECT_TRUE(Leftovers(kit).empty());

    int last = 0, total = 0;
    EXPECT_TRUE(WriteLogoKit(lf, {kit + "/", "X", QV_TEST_INSTALL_TREE}, [&](int done, int all) {
        EXPECT_GT(done, last);
        last = done;
        total = all;
        return true;
    }));
    EXPECT_EQ(last, total);
    EXPECT_FALSE(Exists(kit + "/old.txt"));
    EXPECT_TRUE(Exists(kit + "/logo-512.png"));
    EXPECT_TRUE(Leftovers(kit).empty());
    EXPECT_TRUE(capture.messages.empty());
}

// The pieces the kit is made of.
TEST(KitPieces, NaiveCmykAndHex) {
    EXPECT_EQ(HexColour(0x0A0B0C), "#0a0b0c");
    EXPECT_EQ(NaiveCmyk(0xFF0000), "C 0 M 100 Y 100 K 0");
    EXPECT_EQ(NaiveCmyk(0x000000), "C 0 M 0 Y 0 K 100");
    EXPECT_EQ(NaiveCmyk(0xFFFFFF), "C 0 M 0 Y 0 K 0");
    EXPECT_EQ(NaiveCmyk(0x808000), "C 0 M 0 Y 100 K 50");
    EXPECT_EQ(Base64({'M', 'a', 'n'}), "TWFu");
    EXPECT_EQ(Base64({'M', 'a'}), "TWE=");
    EXPECT_EQ(Base64({'M'}), "TQ==");
}

TEST(KitPieces, LicenceNamesSkipThePackagingParagraph) {
    const std::string text =
        "Format: x\n\nFiles: *\nCopyright: someone\nLicense: OFL-1.1\n text\n\n"
        "Files: debian/*\nLicense: GPL-2+\n\nFiles: extra/*\nLicense: OFL-1.1\n\nLicense: OFL-1.1\n full text\n";
    EXPECT_EQ(LicenceNames(text), std::vector<std::string>{"OFL-1.1"});
}

TEST(KitPieces, AreaReductionLendsNoColourFromTransparentPixels) {
    PixelBuffer big;
    ASSERT_TRUE(big.Allocate(4, 2));
    big.Fill(0);
    // The left 2 x 2 block: half red and opaque, half transparent; the right one empty.
    big.at(0, 0) = 0xFFFF0000u;
    big.at(1, 0) = 0xFFFF0000u;
    Image small;
    ASSERT_TRUE(ReduceByArea(big, 2, small));
    ASSERT_EQ(small.width, 2);
    ASSERT_EQ(small.height, 1);
    EXPECT_EQ(small.GetPixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(small.GetPixel(1, 0), 0u);
    EXPECT_FALSE(ReduceByArea(big, 3, small));
}

TEST(KitPieces, SizesFollowTheLongerSide) {
    const ExportSubject wide{300, 100, false};
    const KitRender r = LongerSide(wide, 2048);
    EXPECT_EQ(r.width, 2048);
    EXPECT_EQ(r.height, 683);
    EXPECT_FLOAT_EQ(r.scale, 2048.0f / 300.0f);
    const KitRender tall = LongerSide({100, 300, false}, 512);
    EXPECT_EQ(tall.width, 171);
    EXPECT_EQ(tall.height, 512);
    const KitRender square = FittedSquare(wide, 400, 0.8f);
    EXPECT_EQ(square.width, 400);
    EXPECT_EQ(square.height, 400);
    EXPECT_FLOAT_EQ(square.scale, 320.0f / 300.0f);
    EXPECT_EQ(LongerSide({0, 0, false}, 512).width, 0);
}

}  // namespace
}  // namespace qv
