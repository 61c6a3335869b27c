#pragma once

#include <string>
#include <vector>

namespace qv {

// One line of the keyword file, "word: keyword, keyword, ...": every shape whose name holds
// `word` (a whole word, or words in a row) is also found by the keywords.
struct KeywordEntry {
    std::string word;
    std::vector<std::string> keywords;
    int line = 0;
};

struct KeywordFileError {
    int line = 0;
    std::string message;
};

// Reads the keyword file; '#' starts a comment, blank lines are skipped. On a mistake (no
// colon, an empty word or keyword, a character other than a lower-case letter, digit, blank,
// '-' or '\'', a word given twice) it returns false with the line and what is wrong.
bool ParseKeywordFile(const std::string& text, std::vector<KeywordEntry>& entries,
                      KeywordFileError& error);

// The keywords of every entry whose word stands in the normalised `name`, without repeats and
// without the name's own words, in file order.
std::vector<std::string> KeywordsForName(const std::string& name,
                                         const std::vector<KeywordEntry>& entries);

}  // namespace qv
