#include "ui/brand_button.h"

#include <QPainter>

#include "document/role_faces.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

BrandButton::BrandButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    art_.SetText(kWordMark, role::kBrandFace, 24);
}

void BrandButton::paintEvent(QPaintEvent*) {
    PixelBuffer face;
    if (!face.Allocate(width(), height())) return;
    face.Fill(skin::kWindow);
    art_.DrawRightAligned(face, 2, {skin::kFrame, skin::kHighlight});
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(face));
}

}  // namespace qv::ui
