#pragma once

#include <QAbstractSpinBox>

namespace qv::ui {

// An edit with up and down arrows whose arrows keep to a range while the edit takes any whole
// number: what was typed is read back and clamped by the dialog, so 0 or 20000 can be typed and
// the dialog shows what they become.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);

    // The typed number; 0 when the edit holds no number.
    int value() const;
    void setValue(int value);
    // Puts text into the edit as typing would.
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void edited();

protected:
    StepEnabled stepEnabled() const override;

private:
    int minimum_;
    int maximum_;
};

}  // namespace qv::ui
