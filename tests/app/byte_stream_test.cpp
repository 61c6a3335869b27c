#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/byte_reader.h"
#include "app/byte_writer.h"
#include "app/codepage1252.h"

namespace qv {
namespace {

std::vector<uint8_t> Encoded(const std::string& s) {
    ByteWriter w;
    w.WriteString(s);
    return w.Bytes();
}

std::string Decoded(const std::vector<uint8_t>& bytes, bool* ok = nullptr, size_t* used = nullptr) {
    ByteReader r(bytes.data(), bytes.size());
    std::string s = "untouched";
    const bool result = r.ReadString(s);
    if (ok) *ok = result;
    if (used) *used = r.Position();
    return s;
}

TEST(LengthPrefixedString, PrefixFormsAtEveryBoundary) {
    struct Case {
        size_t length;
        std::vector<uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        const std::vector<uint8_t> bytes = Encoded(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));
        bool ok = false;
        size_t used = 0;
        EXPECT_EQ(Decoded(bytes, &ok, &used), text);
        EXPECT_TRUE(ok);
        EXPECT_EQ(used, bytes.size());
    }
}

TEST(LengthPrefixedString, WideFormIsConvertedToTheCodePage) {
    // 0xFF 0xFFFE marks UTF-16; then the ordinary prefix counts 16-bit units.
    const std::vector<uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0x03, 'A', 0x00, 0xAC, 0x20, 0x3A, 0x04};
    bool ok = false;
    size_t used = 0;
    EXPECT_EQ(Decoded(bytes, &ok, &used), std::string("A\x80?"));  // euro sign; Cyrillic has none
    EXPECT_TRUE(ok);
    EXPECT_EQ(used, bytes.size());

    const std::vector<uint8_t> long_wide = {0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'z', 0x00};
    EXPECT_EQ(Decoded(long_wide), "z");
}

TEST(LengthPrefixedString, TruncationFailsWithoutMovingOrChangingTheValue) {
    const std::vector<std::vector<uint8_t>> broken = {
        {},                                // no prefix
        {0x05, 'a', 'b'},                  // shorter than its length
        {0xFF, 0x10},                      // 16-bit length cut
        {0xFF, 0xFF, 0xFF, 0x01},          // 32-bit length cut
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},  // 2 GiB announced, nothing there
        {0xFF, 0xFE, 0xFF, 0x02, 'a', 0},  // two wide units announced, one present
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF},        // a marker inside a marker
    };
    for (const auto& bytes : broken) {
        bool ok = true;
        size_t used = 99;
        EXPECT_EQ(Decoded(bytes, &ok, &used), "untouched");
        EXPECT_FALSE(ok);
        EXPECT_EQ(used, 0u);
    }
}

TEST(ByteReader, LittleEndianValuesAndBounds) {
    ByteWriter w;
    w.WriteI32(-2);
    w.WriteF32(1.5f);
    w.WriteU16(0xBEEF);
    ByteReader r(w.Bytes().data(), w.Bytes().size());
    int32_t i = 0;
    float f = 0;
    uint16_t u = 0;
    uint32_t extra = 0;
    EXPECT_TRUE(r.ReadI32(i));
    EXPECT_TRUE(r.ReadF32(f));
    EXPECT_TRUE(r.ReadU16(u));
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(u, 0xBEEF);
    EXPECT_FALSE(r.ReadU32(extra));
    EXPECT_FALSE(r.Skip(1));
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(CodePage1252, MapsTheHighControlsAndRefusesWhatItLacks) {
    EXPECT_EQ(Cp1252ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x9F), u'\u0178');
    EXPECT_EQ(Cp1252ToUnicode(0x81), u'\u0081');
    EXPECT_EQ(Cp1252ToUnicode(0xE9), u'\u00E9');
    unsigned char b = 0;
    EXPECT_TRUE(UnicodeToCp1252(U'\u2122', b));
    EXPECT_EQ(b, 0x99);
    EXPECT_FALSE(UnicodeToCp1252(U'\u0416', b));

    std::string out = "kept";
    EXPECT_TRUE(Utf8ToCp1252("Caf\xC3\xA9 \xE2\x82\xAC", out));
    EXPECT_EQ(out, "Caf\xE9 \x80");
    EXPECT_EQ(Cp1252ToUtf8(out), "Caf\xC3\xA9 \xE2\x82\xAC");
    out = "kept";
    EXPECT_FALSE(Utf8ToCp1252("\xD0\x96", out));   // Cyrillic
    EXPECT_FALSE(Utf8ToCp1252("\xC3", out));       // cut sequence
    EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x98\x80", out));  // emoji
    EXPECT_EQ(out, "kept");
}

}  // namespace
}  // namespace qv
