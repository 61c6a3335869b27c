#include "ui/library/shape_sel.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/guard.h"
#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/ft_text.h"
#include "ui/pixels.h"
#include "ui/skin.h"

namespace qv::ui {

ShapeSel::ShapeSel(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSide, kSide);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click to choose another shape"));
}

void ShapeSel::SetShape(const std::string& face, int glyph) {
    picture_ = PixelBuffer();
    const Hls back = RgbToHls(230.0f, 230.0f, 230.0f);
    if (!face.empty()) {
        // The plain thumbnail look: dark grey on light grey, two pixels inside the frame.
        ObjStyle lt;
        lt.font = face;
        lt.glyph = glyph;
        lt.size = lt.width = kSide - 2;
        lt.color = Hls{0, 0, 100};
        FtText ft;
        if (QV_CHECK_T("ft.Render(lt,2,1)", ft.Render(lt, 2, 1) == 0))
            picture_ = ft.BltToDC(lt, kSide, kSide, 0, back, true);
    }
    if (picture_.empty() && picture_.Allocate(kSide, kSide)) picture_.Fill(RGB_MAKE(230, 230, 230));
    if (!picture_.empty())
        skin::Draw3dEdge(picture_, RGB_MAKE(128, 128, 128), RGB_MAKE(255, 255, 255));
    update();
}

void ShapeSel::paintEvent(QPaintEvent*) {
    if (picture_.empty()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(picture_));
}

void ShapeSel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked();
}

}  // namespace qv::ui
