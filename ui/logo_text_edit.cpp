#include "ui/logo_text_edit.h"

#include <QLineEdit>

#include "app/unicode_text.h"

namespace qv::ui {

void MakeLogoTextEdit(QLineEdit& edit) {
    edit.setAttribute(Qt::WA_InputMethodEnabled, true);
    edit.setMaxLength(kMaxLogoTextLength);
}

QString ShownLogoText(const std::string& text) {
    // A text that is not UTF-8 (bytes of an older source) still shows as what it was meant.
    return QString::fromStdString(CleanUtf8(text));
}

std::string LogoTextOf(const QString& text) {
    return text.toStdString();
}

}  // namespace qv::ui
