#include "ui/brand_button.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "document/role_faces.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

BrandButton::BrandButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    art_.SetText(kWordMark, role::kBrandFace, 24);
}

void BrandButton::paintEvent(QPaintEvent*) {
    // At the screen's pixel ratio, so that the word mark is sharp on a high-density screen.
    const double ratio = std::max(1.0, devicePixelRatioF());
    PixelBuffer face;
    if (!face.Allocate(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)))) return;
    face.Fill(skin::kWindow);
    art_.SetScale(float(ratio));
    art_.DrawRightAligned(face, int(std::lround(2 * ratio)), {skin::kFrame, skin::kHighlight});
    QImage image = BufferView(face);
    image.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image);
}

}  // namespace qv::ui
