#include "ui/colour/color_btn.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/skin.h"

namespace qv::ui {
namespace {

QColor Colour(uint32_t rgb) {
    return QColor::fromRgb(rgb);
}

}  // namespace

ColorBtn::ColorBtn(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorBtn::SetColour(const Hls& colour) {
    SetRgb(HlsToPacked(colour));
}

void ColorBtn::SetRgb(uint32_t packed) {
    rgb_ = packed & 0x00FFFFFFu;
    update();
}

void ColorBtn::paintEvent(QPaintEvent*) {
    const int w = width(), h = height();
    QPainter painter(this);
    painter.fillRect(rect(), Colour(skin::kWindow));
    if (w < 6 || h < 6) return;
    // A raised frame: outer border, a light inner edge top-left and a shaded one bottom-right,
    // swapped while pressed.
    painter.setPen(Colour(skin::kEdgeDark));
    painter.drawRect(0, 0, w - 1, h - 1);
    const uint32_t light = pressed_ ? skin::kEdgeDark : skin::kEdgeLight;
    const uint32_t shade = pressed_ ? skin::kEdgeLight : skin::kEdgeDark;
    painter.setPen(Colour(light));
    painter.drawLine(1, 1, w - 3, 1);
    painter.drawLine(1, 1, 1, h - 3);
    painter.setPen(Colour(shade));
    painter.drawLine(1, h - 2, w - 2, h - 2);
    painter.drawLine(w - 2, 1, w - 2, h - 2);
    painter.fillRect(3, 3, w - 6, h - 6, Colour(rgb_));
    if (!isEnabled()) {
        // A switched-off colour still shows what is stored, behind a veil of the window colour.
        QColor veil = Colour(skin::kWindow);
        veil.setAlpha(170);
        painter.fillRect(3, 3, w - 6, h - 6, veil);
    }
}

void ColorBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    repaint();
}

void ColorBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    repaint();
    if (rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace qv::ui
