#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "codecs/decode.h"
#include "tests/codecs/library_samples.h"
#include "tests/support/temp_dir.h"

namespace qv::test {
namespace {

// Decodes an exact-size copy, so that the sanitizer build sees any read past the end. Either
// outcome is fine as long as it is a clean one.
bool DecodeCopy(const std::vector<uint8_t>& bytes, int type) {
    const std::vector<uint8_t> copy(bytes);
    Image img;
    const bool ok = DecodeImage(copy.data(), copy.size(), type, img);
    if (ok) {
        EXPECT_TRUE(img.IsValid());
    } else {
        EXPECT_TRUE(img.pixels.empty() && img.width == 0 && img.height == 0);
    }
    return ok;
}

// A few files per format, picked to reach different code: compressed and not, palette and not.
std::vector<Sample> Victims() {
    const char* const names[] = {"bmp8",
                                 "bmp-rle8",
                                 "bmp-rle4",
                                 "bmp32-v5-masks",
                                 "tga-rle24-top",
                                 "tga-mapped",
                                 "ico-bmp4-mask",
                                 "ico-png-largest",
                                 "png-palette4-trns",
                                 "png-interlaced",
                                 "jpeg-baseline",
                                 "jpeg-progressive",
                                 "jpeg-cmyk-adobe",
                                 "gif-interlaced",
                                 "gif-transparent",
                                 "tiff-rgb-packbits",
                                 "tiff-tiled",
                                 "tiff-palette"};
    std::vector<Sample> all = AllSamples(), picked;
    for (const char* name : names) {
        for (Sample& s : all) {
            if (s.name == name) picked.push_back(s);
        }
    }
    EXPECT_EQ(picked.size(), std::size(names));
    return picked;
}

TEST(CodecRobustness, TruncatedFilesFailCleanly) {
    for (const Sample& s : Victims()) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(DecodeCopy(s.bytes, s.type));
        const size_t n = s.bytes.size();
        const size_t step = std::max<size_t>(1, n / 150);
        for (size_t cut = 0; cut < n; cut += step) {
            const std::vector<uint8_t> part(s.bytes.begin(), s.bytes.begin() + cut);
            const bool ok = DecodeCopy(part, s.type);
            // Trailing markers may go missing without harm; half a file may not.
            if (cut <= n / 2) {
                EXPECT_FALSE(ok) << "cut at " << cut << " of " << n;
            }
        }
    }
}

TEST(CodecRobustness, CorruptedFilesFailOrDecodeCleanly) {
    std::mt19937 random(20240229);
    for (const Sample& s : Victims()) {
        SCOPED_TRACE(s.name);
        for (int i = 0; i < 300; ++i) {
            std::vector<uint8_t> bytes = s.bytes;
            // Single bit flips, mostly; now and then a burst, or a header byte set to an extreme.
            const int flips = i % 10 == 0 ? 8 : 1;
            for (int k = 0; k < flips; ++k) {
                const size_t at = random() % bytes.size();
                bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
            }
            if (i % 7 == 0)
                bytes[random() % std::min<size_t>(bytes.size(), 64)] = i % 2 ? 0xFF : 0x00;
            DecodeCopy(bytes, s.type);
        }
    }
}

Bytes RleBmpHeader(int32_t w, int32_t h) {
    Bytes b = InfoHeader(w, h, 8, 1, 2);
    AppendPalette(b, 2);
    return b;
}

TEST(CodecRobustness, AbsurdSizesAreRefused) {
    const std::vector<uint8_t> end_of_bitmap = {0, 1};
    // Run-length files can be tiny whatever their size, so only the size check stops them.
    EXPECT_TRUE(DecodeCopy(BmpFile(RleBmpHeader(kMaxImageSide, 1), end_of_bitmap), kImageBmp));
    EXPECT_FALSE(DecodeCopy(BmpFile(RleBmpHeader(kMaxImageSide + 1, 1), end_of_bitmap), kImageBmp));
    EXPECT_FALSE(DecodeCopy(BmpFile(RleBmpHeader(16385, 16384), end_of_bitmap), kImageBmp));
    EXPECT_FALSE(DecodeCopy(BmpFile(RleBmpHeader(1, INT32_MIN), end_of_bitmap), kImageBmp));
    EXPECT_FALSE(DecodeCopy(BmpFile(RleBmpHeader(-5, 3), end_of_bitmap), kImageBmp));

    const int wide = 40000;
    Bytes tga = TgaHeader(0, 3, 0, 0, 0, wide, 1, 8, 0);
    tga.v.resize(tga.v.size() + wide, 7);
    EXPECT_FALSE(DecodeCopy(tga.v, kImageTga));

    PngLayout png{wide, 1, 1, PNG_COLOR_TYPE_GRAY};
    png.rows = {std::vector<uint8_t>(wide / 8, 0)};
    const std::vector<uint8_t> png_bytes = WritePng(png);
    ASSERT_FALSE(png_bytes.empty());
    EXPECT_FALSE(DecodeCopy(png_bytes, kImagePng));
    EXPECT_FALSE(DecodeCopy(IconFile({{png_bytes, 0}}), kImageIco));
    EXPECT_FALSE(DecodeCopy(IconFile({{InfoHeader(wide, 2, 32, 0, 0).v, 0}}), kImageIco));

    JpegLayout jpeg{wide, 8, 1, JCS_GRAYSCALE};
    jpeg.pixels.assign(size_t{wide} * 8, 128);
    const std::vector<uint8_t> jpeg_bytes = WriteJpeg(jpeg);
    ASSERT_FALSE(jpeg_bytes.empty());
    EXPECT_FALSE(DecodeCopy(jpeg_bytes, kImageJpeg));

    EXPECT_FALSE(DecodeCopy(
        WriteGif(wide, 1, 0, 0, wide, 1, false, -1, 2, [](int, int) { return 0; }), kImageGif));
    // A frame that lies partly off a normal screen grows the canvas past the limit.
    EXPECT_FALSE(DecodeCopy(
        WriteGif(10, 10, 32760, 0, 10, 1, false, -1, 2, [](int, int) { return 1; }), kImageGif));

    TiffLayout tiff;
    tiff.width = wide;
    tiff.height = 1;
    tiff.samples = 1;
    tiff.photometric = PHOTOMETRIC_MINISBLACK;
    tiff.pixels.assign(wide, 3);
    EXPECT_FALSE(DecodeCopy(WriteTiff(tiff), kImageTiff));
}

// The source tree is named in the build tree's cache, which sits above the test executable.
std::string SourceDir() {
    if (const char* env = std::getenv("QV_SOURCE_DIR")) return env;
    std::ifstream cache(std::string(QV_TEST_INSTALL_TREE) + "/../CMakeCache.txt");
    const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    for (std::string line; std::getline(cache, line);) {
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    }
    return "";
}

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Inputs that once crashed or hung a decoder, kept under fixtures/<format>/.
TEST(CodecRobustness, KnownBadInputsFailOrDecodeCleanly) {
    const std::string root = SourceDir() + "/tests/codecs/fixtures";
    int decoded = 0;
    for (int type = 0; type < kImageFileTypeCount; ++type) {
        for (const std::string& name : Entries(root + "/" + FormatName(type))) {
            SCOPED_TRACE(std::string(FormatName(type)) + "/" + name);
            DecodeCopy(ReadAll(root + "/" + FormatName(type) + "/" + name), type);
            ++decoded;
        }
    }
    EXPECT_GT(decoded, 0) << "no fixtures found under " << root;
}

}  // namespace
}  // namespace qv::test
