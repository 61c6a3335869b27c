#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>
#include <string>

namespace qv::ui {

// Lets through only text that code page 1252, the document's character set, can hold; for a
// refused character it calls `refused` with it, so that the user learns why nothing appeared.
class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp1252Validator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;

    // The first character of `text` that code page 1252 lacks, or an empty string.
    static QString FirstUnsupported(const QString& text);

    std::function<void(const QString& character)> refused;
};

// The text entry box under the object library. Its three notifications go to the editor:
// gaining focus, the user changing the text, losing focus (menus opening do not count).
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
