#include "ui/colour/hue_slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/guard.h"
#include "ui/colour/colour_math.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

HueSlider::HueSlider(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HueSlider::SetFraction(float fraction) {
    fraction_ = std::clamp(fraction, 0.0f, 1.0f);
    update();
}

void HueSlider::paintEvent(QPaintEvent*) {
    const int w = width(), h = height();
    PixelBuffer strip;
    if (!QV_CHECK_T("bmp!=NULL", strip.Allocate(w, h))) return;
    for (int x = 0; x < w; ++x) {
        const uint32_t colour = StripColour(x, w);
        for (int y = 0; y < h; ++y) strip.at(x, y) = colour;
    }
    const int marker = MarkerPosition(fraction_, w);
    if (marker >= 0 && marker < w) {
        for (int y = 0; y < h; ++y) strip.at(marker, y) = RGB_MAKE(255, 255, 255);
    }
    skin::Draw3dEdge(strip, skin::kEdgeDark, skin::kEdgeLight);
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(strip));
}

void HueSlider::Follow(int x) {
    fraction_ = PointerFraction(x, width());
    repaint();
    emit Changed(fraction_);
}

void HueSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    Follow(event->position().toPoint().x());
}

void HueSlider::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) Follow(event->position().toPoint().x());
}

void HueSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = false;
}

}  // namespace qv::ui
