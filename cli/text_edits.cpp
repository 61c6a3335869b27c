#include "cli/text_edits.h"

#include "app/unicode_text.h"
#include "cli/option_reader.h"

namespace qv::cli {

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
    if (!IsValidUtf8(utf8)) {
        problem = "the text for --set-text " + std::to_string(number) + " is not valid UTF-8";
        return false;
    }
    edit = {number, FirstCharacters(utf8, kMaxTextLength)};
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
