#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <functional>

#include "codecs/decode.h"
#include "tests/codecs/library_samples.h"

namespace qv::test {
namespace {

// The limits a picture object is held to.
constexpr DecodeLimits kStrict{16384, int64_t{64} * 1024 * 1024};

DecodeStatus Decode(const std::vector<uint8_t>& bytes, int type, const DecodeLimits& limits,
                    Image& img) {
    const std::vector<uint8_t> copy(bytes);  // exact size, for the sanitizer build
    return DecodeImageWithin(copy.data(), copy.size(), type, limits, img);
}

DecodeStatus Decode(const std::vector<uint8_t>& bytes, int type, const DecodeLimits& limits) {
    Image img;
    const DecodeStatus status = Decode(bytes, type, limits, img);
    if (status == DecodeStatus::kOk) {
        EXPECT_TRUE(img.IsValid());
    } else {
        EXPECT_TRUE(img.pixels.empty() && img.width == 0 && img.height == 0);
    }
    return status;
}

std::string Name(DecodeStatus status) {
    switch (status) {
        case DecodeStatus::kOk:
            return "ok";
        case DecodeStatus::kDamaged:
            return "damaged";
        case DecodeStatus::kTooLarge:
            return "too large";
    }
    return "?";
}

// ---- Small files of each format, of any size, for the boundary of small limits.

std::vector<uint8_t> Bmp(int w, int h) {
    const size_t stride = (size_t(24) * w + 31) / 32 * 4;
    return BmpFile(InfoHeader(w, h, 24, 0, 0), std::vector<uint8_t>(stride * h, 0x55));
}

std::vector<uint8_t> Gif(int w, int h) {
    return WriteGif(w, h, 0, 0, w, h, false, -1, 2, [](int x, int y) { return (x + y) & 1; });
}

std::vector<uint8_t> Jpeg(int w, int h) {
    JpegLayout jpeg{w, h, 1, JCS_GRAYSCALE};
    jpeg.pixels.assign(size_t(w) * h, 128);
    return WriteJpeg(jpeg);
}

std::vector<uint8_t> Png(int w, int h) {
    PngLayout png{w, h, 8, PNG_COLOR_TYPE_GRAY};
    png.rows.assign(h, std::vector<uint8_t>(w, 90));
    return WritePng(png);
}

std::vector<uint8_t> IcoPng(int w, int h) {
    return IconFile({{Png(w, h), 0}});
}

std::vector<uint8_t> IcoDib(int w, int h) {
    return IconFile({{IconDib(w, h, 32, std::vector<uint8_t>(size_t(w) * h * 4, 0x80),
                              [](int, int) { return false; }),
                      0}});
}

std::vector<uint8_t> Tiff(int w, int h) {
    TiffLayout tiff;
    tiff.width = w;
    tiff.height = h;
    tiff.samples = 1;
    tiff.photometric = PHOTOMETRIC_MINISBLACK;
    tiff.pixels.assign(size_t(w) * h, 3);
    return WriteTiff(tiff);
}

std::vector<uint8_t> Tga(int w, int h) {
    Bytes tga = TgaHeader(0, 3, 0, 0, 0, w, h, 8, 0);
    tga.v.resize(tga.v.size() + size_t(w) * h, 7);
    return tga.v;
}

struct Maker {
    const char* name;
    int type;
    std::function<std::vector<uint8_t>(int, int)> make;
};

std::vector<Maker> Makers() {
    return {{"bmp", kImageBmp, Bmp},        {"gif", kImageGif, Gif},
            {"jpeg", kImageJpeg, Jpeg},     {"png", kImagePng, Png},
            {"ico-png", kImageIco, IcoPng}, {"ico-dib", kImageIco, IcoDib},
            {"tiff", kImageTiff, Tiff},     {"tga", kImageTga, Tga}};
}

TEST(DecodeLimits, PictureLimitsAllowExactly64MegapixelsAnd16384ASide) {
    EXPECT_TRUE(kStrict.Allows(16384, 4096));
    EXPECT_TRUE(kStrict.Allows(4096, 16384));
    EXPECT_TRUE(kStrict.Allows(8192, 8192));
    EXPECT_FALSE(kStrict.Allows(16384, 4097));
    EXPECT_FALSE(kStrict.Allows(8192, 8193));
    EXPECT_FALSE(kStrict.Allows(16385, 1));
    EXPECT_FALSE(kStrict.Allows(1, 16385));
    EXPECT_FALSE(kStrict.Allows(0, 5));
    EXPECT_FALSE(kStrict.Allows(INT64_MAX, INT64_MAX));

    // The general limits, which every other caller keeps.
    const DecodeLimits general;
    EXPECT_EQ(general.max_side, kMaxImageSide);
    EXPECT_EQ(general.max_pixels, kMaxImagePixels);
    EXPECT_TRUE(general.Allows(kMaxImageSide, 1));
    EXPECT_FALSE(general.Allows(kMaxImageSide + 1, 1));
    EXPECT_EQ(ImageSizeAllowed(kMaxImageSide, 1), general.Allows(kMaxImageSide, 1));
}

// Every decoder honours both the side and the pixel count of the limits it is given, and tells
// a picture beyond them from a damaged file.
TEST(DecodeLimits, EveryDecoderRefusesPastTheLimitsItIsGiven) {
    const DecodeLimits small{16, 128};
    for (const Maker& m : Makers()) {
        SCOPED_TRACE(m.name);
        const std::vector<uint8_t> at_limit = m.make(16, 8);
        ASSERT_FALSE(at_limit.empty());
        EXPECT_EQ(Name(Decode(at_limit, m.type, small)), "ok");
        EXPECT_EQ(Name(Decode(m.make(8, 16), m.type, small)), "ok");
        EXPECT_EQ(Name(Decode(m.make(16, 9), m.type, small)), "too large");
        EXPECT_EQ(Name(Decode(m.make(17, 1), m.type, small)), "too large");
        EXPECT_EQ(Name(Decode(m.make(1, 17), m.type, small)), "too large");
        // The same files under the general limits all decode.
        EXPECT_EQ(Name(Decode(m.make(17, 9), m.type, DecodeLimits{})), "ok");

        // A file cut short is damaged, not too large.
        const std::vector<uint8_t> cut(at_limit.begin(), at_limit.begin() + at_limit.size() / 3);
        EXPECT_EQ(Name(Decode(cut, m.type, small)), "damaged");
    }
    EXPECT_EQ(Name(Decode({1, 2, 3}, kImagePng, kStrict)), "damaged");
    EXPECT_EQ(Name(Decode(Bmp(2, 2), kImageFileTypeCount, kStrict)), "damaged");
}

// Within the limits, the strict limits change nothing about the pictures that come out.
TEST(DecodeLimits, PicturesWithinTheLimitsDecodeAsBefore) {
    for (const Sample& s : AllSamples()) {
        SCOPED_TRACE(s.name);
        Image general, strict;
        ASSERT_TRUE(DecodeImage(s.bytes.data(), s.bytes.size(), s.type, general));
        ASSERT_EQ(Decode(s.bytes, s.type, kStrict, strict), DecodeStatus::kOk);
        EXPECT_EQ(strict.width, general.width);
        EXPECT_EQ(strict.height, general.height);
        EXPECT_EQ(strict.has_alpha, general.has_alpha);
        EXPECT_TRUE(strict.pixels == general.pixels);
    }
}

// ---- Small files that claim enormous pictures.

void PutBigEndian(std::vector<uint8_t>& v, uint32_t x) {
    for (int shift = 24; shift >= 0; shift -= 8) v.push_back(static_cast<uint8_t>(x >> shift));
}

void PngChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutBigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBigEndian(png, static_cast<uint32_t>(
                          crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

// A well-formed grey PNG whose compressed rows are a few hundred bytes of zeros' worth.
std::vector<uint8_t> PngZlibBomb(uint32_t w, uint32_t h) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, w);
    PutBigEndian(header, h);
    header.insert(header.end(), {8, 0, 0, 0, 0});
    PngChunk(png, "IHDR", header);
    const std::vector<uint8_t> zeros(1 << 20, 0);
    std::vector<uint8_t> packed(compressBound(zeros.size()));
    uLongf packed_size = packed.size();
    EXPECT_EQ(compress2(packed.data(), &packed_size, zeros.data(), zeros.size(), 9), Z_OK);
    packed.resize(packed_size);
    PngChunk(png, "IDAT", packed);
    PngChunk(png, "IEND", {});
    return png;
}

// A baseline JPEG whose frame header is rewritten to claim w x h.
std::vector<uint8_t> JpegClaiming(int w, int h) {
    std::vector<uint8_t> jpeg = Jpeg(8, 8);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<uint8_t>(h >> 8);
            jpeg[i + 6] = static_cast<uint8_t>(h);
            jpeg[i + 7] = static_cast<uint8_t>(w >> 8);
            jpeg[i + 8] = static_cast<uint8_t>(w);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

// An uncompressed grey TIFF of one strip, its bits far shorter than it claims.
std::vector<uint8_t> TiffClaiming(uint32_t w, uint32_t h) {
    Bytes t;
    t.U8('I').U8('I').U16(42).U32(8);
    const uint32_t entries = 9;
    const uint32_t data_at = 8 + 2 + entries * 12 + 4;
    t.U16(entries);
    auto entry = [&](unsigned tag, unsigned type, uint32_t value) {
        t.U16(tag).U16(type).U32(1).U32(value);
    };
    entry(256, 4, w);                      // width
    entry(257, 4, h);                      // length
    entry(258, 3, 8);                      // bits per sample
    entry(259, 3, 1);                      // no compression
    entry(262, 3, 1);                      // black is zero
    entry(273, 4, data_at);                // strip offset
    entry(277, 3, 1);                      // samples per pixel
    entry(278, 4, h);                      // rows per strip
    entry(279, 4, w * h > 0 ? w * h : 1);  // strip byte count
    t.U32(0);
    t.v.resize(t.v.size() + 64, 0);
    return t.v;
}

struct Bomb {
    const char* name;
    int type;
    std::vector<uint8_t> bytes;
};

std::vector<Bomb> Bombs() {
    std::vector<Bomb> b;
    // A tiny frame on a huge logical screen: the screen makes the canvas.
    b.push_back({"gif-screen", kImageGif,
                 WriteGif(16384, 16384, 0, 0, 1, 1, false, -1, 2, [](int, int) { return 0; })});
    b.push_back({"jpeg", kImageJpeg, JpegClaiming(16384, 16384)});
    b.push_back({"bmp-rle", kImageBmp, [] {
                     Bytes header = InfoHeader(16384, 16384, 8, 1, 2);
                     AppendPalette(header, 2);
                     return BmpFile(header, {0, 1});
                 }()});
    b.push_back({"png-zlib", kImagePng, PngZlibBomb(16384, 16384)});
    b.push_back({"tiff", kImageTiff, TiffClaiming(16384, 16384)});
    b.push_back({"tga", kImageTga, [] {
                     Bytes tga = TgaHeader(0, 10, 0, 0, 0, 16384, 16384, 24, 0);
                     for (int i = 0; i < 100; ++i) tga.List({0xFF, 1, 2, 3});
                     return tga.v;
                 }()});
    b.push_back({"ico-png", kImageIco, IconFile({{PngZlibBomb(16384, 16384), 0}})});
    b.push_back({"ico-dib", kImageIco, IconFile({{InfoHeader(16384, 2 * 16384, 32, 0, 0).v, 0}})});
    // Past the pixel count only.
    b.push_back({"png-wide", kImagePng, PngZlibBomb(16384, 4097)});
    return b;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(DecodeLimits, SmallFilesClaimingHugePicturesAreRefusedAtOnce) {
    const long peak_before = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    for (const Bomb& bomb : Bombs()) {
        SCOPED_TRACE(bomb.name);
        EXPECT_LT(bomb.bytes.size(), 4096u);
        EXPECT_EQ(Name(Decode(bomb.bytes, bomb.type, kStrict)), "too large");
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Decoding any of them would take a gigabyte and seconds.
    EXPECT_LT(seconds, 2.0);
    EXPECT_LT(PeakKilobytes() - peak_before, 100 * 1024);
}

// An icon with a picture beyond the limits still gives its other pictures.
TEST(DecodeLimits, IconsSkipPicturesBeyondTheLimits) {
    const std::vector<uint8_t> icon = IconFile({{PngZlibBomb(16384, 16384), 0}, {Png(4, 3), 4}});
    Image img;
    ASSERT_EQ(Decode(icon, kImageIco, kStrict, img), DecodeStatus::kOk);
    EXPECT_EQ(img.width, 4);
    EXPECT_EQ(img.height, 3);
}

}  // namespace
}  // namespace qv::test
