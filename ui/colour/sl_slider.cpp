#include "ui/colour/sl_slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/guard.h"
#include "ui/colour/colour_math.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {
namespace {

constexpr int kMarkerRadius = 4;

}  // namespace

SLSlider::SLSlider(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SLSlider::SetHue(float hue) {
    hue_ = hue;
    update();
}

void SLSlider::SetPosition(float saturation_fraction, float lightness_fraction) {
    fs_ = std::clamp(saturation_fraction, 0.0f, 1.0f);
    fl_ = std::clamp(lightness_fraction, 0.0f, 1.0f);
    update();
}

bool SLSlider::RenderField() {
    const int w = width(), h = height();
    if (!field_.empty() && field_.width() == w && field_.height() == h && field_hue_ == hue_) {
        return true;
    }
    if (!field_.Allocate(w, h)) return false;
    // Every pixel evaluated exactly: a few tens of thousands of conversions are quick enough.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) field_.at(x, y) = FieldColour(hue_, x, y, w, h);
    }
    skin::Draw3dEdge(field_, skin::kEdgeDark, skin::kEdgeLight);
    field_hue_ = hue_;
    return true;
}

void SLSlider::paintEvent(QPaintEvent*) {
    if (!QV_CHECK_T("bmp!=NULL", RenderField())) return;
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(field_));
    // A white ring; a dark rim keeps it visible on the white bottom rows.
    const QPointF centre(MarkerPosition(fs_, width()) + 0.5, MarkerPosition(fl_, height()) + 0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 110), 3.0));
    painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
}

void SLSlider::Follow(const QPoint& p) {
    fs_ = PointerFraction(p.x(), width());
    fl_ = PointerFraction(p.y(), height());
    repaint();
    emit Changed(fs_, fl_);
}

void SLSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    Follow(event->position().toPoint());
}

void SLSlider::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_) Follow(event->position().toPoint());
}

void SLSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = false;
}

}  // namespace qv::ui
