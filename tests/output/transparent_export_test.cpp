#include <gtest/gtest.h>

#include <cstdlib>

#include "codecs/decode.h"
#include "output/logo_export.h"
#include "output/transparent_export.h"
#include "tests/support/test_fonts.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// A 40 x 30 picture: opaque blue on the left, half-transparent yellow in the middle, fully
// transparent on the right.
bool HalfTransparentPicture(const std::string&, PixelBuffer& out) {
    if (!out.Allocate(40, 30)) return false;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) out.at(x, y) = x < 13 ? 0xFF0000FFu : x < 26 ? 0x80FFFF00u : 0x00FF0000u;
    }
    return true;
}

class TransparentExport : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = new test::TestFonts(); }
    static void TearDownTestSuite() {
        delete fonts_;
        fonts_ = nullptr;
    }
    // Every pass: shadow, outline, gradient, a solid fill, and a custom bitmap with alpha.
    static void Build(LeFile& lf) {
        LogoObj* grad = lf.AddObj(0);
        grad->lt.str = "Gradient";
        grad->lt.font = test::TestFonts::kSans;
        grad->lt.size = 40;
        grad->lt.grad = 1;
        grad->lt.grad_color1 = {20, 240, 120};
        grad->lt.grad_opacity2 = 0.4f;
        grad->lt.shadow = 1;
        grad->lt.outline = 1;
        grad->lt.strength = 3;
        grad->y = -20;
        LogoObj* solid = lf.AddObj(1);
        solid->lt.font = test::TestFonts::kMono;
        solid->lt.glyph = 40;
        solid->lt.color = {150, 200, 90};
        solid->lt.shadow = 1;
        solid->lt.shadow_opacity = 0.8f;
        solid->x = 90;
        solid->y = 20;
        SetBitmapLoader(&HalfTransparentPicture);
        LogoObj* picture = lf.AddObj(2, "picture.png", "picture");
        ASSERT_NE(picture, nullptr);
        picture->x = -80;
        picture->y = 25;
        lf.Update(800, 600, -1, -1);
    }
    static test::TestFonts* fonts_;
};
test::TestFonts* TransparentExport::fonts_ = nullptr;

// The largest difference per channel between the transparent picture laid over the document's
// background and the ordinary export.
struct Comparison {
    int worst = 0;
    int partly_transparent = 0;
};

Comparison Compare(LeFile& lf, const Hls& bgc, int w, int h) {
    Comparison result;
    lf.bgc = bgc;
    PixelBuffer opaque, clear;
    EXPECT_TRUE(opaque.Allocate(w, h));
    std::srand(21);
    Export(lf, opaque.data(), w, h, 1.5f);
    std::srand(21);
    EXPECT_TRUE(ExportWithAlpha(lf, w, h, 1.5f, clear));
    const uint32_t b = HlsToPacked(bgc);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = clear.at(x, y);
            const uint32_t a = p >> 24;
            if (a > 0 && a < 255) ++result.partly_transparent;
            auto over = [&](uint32_t c, uint32_t bg) { return int((c * a + bg * (255 - a) + 127) / 255); };
            const uint32_t o = opaque.at(x, y);
            result.worst = std::max({result.worst, std::abs(over(RedOf(p), RedOf(b)) - int(RedOf(o))),
                                     std::abs(over(GreenOf(p), GreenOf(b)) - int(GreenOf(o))),
                                     std::abs(over(BlueOf(p), BlueOf(b)) - int(BlueOf(o)))});
        }
    }
    return result;
}

const Hls kBackgrounds[] = {{0, 0, 0}, {0, 0, 240}, {0, 240, 120}, {160, 240, 120}, {80, 240, 120}, {30, 100, 180}};

TEST_F(TransparentExport, LaidOverTheBackgroundItMatchesTheOrdinaryExport) {
    LeFile lf;
    Build(lf);
    for (const Hls& bgc : kBackgrounds) {
        SCOPED_TRACE(testing::Message() << "background " << bgc.h << "," << bgc.s << "," << bgc.l);
        const Comparison c = Compare(lf, bgc, 320, 160);
        EXPECT_LE(c.worst, 1);
        EXPECT_GT(c.partly_transparent, 100);
    }
}

// The coverage follows the logo, not the background it was exported from.
TEST_F(TransparentExport, CoverageDoesNotDependOnTheBackground) {
    LeFile lf;
    Build(lf);
    for (int n = 0; n < lf.objs; ++n) lf.GetObj(n)->lt.grad = 0;
    lf.bgc = {0, 0, 240};
    PixelBuffer on_white, on_red;
    std::srand(3);
    ASSERT_TRUE(ExportWithAlpha(lf, 320, 160, 1.0f, on_white));
    lf.bgc = {0, 240, 120};
    std::srand(3);
    ASSERT_TRUE(ExportWithAlpha(lf, 320, 160, 1.0f, on_red));
    int worst = 0;
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 320; ++x) {
            worst = std::max(worst, std::abs(int(on_white.at(x, y) >> 24) - int(on_red.at(x, y) >> 24)));
        }
    }
    EXPECT_LE(worst, 2);
}

TEST_F(TransparentExport, FilesCarryTheirAlpha) {
    test::TempDir dir;
    LeFile lf;
    Build(lf);
    const ExportSubject subject = PrepareExportSubject(lf);
    for (ExportFormat format : {ExportFormat::kPng24, ExportFormat::kPng8, ExportFormat::kGif8, ExportFormat::kTiff}) {
        ExportSettings settings;
        settings.format = format;
        settings.transparent = true;
        settings.margins = 4;
        const std::string path = dir.File(std::string("t") + std::to_string(int(format)) + "." +
                                          FormatInfo(format).extension);
        ASSERT_TRUE(ExportLogoImage(lf, subject, settings, path));
        Image back;
        ASSERT_TRUE(DecodeImageFile(path, FormatInfo(format).file_type, back));
        ASSERT_TRUE(back.has_alpha) << FormatInfo(format).caption;
        EXPECT_EQ(ArgbA(back.GetPixel(0, 0)), 0) << FormatInfo(format).caption;
        int opaque = 0, between = 0;
        for (uint32_t p : back.pixels) {
            if (ArgbA(p) == 255) ++opaque;
            if (ArgbA(p) > 0 && ArgbA(p) < 255) ++between;
        }
        EXPECT_GT(opaque, 100);
        // GIF has one transparent index only; the others keep partial alpha.
        if (format == ExportFormat::kGif8) {
            EXPECT_EQ(between, 0);
        } else {
            EXPECT_GT(between, 50) << FormatInfo(format).caption;
        }
    }
    EXPECT_FALSE(FormatAllowsTransparency(ExportFormat::kJpeg));
    EXPECT_FALSE(FormatAllowsTransparency(ExportFormat::kBmp24));
}

TEST_F(TransparentExport, WithoutTheBoxTheExportIsUnchanged) {
    test::TempDir dir;
    LeFile lf;
    Build(lf);
    const ExportSubject subject = PrepareExportSubject(lf);
    ExportSettings plain;
    std::srand(5);
    ASSERT_TRUE(ExportLogoImage(lf, subject, plain, dir.File("a.png")));
    std::srand(5);
    ASSERT_TRUE(ExportLogoImage(lf, subject, plain, dir.File("b.png")));
    EXPECT_EQ(test::ReadAll(dir.File("a.png")), test::ReadAll(dir.File("b.png")));
    // A format without alpha ignores the box.
    ExportSettings jpeg;
    jpeg.format = ExportFormat::kJpeg;
    std::srand(5);
    ASSERT_TRUE(ExportLogoImage(lf, subject, jpeg, dir.File("a.jpg")));
    jpeg.transparent = true;
    std::srand(5);
    ASSERT_TRUE(ExportLogoImage(lf, subject, jpeg, dir.File("b.jpg")));
    EXPECT_EQ(test::ReadAll(dir.File("a.jpg")), test::ReadAll(dir.File("b.jpg")));
    Image back;
    ASSERT_TRUE(DecodeImageFile(dir.File("a.png"), kImagePng, back));
    EXPECT_FALSE(back.has_alpha);
}

TEST_F(TransparentExport, ClipboardCopyWithAlpha) {
    LeFile empty;
    EXPECT_TRUE(CopyLogoImageWithAlpha(empty).empty());
    LeFile lf;
    Build(lf);
    const PixelBuffer plain = CopyLogoImage(lf);
    const PixelBuffer alpha = CopyLogoImageWithAlpha(lf);
    ASSERT_EQ(alpha.width(), plain.width());
    ASSERT_EQ(alpha.height(), plain.height());
    bool some_transparent = false;
    for (int y = 0; y < alpha.height(); ++y) {
        for (int x = 0; x < alpha.width(); ++x) some_transparent |= (alpha.at(x, y) >> 24) < 255;
    }
    EXPECT_TRUE(some_transparent);
}

}  // namespace
}  // namespace qv
