#include "app/codepage1252.h"

#include <utility>

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

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const char32_t cp = Cp1252ToUnicode(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool Utf8ToCp1252(const std::string& text, std::string& out) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        int extra = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) return false;
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        unsigned char byte = 0;
        if (!UnicodeToCp1252(cp, byte)) return false;
        result.push_back(static_cast<char>(byte));
        i += static_cast<size_t>(extra) + 1;
    }
    out = std::move(result);
    return true;
}

}  // namespace qv
