#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codecs/decode.h"
#include "codecs/encode.h"
#include "tests/codecs/compare.h"
#include "tests/codecs/sample_files.h"
#include "tests/support/temp_dir.h"

namespace qv::test {
namespace {

// Sizes that are neither multiples of 4 (BMP rows), 8 (JPEG blocks) nor of the strip height.
constexpr int kW = 19, kH = 11;

Image Picture(bool alpha) {
    return MakeExpected(kW, kH, alpha, [&](int x, int row) {
        const uint32_t c = Rgb(x, row) ^ static_cast<uint32_t>(x * row * 2654435761u >> 8);
        return alpha ? (c & 0xFFFFFF) | (uint32_t{AlphaAt(x, row)} << 24) : c | 0xFF000000u;
    });
}

// A 24-bit picture with an 8-bit form beside it: five colours, one transparent and one
// translucent.
Image Indexed() {
    Image img = Picture(false);
    img.CreateIndices();
    const uint8_t alphas[5] = {255, 0, 128, 255, 255};
    img.palette_size = 5;
    for (int i = 0; i < 5; ++i) {
        const uint32_t c = PaletteColour(i);
        img.palette[i] = PaletteEntry{ArgbR(c), ArgbG(c), ArgbB(c), alphas[i]};
    }
    for (int row = 0; row < kH; ++row) {
        for (int x = 0; x < kW; ++x) img.IndexRow(row)[x] = static_cast<uint8_t>((x + 2 * row) % 5);
    }
    return img;
}

// What an 8-bit file decodes to: its palette colours, with alpha where the format keeps it.
Image IndexedDecoded(const Image& img, bool binary_alpha) {
    return MakeExpected(img.width, img.height, true, [&](int x, int row) {
        const PaletteEntry& e = img.palette[img.GetIndex(x, row)];
        const uint8_t a = binary_alpha ? (e.a == 0 ? 0 : 255) : e.a;
        return MakeArgb(e.r, e.g, e.b, a);
    });
}

Image Smooth(bool) {
    return MakeExpected(kW, kH, false, [](int x, int row) {
        return MakeArgb(static_cast<uint8_t>(40 + x * 9), static_cast<uint8_t>(200 - row * 12),
                        static_cast<uint8_t>(90 + x * 3 + row * 5));
    });
}

struct Bmp24 {
    static constexpr int kType = kImageBmp;
    static Image Source() { return Picture(false); }
    static Image Expected() { return Source(); }
};
// The 24-bit writers keep the colours and drop the alpha and the 8-bit form.
struct Bmp24FromAlphaAndIndexed {
    static constexpr int kType = kImageBmp;
    static Image Source() {
        Image img = Indexed();
        img.has_alpha = true;
        return img;
    }
    static Image Expected() {
        Image img = Picture(false);
        return img;
    }
};
struct Jpeg {
    static constexpr int kType = kImageJpeg;
    static constexpr bool kLossy = true;
    static Image Source() { return Smooth(false); }
    static Image Expected() { return Source(); }
};
struct Png24 {
    static constexpr int kType = kImagePng;
    static Image Source() { return Picture(false); }
    static Image Expected() { return Source(); }
};
struct PngRgba {
    static constexpr int kType = kImagePng;
    static Image Source() { return Picture(true); }
    static Image Expected() { return Source(); }
};
struct Png8 {
    static constexpr int kType = kImagePng;
    static Image Source() { return Indexed(); }
    static Image Expected() { return IndexedDecoded(Indexed(), false); }
};
// GIF keeps one fully transparent entry; the translucent one becomes opaque.
struct Gif {
    static constexpr int kType = kImageGif;
    static Image Source() { return Indexed(); }
    static Image Expected() { return IndexedDecoded(Indexed(), true); }
};
struct Tiff24 {
    static constexpr int kType = kImageTiff;
    static Image Source() { return Picture(false); }
    static Image Expected() { return Source(); }
};
struct TiffRgba {
    static constexpr int kType = kImageTiff;
    static Image Source() { return Picture(true); }
    static Image Expected() { return Source(); }
};

template <class T>
constexpr bool IsLossy() {
    if constexpr (requires { T::kLossy; }) return T::kLossy;
    return false;
}

template <class T>
class CodecRoundTrip : public ::testing::Test {};

using Writers = ::testing::Types<Bmp24, Bmp24FromAlphaAndIndexed, Jpeg, Png24, PngRgba, Png8, Gif,
                                 Tiff24, TiffRgba>;
TYPED_TEST_SUITE(CodecRoundTrip, Writers);

TYPED_TEST(CodecRoundTrip, OurDecoderReadsBackThePicture) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeImage(TypeParam::Source(), TypeParam::kType, bytes));
    Image back;
    ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), TypeParam::kType, back));
    EXPECT_TRUE(SamePicture(back, TypeParam::Expected(), IsLossy<TypeParam>()));
}

TYPED_TEST(CodecRoundTrip, SameImageGivesTheSameBytes) {
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(EncodeImage(TypeParam::Source(), TypeParam::kType, first));
    const Image copy = TypeParam::Source();
    ASSERT_TRUE(EncodeImage(copy, TypeParam::kType, second));
    EXPECT_EQ(first, second);
}

TYPED_TEST(CodecRoundTrip, SavesAFileThatDecodes) {
    TempDir dir;
    const std::string path = dir.File(std::string("saved.") + FormatName(TypeParam::kType));
    ASSERT_TRUE(SaveImageFile(TypeParam::Source(), path, TypeParam::kType));
    Image back;
    ASSERT_TRUE(DecodeImageFile(path, TypeParam::kType, back));
    EXPECT_TRUE(SamePicture(back, TypeParam::Expected(), IsLossy<TypeParam>()));
}

bool Contains(const std::vector<uint8_t>& bytes, const std::string& needle) {
    const std::vector<uint8_t> n(needle.begin(), needle.end());
    return std::search(bytes.begin(), bytes.end(), n.begin(), n.end()) != bytes.end();
}

TEST(CodecEncode, PaletteTransparencyIsWrittenOnlyWhenThePaletteHasIt) {
    Image img = Indexed();
    std::vector<uint8_t> png, gif;
    ASSERT_TRUE(EncodeImage(img, kImagePng, png));
    ASSERT_TRUE(EncodeImage(img, kImageGif, gif));
    EXPECT_TRUE(Contains(png, "tRNS"));
    EXPECT_TRUE(Contains(gif, "\x21\xF9"));  // graphics control extension

    for (int i = 0; i < img.palette_size; ++i) img.palette[i].a = 255;
    ASSERT_TRUE(EncodeImage(img, kImagePng, png));
    ASSERT_TRUE(EncodeImage(img, kImageGif, gif));
    EXPECT_FALSE(Contains(png, "tRNS"));
    EXPECT_FALSE(Contains(gif, "\x21\xF9"));
    Image back;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), kImagePng, back));
    EXPECT_FALSE(back.has_alpha);
}

TEST(CodecEncode, RefusesWhatItCannotWrite) {
    std::vector<uint8_t> bytes;
    const Image rgb = Picture(false);
    EXPECT_FALSE(EncodeImage(rgb, kImageGif, bytes));  // no 8-bit form
    EXPECT_FALSE(EncodeImage(rgb, kImageTga, bytes));
    EXPECT_FALSE(EncodeImage(rgb, kImageFileTypeCount, bytes));
    EXPECT_FALSE(EncodeImage(Image(), kImagePng, bytes));
    EXPECT_TRUE(bytes.empty());

    Image bad_index = Indexed();
    bad_index.IndexRow(3)[4] = 5;  // one past the palette
    EXPECT_FALSE(EncodeImage(bad_index, kImagePng, bytes));
    EXPECT_FALSE(EncodeImage(bad_index, kImageGif, bytes));
}

TEST(CodecEncode, JpegQualityTradesSizeForFidelity) {
    Image img = Smooth(false);
    img.quality = 10;
    std::vector<uint8_t> low, high;
    ASSERT_TRUE(EncodeImage(img, kImageJpeg, low));
    img.quality = 100;
    ASSERT_TRUE(EncodeImage(img, kImageJpeg, high));
    EXPECT_LT(low.size(), high.size());
    Image back;
    ASSERT_TRUE(DecodeImage(high.data(), high.size(), kImageJpeg, back));
    EXPECT_TRUE(SamePicture(back, img, true));
}

TEST(CodecEncode, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("keep.png");
    WriteAll(path, {1, 2, 3});
    EXPECT_FALSE(SaveImageFile(Picture(false), path, kImageGif));
    EXPECT_EQ(ReadAll(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(SaveImageFile(Picture(false), dir.File("no/such/dir/x.png"), kImagePng));
}

}  // namespace
}  // namespace qv::test
