#pragma once

#include <QWidget>

#include "render/pixel_buffer.h"

namespace qv::ui {

// The saturation/lightness field at one hue: saturation across, lightness down. Pressing and
// dragging in it sets its two fractions.
class SLSlider : public QWidget {
    Q_OBJECT
public:
    explicit SLSlider(QWidget* parent = nullptr);

    float hue() const { return hue_; }
    // Repaints the field for another hue.
    void SetHue(float hue);

    float saturationFraction() const { return fs_; }
    float lightnessFraction() const { return fl_; }
    // Moves the marker without telling anyone.
    void SetPosition(float saturation_fraction, float lightness_fraction);

    QSize sizeHint() const override { return {200, 150}; }

signals:
    // The user moved the marker.
    void Changed(float saturation_fraction, float lightness_fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Follow(const QPoint& p);
    // The colours for the current hue and size, computed again only when either changes.
    bool RenderField();

    float hue_ = 0.0f;
    float fs_ = 0.0f;
    float fl_ = 0.0f;
    bool pressed_ = false;
    PixelBuffer field_;
    float field_hue_ = -1.0f;
};

}  // namespace qv::ui
