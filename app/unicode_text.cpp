#include "app/unicode_text.h"

#include "app/codepage1252.h"

namespace qv {
namespace {

// The code point of the well-formed sequence at `at`, and its length; 0 when none starts there.
size_t DecodeOne(std::string_view text, size_t at, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    size_t extra = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (at + extra >= text.size()) return 0;
    for (size_t k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(text[at + k]);
        if ((cont & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cont & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

}  // namespace

std::u32string DecodeText(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t cp = 0;
        const size_t length = DecodeOne(text, at, cp);
        if (length == 0) {
            out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(text[at])));
            ++at;
        } else {
            out.push_back(cp);
            at += length;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementCharacter;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string EncodeUtf8(std::u32string_view code_points) {
    std::string out;
    out.reserve(code_points.size());
    for (char32_t cp : code_points) AppendUtf8(out, cp);
    return out;
}

std::string CleanUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    return EncodeUtf8(DecodeText(text));
}

bool IsValidUtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        char32_t cp = 0;
        const size_t length = DecodeOne(text, at, cp);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) {
        char32_t cp = 0;
        const size_t length = DecodeOne(text, at, cp);
        at += length == 0 ? 1 : length;
    }
    return count;
}

std::string FirstCharacters(std::string_view text, size_t count) {
    size_t at = 0;
    for (size_t n = 0; n < count && at < text.size(); ++n) {
        char32_t cp = 0;
        const size_t length = DecodeOne(text, at, cp);
        at += length == 0 ? 1 : length;
    }
    return std::string(text.substr(0, at));
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char32_t cp : DecodeText(text)) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

bool TextToCp1252(std::string_view text, std::string& out) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t cp : DecodeText(text)) {
        unsigned char byte = 0;
        if (!UnicodeToCp1252(cp, byte)) return false;
        bytes.push_back(static_cast<char>(byte));
    }
    out = std::move(bytes);
    return true;
}

std::string TextFromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace qv
