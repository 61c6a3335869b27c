#include "ui/text_box.h"

#include <QFocusEvent>

namespace qv::ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    MakeLogoTextEdit(*this);
    setFrame(false);
    setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: rgb(24,48,64); border: 1px solid rgb(144,163,174);"
        " border-top: none; border-bottom: none; padding: 0 4px; "
        "selection-background-color: rgb(63,115,141); }"));
    connect(this, &QLineEdit::textEdited, this, [this] { emit Changed(); });
}

void TextBox::LoadDocumentText(const std::string& text) {
    const QString shown = ShownLogoText(text).left(maxLength());
    if (shown != QLineEdit::text()) setText(shown);
}

std::string TextBox::DocumentText() const {
    return LogoTextOf(text());
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
