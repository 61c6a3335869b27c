#pragma once

#include <QWidget>
#include <cstdint>

#include "document/colour_model.h"

namespace qv::ui {

// A swatch of one colour in a button frame. It can also serve as a colour button: a press and
// release over it sends Clicked.
class ColorBtn : public QWidget {
    Q_OBJECT
public:
    explicit ColorBtn(QWidget* parent = nullptr);

    // The colour as the logo draws it.
    void SetColour(const Hls& colour);
    void SetRgb(uint32_t packed);
    uint32_t rgb() const { return rgb_; }

    QSize sizeHint() const override { return {48, 40}; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    uint32_t rgb_ = 0;
    bool pressed_ = false;
};

}  // namespace qv::ui
