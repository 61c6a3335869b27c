#include "ui/object_preview.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/guard.h"
#include "ui/editor_host.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

ObjectPreview::ObjectPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::SizeHorCursor);
}

void ObjectPreview::paintEvent(QPaintEvent*) {
    if (!le_) return;
    const LogoBuffers& ob = le_->ob;
    if (width() != ob.cdw || height() != ob.cdh || ob.cdta.empty()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(ob.cdta));
    const int w = width(), h = height();
    painter.setPen(QColor::fromRgb(skin::kEdgeDark));
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(QColor::fromRgb(skin::kEdgeLight));
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
}

void ObjectPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !le_ || le_->GetCount() <= 0 || dragging_) return;
    if (!QV_CHECK_T("cur!=-1", le_->cur >= 0 && le_->cur < le_->objs)) return;
    LogoObj& o = *le_->obj[le_->cur];
    dragging_ = true;
    size_ = &o.lt.size;
    width_ = &o.lt.width;
    start_size_ = o.lt.size;
    start_width_ = o.lt.width;
    start_x_ = event->position().toPoint().x();
}

void ObjectPreview::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !size_ || !width_) return;
    const int column = event->position().toPoint().x();
    const int wp = width();
    if (column <= 0 || column >= wp) return;
    const float r = float(start_x_ - column) / float(wp);
    const auto scaled = [r](int start) {
        return r < 0 ? int(float(start) / (1.0f - r)) : int(float(start) * (1.0f + r));
    };
    const int size = scaled(start_size_), shape_width = scaled(start_width_);
    if (size > kMinSize && size < kMaxSize) *size_ = size;
    if (shape_width > kMinSize && shape_width < kMaxSize) *width_ = shape_width;
    if (mw_) mw_->UpdateOutWnd();
}

void ObjectPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    size_ = width_ = nullptr;
    if (!bar_mode_ && mw_) {
        mw_->TrackStep();
        mw_->UpdateEditMenu();
    }
}

}  // namespace qv::ui
