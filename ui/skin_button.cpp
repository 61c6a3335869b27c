#include "ui/skin_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "document/role_faces.h"
#include "ui/pixels.h"

namespace qv::ui {
namespace {

constexpr int kCaptionSize = 11;
constexpr int kGlyphSize = 16;

}  // namespace

SkinButton::SkinButton(const QString& text, QWidget* parent) : HoverControl(parent) {
    SetText(text);
}

void SkinButton::SetText(const QString& text) {
    text_ = text;
    if (!has_glyph_) art_.SetText(text.toStdString(), role::kCaptionFace, kCaptionSize);
    update();
}

void SkinButton::SetGlyph(int glyph, bool mirrored) {
    has_glyph_ = true;
    art_.SetGlyph(role::kArrowFace, glyph, kGlyphSize, mirrored);
    update();
}

void SkinButton::Release() {
    if (!pressed_) return;
    pressed_ = false;
    repaint();
}

void SkinButton::paintEvent(QPaintEvent*) {
    const skin::Look look =
        passive_ ? (enabled_ ? skin::Look::kNormal : skin::Look::kDisabled) : CurrentLook(pressed_);
    // At the screen's pixel ratio: on a high-density screen the caption is rendered sharp.
    const double ratio = std::max(1.0, devicePixelRatioF());
    const int w = int(std::lround(width() * ratio)), h = int(std::lround(height() * ratio));
    art_.SetScale(float(ratio));
    art_.SetMaxWidth(w - int(std::lround(8 * ratio)));
    PixelBuffer face = skin::ButtonFace(w, h, look);
    art_.DrawCentred(face, skin::CaptionColoursFor(look));
    QImage image = BufferView(face);
    image.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image);
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_ || passive_) return;
    pressed_ = true;
    repaint();
    emit Pressed(event->position().toPoint());
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Release();
}

// A quick second click is another press, not a double-click that does nothing.
void SkinButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

}  // namespace qv::ui
