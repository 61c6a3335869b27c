#include "ui/value_slider.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/guard.h"
#include "document/bar_mappings.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {
namespace {

// Centred on the position and one pixel short of the inset each side, so it fits at both ends.
constexpr int kThumbWidth = 2 * kSliderInset - 1;
constexpr int kGrooveHeight = 5;

QColor Colour(uint32_t rgb) {
    return QColor::fromRgb(rgb);
}

}  // namespace

float SliderPointerFraction(int x, int width) {
    const int span = width - 2 * kSliderInset;
    if (span <= 0) return 0.0f;
    const int clamped = std::clamp(x, kSliderInset, width - kSliderInset);
    return std::clamp(float(clamped - kSliderInset) / float(span), 0.0f, 1.0f);
}

std::string SliderEditText(float f, int min, int max, bool aspect) {
    if (!aspect) return std::to_string(int(float(max - min) * f + float(min)));
    const float v = f < 0.5f ? f + 0.5f : 2.0f * f;
    const int whole = int(v);
    const int tenth = int((v - float(whole)) * 10.0f);
    return std::to_string(whole) + "." + std::to_string(tenth);
}

float SliderSpinFraction(int position, int step, int min, int max) {
    if (max <= min) return 0.0f;
    const int clamped = std::clamp(position + step, min, max);
    return float(clamped - min) / float(max - min);
}

Slider::Slider(QWidget* parent) : HoverControl(parent) {}

void Slider::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
}

void Slider::SetFraction(float fraction) {
    fraction_ = std::clamp(fraction, 0.0f, 1.0f);
    update();
}

void Slider::SetValue(float value) {
    SetFraction(SliderFraction(value, float(min_), float(max_)));
}

void Slider::SetAspect(float aspect) {
    SetFraction(SliderFromAspect(aspect));
}

int Slider::value() const {
    return int(float(max_ - min_) * fraction_ + float(min_));
}

float Slider::aspect() const {
    return AspectFromSlider(fraction_);
}

void Slider::SetLinkedEdit(QLineEdit* edit) {
    line_edit_ = edit;
    spin_edit_ = nullptr;
}

void Slider::SetLinkedEdit(SpinEdit* edit) {
    spin_edit_ = edit;
    line_edit_ = nullptr;
}

QString Slider::EditText() const {
    return QString::fromStdString(SliderEditText(fraction_, min_, max_, aspect_mode_));
}

void Slider::WriteEdit() {
    const QString text = EditText();
    if (line_edit_) line_edit_->setText(text);
    if (spin_edit_) spin_edit_->setValue(text.toInt());
}

void Slider::SpinStep(int position, int step) {
    fraction_ = SliderSpinFraction(position, step, min_, max_);
    repaint();
}

QSize Slider::sizeHint() const {
    return {150, 22};
}

void Slider::paintEvent(QPaintEvent*) {
    const int w = width(), h = height();
    const skin::Look look = isEnabled() ? CurrentLook(pressed_) : skin::Look::kDisabled;
    const bool disabled = look == skin::Look::kDisabled;
    QPainter painter(this);
    painter.fillRect(rect(), Colour(skin::kWindow));
    if (w <= 2 * kSliderInset || h <= 0) return;

    const int centre = kSliderInset + int(fraction_ * float(w - 2 * kSliderInset));
    const QRectF groove(kSliderInset - 0.5, (h - kGrooveHeight) / 2 + 0.5, w - 2 * kSliderInset,
                        kGrooveHeight - 1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Colour(disabled ? RGB_MAKE(206, 210, 215) : skin::kEdgeDark));
    painter.setBrush(Colour(skin::kPale));
    painter.drawRoundedRect(groove, 2, 2);
    // The part left of the thumb is filled, so the value reads at a glance.
    if (!disabled && centre > kSliderInset) {
        QRectF filled = groove;
        filled.setRight(centre);
        painter.setBrush(Colour(look == skin::Look::kNormal ? skin::kHighlight : skin::kFrame));
        painter.drawRoundedRect(filled, 2, 2);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    const int thumb_height = std::max(4, h - 4);
    const PixelBuffer thumb = skin::ButtonFace(kThumbWidth, thumb_height, look);
    if (!QV_CHECK_T("bmp!=NULL", !thumb.empty())) return;
    painter.drawImage(centre - kThumbWidth / 2, (h - thumb_height) / 2, BufferView(thumb));
}

void Slider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) return;
    // Qt grabs the mouse for the widget under a pressed button, as a capture would.
    pressed_ = true;
    repaint();
}

void Slider::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    fraction_ = SliderPointerFraction(event->position().toPoint().x(), width());
    repaint();
    WriteEdit();
    emit Changed(fraction_);
}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    repaint();
}

SliderSpinEdit::SliderSpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : SpinEdit(minimum, maximum, value, parent) {}

void SliderSpinEdit::stepBy(int steps) {
    if (slider_) slider_->SpinStep(value(), steps);
    SpinEdit::stepBy(steps);
}

}  // namespace qv::ui
