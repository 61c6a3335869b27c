#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/byte_reader.h"
#include "app/byte_writer.h"
#include "app/unicode_text.h"

namespace qv {
namespace {

// "Łódź" and "Ελλάδα" as UTF-8.
const std::string kLodz = "\xC5\x81\xC3\xB3\x64\xC5\xBA";
const std::string kGreece = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";

TEST(UnicodeText, DecodingKeepsWellFormedUtf8AndReadsStrayBytesAsTheCodePage) {
    EXPECT_EQ(DecodeText(kLodz), (std::u32string{0x141, 0xF3, 'd', 0x17A}));
    EXPECT_EQ(DecodeText("\xF0\x9F\x98\x80"), std::u32string{0x1F600});
    // A byte of an older code-page text, a cut sequence, an overlong form and an encoded
    // surrogate each stand for their own code-page characters.
    EXPECT_EQ(DecodeText("Caf\xE9 \x80"), (std::u32string{'C', 'a', 'f', 0xE9, ' ', 0x20AC}));
    EXPECT_EQ(DecodeText("\xC3"), std::u32string{0xC3});
    EXPECT_EQ(DecodeText("\xC0\xAF"), (std::u32string{0xC0, 0xAF}));
    EXPECT_EQ(DecodeText("\xED\xA0\x80").size(), 3u);
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_TRUE(IsValidUtf8(kGreece));
    EXPECT_EQ(CleanUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(EncodeUtf8(DecodeText(kGreece)), kGreece);
}

TEST(UnicodeText, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(CharacterCount(kLodz), 4u);
    EXPECT_EQ(CharacterCount(kGreece), 6u);
    EXPECT_EQ(FirstCharacters(kLodz, 2), "\xC5\x81\xC3\xB3");
    EXPECT_EQ(FirstCharacters(kLodz, 10), kLodz);
    std::string long_text;
    for (int n = 0; n < 600; ++n) long_text += "\xD0\x96";  // Cyrillic Zhe, two bytes each
    EXPECT_EQ(CharacterCount(FirstCharacters(long_text, 499)), 499u);
    EXPECT_EQ(FirstCharacters(long_text, 499).size(), 998u);
}

TEST(UnicodeText, CodePageConversionOnlyForTextsItHolds) {
    std::string bytes = "unchanged";
    EXPECT_TRUE(TextToCp1252("Caf\xC3\xA9 \xE2\x82\xAC", bytes));
    EXPECT_EQ(bytes, "Caf\xE9 \x80");
    EXPECT_EQ(TextFromCp1252(bytes), "Caf\xC3\xA9 \xE2\x82\xAC");
    // The five bytes the code page leaves open travel as their C1 controls and come back.
    EXPECT_TRUE(TextToCp1252(TextFromCp1252("\x81\x8D\x8F\x90\x9D"), bytes));
    EXPECT_EQ(bytes, "\x81\x8D\x8F\x90\x9D");
    bytes = "unchanged";
    EXPECT_FALSE(TextToCp1252(kLodz, bytes));
    EXPECT_EQ(bytes, "unchanged");
}

TEST(UnicodeText, LoneSurrogatesBecomeTheReplacementCharacter) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800" u"b"), "a" + fffd + "b");
    EXPECT_EQ(Utf16ToUtf8(u"\xDC00" u"a"), fffd + "a");
    EXPECT_EQ(Utf16ToUtf8(u"a\xDBFF"), "a" + fffd);
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
}

std::vector<uint8_t> TextBytes(const std::string& utf8) {
    ByteWriter w;
    w.WriteText(utf8);
    return w.Bytes();
}

std::string ReadBack(const std::vector<uint8_t>& bytes, bool* ok = nullptr, size_t* used = nullptr) {
    ByteReader r(bytes.data(), bytes.size());
    std::string s = "untouched";
    const bool result = r.ReadText(s);
    if (ok) *ok = result;
    if (used) *used = r.Position();
    return s;
}

TEST(DocumentTextInFiles, CodePageTextsKeepTheEightBitForm) {
    ByteWriter old;
    old.WriteString("Caf\xE9 \x80");
    EXPECT_EQ(TextBytes("Caf\xC3\xA9 \xE2\x82\xAC"), old.Bytes());
    EXPECT_EQ(TextBytes(""), std::vector<uint8_t>{0x00});
    EXPECT_EQ(ReadBack(old.Bytes()), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(DocumentTextInFiles, OtherTextsTakeTheUtf16FormAndComeBackWhole) {
    const std::vector<uint8_t> lodz = {0xFF, 0xFE, 0xFF, 0x04, 0x41, 0x01, 0xF3, 0x00,
                                       0x64, 0x00, 0x7A, 0x01};
    EXPECT_EQ(TextBytes(kLodz), lodz);
    bool ok = false;
    size_t used = 0;
    EXPECT_EQ(ReadBack(lodz, &ok, &used), kLodz);
    EXPECT_TRUE(ok);
    EXPECT_EQ(used, lodz.size());

    // A surrogate pair is two units; 255 units or more take the longer second prefix.
    EXPECT_EQ(TextBytes("\xF0\x9F\x98\x80"),
              (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}));
    std::string long_text;
    for (int n = 0; n < 300; ++n) long_text += "\xD0\x96";
    const std::vector<uint8_t> bytes = TextBytes(long_text);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6),
              (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
    EXPECT_EQ(bytes.size(), 6u + 600u);
    EXPECT_EQ(ReadBack(bytes), long_text);
}

TEST(DocumentTextInFiles, DamagedUtf16ReadsAsReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    // A lone high surrogate, then a lone low one.
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 0x00, 0xD8, 'b', 0}), "a" + fffd + "b");
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xDC}), fffd);
    // An odd byte count: the last unit cut in half by the end of the data.
    bool ok = false;
    size_t used = 0;
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'}, &ok, &used), "a" + fffd);
    EXPECT_TRUE(ok);
    EXPECT_EQ(used, 7u);
    // Anything shorter is a damaged string: nothing read, nothing moved.
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0x03, 'a', 0}, &ok, &used), "untouched");
    EXPECT_FALSE(ok);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, &ok), "untouched");
    EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace qv
