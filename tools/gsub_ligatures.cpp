#include "tools/gsub_ligatures.h"

#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <cstdint>

namespace {

// Big-endian reads that answer 0 past the end, with `ok` cleared, so a damaged table reads as
// an empty one.
class Table {
public:
    explicit Table(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint16_t U16(size_t at) {
        if (at + 2 > bytes_.size()) return Fail();
        return static_cast<uint16_t>(bytes_[at] << 8 | bytes_[at + 1]);
    }
    uint32_t U32(size_t at) { return static_cast<uint32_t>(U16(at)) << 16 | U16(at + 2); }
    bool ok = true;

private:
    uint16_t Fail() {
        ok = false;
        return 0;
    }
    std::vector<uint8_t> bytes_;
};

// The glyphs a coverage table lists, in coverage order.
std::vector<unsigned> Coverage(Table& t, size_t at) {
    std::vector<unsigned> glyphs;
    const uint16_t format = t.U16(at);
    const uint16_t count = t.U16(at + 2);
    if (format == 1) {
        for (uint16_t n = 0; n < count && t.ok; ++n) glyphs.push_back(t.U16(at + 4 + 2u * n));
    } else if (format == 2) {
        for (uint16_t n = 0; n < count && t.ok; ++n) {
            const size_t range = at + 4 + 6u * n;
            const uint16_t first = t.U16(range);
            const uint16_t last = t.U16(range + 2);
            for (uint32_t g = first; g <= last && glyphs.size() < 65536; ++g) glyphs.push_back(g);
        }
    }
    return glyphs;
}

void LigatureSubtable(Table& t, size_t at, const std::map<unsigned, char>& letters,
                      std::map<unsigned, std::vector<std::string>>& words) {
    if (t.U16(at) != 1) return;
    const std::vector<unsigned> firsts = Coverage(t, at + t.U16(at + 2));
    const uint16_t sets = t.U16(at + 4);
    for (uint16_t s = 0; s < sets && s < firsts.size() && t.ok; ++s) {
        const auto first = letters.find(firsts[s]);
        if (first == letters.end()) continue;
        const size_t set = at + t.U16(at + 6 + 2u * s);
        const uint16_t ligatures = t.U16(set);
        for (uint16_t l = 0; l < ligatures && t.ok; ++l) {
            const size_t lig = set + t.U16(set + 2 + 2u * l);
            const uint16_t target = t.U16(lig);
            const uint16_t components = t.U16(lig + 2);
            std::string word(1, first->second);
            bool spelled = components >= 1;
            for (uint16_t c = 1; c < components && spelled && t.ok; ++c) {
                const auto letter = letters.find(t.U16(lig + 4 + 2u * (c - 1)));
                spelled = letter != letters.end();
                if (spelled) word += letter->second;
            }
            if (spelled && t.ok) words[target].push_back(word);
        }
    }
}

}  // namespace

std::map<unsigned, std::vector<std::string>> LigatureWords(FT_Face face) {
    std::map<unsigned, std::vector<std::string>> words;
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, TTAG_GSUB, 0, nullptr, &length) != 0 || length == 0 ||
        length > (64u << 20)) {
        return words;
    }
    std::vector<uint8_t> bytes(length);
    if (FT_Load_Sfnt_Table(face, TTAG_GSUB, 0, bytes.data(), &length) != 0) return words;
    Table t(std::move(bytes));

    // Which glyph draws which letter, digit or underscore.
    std::map<unsigned, char> letters;
    FT_UInt glyph = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0;
         code = FT_Get_Next_Char(face, code, &glyph)) {
        if ((code >= 'a' && code <= 'z') || (code >= '0' && code <= '9') || code == '_') {
            letters.emplace(glyph, static_cast<char>(code));
        }
    }

    const size_t lookup_list = t.U16(8);
    const uint16_t lookups = t.U16(lookup_list);
    for (uint16_t n = 0; n < lookups && t.ok; ++n) {
        const size_t lookup = lookup_list + t.U16(lookup_list + 2 + 2u * n);
        const uint16_t type = t.U16(lookup);
        const uint16_t subtables = t.U16(lookup + 4);
        for (uint16_t s = 0; s < subtables && t.ok; ++s) {
            size_t sub = lookup + t.U16(lookup + 6 + 2u * s);
            uint16_t sub_type = type;
            if (type == 7) {  // extension: the real subtable lies further on
                sub_type = t.U16(sub + 2);
                sub += t.U32(sub + 4);
            }
            if (sub_type == 4) LigatureSubtable(t, sub, letters, words);
        }
    }
    if (!t.ok) words.clear();
    return words;
}
