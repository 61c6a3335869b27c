#pragma once

#include <string>
#include <vector>

#include "document/le_file.h"

namespace qv::cli {

// "--set-text N=TEXT": the N-th text object (1-based, back to front, counting text objects
// only) is given TEXT, cut to the editor's length in characters.
struct TextEdit {
    int number = 0;
    std::string text;  // UTF-8
};

inline constexpr size_t kMaxTextLength = 499;

// Parses one "N=TEXT" from the command line (TEXT in UTF-8). False with the problem stated when
// N is not a number from 1 to the most objects a logo holds, or TEXT is not UTF-8.
bool ParseTextEdit(const std::string& argument, TextEdit& edit, std::string& problem);

// Applies the edits in their order. False with the problem stated, and the document unchanged,
// when the document has fewer text objects than an edit names.
bool ApplyTextEdits(LeFile& lf, const std::vector<TextEdit>& edits, std::string& problem);

}  // namespace qv::cli
