#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "codecs/encode.h"
#include "output/bitmap_import.h"
#include "tests/codecs/gif_tiff_samples.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

std::string TooLarge(const std::string& path) {
    return "The picture " + path +
           " is too large: pictures are limited to 16384 pixels a side and 64 megapixels.";
}

// 35 bytes or so: one pixel on a 16384 x 16384 logical screen.
std::string WriteScreenBomb(const test::TempDir& dir, const std::string& name) {
    const std::string path = dir.File(name);
    test::WriteAll(
        path, test::WriteGif(16384, 16384, 0, 0, 1, 1, false, -1, 2, [](int, int) { return 0; }));
    return path;
}

std::string WriteSparse(const test::TempDir& dir, const std::string& name, off_t size) {
    const std::string path = dir.File(name);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(ftruncate(fd, size), 0);
    close(fd);
    return path;
}

std::string WritePicture(const test::TempDir& dir, const std::string& name, int type) {
    Image image;
    EXPECT_TRUE(image.Create24(3, 2));
    image.SetPixel(0, 1, 0x12, 0x34, 0x56);
    const std::string path = dir.File(name);
    EXPECT_TRUE(SaveImageFile(image, path, type));
    return path;
}

TEST(PictureLoad, EachReasonHasItsMessage) {
    test::TempDir dir;
    const std::string bomb = WriteScreenBomb(dir, "screen.gif");
    const std::string big = WriteSparse(dir, "big.png", off_t{256} * 1024 * 1024 + 1);
    const std::string pipe = dir.File("pipe.bmp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string zero = dir.File("zero.tga");
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    const std::string broken = dir.File("broken.png");
    test::WriteAll(broken, {0x89, 'P', 'N', 'G', 1, 2, 3});

    const auto start = std::chrono::steady_clock::now();
    struct Case {
        std::string path;
        PictureStatus status;
        std::string message;
    };
    const Case cases[] = {
        {bomb, PictureStatus::kTooLarge, TooLarge(bomb)},
        {pipe, PictureStatus::kNotRegularFile, "The picture " + pipe + " is not a regular file."},
        {zero, PictureStatus::kNotRegularFile, "The picture " + zero + " is not a regular file."},
        {big, PictureStatus::kFileTooLarge, "The picture " + big + " is larger than 256 MB."},
        {broken, PictureStatus::kUnreadable, "The picture " + broken + " could not be read."},
        {dir.File("gone.jpg"), PictureStatus::kUnreadable,
         "The picture " + dir.File("gone.jpg") + " could not be read."},
        {dir.File("what.xyz"), PictureStatus::kUnreadable,
         "The picture " + dir.File("what.xyz") + " could not be read."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        PixelBuffer out;
        ASSERT_TRUE(out.Allocate(1, 1));
        out.at(0, 0) = 7;
        const PictureLoad load = LoadPicture(c.path, out);
        EXPECT_EQ(load.status, c.status);
        EXPECT_EQ(load.message, c.message);
        EXPECT_EQ(PictureMessage(c.path, c.status), c.message);
        // A failure leaves the caller's pixels alone.
        ASSERT_EQ(out.width(), 1);
        EXPECT_EQ(out.at(0, 0), 7u);
        EXPECT_FALSE(LoadBitmapPixels(c.path, out));
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
}

TEST(PictureLoad, PicturesWithinTheLimitsLoadAsBefore) {
    test::TempDir dir;
    const std::pair<const char*, int> files[] = {
        {"p.bmp", kImageBmp}, {"p.png", kImagePng}, {"p.tif", kImageTiff}};
    for (const auto& [name, type] : files) {
        SCOPED_TRACE(name);
        const std::string path = WritePicture(dir, name, type);
        PixelBuffer out;
        const PictureLoad load = LoadPicture(path, out);
        EXPECT_EQ(load.status, PictureStatus::kOk);
        EXPECT_TRUE(load.message.empty());
        ASSERT_EQ(out.width(), 3);
        ASSERT_EQ(out.height(), 2);
        // Top row first, full alpha for an opaque file.
        EXPECT_EQ(out.at(0, 0), 0xFF123456u);
        EXPECT_EQ(out.at(1, 1), 0xFF000000u);
        PixelBuffer again;
        EXPECT_TRUE(LoadBitmapPixels(path, again));
        EXPECT_EQ(again.at(0, 0), 0xFF123456u);
    }
}

TEST(PictureLoad, ImportTellsWhyAPictureWasRefused) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    const std::string bomb = WriteScreenBomb(dir, "screen.gif");
    const std::string pipe = dir.File("pipe.png");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string big = WriteSparse(dir, "big.jpg", off_t{300} * 1024 * 1024);
    const std::string broken = dir.File("broken.png");
    test::WriteAll(broken, {1, 2, 3});

    EXPECT_EQ(ImportImage(lf, bomb), nullptr);
    EXPECT_EQ(ImportImage(lf, pipe), nullptr);
    EXPECT_EQ(ImportImage(lf, big), nullptr);
    EXPECT_EQ(ImportImage(lf, broken), nullptr);
    EXPECT_EQ(lf.objs, 0);
    EXPECT_EQ(
        capture.messages,
        (std::vector<std::string>{TooLarge(bomb), "The picture " + pipe + " is not a regular file.",
                                  "The picture " + big + " is larger than 256 MB.",
                                  "File could not be opened: " + broken}));

    capture.messages.clear();
    ASSERT_NE(ImportImage(lf, WritePicture(dir, "fine.bmp", kImageBmp)), nullptr);
    EXPECT_EQ(lf.objs, 1);
    EXPECT_TRUE(capture.messages.empty());
}

}  // namespace
}  // namespace qv
