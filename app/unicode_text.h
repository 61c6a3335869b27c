#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// The document keeps its texts (object text, face names, object names) as UTF-8. These are the
// conversions between that form, the code points the layout works on and the file's UTF-16.

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code points of `text`. Well-formed UTF-8 decodes as such; any byte that starts no valid
// sequence stands for its code page 1252 character, so a text from an older in-memory source
// still reads as what it showed. Never fails.
std::u32string DecodeText(std::string_view text);

void AppendUtf8(std::string& out, char32_t code_point);
std::string EncodeUtf8(std::u32string_view code_points);

// `text` as well-formed UTF-8 (DecodeText followed by EncodeUtf8).
std::string CleanUtf8(std::string_view text);

// True when `text` is well-formed UTF-8: no cut, overlong or surrogate sequences.
bool IsValidUtf8(std::string_view text);

// The number of characters (code points) of `text`.
size_t CharacterCount(std::string_view text);

// The first `count` characters of `text`, cut between whole characters.
std::string FirstCharacters(std::string_view text, size_t count);

// UTF-16 units to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view text);

// The code page 1252 bytes of `text`, or false (and `out` unchanged) when a character of it
// has no place in the code page.
bool TextToCp1252(std::string_view text, std::string& out);
// Code page 1252 bytes to UTF-8.
std::string TextFromCp1252(std::string_view bytes);

}  // namespace qv
