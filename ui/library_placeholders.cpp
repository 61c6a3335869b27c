#include "ui/library_placeholders.h"

#include <QPainter>
#include <algorithm>

#include "app/guard.h"
#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/ft_text.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

LibraryGridPlaceholder::LibraryGridPlaceholder(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool LibraryGridPlaceholder::UpdatePage(int& itmpp, int& pages, int page, int sn) {
    sel_ = -1;
    const int w = width(), h = height();
    if (w < 60 || h < 60) return false;
    const int columns = (w + kCell - 1) / kCell;
    itmpp_ = (h / kCell) * columns;
    pages_ = itmpp_ > 0 ? FtText::ShapeCount() / itmpp_ : 0;
    itmpp = itmpp_;
    pages = pages_;
    if (sn != -1 && itmpp_ > 0) {
        page = sn / itmpp_;
        if (page < pages_) {
            sel_ = sn - page * itmpp_;
            QV_CHECK_T("sel>=0&&sel<itmpp", sel_ >= 0 && sel_ < itmpp_);
        } else {
            page = pages_ - 1;
        }
    }
    page_ = std::max(page, 0);
    stale_ = true;
    update();
    return true;
}

int LibraryGridPlaceholder::ShowShape(int sn) {
    if (sn < 0 || itmpp_ <= 0 || pages_ <= 0) return -1;
    int page = sn / itmpp_;
    int sel = -1;
    if (page < pages_) {
        sel = sn - page * itmpp_;
    } else {
        page = pages_ - 1;
    }
    if (page != page_) {
        page_ = page;
        stale_ = true;
    }
    if (sel != sel_ || stale_) {
        sel_ = sel;
        update();
    }
    return page_;
}

void LibraryGridPlaceholder::SetEnabledFlag(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    update();
}

void LibraryGridPlaceholder::RenderThumbnails() {
    stale_ = false;
    fonts_seen_ = FtText::FontCount();
    const int w = width(), h = height();
    if (!picture_.Allocate(std::max(w, 1), std::max(h, 1))) return;
    picture_.Fill(skin::kPale);
    const int columns = (w + kCell - 1) / kCell;
    const int rows = (h + kCell - 1) / kCell;
    const int shapes = FtText::ShapeCount();
    const Hls normal_bg = RgbToHls(236, 236, 241);
    FtText ft;
    for (int ni = 0; ni < rows * columns && shapes > 0; ++ni) {
        const int column = ni % columns, row = ni / columns;
        int p = page_ * itmpp_ + ni;
        if (p >= shapes) p = 0;
        ObjStyle lt;
        std::string label;
        FtText::GetSym(p, lt.font, label, lt.glyph);
        lt.size = lt.width = kCell - 2;
        lt.color = RgbToHls(63, 108, 126);
        QV_CHECK_T("ft.Render(lt,2,1)", ft.Render(lt, 2, 1) == 0);
        const PixelBuffer cell = ft.BltToBitmap(lt, kCell, kCell, normal_bg);
        if (cell.empty()) continue;
        for (int y = 0; y < kCell; ++y) {
            const int py = row * kCell + y;
            if (py >= h) break;
            for (int x = 0; x < kCell; ++x) {
                const int px = column * kCell + x;
                if (px >= w) break;
                picture_.at(px, py) = cell.at(x, y);
            }
        }
    }
    // Dotted lines between the cells.
    for (int c = 1; c < columns; ++c) {
        for (int y = 0; y < h; y += 2) picture_.at(c * kCell, y) = skin::kHighlight;
    }
    for (int r = 1; r < rows; ++r) {
        for (int x = 0; x < w; x += 2) picture_.at(x, r * kCell) = skin::kHighlight;
    }
    skin::Draw3dEdge(picture_, skin::kEdgeDark, skin::kEdgeLight);
}

void LibraryGridPlaceholder::paintEvent(QPaintEvent*) {
    if (stale_ || fonts_seen_ != FtText::FontCount() || picture_.width() != width() ||
        picture_.height() != height()) {
        RenderThumbnails();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(picture_));
    const int columns = (width() + kCell - 1) / kCell;
    if (sel_ >= 0 && columns > 0) {
        painter.setPen(QColor::fromRgb(skin::kFrame));
        painter.drawRect((sel_ % columns) * kCell, (sel_ / columns) * kCell, kCell, kCell);
    }
}

StyleRowPlaceholder::StyleRowPlaceholder(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StyleRowPlaceholder::SetButtons(std::vector<QRect> buttons, std::vector<float> hue_offsets) {
    buttons_ = std::move(buttons);
    hues_ = std::move(hue_offsets);
    update();
}

void StyleRowPlaceholder::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(skin::kWindow));
}

}  // namespace qv::ui
