#include "ui/canvas_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "app/guard.h"
#include "render/style_bounds.h"
#include "ui/editor_host.h"
#include "ui/object_preview.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {
namespace {

constexpr QRgb kGuideColour = qRgb(230, 0, 140);

}  // namespace

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
    // The four strips and the logo cover every pixel: no erasing, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (syncing_bars_) return;
            ScrollTo(hbar_->value(), vbar_->value());
        });
    }
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
    bg_device_ = QImage();
}

double CanvasView::pixelRatio() const {
    if (ratio_override_ > 0) return ratio_override_;
    return std::max(1.0, devicePixelRatioF());
}

CanvasMapping CanvasView::mapping() const {
    CanvasMapping m = mapping_;
    m.width = width();
    m.height = height();
    return m;
}

bool CanvasView::Plain() const {
    return mapping_.zoom == 1.0 && pixelRatio() == 1.0 && mapping_.scroll_x == 0 &&
           mapping_.scroll_y == 0;
}

QSize CanvasView::LogoArea() const {
    if (!le_) return {0, 0};
    return {std::max(le_->ob.dw, 0), std::max(le_->ob.dh, 0)};
}

QRect CanvasView::ClientBox(int left, int top, int w, int h) const {
    const CanvasMapping m = mapping();
    const IntPoint a = ClientPointOf(m, left, top);
    const IntPoint b = ClientPointOf(m, double(left) + w, double(top) + h);
    return QRect(QPoint(a.x, a.y), QPoint(b.x, b.y));
}

void CanvasView::paintEvent(QPaintEvent*) {
    const int w = width(), h = height();
    if (!le_ || bg_.empty() || bg_.width() != w || bg_.height() != h) return;
    const LogoBuffers& ob = le_->ob;
    if (!(w > ob.dw && h > ob.dh)) return;
    QPainter painter(this);
    if (!Plain()) {
        const double ratio = pixelRatio();
        if (ratio == 1.0) {
            painter.drawImage(QPoint(0, 0), bg_image_);
        } else {
            // Enlarged once per size, not on every paint.
            const QSize device(int(std::lround(w * ratio)), int(std::lround(h * ratio)));
            if (bg_device_.size() != device) {
                bg_device_ = bg_image_.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                bg_device_.setDevicePixelRatio(ratio);
            }
            painter.drawImage(QPointF(0, 0), bg_device_);
        }
        const QRect logo = ClientBox(-ob.dw / 2, -ob.dh / 2, ob.dw, ob.dh);
        if (!PaintZoomed(painter, logo)) {
            if (!ob.dta.empty() && ob.dta.width() == ob.dw && ob.dta.height() == ob.dh) {
                painter.drawImage(logo, BufferView(ob.dta));
            } else {
                painter.fillRect(logo, Qt::white);
            }
        }
        if (le_->fixed == 0 && ob.dw > 0 && ob.dh > 0) {
            painter.setPen(QColor::fromRgb(skin::kFrame));
            painter.drawRect(logo.adjusted(0, 0, -1, -1));
        }
        PaintOverlays(painter);
        return;
    }
    const int x1 = w / 2 - ob.dw / 2, y1 = h / 2 - ob.dh / 2;
    const int x2 = x1 + ob.dw, y2 = y1 + ob.dh;
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
    PaintOverlays(painter);
}

bool CanvasView::PaintZoomed(QPainter& painter, const QRect&) {
    const double ratio = pixelRatio();
    const float scale = static_cast<float>(mapping_.zoom * ratio);
    const QSize area = LogoArea();
    const int zw = ZoomComposer::ScaledSide(area.width(), scale);
    const int zh = ZoomComposer::ScaledSide(area.height(), scale);
    // The logo centre in device pixels, and the logo area's corner from it.
    const long long left =
        std::llround((width() / 2 - mapping_.scroll_x) * ratio) - zw / 2;
    const long long top =
        std::llround((height() / 2 - mapping_.scroll_y) * ratio) - zh / 2;
    const long long dev_w = std::llround(std::ceil(width() * ratio));
    const long long dev_h = std::llround(std::ceil(height() * ratio));
    const long long vx = std::max(0LL, -left), vy = std::max(0LL, -top);
    const long long vw = std::min<long long>(zw, dev_w - left) - vx;
    const long long vh = std::min<long long>(zh, dev_h - top) - vy;
    if (vw <= 0 || vh <= 0) return true;  // the logo is scrolled out of sight
    if (!composer_.Compose(*le_, scale, area.width(), area.height(), int(vx), int(vy), int(vw),
                           int(vh), zoomed_)) {
        return false;
    }
    QImage image = BufferView(zoomed_);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(double(left + vx) / ratio, double(top + vy) / ratio), image);
    return true;
}

ZoomComposer* CanvasView::ComposerAt(float scale) {
    if (Plain() || static_cast<float>(mapping_.zoom * pixelRatio()) != scale) return nullptr;
    return &composer_;
}

QImage CanvasView::ShownLogo() {
    if (!le_) return {};
    if (Plain()) return BufferImage(le_->ob.dta);
    const double ratio = pixelRatio();
    const float scale = static_cast<float>(mapping_.zoom * ratio);
    const QSize area = LogoArea();
    PixelBuffer out;
    if (!composer_.Compose(*le_, scale, area.width(), area.height(), 0, 0,
                           ZoomComposer::ScaledSide(area.width(), scale),
                           ZoomComposer::ScaledSide(area.height(), scale), out)) {
        return {};
    }
    return BufferImage(out);
}

void CanvasView::PaintOverlays(QPainter& painter) {
    if (!le_) return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The current object's box: dark dashes on white, seen on any background.
    if (le_->cur >= 0 && le_->cur < le_->objs && le_->obj[le_->cur]) {
        const LogoObj& o = *le_->obj[le_->cur];
        const int ow = BoundedExtent(o.w), oh = BoundedExtent(o.h);
        const QRect box = ClientBox(BoundedPosition(o.x) - ow / 2, BoundedPosition(o.y) - oh / 2,
                                    ow, oh);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(box);
        QPen dash(QColor(40, 60, 80), 1, Qt::CustomDashLine);
        dash.setDashPattern({4, 4});
        painter.setPen(dash);
        painter.drawRect(box);
    }
    if (dragging_) {
        painter.setPen(QPen(QColor(kGuideColour), 1));
        const CanvasMapping m = mapping();
        if (guide_x_) {
            const int x = ClientPointOf(m, *guide_x_, 0).x;
            painter.drawLine(x, 0, x, height() - 1);
        }
        if (guide_y_) {
            const int y = ClientPointOf(m, 0, *guide_y_).y;
            painter.drawLine(0, y, width() - 1, y);
        }
    }
}

QPoint CanvasView::LogoPoint(const QPoint& client) const {
    const IntPoint p = LogoPointAt(mapping(), client.x(), client.y());
    return {p.x, p.y};
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
    emit Changed();
}

void CanvasView::SetZoom(double zoom, QPoint about) {
    const double old = mapping_.zoom;
    const QSize area = LogoArea();
    mapping_ = ClampScroll(ZoomAbout(mapping(), zoom, about.x(), about.y()), area.width(),
                           area.height());
    // Back at 100 % the logo buffer is shown itself; the zoomed rasters can go.
    if (mapping_.zoom == 1.0 && pixelRatio() == 1.0) composer_.Clear();
    UpdateScrollBars();
    update();
    if (mapping_.zoom != old) emit ZoomChanged(mapping_.zoom);
}

void CanvasView::ZoomIn() {
    SetZoom(StepZoom(mapping_.zoom, +1));
}

void CanvasView::ZoomOut() {
    SetZoom(StepZoom(mapping_.zoom, -1));
}

void CanvasView::ZoomToFit() {
    if (!le_ || le_->objs <= 0) {
        SetZoom(1.0);
        return;
    }
    long long x0 = LLONG_MAX, y0 = LLONG_MAX, x1 = LLONG_MIN, y1 = LLONG_MIN;
    for (int n = 0; n < le_->objs; ++n) {
        const LogoObj* o = le_->obj[n].get();
        if (!o) continue;
        const int w = BoundedExtent(o->w), h = BoundedExtent(o->h);
        const long long left = BoundedPosition(o->x) - w / 2, top = BoundedPosition(o->y) - h / 2;
        x0 = std::min(x0, left);
        y0 = std::min(y0, top);
        x1 = std::max(x1, left + w);
        y1 = std::max(y1, top + h);
    }
    if (x0 > x1 || y0 > y1) return;
    const double z = FitZoom(int(x1 - x0), int(y1 - y0), width(), height());
    const double old = mapping_.zoom;
    mapping_.zoom = z;
    mapping_.scroll_x = static_cast<int>(std::lround((x0 + x1) / 2.0 * z));
    mapping_.scroll_y = static_cast<int>(std::lround((y0 + y1) / 2.0 * z));
    const QSize area = LogoArea();
    mapping_ = ClampScroll(mapping(), area.width(), area.height());
    UpdateScrollBars();
    update();
    if (z != old) emit ZoomChanged(z);
}

void CanvasView::ScrollTo(int x, int y) {
    mapping_.scroll_x = x;
    mapping_.scroll_y = y;
    const QSize area = LogoArea();
    mapping_ = ClampScroll(mapping(), area.width(), area.height());
    UpdateScrollBars();
    update();
}

void CanvasView::UpdateScrollBars() {
    const QSize area = LogoArea();
    const IntPoint limit = ScrollLimit(mapping(), area.width(), area.height());
    syncing_bars_ = true;
    const int thick = hbar_->sizeHint().height();
    hbar_->setGeometry(0, height() - thick, std::max(width() - thick, 0), thick);
    vbar_->setGeometry(width() - thick, 0, thick, std::max(height() - thick, 0));
    hbar_->setRange(-limit.x, limit.x);
    vbar_->setRange(-limit.y, limit.y);
    hbar_->setPageStep(std::max(width(), 1));
    vbar_->setPageStep(std::max(height(), 1));
    hbar_->setSingleStep(20);
    vbar_->setSingleStep(20);
    hbar_->setValue(mapping_.scroll_x);
    vbar_->setValue(mapping_.scroll_y);
    hbar_->setVisible(limit.x > 0);
    vbar_->setVisible(limit.y > 0);
    syncing_bars_ = false;
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize area = LogoArea();
    mapping_ = ClampScroll(mapping(), area.width(), area.height());
    UpdateScrollBars();
}

void CanvasView::StartColourPick(std::function<void(QRgb)> picked) {
    pick_ = std::move(picked);
    if (pick_) {
        setCursor(Qt::CrossCursor);
    } else {
        unsetCursor();
    }
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (!le_ || dragging_ || panning_) return;
    if (pick_ && event->button() == Qt::LeftButton) {
        // What the user sees there: the logo as composed (at any zoom), or the background.
        const QPoint at = event->position().toPoint();
        const QImage shown = grab(QRect(at, QSize(1, 1))).toImage();
        auto picked = std::move(pick_);
        StartColourPick({});
        if (!shown.isNull()) picked(shown.pixel(0, 0));
        return;
    }
    if (event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && space_held_)) {
        panning_ = true;
        pan_start_ = event->position().toPoint();
        pan_scroll_ = QPoint(mapping_.scroll_x, mapping_.scroll_y);
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
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
    if (panning_) {
        const QPoint d = event->position().toPoint() - pan_start_;
        ScrollTo(pan_scroll_.x() - d.x(), pan_scroll_.y() - d.y());
        return;
    }
    if (!dragging_ || !le_) return;
    if (!QV_CHECK_T("pox!=NULL&&poy!=NULL", pox_ != nullptr && poy_ != nullptr)) return;
    const QPoint m = LogoPoint(event->position().toPoint());
    int x = m.x() - grab_x_, y = m.y() - grab_y_;
    guide_x_.reset();
    guide_y_.reset();
    if (!(event->modifiers() & Qt::AltModifier) && drag_index_ >= 0 && drag_index_ < le_->objs &&
        le_->obj[drag_index_]) {
        const LogoObj& moving = *le_->obj[drag_index_];
        std::vector<SnapBox> others;
        for (int n = 0; n < le_->objs; ++n) {
            const LogoObj* o = le_->obj[n].get();
            if (!o || n == drag_index_) continue;
            others.push_back({BoundedPosition(o->x), BoundedPosition(o->y), BoundedExtent(o->w),
                              BoundedExtent(o->h)});
        }
        const SnapResult snap =
            Snap({x, y, BoundedExtent(moving.w), BoundedExtent(moving.h)}, others,
                 SnapReach(mapping_.zoom));
        x = snap.x;
        y = snap.y;
        guide_x_ = snap.guide_x;
        guide_y_ = snap.guide_y;
    }
    *pox_ = x;
    *poy_ = y;
    Recompose(width() - OUT_WND_MRG, height() - OUT_WND_MRG);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_) {
        if (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton) {
            panning_ = false;
            if (space_held_) {
                setCursor(Qt::OpenHandCursor);
            } else {
                unsetCursor();
            }
        }
        return;
    }
    if (event->button() != Qt::LeftButton || !dragging_ || !le_) return;
    const int w = width() - OUT_WND_MRG, h = height() - OUT_WND_MRG;
    if (pox_ && poy_) {
        // The centre stays inside the logo area, so nothing can be lost off the edge.
        const IntPoint held = ClampToLogoArea(*pox_, *poy_, w, h);
        *pox_ = held.x;
        *poy_ = held.y;
    }
    guide_x_.reset();
    guide_y_.reset();
    if (!bar_mode_ && mw_) {
        mw_->TrackStep();
        mw_->UpdateEditMenu();
    }
    Recompose(w, h);
    // The keyboard stays on the canvas, for the arrow keys and Tab.
    if (mw_) mw_->UpdateLibSel(false);
    dragging_ = false;
    drag_index_ = -1;
    pox_ = poy_ = nullptr;
    update();
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0) {
            SetZoom(StepZoom(mapping_.zoom, delta.y() > 0 ? +1 : -1),
                    event->position().toPoint());
        }
        event->accept();
        return;
    }
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const int step = -(sideways ? (delta.x() != 0 ? delta.x() : delta.y()) : delta.y()) / 2;
    if (sideways) {
        ScrollTo(mapping_.scroll_x + step, mapping_.scroll_y);
    } else {
        ScrollTo(mapping_.scroll_x - delta.x() / 2, mapping_.scroll_y + step);
    }
    event->accept();
}

bool CanvasView::event(QEvent* e) {
    // Tab and Shift+Tab go through the objects rather than leaving the canvas.
    if (e->type() == QEvent::KeyPress && le_ && !bar_mode_) {
        auto* key = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Tab && mods == Qt::NoModifier) {
            emit StepRequested(false);
            return true;
        }
        if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
            emit StepRequested(true);
            return true;
        }
    }
    return QWidget::event(e);
}

void CanvasView::keyPressEvent(QKeyEvent* event) {
    if (!le_ || bar_mode_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Space && mods == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            space_held_ = true;
            if (!panning_) setCursor(Qt::OpenHandCursor);
        }
        return;
    }
    const int step = mods == Qt::ShiftModifier ? 10 : mods == Qt::NoModifier ? 1 : 0;
    if (step != 0) {
        switch (event->key()) {
            case Qt::Key_Left:
                emit NudgeRequested(-step, 0);
                return;
            case Qt::Key_Right:
                emit NudgeRequested(step, 0);
                return;
            case Qt::Key_Up:
                emit NudgeRequested(0, -step);
                return;
            case Qt::Key_Down:
                emit NudgeRequested(0, step);
                return;
            default:
                break;
        }
    }
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
        mods == Qt::NoModifier) {
        emit RemoveRequested();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        emit TypedOn(event);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CanvasView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        space_held_ = false;
        if (!panning_) unsetCursor();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

}  // namespace qv::ui
