#pragma once

#include <QPoint>
#include <QWidget>

#include "ui/skin.h"

namespace qv::ui {

// A skinned control with the three flags the editor drives: enabled, hovered and blinking.
// Hovering is polled by the owner's timer through MoTimer, never taken from enter or leave
// events, so a highlight can also blink while the cursor is elsewhere.
class HoverControl : public QWidget {
    Q_OBJECT
public:
    explicit HoverControl(QWidget* parent = nullptr);

    // The control's own enabled flag: a disabled control ignores the mouse but still shows its
    // tooltip, as the skinned buttons always have.
    bool enabledFlag() const { return enabled_; }
    void SetEnabledFlag(bool on);

    bool hovered() const { return hovered_; }
    bool blinking() const { return blinking_; }
    void SetBlinking(bool on);

    // One tick of the hover timer with the cursor at `global` (screen coordinates).
    void MoTimer(const QPoint& global);

protected:
    // The look the flags ask for; `pressed` wins over hovered.
    skin::Look CurrentLook(bool pressed) const;

    bool enabled_ = true;
    bool hovered_ = false;
    bool blinking_ = false;
    int blink_ = 0;
};

}  // namespace qv::ui
