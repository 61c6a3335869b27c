#pragma once

#include <QPointer>
#include <string>

#include "ui/hover_control.h"
#include "ui/spin_edit.h"

class QLineEdit;

namespace qv::ui {

// The track ends this many pixels inside either side, so that the thumb always fits.
inline constexpr int kSliderInset = 5;

// The fraction 0..1 under client column x of a slider `width` pixels wide.
float SliderPointerFraction(int x, int width);

// What the linked edit shows at fraction f: the whole number trunc((max - min) * f + min), or in
// aspect-ratio form the ratio with one decimal, 0.5 at the left end, 1.0 in the middle and 2.0 at
// the right end.
std::string SliderEditText(float fraction, int min, int max, bool aspect);

// The fraction a slider moves to when its spin steps from `position` by `step`: the new position
// held to the slider's own range.
float SliderSpinFraction(int position, int step, int min, int max);

// The owner-drawn horizontal slider of the option bars. The position follows the mouse only
// while the button is held; a click alone leaves it where it is.
class Slider : public HoverControl {
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);

    void SetRange(int min, int max);
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    // Setting the position never touches the linked edit: a bar that opens shows the record's
    // own value there, which may lie outside the slider's range.
    float fraction() const { return fraction_; }
    void SetFraction(float fraction);
    // The value at its place on the range, clamped to it.
    void SetValue(float value);
    // The aspect ratio at its place: 1.0 in the middle.
    void SetAspect(float aspect);

    // The whole number or ratio the position stands for.
    int value() const;
    float aspect() const;

    void SetAspectMode(bool on) { aspect_mode_ = on; }
    bool aspectMode() const { return aspect_mode_; }

    // The edit that is rewritten on every move; null for none.
    void SetLinkedEdit(QLineEdit* edit);
    void SetLinkedEdit(SpinEdit* edit);
    QString EditText() const;

    // A spin of the same value stepped from `position` by `step`: the slider follows at once;
    // the spin then changes its edit as usual.
    void SpinStep(int position, int step);

    bool pressed() const { return pressed_; }

    QSize sizeHint() const override;

signals:
    // A live change by the mouse: the linked edit has been rewritten already.
    void Changed(float fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void WriteEdit();

    float fraction_ = 0.0f;
    int min_ = 0;
    int max_ = 100;
    bool aspect_mode_ = false;
    bool pressed_ = false;
    QPointer<QLineEdit> line_edit_;
    QPointer<SpinEdit> spin_edit_;
};

// An edit with arrows whose steps move its slider along, as the bars pair them.
class SliderSpinEdit : public SpinEdit {
    Q_OBJECT
public:
    SliderSpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);

    void SetSlider(Slider* slider) { slider_ = slider; }
    void stepBy(int steps) override;

private:
    QPointer<Slider> slider_;
};

}  // namespace qv::ui
