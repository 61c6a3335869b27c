#include "app/codepage1252.h"

#include <utility>

#include "app/unicode_text.h"

namespace qv {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

bool UnicodeToCp1252(char32_t code_point, unsigned char& byte) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point < 0x100)) {
        byte = static_cast<unsigned char>(code_point);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code_point) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string Utf16ToCp1252(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        unsigned char byte = '?';
        if (!UnicodeToCp1252(unit, byte)) byte = '?';
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string Cp1252ToUtf8(const std::string& text) { return TextFromCp1252(text); }

bool Utf8ToCp1252(const std::string& text, std::string& out) {
    // Strict: bytes that are not UTF-8 are refused here rather than read as code-page text.
    return IsValidUtf8(text) && TextToCp1252(text, out);
}

}  // namespace qv
