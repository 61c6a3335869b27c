#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

namespace qv {

// The face that draws `code_point` when the chosen face lacks it: the first fallback face of
// the installation that has it, with its glyph index in `index`. Null when none has it or the
// fallback archive is missing. The archive is read the first time this is asked, so a process
// whose texts need no fallback never reads it.
FT_Face FallbackFaceFor(char32_t code_point, FT_UInt& index);

// Whether a character may come from a fallback face: one code page 1252 lacks (the characters
// it holds keep their look, including a chosen face's missing glyph) and not a control.
bool MayFallBack(char32_t code_point);

// The names (family, space, style) of the fallback faces that draw some character of `text`
// set in `face`, in the order the fallback faces are asked; empty when the face has them all.
std::vector<std::string> FallbackFaceNames(FT_Face face, const std::string& text);

// Closes the fallback faces and forgets the archive; the next FallbackFaceFor reads it again.
void FreeFallbackFaces();

}  // namespace qv
