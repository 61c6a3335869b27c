#include "cli/text_edits.h"

#include <cstdio>

#include "app/codepage1252.h"
#include "cli/option_reader.h"

namespace qv::cli {
namespace {

// The length of the UTF-8 sequence a lead byte starts; 1 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

// Says which character of `text` code page 1252 lacks, or that the text is not UTF-8.
std::string FirstUnstorable(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
        const std::string piece = text.substr(at, length);
        std::string converted;
        if (!Utf8ToCp1252(piece, converted)) {
            bool well_formed = piece.size() == length && length > 1;
            for (size_t n = 1; n < piece.size(); ++n) well_formed &= (piece[n] & 0xC0) == 0x80;
            if (!well_formed) return "is not valid UTF-8";
            char32_t code = static_cast<unsigned char>(piece[0]) & (0xFF >> (length + 1));
            for (size_t n = 1; n < piece.size(); ++n) code = (code << 6) | (piece[n] & 0x3F);
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
            return "has the character '" + piece + "' (" + name +
                   "), which logo text cannot hold: only the Western European characters of "
                   "code page 1252 can be used";
        }
        at += length;
    }
    return "is not valid UTF-8";
}

}  // namespace

bool ParseTextEdit(const std::string& argument, TextEdit& edit, std::string& problem) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos) {
        problem = "--set-text needs N=TEXT, not '" + argument + "'";
        return false;
    }
    int number = 0;
    if (!ParseRanged("the N of --set-text N=TEXT", argument.substr(0, equals), 1, kMaxObjects, number,
                     problem)) {
        return false;
    }
    const std::string utf8 = argument.substr(equals + 1);
    std::string text;
    if (!Utf8ToCp1252(utf8, text)) {
        problem = "the text for --set-text " + std::to_string(number) + " " + FirstUnstorable(utf8);
        return false;
    }
    if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
    edit = {number, std::move(text)};
    return true;
}

bool ApplyTextEdits(LeFile& lf, const std::vector<TextEdit>& edits, std::string& problem) {
    std::vector<LogoObj*> texts;
    for (int n = 0; n < lf.objs; ++n) {
        if (lf.obj[n] && lf.obj[n]->type == LogoObj::kText) texts.push_back(lf.obj[n].get());
    }
    for (const TextEdit& edit : edits) {
        if (static_cast<size_t>(edit.number) > texts.size()) {
            problem = "--set-text " + std::to_string(edit.number) + ": the logo has " +
                      (texts.empty() ? std::string("no text objects")
                                     : texts.size() == 1 ? std::string("only 1 text object")
                                                         : "only " + std::to_string(texts.size()) +
                                                               " text objects");
            return false;
        }
    }
    for (const TextEdit& edit : edits) texts[static_cast<size_t>(edit.number) - 1]->lt.str = edit.text;
    return true;
}

}  // namespace qv::cli
