#include "ui/library/style_btn.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/guard.h"
#include "document/colour_model.h"
#include "persist/style_library.h"
#include "render/ft_text.h"
#include "ui/pixels.h"

namespace qv::ui {
namespace {

constexpr int kHoverLift = 50;

void Lighten(Hls& c) {
    c.l = std::min(c.l + float(kHoverLift), 240.0f);
}

}  // namespace

StyleBtn::StyleBtn(int n, float hue_offset, QWidget* parent)
    : HoverControl(parent), n_(n), hue_(hue_offset) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StyleBtn::SetStyle(const ObjStyle& page_style) {
    lt_style_ = ShiftStyleHues(page_style, hue_);
    update();
}

void StyleBtn::SetSelected(bool on) {
    if (selected_ == on) return;
    selected_ = on;
    repaint();
}

PixelBuffer StyleBtn::Picture(double ratio) const {
    ObjStyle lt;
    lt.font = "Starburst Regular";
    lt.glyph = 19;
    lt.size = lt.width = 24;
    lt.CopyLook(lt_style_);
    if (hovered_ && !selected_ && enabled_) {
        for (Hls* c :
             {&lt.color, &lt.outline_color, &lt.shadow_color, &lt.grad_color1, &lt.grad_color2})
            Lighten(*c);
    }
    const Hls back = selected_ && enabled_ ? RgbToHls(220, 230, 240) : RgbToHls(236, 236, 241);
    FtText ft;
    ft.scale = float(ratio);
    QV_CHECK_T("ft.Render(lt,0,1)", ft.Render(lt, 0, 1) == 0);
    return ft.BltToBitmap(lt, std::max(int(std::lround(width() * ratio)), 1),
                          std::max(int(std::lround(height() * ratio)), 1), back);
}

void StyleBtn::paintEvent(QPaintEvent*) {
    // At the screen's pixel ratio: sharp on a high-density screen.
    const double ratio = std::max(1.0, devicePixelRatioF());
    const PixelBuffer picture = Picture(ratio);
    QPainter painter(this);
    if (picture.empty()) {
        painter.fillRect(rect(), QColor::fromRgb(skin::kWindow));
        return;
    }
    QImage image = BufferView(picture);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), image);
}

void StyleBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) return;
    emit Pressed(n_);
}

StyleRow::StyleRow(QWidget* parent) : QWidget(parent) {}

void StyleRow::Rebuild(const std::vector<QRect>& places, const std::vector<float>& hue_offsets) {
    for (StyleBtn* b : buttons_) delete b;
    buttons_.clear();
    for (size_t i = 0; i < places.size(); ++i) {
        auto* b = new StyleBtn(int(i), i < hue_offsets.size() ? hue_offsets[i] : 0.0f, this);
        b->setGeometry(places[i]);
        b->SetEnabledFlag(enabled_);
        connect(b, &StyleBtn::Pressed, this, &StyleRow::Pressed);
        b->show();
        buttons_.push_back(b);
    }
}

void StyleRow::SetEnabledFlag(bool on) {
    enabled_ = on;
    for (StyleBtn* b : buttons_) b->SetEnabledFlag(on);
}

}  // namespace qv::ui
