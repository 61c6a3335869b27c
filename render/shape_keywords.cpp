#include "render/shape_keywords.h"

#include <algorithm>
#include <map>

#include "render/shape_text.h"

namespace qv {
namespace {

bool AllowedText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '\'';
    });
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool HasWords(const std::string& text, const std::string& words) {
    const std::string padded = " " + text + " ";
    return padded.find(" " + words + " ") != std::string::npos;
}

}  // namespace

bool ParseKeywordFile(const std::string& text, std::vector<KeywordEntry>& entries,
                      KeywordFileError& error) {
    entries.clear();
    std::map<std::string, int> first_line;
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        line = Trim(line);
        if (line.empty()) continue;
        const auto fail = [&](const std::string& message) {
            error = {number, message};
            return false;
        };
        const size_t colon = line.find(':');
        if (colon == std::string::npos) return fail("expected 'word: keyword, keyword, ...'");
        KeywordEntry entry;
        entry.line = number;
        entry.word = Trim(line.substr(0, colon));
        if (entry.word.empty()) return fail("the word before ':' is missing");
        if (!AllowedText(entry.word) || NormalizeSearchText(entry.word) != entry.word) {
            return fail("\"" + entry.word + "\" must be lower-case words");
        }
        const std::string rest = line.substr(colon + 1);
        size_t from = 0;
        while (from <= rest.size()) {
            size_t comma = rest.find(',', from);
            if (comma == std::string::npos) comma = rest.size();
            const std::string keyword = Trim(rest.substr(from, comma - from));
            from = comma + 1;
            if (keyword.empty()) return fail("an empty keyword (two commas, or none after ':')");
            if (!AllowedText(keyword) || keyword.find(':') != std::string::npos) {
                return fail("keyword \"" + keyword + "\" must be lower-case words");
            }
            entry.keywords.push_back(NormalizeSearchText(keyword));
        }
        const auto [earlier, inserted] = first_line.emplace(entry.word, number);
        if (!inserted) {
            return fail("\"" + entry.word + "\" was given already on line " +
                        std::to_string(earlier->second));
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

std::vector<std::string> KeywordsForName(const std::string& name,
                                         const std::vector<KeywordEntry>& entries) {
    std::vector<std::string> keywords;
    for (const KeywordEntry& entry : entries) {
        if (!HasWords(name, entry.word)) continue;
        for (const std::string& keyword : entry.keywords) {
            if (HasWords(name, keyword)) continue;
            if (std::find(keywords.begin(), keywords.end(), keyword) == keywords.end()) {
                keywords.push_back(keyword);
            }
        }
    }
    return keywords;
}

}  // namespace qv
