#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <string>
#include <vector>

// The words an icon font's ligatures spell: typing "coffee" in such a font draws the coffee
// cup, so "coffee" is that glyph's name. Glyph -> every word that forms it, in table order.
std::map<unsigned, std::vector<std::string>> LigatureWords(FT_Face face);
