#include "ui/page_slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/guard.h"
#include "ui/pixels.h"
#include "ui/skin.h"
#include "ui/skin_button.h"

namespace qv::ui {

PageSlider::PageSlider(int kind, QWidget* parent) : HoverControl(parent), kind_(kind) {}

void PageSlider::SetPages(int pages, int page) {
    pages_ = std::max(pages, 0);
    page_ = std::clamp(page, 0, std::max(pages_ - 1, 0));
    update();
    UpdateCaption();
}

QString PageSlider::CaptionText() const {
    return QStringLiteral("%1 Library: page #%2 of %3")
        .arg(kind_ == kObjects ? QStringLiteral("Objects") : QStringLiteral("Styles"))
        .arg(page_ + 1)
        .arg(pages_);
}

void PageSlider::UpdateCaption() {
    if (caption_) caption_->SetText(CaptionText());
}

void PageSlider::Step(int step) {
    if (!enabled_) return;
    const int page = page_ + step;
    if (page < 0 || page >= pages_) return;
    page_ = page;
    UpdateCaption();
    QV_CHECK_T("PageChanged()", (PageChanged(), true));
    repaint();
}

void PageSlider::PageChanged() {
    // With no pages at all (an empty style library) there is nothing to show, and the check
    // below would only report that.
    if (pages_ == 0) return;
    if (!QV_CHECK_T("page<pages", page_ < pages_)) return;
    emit PageSelected(kind_, page_);
}

void PageSlider::paintEvent(QPaintEvent*) {
    const PixelBuffer face =
        skin::SliderFace(width(), height(), page_, pages_, CurrentLook(pressed_));
    QPainter painter(this);
    painter.drawImage(0, 0, BufferView(face));
}

void PageSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    repaint();
}

void PageSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !enabled_ || width() <= 0) return;
    const int x = std::clamp(event->position().toPoint().x(), 0, width() - 1);
    const int page = x * pages_ / width();
    if (page == page_) return;
    page_ = page;
    repaint();
    UpdateCaption();
}

void PageSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (enabled_) QV_CHECK_T("PageChanged()", (PageChanged(), true));
    repaint();
}

ArrowButton::ArrowButton(int step, PageSlider* slider, QWidget* parent)
    : HoverControl(parent), step_(step), slider_(slider) {}

void ArrowButton::paintEvent(QPaintEvent*) {
    const PixelBuffer face =
        skin::ArrowFace(std::min(width(), height()), step_ > 0, CurrentLook(pressed_));
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(skin::kWindow));
    painter.drawImage(0, 0, BufferView(face));
}

void ArrowButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    repaint();
    if (enabled_ && slider_) slider_->Step(step_);
}

void ArrowButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (enabled_ && slider_) slider_->Step(step_);
}

void ArrowButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = false;
    repaint();
}

}  // namespace qv::ui
