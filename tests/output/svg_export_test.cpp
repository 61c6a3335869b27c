// The SVG export judged by an independent renderer: rsvg-convert draws the document and the
// picture is compared with our own PNG export of the same logo at the same size.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/install_dir.h"
#include "codecs/decode.h"
#include "codecs/encode.h"
#include "document/colour_shift.h"
#include "document/le_file.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "document/role_faces.h"
#include "output/svg_export.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

bool HaveProgram(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

LogoObj* AddText(LeFile& lf, const std::string& text, int size, int x = 0, int y = 0) {
    LogoObj* o = lf.AddObj(LogoObj::kText);
    EXPECT_NE(o, nullptr);
    // The editor's default face, as most logos have it. (Faces with strong hinting move their
    // stems by up to a pixel at small sizes, which the unhinted paths do not follow.)
    o->lt.font = role::kDefaultTextFace;
    o->lt.str = text;
    o->lt.size = size;
    o->lt.color = {10, 200, 90};
    o->x = x;
    o->y = y;
    return o;
}


class SvgExport : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        FtText::InitFt();
        InstallBitmapLoader();
    }
    static void TearDownTestSuite() { FtText::FreeFt(); }

    void SetUp() override {
        if (!HaveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
    }

    // Our PNG export and rsvg-convert's drawing of our SVG, both at the export's size.
    struct Pair {
        Image raster;
        Image vector;
        std::string svg;
    };
    Pair Draw(LeFile& lf, const ExportSettings& base, int zoom = 1) {
        Pair p;
        lf.Update(800, 600, -1, -1);  // the objects' extents, which centring reads
        const ExportSubject subject = PrepareExportSubject(lf);
        ExportSettings png = base;
        png.format = ExportFormat::kPng24;
        const std::string png_path = dir_.File("raster.png");
        EXPECT_TRUE(ExportLogoImage(lf, subject, png, png_path));
        EXPECT_TRUE(DecodeImageFile(png_path, kImagePng, p.raster));
        ExportSettings svg = base;
        svg.format = ExportFormat::kSvg;
        const std::string svg_path = dir_.File("vector.svg");
        EXPECT_TRUE(ExportLogoImage(lf, subject, svg, svg_path));
        const std::vector<uint8_t> bytes = test::ReadAll(svg_path);
        p.svg.assign(bytes.begin(), bytes.end());
        const OutputSize size = ExportOutputSize(subject, base);
        const std::string drawn = dir_.File("drawn.png");
        EXPECT_EQ(RunCommand("rsvg-convert -w " + std::to_string(size.width * zoom) + " -h " +
                      std::to_string(size.height * zoom) + " -o " + Quoted(drawn) + " " + Quoted(svg_path)),
                  0);
        EXPECT_TRUE(DecodeImageFile(drawn, kImagePng, p.vector));
        if (const char* keep = std::getenv("QV_KEEP_SVG_TEST_FILES")) {
            static int count = 0;
            const std::string prefix = std::string(keep) + "/" + std::to_string(++count);
            RunCommand("cp " + Quoted(png_path) + " " + Quoted(prefix + "-raster.png") + "; cp " + Quoted(drawn) +
                       " " + Quoted(prefix + "-drawn.png") + "; cp " + Quoted(svg_path) + " " +
                       Quoted(prefix + ".svg"));
        }
        return p;
    }

    test::TempDir dir_;
};

// A pixel as it looks over mid grey (opaque pixels are unchanged).
uint32_t OverGrey(uint32_t argb, bool has_alpha) {
    if (!has_alpha) return argb & 0xFFFFFF;
    const uint32_t a = argb >> 24;
    auto ch = [&](int shift) { return (((argb >> shift) & 0xFF) * a + 128 * (255 - a) + 127) / 255; };
    return ch(16) << 16 | ch(8) << 8 | ch(0);
}

struct Difference {
    double mean = 1e9;    // mean absolute difference per channel
    double within = 0;    // share of pixels with every channel within 40
};

Difference Compare(const Image& a, const Image& b) {
    Difference d;
    if (a.width != b.width || a.height != b.height || a.width == 0) return d;
    double sum = 0;
    size_t close = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const uint32_t p = OverGrey(a.pixels[i], a.has_alpha);
        const uint32_t q = OverGrey(b.pixels[i], b.has_alpha);
        int worst = 0;
        for (int shift : {0, 8, 16}) {
            const int e = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
            sum += e;
            worst = std::max(worst, e);
        }
        if (worst <= 40) ++close;
    }
    d.mean = sum / (3.0 * double(a.pixels.size()));
    d.within = double(close) / double(a.pixels.size());
    return d;
}

struct LogoCase {
    const char* name;
    std::function<void(LeFile&)> build;
    bool effects;  // outline or shadow: the blur is only approximated
};

void Gradient(LogoObj* o, int angle) {
    o->lt.grad = 1;
    o->lt.grad_angle = angle;
    o->lt.grad_color1 = {160, 240, 100};
    o->lt.grad_color2 = {30, 220, 140};
}

std::vector<LogoCase> Logos() {
    std::vector<LogoCase> cases;
    cases.push_back({"solid", [](LeFile& lf) { AddText(lf, "Qorvan", 96); }, false});
    for (int angle : {0, 45, 90, 180, 270, 300}) {
        cases.push_back({"gradient", [angle](LeFile& lf) { Gradient(AddText(lf, "Gradient", 90), angle); },
                         false});
    }
    cases.push_back({"half-transparent gradient", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Fade", 105);
                         Gradient(o, 30);
                         o->lt.grad_opacity2 = 0.5f;
                     },
                     false});
    cases.push_back({"rotated", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Turned", 84);
                         o->lt.transform = 1;
                         o->lt.rotation = 0.08f;
                     },
                     false});
    for (int inside : {0, 1}) {
        cases.push_back({"bent", [inside](LeFile& lf) {
                             LogoObj* o = AddText(lf, "Bending text", 72);
                             o->lt.transform = 1;
                             o->lt.bend_on = 1;
                             o->lt.bend = 0.6f;
                             o->lt.bend_inside = inside;
                         },
                         false});
    }
    cases.push_back({"spacing and aspect", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Wide", 75);
                         o->lt.spacing = 12;
                         o->lt.aspect = 1.6f;
                     },
                     false});
    cases.push_back({"shape", [](LeFile& lf) { lf.AddObj(LogoObj::kShape)->lt.color = {100, 200, 100}; }, false});
    cases.push_back({"two overlapping", [](LeFile& lf) {
                         AddText(lf, "Back", 120);
                         Gradient(AddText(lf, "Front", 90, 20, 15), 135);
                     },
                     false});
    cases.push_back({"outline", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Outlined", 90);
                         o->lt.outline = 1;
                         o->lt.strength = 3;
                         o->lt.outline_color = {0, 0, 20};
                     },
                     true});
    for (int angle : {45, 160, 300}) {
        cases.push_back({"shadow", [angle](LeFile& lf) {
                             LogoObj* o = AddText(lf, "Shadow", 90);
                             o->lt.shadow = 1;
                             o->lt.shadow_angle = angle;
                             o->lt.shadow_distance = 8;
                             o->lt.strength = 2;
                         },
                         true});
    }
    cases.push_back({"outline, shadow and gradient", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Effects", 105);
                         Gradient(o, 45);
                         o->lt.outline = 1;
                         o->lt.shadow = 1;
                         o->lt.strength = 5;
                         o->lt.outline_sharpness = 0.8f;
                         o->lt.outline_color = {40, 240, 60};
                     },
                     true});
    cases.push_back({"colour shift", [](LeFile& lf) {
                         LogoObj* o = AddText(lf, "Shifted", 90);
                         Gradient(o, 90);
                         AddText(lf, "Plain", 60, 0, 50);
                         ColourShift shift;
                         shift.Build(lf);
                         shift.Apply(40, -30, 20);
                     },
                     false});
    return cases;
}

TEST_F(SvgExport, DrawsAsTheRasterExportDoes) {
    for (const LogoCase& c : Logos()) {
        for (int scale : {100, 200, 300}) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(scale) + " %");
            test::FaultCapture capture;
            LeFile lf;
            lf.bgc = {150, 60, 220};
            c.build(lf);
            ExportSettings settings;
            settings.scale = scale;
            settings.margins = 6;
            const Pair p = Draw(lf, settings);
            const Difference d = Compare(p.raster, p.vector);
            EXPECT_LE(d.mean, c.effects ? 6.0 : 2.0);
            EXPECT_GE(d.within, c.effects ? 0.95 : 0.98);
            EXPECT_EQ(p.svg.find("<text"), std::string::npos);
            EXPECT_TRUE(capture.messages.empty());
            EXPECT_TRUE(capture.faults.empty());
        }
    }
}

TEST_F(SvgExport, TransparentBackgroundAndPicture) {
    test::FaultCapture capture;
    Image picture;
    ASSERT_TRUE(picture.Create24(40, 30));
    picture.has_alpha = true;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) picture.Row(y)[x] = uint32_t(x * 6) << 24 | uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | 0x40;
    }
    const std::string path = dir_.File("picture.png");
    ASSERT_TRUE(SaveImageFile(picture, path, kImagePng));
    LeFile lf;
    ASSERT_NE(ImportImage(lf, path), nullptr);
    LogoObj* text = AddText(lf, "Over", 40, 10, 5);
    text->lt.shadow = 1;
    ExportSettings settings;
    settings.transparent = true;
    settings.margins = 4;
    const Pair p = Draw(lf, settings);
    ASSERT_TRUE(p.raster.has_alpha);
    const Difference d = Compare(p.raster, p.vector);
    EXPECT_LE(d.mean, 6.0);
    EXPECT_GE(d.within, 0.95);
    EXPECT_NE(p.svg.find("data:image/png;base64,"), std::string::npos);
    EXPECT_EQ(p.svg.find("<rect"), std::string::npos);
    EXPECT_TRUE(capture.messages.empty());
}

// Share of pixels of a grey-on-white picture that are neither background nor ink.
double IntermediateShare(const Image& image, int step) {
    size_t between = 0, total = 0;
    for (int y = 0; y < image.height; y += 1) {
        for (int x = 0; x < image.width; x += 1) {
            const uint32_t p = image.Row(y / step)[x / step] & 0xFF;
            ++total;
            if (p > 30 && p < 225) ++between;
        }
    }
    return double(between) / double(total);
}

TEST_F(SvgExport, EdgesStaySharpWhenEnlarged) {
    LeFile lf;
    lf.bgc = {0, 0, 240};
    LogoObj* o = AddText(lf, "Sharp", 40);
    o->lt.color = {0, 0, 0};
    const Pair p = Draw(lf, ExportSettings{}, 8);
    ASSERT_EQ(p.vector.width, p.raster.width * 8);
    // The raster enlarged by repeating pixels keeps every soft edge pixel 8 pixels wide; the
    // vector drawing has edges one pixel wide at any size.
    Image enlarged;
    ASSERT_TRUE(enlarged.Create24(p.vector.width, p.vector.height));
    for (int y = 0; y < enlarged.height; ++y) {
        for (int x = 0; x < enlarged.width; ++x) enlarged.Row(y)[x] = p.raster.Row(y / 8)[x / 8];
    }
    const double vector = IntermediateShare(p.vector, 1);
    const double raster = IntermediateShare(enlarged, 1);
    EXPECT_GT(raster, 0.0);
    EXPECT_LT(vector, raster * 0.3);
}

TEST_F(SvgExport, WellFormedUtf8WithTitlesAndNoText) {
    LeFile lf;
    AddText(lf, "Caf\xE9 <&> \"\x80\"", 40);  // code page 1252: e acute, euro sign
    lf.Update(800, 600, -1, -1);
    const ExportSubject subject = PrepareExportSubject(lf);
    ExportSettings settings;
    std::string svg;
    ASSERT_TRUE(ExportLogoSvg(lf, subject, settings, svg));
    EXPECT_NE(svg.find("<title>Caf\xC3\xA9 &lt;&amp;&gt; &quot;\xE2\x82\xAC&quot;</title>"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 " + std::to_string(subject.width) + " " + std::to_string(subject.height)),
              std::string::npos);
    EXPECT_EQ(svg.find("<text"), std::string::npos);
    const std::string path = dir_.File("titles.svg");
    test::WriteAll(path, std::vector<uint8_t>(svg.begin(), svg.end()));
    if (HaveProgram("xmllint")) {
        EXPECT_EQ(RunCommand("xmllint --noout " + Quoted(path)), 0);
    }
}

TEST(SvgExportRefusal, SameMessagesAsTheRasterExport) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile empty;
    std::string svg = "unchanged";
    EXPECT_FALSE(ExportLogoSvg(empty, PrepareExportSubject(empty), ExportSettings{}, svg));
    EXPECT_EQ(svg, "unchanged");
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kNothingToExportMessage);

    InstallBitmapLoader();
    Image picture;
    ASSERT_TRUE(picture.Create24(8, 8));
    const std::string path = dir.File("gone.bmp");
    ASSERT_TRUE(SaveImageFile(picture, path, kImageBmp));
    LeFile lf;
    ASSERT_NE(ImportImage(lf, path), nullptr);
    lf.GetObj(0)->cust = PixelBuffer();
    std::remove(path.c_str());
    ExportSettings settings;
    settings.format = ExportFormat::kSvg;
    const std::string out = dir.File("logo.svg");
    EXPECT_FALSE(ExportLogoImage(lf, PrepareExportSubject(lf), settings, out));
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[1], MissingPictureMessage(path));
    EXPECT_NE(::access(out.c_str(), F_OK), 0);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST_F(SvgExport, ClipboardSvgIsTheLogoAtFullSizeWithoutBackground) {
    LeFile empty;
    EXPECT_TRUE(CopyLogoSvg(empty).empty());
    LeFile lf;
    AddText(lf, "Copy", 40, 300, 200);
    lf.Update(800, 600, -1, -1);
    const std::string svg = CopyLogoSvg(lf);
    int w = 0, h = 0;
    ASSERT_EQ(lf.CenterObjects(w, h), 0);
    EXPECT_NE(svg.find("viewBox=\"0 0 " + std::to_string(w) + " " + std::to_string(h) + "\""), std::string::npos);
    EXPECT_EQ(svg.find("<rect"), std::string::npos);
    EXPECT_NE(svg.find("<title>Copy</title>"), std::string::npos);
}

}  // namespace
}  // namespace qv
