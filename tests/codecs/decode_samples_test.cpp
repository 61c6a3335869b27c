#include <gtest/gtest.h>

#include <algorithm>

#include "codecs/decode.h"
#include "tests/codecs/compare.h"
#include "tests/codecs/library_samples.h"
#include "tests/support/temp_dir.h"

namespace qv::test {
namespace {

class CodecSampleDecode : public ::testing::TestWithParam<Sample> {};

TEST_P(CodecSampleDecode, GivesTheExpectedPicture) {
    const Sample& s = GetParam();
    ASSERT_FALSE(s.bytes.empty()) << "the sample could not be made";
    Image img;
    ASSERT_TRUE(DecodeImage(s.bytes.data(), s.bytes.size(), s.type, img));
    EXPECT_EQ(img.bpp, 24);
    EXPECT_TRUE(SamePicture(img, s.expected, s.lossy));
}

TEST_P(CodecSampleDecode, IsReadOnlyAsItsOwnType) {
    const Sample& s = GetParam();
    for (int type = 0; type < kImageFileTypeCount; ++type) {
        if (type == s.type) continue;
        // A Targa file has no signature, so some bytes may pass for one.
        if (type == kImageTga) continue;
        Image img;
        EXPECT_FALSE(DecodeImage(s.bytes.data(), s.bytes.size(), type, img)) << FormatName(type);
        EXPECT_FALSE(img.IsValid());
    }
}

std::string SampleName(const ::testing::TestParamInfo<Sample>& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(CodecFiles, CodecSampleDecode, ::testing::ValuesIn(AllSamples()),
                         SampleName);

TEST(CodecDecodeFile, ReadsFromDiskAndFailsForMissingFiles) {
    TempDir dir;
    const Sample s = Bmp24(false);
    WriteAll(dir.File("a.bmp"), s.bytes);
    Image img;
    ASSERT_TRUE(DecodeImageFile(dir.File("a.bmp"), kImageBmp, img));
    EXPECT_TRUE(SamePicture(img, s.expected));
    EXPECT_FALSE(DecodeImageFile(dir.File("missing.bmp"), kImageBmp, img));
    EXPECT_FALSE(img.IsValid());
    EXPECT_FALSE(DecodeImage(s.bytes.data(), s.bytes.size(), kImageFileTypeCount, img));
    EXPECT_FALSE(DecodeImage(s.bytes.data(), s.bytes.size(), -1, img));
    EXPECT_FALSE(DecodeImage(nullptr, 0, kImageBmp, img));
}

}  // namespace
}  // namespace qv::test
