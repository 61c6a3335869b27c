#include <gtest/gtest.h>

#include "codecs/decode.h"
#include "codecs/encode.h"
#include "codecs/ico_encoder.h"
#include "tests/codecs/ico_entries.h"

namespace qv {
namespace {

// A picture whose every pixel differs, with alpha from fully transparent to opaque.
Image Icon(int w, int h) {
    Image img;
    EXPECT_TRUE(img.Create24(w, h));
    img.has_alpha = true;
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) {
            img.Row(row)[x] = MakeArgb(uint8_t(x * 7 + row), uint8_t(row * 5), uint8_t(x ^ row),
                                       uint8_t((x * 37 + row * 11) % 256));
        }
    }
    return img;
}

TEST(IcoEncoder, SeveralSizesComeBackExactlyWithTheirAlpha) {
    const Image a = Icon(16, 16), b = Icon(32, 32), c = Icon(48, 48);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeIcoImages({&a, &b, &c}, bytes));
    const std::vector<test::IcoEntry> entries = test::ReadIcoEntries(bytes);
    ASSERT_EQ(entries.size(), 3u);
    const Image* originals[] = {&a, &b, &c};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].width, originals[i]->width);
        EXPECT_EQ(entries[i].height, originals[i]->height);
        EXPECT_EQ(entries[i].planes, 1);
        EXPECT_EQ(entries[i].bpp, 32);
        ASSERT_TRUE(entries[i].decoded);
        EXPECT_TRUE(entries[i].image.has_alpha);
        EXPECT_EQ(entries[i].image.pixels, originals[i]->pixels);
    }
    // Our decoder, given the whole file, takes the largest.
    Image largest;
    ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), kImageIco, largest));
    EXPECT_EQ(largest.width, 48);
    // Same images, same bytes.
    std::vector<uint8_t> again;
    ASSERT_TRUE(EncodeIcoImages({&a, &b, &c}, again));
    EXPECT_EQ(again, bytes);
}

TEST(IcoEncoder, OneImageThroughTheCodecTableAndOpaqueImagesStayOpaque) {
    Image opaque = Icon(5, 3);
    opaque.has_alpha = false;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeImage(opaque, kImageIco, bytes));
    Image back;
    ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), kImageIco, back));
    ASSERT_EQ(back.width, 5);
    ASSERT_EQ(back.height, 3);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(back.GetPixel(x, row) | 0xFF000000u, opaque.GetPixel(x, row) | 0xFF000000u);
    }
    EXPECT_FALSE(back.has_alpha && ArgbA(back.GetPixel(0, 0)) != 255);
}

TEST(IcoEncoder, RefusesWhatAnIconCannotHold) {
    std::vector<uint8_t> bytes;
    const Image big = Icon(257, 4);
    EXPECT_FALSE(EncodeImage(big, kImageIco, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(EncodeIcoImages({}, bytes));
    EXPECT_FALSE(EncodeIcoImages({nullptr}, bytes));
    const Image empty;
    EXPECT_FALSE(EncodeIcoImages({&empty}, bytes));
    EXPECT_TRUE(bytes.empty());
    // 256 is the largest, written as 0 in the directory.
    const Image side256 = Icon(256, 2);
    ASSERT_TRUE(EncodeIcoImages({&side256}, bytes));
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 2);
}

}  // namespace
}  // namespace qv
