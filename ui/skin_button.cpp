#include "ui/skin_button.h"

#include <QMouseEvent>
#include <QPainter>

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
    art_.SetMaxWidth(width() - 8);
    PixelBuffer face = skin::ButtonFace(width(), height(), look);
    art_.DrawCentred(face, skin::CaptionColoursFor(look));
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(face));
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
