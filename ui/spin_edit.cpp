#include "ui/spin_edit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

namespace qv::ui {

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
    setValue(value);
    setAccelerated(true);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 30);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit edited(); });
}

int SpinEdit::value() const {
    bool ok = false;
    const int v = text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void SpinEdit::setValue(int value) {
    lineEdit()->setText(QString::number(value));
}

void SpinEdit::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps) {
    setValue(std::clamp(value() + steps, minimum_, maximum_));
    selectAll();
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
    static const QRegularExpression kNumber(QStringLiteral("^-?[0-9]{0,6}$"));
    return kNumber.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    StepEnabled e = StepNone;
    if (value() < maximum_) e |= StepUpEnabled;
    if (value() > minimum_) e |= StepDownEnabled;
    return e;
}

}  // namespace qv::ui
