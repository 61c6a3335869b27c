#include "ui/colour/hl_picker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/guard.h"
#include "ui/colour/colour_math.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

QCursor PaletteCursor() {
    // Drawn here rather than shipped: a pipette lying from the bottom-left tip up to the bulb.
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(1.5, 22.5);
    p.rotate(-45.0);
    QPainterPath tube;
    tube.moveTo(0, 0);
    tube.lineTo(4, -2);
    tube.lineTo(17, -2);
    tube.lineTo(17, 2);
    tube.lineTo(4, 2);
    tube.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(tube);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(17, -4, 3, 8), 1, 1);
    p.drawRoundedRect(QRectF(20, -3, 7, 6), 3, 3);
    p.end();
    return QCursor(pixmap, 1, 22);
}

HLPicker::HLPicker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QCursor cursor = PaletteCursor();
    if (QV_CHECK_T("m_hCursor!=NULL", !cursor.pixmap().isNull())) setCursor(cursor);
}

bool HLPicker::RenderCells() {
    const int w = width(), h = height();
    if (!cells_.empty() && cells_.width() == w && cells_.height() == h) return true;
    if (!cells_.Allocate(w, h)) return false;
    cells_.Fill(skin::kWindow);
    for (int r = 0; r < kPaletteRows; ++r) {
        for (int c = 0; c < kPaletteColumns; ++c) {
            const CellRect cell = PaletteCellRect(c, r, w, h);
            const uint32_t colour = HlsToPacked(PaletteCellColour(c, r));
            for (int y = std::max(cell.top, 0); y < std::min(cell.bottom, h); ++y) {
                for (int x = std::max(cell.left, 0); x < std::min(cell.right, w); ++x) {
                    cells_.at(x, y) = colour;
                }
            }
        }
    }
    skin::Draw3dEdge(cells_, skin::kEdgeDark, skin::kEdgeLight);
    return true;
}

void HLPicker::paintEvent(QPaintEvent*) {
    if (!QV_CHECK_T("bmp!=NULL", RenderCells())) return;
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(cells_));
}

void HLPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    int column = 0, row = 0;
    if (!PaletteHit(p.x(), p.y(), width(), height(), column, row)) return;
    picked_ = PaletteCellColour(column, row);
    emit Picked(picked_);
}

}  // namespace qv::ui
