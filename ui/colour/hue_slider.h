#pragma once

#include <QWidget>

namespace qv::ui {

// The strip of all hues. Pressing and dragging across it sets its position; the hue it stands
// for is HueFromStrip(fraction()).
class HueSlider : public QWidget {
    Q_OBJECT
public:
    explicit HueSlider(QWidget* parent = nullptr);

    float fraction() const { return fraction_; }
    // Moves the marker without telling anyone, as when the colour comes from elsewhere.
    void SetFraction(float fraction);

    QSize sizeHint() const override { return {200, 16}; }

signals:
    // The user moved the strip to `fraction`.
    void Changed(float fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Follow(int x);

    float fraction_ = 0.0f;
    bool pressed_ = false;
};

}  // namespace qv::ui
