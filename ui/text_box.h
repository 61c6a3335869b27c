#pragma once

#include <QLineEdit>
#include <string>

#include "ui/logo_text_edit.h"

namespace qv::ui {

// The text entry box under the object library, holding at most kMaxLogoTextLength characters
// of any script. Its three notifications go to the editor: gaining focus, the user changing
// the text, losing focus (menus opening do not count).
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Shows a document text (UTF-8) without a change notification.
    void LoadDocumentText(const std::string& text);
    // The text as the document stores it.
    std::string DocumentText() const;

signals:
    void GainedFocus();
    void LostFocus();
    void Changed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace qv::ui
