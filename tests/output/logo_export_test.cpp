#include <gtest/gtest.h>

#include "codecs/decode.h"
#include "codecs/encode.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

// A solid w x h bitmap written as a 24-bit BMP, for custom-bitmap objects that need no fonts.
std::string WriteBitmap(const test::TempDir& dir, const std::string& name, int w, int h, uint32_t colour) {
    Image image;
    EXPECT_TRUE(image.Create24(w, h));
    for (uint32_t& p : image.pixels) p = 0xFF000000u | colour;
    const std::string path = dir.File(name);
    EXPECT_TRUE(SaveImageFile(image, path, kImageBmp));
    return path;
}

TEST(ExportSize, ScaleAndMarginsWithTheirClamps) {
    const ExportSubject logo{200, 100, false};
    auto size = [&](int scale, int margins) {
        ExportSettings s;
        s.scale = scale;
        s.margins = margins;
        const OutputSize o = ExportOutputSize(logo, s);
        return std::pair{o.width, o.height};
    };
    EXPECT_EQ(size(100, 0), std::pair(200, 100));
    EXPECT_EQ(size(150, 10), std::pair(320, 170));
    EXPECT_EQ(size(0, 0), std::pair(2, 1));       // scale read as 1 %
    EXPECT_EQ(size(-50, 0), std::pair(2, 1));
    EXPECT_EQ(size(20000, 0), std::pair(20000, 10000));
    EXPECT_EQ(size(100, 500), std::pair(400, 300));  // margins read as 100
    ExportSettings q;
    q.quality = 5;
    EXPECT_EQ(ClampedSettings(q).quality, 10);
    // A custom bitmap keeps the logo at 100 %.
    ExportSettings big;
    big.scale = 300;
    const OutputSize fixed = ExportOutputSize({200, 100, true}, big);
    EXPECT_EQ(fixed.width, 200);
}

TEST(ExportSize, FixedCanvasOrCentredObjects) {
    test::TempDir dir;
    InstallBitmapLoader();
    LeFile lf;
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "a.bmp", 100, 50, 0xFF0000)), nullptr);
    lf.GetObj(0)->x = -100;
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "b.bmp", 100, 50, 0x00FF00)), nullptr);
    lf.GetObj(0)->x = 300;
    lf.GetObj(0)->y = 20;
    ExportSubject s = PrepareExportSubject(lf);
    EXPECT_EQ(s.width, 500);
    EXPECT_EQ(s.height, 70);
    EXPECT_TRUE(s.has_custom_bitmap);
    lf.fixed = 1;
    lf.cw = 640;
    lf.ch = 480;
    s = PrepareExportSubject(lf);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
}

TEST(Export, MarginsCentreTheLogoAndTheFileHoldsThePixels) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    lf.bgc = {0, 0, 240};
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "red.bmp", 30, 20, 0xFF0000)), nullptr);
    lf.GetObj(0)->x = 55;  // centring moves it back
    const ExportSubject subject = PrepareExportSubject(lf);
    ExportSettings settings;
    settings.margins = 7;
    const std::string out = dir.File("logo.png");
    ASSERT_TRUE(ExportLogoImage(lf, subject, settings, out));
    Image back;
    ASSERT_TRUE(DecodeImageFile(out, kImagePng, back));
    ASSERT_EQ(back.width, 44);
    ASSERT_EQ(back.height, 34);
    // Image rows count from the bottom: row 33 is the top of the picture.
    EXPECT_EQ(back.GetPixel(0, 33) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(back.GetPixel(6, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(back.GetPixel(7, 33 - 7) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(back.GetPixel(36, 7) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(back.GetPixel(37, 7) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(capture.messages.empty());
}

TEST(Export, EightBitFormatsKeepFewColoursExactly) {
    test::TempDir dir;
    LeFile lf;
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "c.bmp", 16, 16, 0x3366CC)), nullptr);
    const ExportSubject subject = PrepareExportSubject(lf);
    for (ExportFormat format : {ExportFormat::kPng8, ExportFormat::kGif8}) {
        ExportSettings settings;
        settings.format = format;
        settings.margins = 2;
        const std::string out = dir.File(std::string("logo.") + FormatInfo(format).extension);
        ASSERT_TRUE(ExportLogoImage(lf, subject, settings, out));
        Image back;
        ASSERT_TRUE(DecodeImageFile(out, FormatInfo(format).file_type, back));
        EXPECT_EQ(back.GetPixel(10, 10) & 0xFFFFFF, 0x3366CCu);
        EXPECT_EQ(back.GetPixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    }
}

TEST(Export, AFileThatCannotBeWrittenSaysSo) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "d.bmp", 4, 4, 0)), nullptr);
    const std::string out = dir.File("missing/folder/x.png");
    EXPECT_FALSE(ExportLogoImage(lf, PrepareExportSubject(lf), {}, out));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], "Can't open file " + out + " for writing...");
}

TEST(Export, AnEmptyLogoWithoutMarginsIsRefusedWithAMessage) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    EXPECT_FALSE(ExportLogoImage(lf, PrepareExportSubject(lf), {}, dir.File("x.png")));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_TRUE(capture.faults.empty());
    ExportSettings margins;
    margins.margins = 5;
    EXPECT_TRUE(ExportLogoImage(lf, PrepareExportSubject(lf), margins, dir.File("x.png")));
}

TEST(Clipboard, EmptyLogoGivesNothingAndALogoItsOwnSize) {
    test::TempDir dir;
    LeFile lf;
    EXPECT_TRUE(CopyLogoImage(lf).empty());
    ASSERT_NE(ImportImage(lf, WriteBitmap(dir, "e.bmp", 21, 11, 0x00FF00)), nullptr);
    lf.GetObj(0)->x = 400;
    const PixelBuffer copy = CopyLogoImage(lf);
    ASSERT_EQ(copy.width(), 21);
    ASSERT_EQ(copy.height(), 11);
    EXPECT_EQ(copy.at(0, 0), 0x00FF00u);
    EXPECT_EQ(copy.at(20, 10), 0x00FF00u);
}

TEST(BitmapImport, EndingsDecideTheTypeWithCaseIgnored) {
    EXPECT_EQ(ImageTypeForPath("/a/logo.PNG"), kImagePng);
    EXPECT_EQ(ImageTypeForPath("x.bmp"), kImageBmp);
    EXPECT_EQ(ImageTypeForPath("x.Tga"), kImageTga);
    EXPECT_EQ(ImageTypeForPath("x.jpg"), kImageJpeg);
    EXPECT_EQ(ImageTypeForPath("x.jpeg"), -1);
    EXPECT_EQ(ImageTypeForPath("x.tiff"), -1);
    EXPECT_EQ(ImageTypeForPath("ng"), -1);
    EXPECT_EQ(BitmapTitle("/home/u/pics/my.logo.png"), "my.logo");
    EXPECT_EQ(BitmapTitle("noext"), "noext");
}

TEST(BitmapImport, PicturesGoToTheBackAndFailuresChangeNothing) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    lf.AddObj(0);
    lf.AddObj(0);
    const std::string path = WriteBitmap(dir, "photo.bmp", 3, 2, 0x0000FF);
    LogoObj* o = ImportImage(lf, path);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(lf.objs, 3);
    EXPECT_EQ(lf.cur, 0);
    EXPECT_EQ(lf.GetObj(0), o);
    EXPECT_EQ(o->lt.str, "photo");
    EXPECT_EQ(o->w, 3);
    EXPECT_EQ(o->h, 2);
    // The pixel buffer counts rows from the top and carries full alpha for an opaque file.
    EXPECT_EQ(o->cust.at(0, 0), 0xFF0000FFu);

    const std::string bad = dir.File("broken.png");
    test::WriteAll(bad, {1, 2, 3});
    EXPECT_EQ(ImportImage(lf, bad), nullptr);
    EXPECT_EQ(ImportImage(lf, dir.File("picture.jpeg")), nullptr);
    EXPECT_EQ(lf.objs, 3);
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0], "File could not be opened: " + bad);
}

}  // namespace
}  // namespace qv
