#pragma once

#include <QWidget>

#include "document/obj_style.h"
#include "render/pixel_buffer.h"

namespace qv::ui {

// The Gradient bar's preview: the object's gradient over the whole control, drawn by the same
// code that fills the logo, on the transparency chequerboard.
class GradPreview : public QWidget {
    Q_OBJECT
public:
    explicit GradPreview(QWidget* parent = nullptr);

    // Takes the gradient of `lt` (colours, opacities, angle) and repaints.
    void SetStyle(const ObjStyle& lt);
    const ObjStyle& style() const { return lt_; }

    // The picture as painted; empty before the first paint at this size.
    const PixelBuffer& picture() const { return picture_; }

    QSize sizeHint() const override { return {120, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Kept between paints: the dither is random, so drawing it anew on every expose would make
    // the preview shimmer.
    bool RenderPicture();

    ObjStyle lt_;
    PixelBuffer picture_;
    bool stale_ = true;
};

// The gradient of `lt` across a width x height picture on the preview chequerboard.
PixelBuffer GradientPicture(const ObjStyle& lt, int width, int height);

}  // namespace qv::ui
