#include "ui/hover_control.h"

namespace qv::ui {

HoverControl::HoverControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HoverControl::SetEnabledFlag(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    repaint();
}

void HoverControl::SetBlinking(bool on) {
    blinking_ = on;
    blink_ = 0;
}

void HoverControl::MoTimer(const QPoint& global) {
    const bool inside = isVisible() && rect().contains(mapFromGlobal(global));
    bool hovered = inside;
    if (blinking_ && !inside) {
        // Off for eleven ticks, on for ten.
        if (++blink_ >= 21) blink_ = 0;
        hovered = blink_ > 10;
    }
    if (hovered == hovered_) return;
    hovered_ = hovered;
    if (enabled_) repaint();
}

skin::Look HoverControl::CurrentLook(bool pressed) const {
    if (!enabled_) return skin::Look::kDisabled;
    if (pressed) return skin::Look::kPressed;
    return hovered_ ? skin::Look::kHover : skin::Look::kNormal;
}

}  // namespace qv::ui
