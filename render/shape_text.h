#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// What a shape is called and what else it is looked up by. Both are lower case, words
// separated by single spaces.
struct ShapeText {
    std::string name;
    std::vector<std::string> keywords;
};

// Lower case, with '-', '_' and runs of blanks turned into single spaces, trimmed. Letters
// outside ASCII are left as they are.
std::string NormalizeSearchText(std::string_view text);

// The name of a shape nobody named: its face and glyph.
std::string ShapeCodeName(const std::string& face, int glyph);

}  // namespace qv
