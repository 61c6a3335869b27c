#include "ui/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qv::ui {
namespace {

QPainterPath Star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

void PaintStarBadge(QPainter& p, QPointF centre, double radius) {
    const QPainterPath star = Star(centre, radius, radius * 0.45);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 40, 56, 90));
    p.drawPath(star.translated(radius * 0.06, radius * 0.09));
    QLinearGradient fill(centre - QPointF(0, radius), centre + QPointF(0, radius));
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(214, 236, 246));
    p.setBrush(fill);
    p.drawPath(star);
}

// The rounded tile in the brand's blue, lighter at the top, with no outline.
void PaintTile(QPainter& p, const QRectF& tile, double radius) {
    QLinearGradient back(tile.topLeft(), tile.bottomLeft());
    back.setColorAt(0, QColor(96, 160, 190));
    back.setColorAt(1, QColor(36, 80, 104));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(tile, radius, radius);
}

}  // namespace

QImage PaintAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF tile(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
    PaintTile(p, tile, s * 0.2);
    PaintStarBadge(p, QPointF(s * 0.47, s * 0.54), s * 0.33);
    p.setBrush(QColor(240, 150, 62));
    p.drawEllipse(QPointF(s * 0.76, s * 0.25), s * 0.09, s * 0.09);
    return image;
}

QImage PaintDocumentIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const double l = s * 0.16, r = s * 0.84, t = s * 0.06, b = s * 0.94, fold = s * 0.2;
    QPainterPath page;
    page.moveTo(l, t);
    page.lineTo(r - fold, t);
    page.lineTo(r, t + fold);
    page.lineTo(r, b);
    page.lineTo(l, b);
    page.closeSubpath();
    p.setPen(QPen(QColor(63, 115, 141), std::max(1.0, s / 48)));
    p.setBrush(QColor(250, 252, 253));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r - fold, t);
    corner.lineTo(r - fold, t + fold);
    corner.lineTo(r, t + fold);
    corner.closeSubpath();
    p.setBrush(QColor(200, 220, 230));
    p.drawPath(corner);
    const QRectF tile(s * 0.26, s * 0.36, s * 0.48, s * 0.48);
    PaintTile(p, tile, s * 0.08);
    PaintStarBadge(p, tile.center() + QPointF(0, s * 0.015), s * 0.18);
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(PaintAppIcon(size)));
    return icon;
}

}  // namespace qv::ui
