#pragma once

#include <QWidget>
#include <string>

#include "render/pixel_buffer.h"

namespace qv::ui {

// The Image object bar's picture of the current shape, drawn like a library thumbnail. A click
// asks for the shape library.
class ShapeSel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSide = 64;

    explicit ShapeSel(QWidget* parent = nullptr);

    // Shows shape `glyph` of face `face`; an empty face shows nothing.
    void SetShape(const std::string& face, int glyph);
    const PixelBuffer& picture() const { return picture_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PixelBuffer picture_;
};

}  // namespace qv::ui
