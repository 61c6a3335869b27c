#include "ui/colour/grad_preview.h"

#include <QPainter>
#include <vector>

#include "app/guard.h"
#include "render/effects.h"
#include "render/gradient.h"
#include "ui/pixels.h"

namespace qv::ui {

PixelBuffer GradientPicture(const ObjStyle& lt, int width, int height) {
    PixelBuffer b;
    if (width <= 0 || height <= 0 || !b.Allocate(width, height)) return b;
    b.FillCheckerboard(kPreviewChessA, kPreviewChessB);
    // Full coverage everywhere: the gradient is seen as it fills an object of this size.
    const std::vector<uint8_t> coverage(size_t(width) * size_t(height), 255);
    const RasterPlacement placement{coverage.data(), nullptr, width, height, 0, 0};
    DrawGradient(lt, placement, b.data(), width, height);
    return b;
}

GradPreview::GradPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradPreview::SetStyle(const ObjStyle& lt) {
    lt_ = lt;
    stale_ = true;
    update();
}

bool GradPreview::RenderPicture() {
    if (!stale_ && picture_.width() == width() && picture_.height() == height()) return true;
    picture_ = GradientPicture(lt_, width(), height());
    stale_ = picture_.empty();
    return !picture_.empty();
}

void GradPreview::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    if (!QV_CHECK_T("bmp!=NULL", RenderPicture())) return;
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(picture_));
}

}  // namespace qv::ui
