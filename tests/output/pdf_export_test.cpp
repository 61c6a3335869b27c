#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/fault_report.h"
#include "app/install_dir.h"
#include "codecs/decode.h"
#include "document/colour_shift.h"
#include "document/logo_obj.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "output/pdf_export.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// The PDF is judged by poppler, never by our own reading of it.
bool PopplerAvailable() {
    return std::system("pdftoppm -v >/dev/null 2>&1") == 0 && std::system("pdfinfo -v >/dev/null 2>&1") == 0 &&
           std::system("pdffonts -v >/dev/null 2>&1") == 0;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

std::string CommandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

// The value of one "Key:   value" line of pdfinfo.
std::string InfoField(const std::string& info, const std::string& key) {
    const size_t at = info.find("\n" + key + ":") != std::string::npos ? info.find("\n" + key + ":") + 1
                                                                       : (info.rfind(key + ":", 0) == 0 ? 0 : std::string::npos);
    if (at == std::string::npos) return {};
    size_t start = info.find_first_not_of(' ', at + key.size() + 1);
    const size_t end = info.find('\n', at);
    if (start == std::string::npos || start > end) return {};
    return info.substr(start, end - start);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Rows from the top, whatever order the codec keeps them in.
uint32_t TopDown(const Image& image, int x, int y) { return image.Row(image.height - 1 - y)[x]; }

struct Difference {
    double mean = 1e9;     // mean absolute difference per channel
    double within = 0.0;   // share of pixels whose channels are all within 40 levels
};

// Over the area both pictures share: the page may come out a pixel smaller or larger than the
// export from rounding its size in points.
Difference Compare(const Image& a, const Image& b) {
    Difference d;
    const int w = std::min(a.width, b.width);
    const int h = std::min(a.height, b.height);
    if (w <= 0 || h <= 0) return d;
    double total = 0;
    long close = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = TopDown(a, x, y);
            const uint32_t q = TopDown(b, x, y);
            int worst = 0;
            for (int shift : {0, 8, 16}) {
                const int diff = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
                total += diff;
                worst = std::max(worst, diff);
            }
            if (worst <= 40) ++close;
        }
    }
    d.mean = total / (3.0 * w * h);
    d.within = double(close) / (double(w) * h);
    return d;
}

// Straight-alpha pixels laid over white, as a viewer shows a page without background.
void OverWhite(Image& image) {
    for (uint32_t& p : image.pixels) {
        const uint32_t a = p >> 24;
        auto ch = [a](uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
        p = 0xFF000000u | (ch((p >> 16) & 0xFF) << 16) | (ch((p >> 8) & 0xFF) << 8) | ch(p & 0xFF);
    }
    image.has_alpha = false;
}

// A 60 x 40 picture: an opaque colour ramp on the left, half-transparent green on the right.
bool RampPicture(const std::string&, PixelBuffer& out) {
    if (!out.Allocate(60, 40)) return false;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            out.at(x, y) = x < 30 ? 0xFF000000u | uint32_t(x * 8) << 16 | uint32_t(y * 6) << 8 | 0x40u : 0x8020C040u;
        }
    }
    return true;
}

// The shipped fonts of the build's installation, as a user has them.
class PdfExport : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        FtText::InitFt();
    }
    static void TearDownTestSuite() { FtText::FreeFt(); }
    void SetUp() override {
        if (!PopplerAvailable()) GTEST_SKIP() << "poppler's pdftoppm, pdfinfo and pdffonts are needed";
    }

    static LogoObj* Text(LeFile& lf, const char* text, const char* font, int size, int x, int y) {
        LogoObj* o = lf.AddObj(0);
        o->lt.str = text;
        o->lt.font = font;
        o->lt.size = size;
        o->lt.color = {160, 200, 80};
        o->x = x;
        o->y = y;
        return o;
    }
    static LogoObj* Shape(LeFile& lf, int size, int x, int y) {
        LogoObj* o = lf.AddObj(1);
        o->lt.font = "D050000L Regular";
        o->lt.glyph = 43;
        o->lt.size = o->lt.width = size;
        o->lt.color = {20, 220, 120};
        o->x = x;
        o->y = y;
        return o;
    }

    // The logo exported as PDF and rendered by poppler, and as our own PNG, at the same size.
    struct Pair {
        Image page;
        Image png;
        OutputSize size{0, 0};
    };
    Pair Render(LeFile& lf, const ExportSettings& settings, const std::string& name) {
        Pair pair;
        lf.Update(1200, 800, -1, -1);
        const ExportSubject subject = PrepareExportSubject(lf);
        pair.size = ExportOutputSize(subject, settings);
        const std::string pdf = dir_.File(name + ".pdf");
        const std::string png = dir_.File(name + ".png");
        EXPECT_TRUE(ExportLogoPdf(lf, subject, settings, pdf, "Logo " + name));
        EXPECT_TRUE(ExportLogoImage(lf, subject, settings, png));
        const std::string stem = dir_.File(name + "-page");
        EXPECT_EQ(std::system(("pdftoppm -r 96 -png -singlefile " + Quoted(pdf) + " " + Quoted(stem)).c_str()), 0);
        EXPECT_TRUE(DecodeImageFile(stem + ".png", kImagePng, pair.page));
        EXPECT_TRUE(DecodeImageFile(png, kImagePng, pair.png));
        if (settings.transparent) OverWhite(pair.png);
        return pair;
    }

    test::TempDir dir_;
};

struct LogoCase {
    const char* name;
    bool effects;  // outline or shadow, drawn from images
    std::function<void(LeFile&, ExportSettings&)> build;
};

TEST_F(PdfExport, PagesLookLikeTheRasterExport) {
    const LogoCase cases[] = {
        {"solid", false, [](LeFile& lf, ExportSettings&) { Text(lf, "Solid Fill", "Quicksand Bold", 70, 0, 0); }},
        {"gradients", false,
         [](LeFile& lf, ExportSettings&) {
             int y = -200;
             for (int angle : {0, 45, 90, 135, 200, 315}) {
                 LogoObj* o = Text(lf, "Gradient", "Lobster Two Bold", 60, 0, y);
                 o->lt.grad = 1;
                 o->lt.grad_angle = angle;
                 o->lt.grad_color1 = {25, 240, 110};
                 o->lt.grad_color2 = {150, 200, 60};
                 o->lt.grad_opacity2 = angle == 135 ? 0.3f : 1.0f;
                 y += 80;
             }
         }},
        {"rotated", false,
         [](LeFile& lf, ExportSettings&) {
             LogoObj* o = Text(lf, "ROTATED", "Bebas Neue Regular", 80, 0, 0);
             o->lt.transform = 1;
             o->lt.rotation = 0.1f;
         }},
        {"bent", false,
         [](LeFile& lf, ExportSettings&) {
             LogoObj* outside = Text(lf, "bent outside", "Dancing Script Bold", 50, 0, -80);
             outside->lt.transform = outside->lt.bend_on = 1;
             outside->lt.bend = 0.5f;
             LogoObj* inside = Text(lf, "bent inside", "Dancing Script Bold", 50, 0, 80);
             inside->lt.transform = inside->lt.bend_on = inside->lt.bend_inside = 1;
             inside->lt.bend = 0.5f;
         }},
        {"spacing-aspect", false,
         [](LeFile& lf, ExportSettings&) {
             LogoObj* o = Text(lf, "WIDE", "Quicksand Bold", 60, 0, 0);
             o->lt.spacing = 25;
             o->lt.aspect = 1.7f;
             LogoObj* narrow = Text(lf, "narrow", "Quicksand Bold", 60, 0, 80);
             narrow->lt.aspect = 0.6f;
         }},
        {"scaled-with-margins", false,
         [](LeFile& lf, ExportSettings& s) {
             Text(lf, "Scaled", "Lobster Two Bold", 50, 0, 0)->lt.grad = 1;
             s.scale = 230;
             s.margins = 12;
         }},
        {"outline", true,
         [](LeFile& lf, ExportSettings&) {
             LogoObj* o = Text(lf, "Outline", "Lobster Two Bold", 80, 0, 0);
             o->lt.outline = 1;
             o->lt.strength = 5;
             o->lt.outline_color = {140, 240, 60};
         }},
        {"shadows", true,
         [](LeFile& lf, ExportSettings&) {
             int y = -120;
             for (int angle : {45, 160, 270}) {
                 LogoObj* o = Text(lf, "Shadow", "Quicksand Bold", 60, 0, y);
                 o->lt.shadow = 1;
                 o->lt.shadow_angle = angle;
                 o->lt.shadow_distance = 10;
                 o->lt.shadow_opacity = 0.7f;
                 o->lt.strength = 4;
                 y += 110;
             }
         }},
        {"effects-scaled", true,
         [](LeFile& lf, ExportSettings& s) {
             LogoObj* o = Text(lf, "Both", "Bebas Neue Regular", 60, 0, 0);
             o->lt.outline = o->lt.shadow = 1;
             o->lt.strength = 6;
             o->lt.grad = 1;
             o->lt.grad_angle = 90;
             s.scale = 180;
         }},
        {"overlapping", true,
         [](LeFile& lf, ExportSettings&) {
             LogoObj* shape = Shape(lf, 180, -40, 0);
             shape->lt.grad = 1;
             shape->lt.grad_angle = 270;
             shape->lt.grad_color1 = {30, 240, 150};
             shape->lt.grad_color2 = {10, 240, 60};
             LogoObj* text = Text(lf, "On Top", "Lobster Two Bold", 70, 20, 10);
             text->lt.outline = text->lt.shadow = 1;
             text->lt.strength = 3;
         }},
        {"transparent", true,
         [](LeFile& lf, ExportSettings& s) {
             lf.bgc = {100, 120, 200};
             LogoObj* o = Text(lf, "Clear", "Quicksand Bold", 70, 0, 0);
             o->lt.shadow = 1;
             o->lt.grad = 1;
             o->lt.grad_opacity1 = 0.5f;
             s.transparent = true;
         }},
        {"picture", false,
         [](LeFile& lf, ExportSettings& s) {
             SetBitmapLoader(&RampPicture);
             LogoObj* picture = lf.AddObj(2, "ramp.png", "ramp");
             ASSERT_NE(picture, nullptr);
             picture->x = -50;
             Text(lf, "Pic", "Quicksand Bold", 40, 40, 10);
             s.scale = 300;  // held at 100 % by the picture
         }},
        {"colour-shift", false,
         [](LeFile& lf, ExportSettings&) {
             lf.bgc = {40, 120, 220};
             Text(lf, "Shifted", "Quicksand Bold", 60, 0, -40);
             LogoObj* g = Text(lf, "Colours", "Lobster Two Bold", 60, 0, 40);
             g->lt.grad = 1;
             g->lt.grad_color1 = {200, 240, 120};
             ColourShift shift;
             shift.Build(lf);
             shift.Apply(40, -30, 20);
         }},
    };
    for (const LogoCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::FaultCapture capture;
        LeFile lf;
        ExportSettings settings;
        c.build(lf, settings);
        const Pair pair = Render(lf, settings, c.name);
        EXPECT_LE(std::abs(pair.page.width - pair.size.width), 1);
        EXPECT_LE(std::abs(pair.page.height - pair.size.height), 1);
        const Difference d = Compare(pair.page, pair.png);
        if (c.effects) {
            EXPECT_LE(d.mean, 6.0);
            EXPECT_GE(d.within, 0.95);
        } else {
            EXPECT_LE(d.mean, 2.0);
            EXPECT_GE(d.within, 0.98);
        }
        std::printf("%-20s mean %.3f within %.4f\n", c.name, d.mean, d.within);
        EXPECT_TRUE(capture.messages.empty());
        EXPECT_TRUE(capture.faults.empty());
    }
    InstallBitmapLoader();
}

TEST_F(PdfExport, PageSizeMetadataAndNoFonts) {
    LeFile lf;
    LogoObj* o = Text(lf, "Metadata", "Lobster Two Bold", 60, 0, 0);
    o->lt.outline = o->lt.shadow = 1;
    lf.Update(1200, 800, -1, -1);
    const ExportSubject subject = PrepareExportSubject(lf);
    ExportSettings settings;
    settings.margins = 7;  // an odd size: points with a fraction
    settings.scale = 150;
    const OutputSize size = ExportOutputSize(subject, settings);
    const std::string pdf = dir_.File("meta.pdf");
    ASSERT_TRUE(ExportLogoPdf(lf, subject, settings, pdf, "Coffee & Co"));

    const std::string info = CommandOutput("pdfinfo " + Quoted(pdf));
    char page[96];
    std::snprintf(page, sizeof page, "%g x %g pts", size.width * 0.75, size.height * 0.75);
    EXPECT_EQ(InfoField(info, "Page size"), page) << info;
    EXPECT_EQ(InfoField(info, "Title"), "Coffee & Co");
    EXPECT_EQ(InfoField(info, "Creator"), "Qorvan Logo");
    EXPECT_EQ(InfoField(info, "Pages"), "1");

    // The outline and the shadow are images of at least 300 dpi on the page.
    if (std::system("pdfimages -v >/dev/null 2>&1") == 0) {
        const std::string list = CommandOutput("pdfimages -list " + Quoted(pdf));
        size_t line_start = 0;
        int images = 0;
        for (int line = 0; line_start < list.size(); ++line) {
            const size_t end = list.find('\n', line_start);
            const std::string text = list.substr(line_start, end - line_start);
            line_start = end == std::string::npos ? list.size() : end + 1;
            if (line < 2 || text.empty()) continue;  // the headings
            std::vector<std::string> fields;
            size_t p = 0;
            while ((p = text.find_first_not_of(' ', p)) != std::string::npos) {
                const size_t q = text.find(' ', p);
                fields.push_back(text.substr(p, q == std::string::npos ? std::string::npos : q - p));
                p = q;
            }
            ASSERT_GE(fields.size(), 14u) << text;
            EXPECT_GE(std::stoi(fields[12]), 299) << text;
            EXPECT_GE(std::stoi(fields[13]), 299) << text;
            ++images;
        }
        EXPECT_GE(images, 2) << list;
    }

    // Only the two heading lines: text is drawn as outlines.
    const std::string fonts = CommandOutput("pdffonts " + Quoted(pdf));
    int lines = 0;
    for (char ch : fonts) lines += ch == '\n';
    EXPECT_EQ(lines, 2) << fonts;
}

TEST_F(PdfExport, FailuresSayWhyAndLeaveNoFile) {
    test::FaultCapture capture;
    LeFile empty;
    const std::string nothing = dir_.File("empty.pdf");
    EXPECT_FALSE(ExportLogoPdf(empty, PrepareExportSubject(empty), {}, nothing, "Empty"));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kNothingToExportMessage);
    EXPECT_FALSE(FileExists(nothing));

    LeFile lf;
    Text(lf, "Unwritable", "Quicksand Bold", 40, 0, 0);
    lf.Update(1200, 800, -1, -1);
    const std::string out = dir_.File("missing/folder/x.pdf");
    EXPECT_FALSE(ExportLogoPdf(lf, PrepareExportSubject(lf), {}, out, "Unwritable"));
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[1], "Can't open file " + out + " for writing...");
    EXPECT_FALSE(FileExists(out));
    EXPECT_FALSE(FileExists(dir_.File("missing")));

    // Too large a page is refused up front, as the raster export refuses it.
    LeFile canvas;
    Text(canvas, "Big", "Quicksand Bold", 40, 0, 0);
    canvas.fixed = 1;
    canvas.cw = canvas.ch = 5000;
    canvas.Update(1200, 800, -1, -1);
    ExportSettings huge;
    huge.scale = 10000;
    const std::string big = dir_.File("big.pdf");
    EXPECT_FALSE(ExportLogoPdf(canvas, PrepareExportSubject(canvas), huge, big, "Big"));
    ASSERT_EQ(capture.messages.size(), 3u);
    EXPECT_EQ(capture.messages[2], kOutOfMemory);
    EXPECT_FALSE(FileExists(big));

    // A picture that cannot be read: the raster export's message, nothing written.
    LeFile pictures;
    SetBitmapLoader(&RampPicture);
    LogoObj* picture = pictures.AddObj(2, "/nonexistent/picture.png", "picture");
    InstallBitmapLoader();
    ASSERT_NE(picture, nullptr);
    picture->cust = PixelBuffer();  // read again when exported, and then gone
    const std::string gone = dir_.File("gone.pdf");
    EXPECT_FALSE(ExportLogoPdf(pictures, PrepareExportSubject(pictures), {}, gone, "Gone"));
    ASSERT_EQ(capture.messages.size(), 4u);
    EXPECT_EQ(capture.messages[3], MissingPictureMessage("/nonexistent/picture.png"));
    EXPECT_FALSE(FileExists(gone));
    EXPECT_TRUE(capture.faults.empty());
}

}  // namespace
}  // namespace qv
