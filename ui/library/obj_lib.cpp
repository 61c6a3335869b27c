#include "ui/library/obj_lib.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/guard.h"
#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/ft_text.h"
#include "ui/library/shape_names.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {
namespace {

constexpr int kHoverMs = 30;

struct CellColours {
    Hls fill;
    Hls back;
};

Hls Rgb(int r, int g, int b) {
    return RgbToHls(float(r), float(g), float(b));
}

}  // namespace

ObjLib::ObjLib(QWidget* parent, int dxy, int look) : QWidget(parent), dxy_(dxy), look_(look) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kHoverMs);
    connect(&timer_, &QTimer::timeout, this, [this] { HoverTick(QCursor::pos()); });
}

bool ObjLib::UpdatePage(int& itmpp, int& pages, int page, int sn) {
    sel_ = -1;
    const int w = width(), h = height();
    if (w < 60 || h < 60) return false;
    const int previous_itmpp = itmpp_;
    columns_ = (w + dxy_ - 1) / dxy_;
    rows_ = (h + dxy_ - 1) / dxy_;
    itmpp_ = (h / dxy_) * columns_;
    // Search results all get a page, the last one partly filled.
    pages_ = showing_found_ ? std::max(1, (ViewCount() + itmpp_ - 1) / itmpp_) : ViewCount() / itmpp_;
    itmpp = itmpp_;
    pages = pages_;
    // A new size keeps the shapes in view: the page is the one holding the first shape shown.
    if (sn == -1 && page == page_ && previous_itmpp > 0 && previous_itmpp != itmpp_) {
        page = std::min(page_ * previous_itmpp / itmpp_, std::max(pages_ - 1, 0));
    }
    const int view = ViewIndexOf(sn);
    if (view != -1) {
        page = view / itmpp_;
        if (page < pages_) {
            sel_ = view - page * itmpp_;
            QV_CHECK_T("sel>=0&&sel<itmpp", sel_ >= 0 && sel_ < itmpp_);
        } else {
            page = pages_ - 1;
        }
    }
    // With fewer shapes than one page there are no pages; the first one is still shown.
    if (pages_ > 0) QV_CHECK_T("page<pages", page < pages_);
    page_ = std::clamp(page, 0, std::max(pages_ - 1, 0));
    RenderThumbnails();
    update();
    return true;
}

void ObjLib::ShowFound(const std::vector<int>& shapes) {
    showing_found_ = true;
    found_ = shapes;
    page_ = 0;
    int itmpp = 0, pages = 0;
    if (!UpdatePage(itmpp, pages, 0)) RenderThumbnails();
    update();
}

void ObjLib::ShowAll(int page) {
    showing_found_ = false;
    found_.clear();
    page_ = -1;  // not the page shown before: no size change to follow
    int itmpp = 0, pages = 0;
    UpdatePage(itmpp, pages, page);
}

int ObjLib::ViewIndexOf(int sn) const {
    if (sn < 0) return -1;
    if (!showing_found_) return sn;
    const auto at = std::find(found_.begin(), found_.end(), sn);
    return at == found_.end() ? -1 : int(at - found_.begin());
}

int ObjLib::ViewCount() const {
    return showing_found_ ? int(found_.size()) : FtText::ShapeCount();
}

int ObjLib::ShowShape(int sn) {
    const int view = ViewIndexOf(sn);
    if (view < 0 || itmpp_ <= 0 || pages_ <= 0) return showing_found_ && itmpp_ > 0 ? page_ : -1;
    const int page = view / itmpp_;
    // A shape beyond the last page leaves the grid on the last page, without a selection.
    const int shown = std::min(page, pages_ - 1);
    if (shown != page_) {
        int a = 0, b = 0;
        QV_CHECK_T("UpdatePage(a,b,_page)", UpdatePage(a, b, shown, sn));
    } else {
        const int sel = page < pages_ ? view - page * itmpp_ : -1;
        if (sel == sel_) return page_;
        sel_ = sel;
        update();
    }
    return page_;
}

int ObjLib::ShapeAt(int ni) const {
    if (ni < 0) return -1;
    const int p = page_ * itmpp_ + ni;
    if (showing_found_) return p < int(found_.size()) ? found_[size_t(p)] : -1;
    return p < FtText::ShapeCount() ? p : 0;
}

int ObjLib::CellAt(const QPoint& pos) const {
    if (!rect().contains(pos) || columns_ <= 0) return -1;
    const int column = pos.x() / dxy_, row = pos.y() / dxy_;
    if (column >= columns_ || row >= rows_) return -1;
    return row * columns_ + column;
}

const PixelBuffer& ObjLib::Thumbnail(int ni, bool highlighted) const {
    const std::vector<PixelBuffer>& set = highlighted ? bmp1_ : bmp2_;
    return ni >= 0 && size_t(ni) < set.size() ? set[size_t(ni)] : empty_;
}

void ObjLib::SetEnabledFlag(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    update();
}

void ObjLib::HoverTick(const QPoint& global) {
    const int cell = CellAt(mapFromGlobal(global));
    if (cell == hover_) return;
    hover_ = cell;
    update();
}

double ObjLib::pixelRatio() const {
    return ratio_override_ > 0 ? ratio_override_ : std::max(1.0, devicePixelRatioF());
}

int ObjLib::Device(int v) const { return int(std::lround(v * thumb_ratio_)); }

void ObjLib::RenderThumbnails() {
    // At the screen's pixel ratio, so that a high-density screen shows sharp shapes.
    thumb_ratio_ = pixelRatio();
    bmp1_.clear();
    bmp2_.clear();
    const int shapes = FtText::ShapeCount();
    if (shapes <= 0) return;
    const bool editor = look_ == kEditorLook;
    const CellColours high = editor ? CellColours{Rgb(134, 180, 202), Rgb(220, 230, 240)}
                                    : CellColours{Rgb(0, 0, 0), Rgb(255, 255, 255)};
    const CellColours normal = editor ? CellColours{Rgb(63, 108, 126), Rgb(236, 236, 241)}
                                      : CellColours{Hls{0, 0, 100}, Rgb(230, 230, 230)};
    const int cells = rows_ * columns_;
    bmp1_.reserve(size_t(cells));
    bmp2_.reserve(size_t(cells));
    FtText ft;
    std::string label;
    for (int ni = 0; ni < cells; ++ni) {
        const int shape = ShapeAt(ni);
        if (shape < 0) {  // past the last search result
            bmp1_.emplace_back();
            bmp2_.emplace_back();
            continue;
        }
        ObjStyle lt;
        FtText::GetSym(shape, lt.font, label, lt.glyph);
        lt.size = lt.width = Device(dxy_ - 2);
        QV_CHECK_T("ft.Render(lt,2,1)", ft.Render(lt, 2, 1) == 0);
        const int side = Device(dxy_);
        lt.color = high.fill;
        bmp1_.push_back(ft.BltToBitmap(lt, side, side, high.back));
        lt.color = normal.fill;
        bmp2_.push_back(ft.BltToBitmap(lt, side, side, normal.back));
    }
}

PixelBuffer ObjLib::Compose() const {
    PixelBuffer out;
    const int w = Device(width()), h = Device(height()), d = Device(dxy_);
    if (!out.Allocate(std::max(w, 1), std::max(h, 1))) return out;
    const bool editor = look_ == kEditorLook;
    out.Fill(editor ? skin::kPale : RGB_MAKE(255, 255, 255));
    for (int ni = 0; ni < rows_ * columns_; ++ni) {
        const PixelBuffer& pic = Thumbnail(ni, ni == hover_ || ni == sel_);
        if (pic.empty()) continue;
        const int x0 = (ni % columns_) * d, y0 = (ni / columns_) * d;
        const int cw = std::min(pic.width(), w - x0), ch = std::min(pic.height(), h - y0);
        for (int y = 0; y < ch; ++y)
            std::copy_n(pic.data() + size_t(y) * size_t(pic.width()), cw, &out.at(x0, y0 + y));
    }
    const uint32_t line = editor ? skin::kHighlight : RGB_MAKE(200, 200, 200);
    for (int c = 1; c < columns_; ++c) {
        if (c * d >= w) break;
        for (int y = 0; y < h; y += 2) out.at(c * d, y) = line;
    }
    for (int r = 1; r < rows_; ++r) {
        if (r * d >= h) break;
        for (int x = 0; x < w; x += 2) out.at(x, r * d) = line;
    }
    if (sel_ >= 0 && columns_ > 0) {
        // One pixel wider and taller than the cell, so it covers the grid line beyond it.
        const int x0 = (sel_ % columns_) * d, y0 = (sel_ / columns_) * d;
        const int x1 = std::min(x0 + d, w - 1), y1 = std::min(y0 + d, h - 1);
        for (int x = x0; x <= x1; ++x) out.at(x, y0) = out.at(x, y1) = line;
        for (int y = y0; y <= y1; ++y) out.at(x0, y) = out.at(x1, y) = line;
    }
    if (editor) {
        skin::Draw3dEdge(out, skin::kEdgeDark, skin::kEdgeLight);
    } else {
        skin::Draw3dEdge(out, RGB_MAKE(128, 128, 128), RGB_MAKE(255, 255, 255));
    }
    return out;
}

bool ObjLib::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ShapeToolTip(ShapeAt(CellAt(help->pos())));
        if (!tip.isEmpty()) {
            QToolTip::showText(help->globalPos(), tip, this);
            return true;
        }
    }
    return QWidget::event(event);
}

void ObjLib::paintEvent(QPaintEvent*) {
    if (pixelRatio() != thumb_ratio_) RenderThumbnails();  // moved to another screen
    const PixelBuffer picture = Compose();
    QPainter painter(this);
    QImage image = BufferView(picture);
    image.setDevicePixelRatio(thumb_ratio_);
    QV_CHECK_T("dc.BitBlt(0,0,w,h,&mdc,0,0,SRCCOPY)",
               (painter.drawImage(QPointF(0, 0), image), true));
    if (!timer_.isActive()) timer_.start();
}

void ObjLib::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) return;
    sel_ = CellAt(event->position().toPoint());
    repaint();
    emit Clicked(sel_);
}

}  // namespace qv::ui
