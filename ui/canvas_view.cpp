#include "ui/canvas_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <random>

#include "app/guard.h"
#include "render/style_bounds.h"
#include "ui/editor_host.h"
#include "ui/object_preview.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
    // The four strips and the logo cover every pixel: no erasing, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void CanvasView::RebuildBackground() {
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    if (!QV_CHECK_T("bmp!=NULL", bg_.Allocate(w, h))) return;
    // Any uniform source will do for the grain; a fixed seed keeps the picture steady.
    std::minstd_rand grain(12345);
    std::uniform_int_distribution<int> noise(0, 32767);
    for (int r = 0; r < h; ++r) {
        const int dr = -67 * r / h, dg = -39 * r / h, db = -17 * r / h;
        uint32_t* row = bg_.data() + size_t(r) * size_t(w);
        for (int x = 0; x < w; ++x) {
            const int n = noise(grain) * 5 / 32767;
            row[x] =
                RGB_MAKE(uint32_t(201 + dr + n), uint32_t(219 + dg + n), uint32_t(219 + db + n));
        }
    }
    skin::Draw3dEdge(bg_, skin::kEdgeDark, skin::kEdgeLight);
    bg_image_ = BufferView(bg_);
}

void CanvasView::paintEvent(QPaintEvent*) {
    const int w = width(), h = height();
    if (!le_ || bg_.empty() || bg_.width() != w || bg_.height() != h) return;
    const LogoBuffers& ob = le_->ob;
    if (!(w > ob.dw && h > ob.dh)) return;
    const int x1 = w / 2 - ob.dw / 2, y1 = h / 2 - ob.dh / 2;
    const int x2 = x1 + ob.dw, y2 = y1 + ob.dh;
    QPainter painter(this);
    const auto strip = [&](int x, int y, int sw, int sh) {
        if (sw > 0 && sh > 0) painter.drawImage(QPoint(x, y), bg_image_, QRect(x, y, sw, sh));
    };
    strip(0, 0, w, y1);
    strip(0, y1, x1, y2 - y1);
    strip(x2, y1, w - x2, y2 - y1);
    strip(0, y2, w, h - y2);
    if (!ob.dta.empty() && ob.dta.width() == ob.dw && ob.dta.height() == ob.dh) {
        painter.drawImage(x1, y1, BufferView(ob.dta));
    } else {
        painter.fillRect(x1, y1, ob.dw, ob.dh, Qt::white);
    }
    if (le_->fixed == 0 && ob.dw > 0 && ob.dh > 0) {
        painter.setPen(QColor::fromRgb(skin::kFrame));
        painter.drawRect(x1, y1, ob.dw - 1, ob.dh - 1);
    }
}

QPoint CanvasView::LogoPoint(const QPoint& client) const {
    return {client.x() - width() / 2, client.y() - height() / 2};
}

int CanvasView::HitTest(const LeFile& lf, int mx, int my) {
    for (int n = lf.objs - 1; n >= 0; --n) {
        const LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        // Where the object is drawn: a damaged file's values are held as drawing holds them.
        const int w = BoundedExtent(o->w), h = BoundedExtent(o->h);
        const int left = BoundedPosition(o->x) - w / 2, top = BoundedPosition(o->y) - h / 2;
        if (mx >= left && mx <= left + w && my >= top && my <= top + h) return n;
    }
    return -1;
}

void CanvasView::Recompose(int w, int h) {
    if (!le_) return;
    QV_CHECK_T("le->Update(rct.Width()-OUT_WND_MRG,rct.Height()-OUT_WND_MRG,-1,-1)",
               le_->Update(w, h, -1, -1) == 0);
    QV_CHECK_T("CButton::RedrawWindow()", (repaint(), true));
    if (ow_) {
        ow_->SetDocument(le_);
        QV_CHECK_T("ow->RedrawWindow(le)", (ow_->repaint(), true));
    }
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !le_ || dragging_) return;
    const QPoint m = LogoPoint(event->position().toPoint());
    const int n = HitTest(*le_, m.x(), m.y());
    if (n >= 0) {
        LogoObj& o = *le_->obj[n];
        grab_x_ = m.x() - BoundedPosition(o.x);
        grab_y_ = m.y() - BoundedPosition(o.y);
        pox_ = &o.x;
        poy_ = &o.y;
        if (!bar_mode_) QV_CHECK_T("le->SetCurObj(n)", le_->SetCurObj(n) == 0);
        dragging_ = true;
        drag_index_ = n;
    }
    Recompose(width() - OUT_WND_MRG, height() - OUT_WND_MRG);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !le_) return;
    if (!QV_CHECK_T("pox!=NULL&&poy!=NULL", pox_ != nullptr && poy_ != nullptr)) return;
    const QPoint m = LogoPoint(event->position().toPoint());
    *pox_ = m.x() - grab_x_;
    *poy_ = m.y() - grab_y_;
    Recompose(width() - OUT_WND_MRG, height() - OUT_WND_MRG);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_ || !le_) return;
    const int w = width() - OUT_WND_MRG, h = height() - OUT_WND_MRG;
    if (pox_ && poy_) {
        // The centre stays inside the logo area, so nothing can be lost off the edge.
        *pox_ = std::clamp(*pox_ + w / 2, 0, std::max(w, 0)) - w / 2;
        *poy_ = std::clamp(*poy_ + h / 2, 0, std::max(h, 0)) - h / 2;
    }
    if (!bar_mode_ && mw_) {
        mw_->TrackStep();
        mw_->UpdateEditMenu();
    }
    Recompose(w, h);
    if (mw_) mw_->UpdateLibSel();
    dragging_ = false;
    drag_index_ = -1;
    pox_ = poy_ = nullptr;
}

}  // namespace qv::ui
