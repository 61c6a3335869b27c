#pragma once

#include <QLineEdit>
#include <string>

#include "ui/logo_text_edit.h"

namespace qv::ui {

// The text entry box under the object library, holding at most kMaxLogoTextLength characters
// of code page 1252. Its three notifications go to the editor: gaining focus, the user changing
// the text, losing focus (menus opening do not count).
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Shows a document string (code page 1252) without a change notification.
    void LoadCp1252(const std::string& text);
    // The text as the document stores it.
    std::string TextCp1252() const;

signals:
    void GainedFocus();
    void LostFocus();
    void Changed();
    void Refused(const QString& character);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace qv::ui
