#include "ui/logo_text_edit.h"

#include <QLineEdit>

#include "app/codepage1252.h"

namespace qv::ui {

QString Cp1252Validator::FirstUnsupported(const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        unsigned char byte = 0;
        if (!UnicodeToCp1252(c, byte)) return QString::fromUcs4(&c, 1);
    }
    return {};
}

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
    const QString bad = FirstUnsupported(input);
    if (bad.isEmpty()) return Acceptable;
    if (refused) refused(bad);
    return Invalid;
}

void MakeLogoTextEdit(QLineEdit& edit, std::function<void(const QString& character)> refused) {
    auto* validator = new Cp1252Validator(&edit);
    validator->refused = std::move(refused);
    edit.setValidator(validator);
    // Every character code page 1252 has is one UTF-16 unit, so the edit's count is the
    // document's.
    edit.setMaxLength(kMaxLogoTextLength);
}

QString RefusedCharacterHint(const QString& character) {
    return QStringLiteral("\u201C%1\u201D cannot be used in a logo text.").arg(character);
}

QString ShownLogoText(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string LogoTextOf(const QString& text) {
    std::string out;
    if (!Utf8ToCp1252(text.toStdString(), out)) out = Utf16ToCp1252(text.toStdU16String());
    return out;
}

}  // namespace qv::ui
