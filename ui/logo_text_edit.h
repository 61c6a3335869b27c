#pragma once

#include <QString>
#include <string>

#include "render/ft_text.h"

class QLineEdit;

namespace qv::ui {

// The most characters a logo text may hold: the engine lays out no more, so the edits that
// type one stop there instead of handing it a longer text.
inline constexpr int kMaxLogoTextLength = FtText::kMaxGlyphs - 1;

// Makes `edit` an editor of a logo text: any character, input methods included, at most
// kMaxLogoTextLength of them (typing stops there, a longer paste or text is cut). The edit
// counts UTF-16 units, which are the characters for every script but the rare ones beyond
// the basic plane; those count twice, so the edit never holds more than the engine takes.
void MakeLogoTextEdit(QLineEdit& edit);

// The one conversion between the editor's strings and the document's text (UTF-8), used by
// every field that shows or edits a logo text or a name.
QString ShownLogoText(const std::string& text);
std::string LogoTextOf(const QString& text);

}  // namespace qv::ui
