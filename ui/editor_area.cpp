#include "ui/editor_area.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

EditorArea::EditorArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EditorArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgb(skin::kWindow));
}

void EditorArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resized) resized(event->size().width(), event->size().height());
}

DecorStrip::DecorStrip(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DecorStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (kind_ == kRule) {
        painter.fillRect(rect(), QColor::fromRgb(skin::kEdgeDark));
        return;
    }
    const PixelBuffer strip = skin::StripFace(width(), height());
    painter.drawImage(0, 0, BufferView(strip));
}

HintBubble::HintBubble(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void HintBubble::Show(const QString& text, const QPoint& anchor) {
    text_ = text;
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(text_) + 20, metrics.height() + 10);
    QPoint top_left(anchor.x(), anchor.y() - size.height());
    if (parentWidget()) {
        top_left.setX(std::min(top_left.x(), parentWidget()->width() - size.width() - 4));
        top_left.setX(std::max(top_left.x(), 4));
        top_left.setY(std::max(top_left.y(), 4));
    }
    setGeometry(QRect(top_left, size));
    raise();
    show();
    update();
    timer_->start(3500);
}

void HintBubble::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor::fromRgb(skin::kFrame));
    painter.setBrush(QColor(250, 252, 253));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QColor(24, 48, 64));
    painter.drawText(rect(), Qt::AlignCenter, text_);
}

}  // namespace qv::ui
