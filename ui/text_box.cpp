#include "ui/text_box.h"

#include <QFocusEvent>

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

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    auto* validator = new Cp1252Validator(this);
    validator->refused = [this](const QString& c) { emit Refused(c); };
    setValidator(validator);
    setFrame(false);
    setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: rgb(24,48,64); border: 1px solid rgb(144,163,174);"
        " border-top: none; border-bottom: none; padding: 0 4px; "
        "selection-background-color: rgb(63,115,141); }"));
    connect(this, &QLineEdit::textEdited, this, [this] { emit Changed(); });
}

void TextBox::LoadCp1252(const std::string& text) {
    const QString shown = QString::fromStdString(Cp1252ToUtf8(text));
    if (shown != QLineEdit::text()) setText(shown);
}

namespace {

std::string TextCp1252Of(const QString& text) {
    std::string out;
    if (!Utf8ToCp1252(text.toStdString(), out)) out = Utf16ToCp1252(text.toStdU16String());
    return out;
}

}  // namespace

std::string TextBox::TextCp1252() const {
    return TextCp1252Of(text());
}

namespace {

// A menu or tooltip opening, or the window losing or regaining the activation, moves the focus
// without the user going to or leaving the box. Without a window manager the activation comes
// with the next click, after that click has already changed the current object.
bool UserMovedFocus(Qt::FocusReason reason) {
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (UserMovedFocus(event->reason())) emit GainedFocus();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (UserMovedFocus(event->reason())) emit LostFocus();
}

}  // namespace qv::ui
