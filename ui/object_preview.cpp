#include "ui/object_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/guard.h"
#include "ui/canvas_view.h"
#include "ui/editor_host.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

ObjectPreview::ObjectPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::SizeHorCursor);
}

QImage ObjectPreview::ShownPreview() {
    if (!le_) return {};
    const LogoBuffers& ob = le_->ob;
    if (ob.cdta.empty()) return {};
    const double ratio = ratio_override_ > 0 ? ratio_override_ : std::max(1.0, devicePixelRatioF());
    if (ratio == 1.0) return BufferView(ob.cdta);
    // On a high-density screen the object is rendered again at the ratio: sharp, not doubled.
    const int w = int(std::lround(ob.cdw * ratio)), h = int(std::lround(ob.cdh * ratio));
    if ((sharp_.empty() || sharp_.width() != w || sharp_.height() != h) && !sharp_.Allocate(w, h))
        return BufferView(ob.cdta);
    const int square = int(std::lround(8 * ratio));
    for (int y = 0; y < h; ++y) {
        uint32_t* row = sharp_.data() + size_t(y) * size_t(w);
        const bool odd_row = (y / square) % 2 != 0;
        for (int x0 = 0; x0 < w; x0 += square) {
            const bool first = ((x0 / square) % 2 != 0) == odd_row;
            std::fill(row + x0, row + std::min(w, x0 + square), first ? kPreviewChessA : kPreviewChessB);
        }
    }
    if (le_->cur >= 0 && le_->cur < le_->objs && le_->obj[le_->cur]) {
        // The canvas at 100 % on the same screen has just rendered this object at this scale.
        ZoomComposer* shared = canvas_ ? canvas_->ComposerAt(float(ratio)) : nullptr;
        const bool drawn =
            shared ? shared->ComposeObject(*le_->obj[le_->cur], le_->cur, float(ratio), sharp_)
                   : composer_.ComposeObject(*le_->obj[le_->cur], 0, float(ratio), sharp_);
        if (!drawn) return BufferView(ob.cdta);
    }
    QImage image = BufferView(sharp_);
    image.setDevicePixelRatio(ratio);
    return image;
}

void ObjectPreview::paintEvent(QPaintEvent*) {
    if (!le_) return;
    const LogoBuffers& ob = le_->ob;
    if (width() != ob.cdw || height() != ob.cdh || ob.cdta.empty()) return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), ShownPreview());
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
