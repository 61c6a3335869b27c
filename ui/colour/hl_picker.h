#pragma once

#include <QCursor>
#include <QWidget>

#include "document/colour_model.h"
#include "render/pixel_buffer.h"

namespace qv::ui {

// The preset palette: 17 x 13 cells, a grey ramp on top and twelve hue rows below it. A press on
// a cell picks its colour.
class HLPicker : public QWidget {
    Q_OBJECT
public:
    explicit HLPicker(QWidget* parent = nullptr);

    // The colour of the last cell picked; black before any.
    const Hls& picked() const { return picked_; }

    QSize sizeHint() const override { return {206, 132}; }

signals:
    void Picked(const qv::Hls& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool RenderCells();

    Hls picked_;
    PixelBuffer cells_;
};

// The pipette shown over the palette.
QCursor PaletteCursor();

}  // namespace qv::ui
