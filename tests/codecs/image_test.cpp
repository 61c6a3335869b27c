#include "codecs/image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CodecImage, CreateRespectsTheSizeLimits) {
    Image img;
    EXPECT_FALSE(img.Create24(0, 5));
    EXPECT_FALSE(img.Create24(5, -1));
    EXPECT_FALSE(img.Create24(kMaxImageSide + 1, 1));
    EXPECT_FALSE(img.Create24(1, kMaxImageSide + 1));
    // One row over 256 megapixels, refused before anything is allocated.
    EXPECT_FALSE(img.Create24(16385, 16384));
    EXPECT_FALSE(img.IsValid());
    EXPECT_TRUE(img.pixels.empty());

    ASSERT_TRUE(img.Create24(kMaxImageSide, 1));
    EXPECT_TRUE(img.IsValid());
    EXPECT_FALSE(img.has_alpha);
    EXPECT_EQ(img.bpp, 24);
    EXPECT_EQ(img.GetPixel(kMaxImageSide - 1, 0), MakeArgb(0, 0, 0));
}

TEST(CodecImage, RowsCountFromTheBottom) {
    Image img;
    ASSERT_TRUE(img.Create24(3, 2));
    img.SetPixel(2, 1, 10, 20, 30);
    img.SetPixel(0, 0, 1, 2, 3, 4);
    EXPECT_EQ(img.pixels[0], MakeArgb(1, 2, 3, 4));
    EXPECT_EQ(img.pixels[5], 0xFF0A141Eu);
    EXPECT_EQ(img.Row(1)[2], img.GetPixel(2, 1));
    EXPECT_EQ(ArgbR(img.GetPixel(2, 1)), 10);
    EXPECT_EQ(ArgbA(img.GetPixel(0, 0)), 4);

    // Out of range: ignored and read as zero.
    img.SetPixel(3, 0, 9, 9, 9);
    img.SetPixel(0, -1, 9, 9, 9);
    EXPECT_EQ(img.GetPixel(3, 0), 0u);
    EXPECT_EQ(img.GetPixel(0, 2), 0u);
    EXPECT_EQ(img.GetIndex(0, 0), 0);
}

TEST(CodecImage, EightBitFormIsValidOnlyWhenComplete) {
    Image img;
    EXPECT_FALSE(img.CreateIndices());
    ASSERT_TRUE(img.Create24(4, 3));
    img.quality = 40;
    ASSERT_TRUE(img.CreateIndices());
    EXPECT_EQ(img.bpp, 8);
    EXPECT_EQ(img.indices.size(), 12u);
    EXPECT_FALSE(img.IsValid());  // no palette yet
    img.palette_size = 2;
    EXPECT_TRUE(img.IsValid());
    img.IndexRow(2)[3] = 1;
    EXPECT_EQ(img.GetIndex(3, 2), 1);
    img.palette_size = 257;
    EXPECT_FALSE(img.IsValid());

    // A new 24-bit image drops the 8-bit form; clearing keeps the export quality.
    ASSERT_TRUE(img.Create24(2, 2));
    EXPECT_EQ(img.bpp, 24);
    EXPECT_TRUE(img.indices.empty());
    EXPECT_TRUE(img.IsValid());
    img.Clear();
    EXPECT_FALSE(img.IsValid());
    EXPECT_EQ(img.width, 0);
    EXPECT_EQ(img.quality, 40);
}

}  // namespace
}  // namespace qv
