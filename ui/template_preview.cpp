#include "ui/template_preview.h"

#include <QMouseEvent>
#include <QPainter>

#include "document/colour_model.h"
#include "persist/template_library.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

TemplatePreview::TemplatePreview(QWidget* parent) : HoverControl(parent) {
    setCursor(Qt::PointingHandCursor);
}

void TemplatePreview::SetTemplate(int index) {
    const TemplateLibrary& library = TemplateLibrary::Instance();
    index_ = index >= 0 && index < library.count() ? index : -1;
    normal_.Free();
    lighter_.Free();
    if (index_ >= 0) {
        const LogoTemplate& t = library.at(index_);
        background_ = HlsToPacked(t.lf.bgc);
        normal_ = ImageToBuffer(t.xia);
        lighter_ = ImageToBuffer(t.xib);
        setToolTip(QString::fromStdString(t.title));
    }
    update();
}

void TemplatePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(skin::kWindow));
    if (index_ < 0) return;
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    painter.fillRect(inner, QColor::fromRgb(background_));
    const PixelBuffer& picture = hovered_ && !lighter_.empty() ? lighter_ : normal_;
    if (!picture.empty()) {
        const QImage image = BufferView(picture);
        painter.drawImage(inner.center() - QPoint(image.width() / 2 - 1, image.height() / 2 - 1),
                          image);
    }
    painter.setPen(
        QPen(QColor::fromRgb(hovered_ ? skin::kFrame : skin::kEdgeDark), hovered_ ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    if (hovered_) {
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    } else {
        painter.drawRect(inner.adjusted(-1, -1, 0, 0));
    }
}

void TemplatePreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && index_ >= 0 &&
        rect().contains(event->position().toPoint())) {
        emit Chosen(index_);
    }
}

}  // namespace qv::ui
