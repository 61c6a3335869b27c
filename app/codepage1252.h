#pragma once

#include <string>

namespace qv {

// Windows code page 1252, the 8-bit character set of every text the document stores.
// The five bytes the code page leaves undefined map to the C1 control of the same value,
// so every byte has a Unicode value and the conversion never fails.
char16_t Cp1252ToUnicode(unsigned char byte);

// The byte for a Unicode code point, or false when code page 1252 has no such character.
bool UnicodeToCp1252(char32_t code_point, unsigned char& byte);

// Converts UTF-16 text to code page 1252; characters the code page lacks become '?'.
std::string Utf16ToCp1252(const std::u16string& text);

// Conversions at the boundary of the editor, whose text is UTF-8.
std::string Cp1252ToUtf8(const std::string& text);
// False (and `out` unchanged) when the text holds a character code page 1252 lacks or is not
// valid UTF-8.
bool Utf8ToCp1252(const std::string& text, std::string& out);

}  // namespace qv
