#pragma once

#include <vector>

#include "ui/bars/bar_dialog.h"
#include "ui/colour/colour_controls.h"

class QPushButton;

namespace qv::ui {

// The Colors bar: the colour controls over a list of up to six colour targets. Opened
// modeless by EditColor(slot) with the six targets of the current object and the background,
// or run modally from a colour button of another bar with one target.
class ColorBar : public BarDialog {
    Q_OBJECT
public:
    ColorBar(MainWindow* mw, std::vector<ColourTarget> targets, int selected, bool modal_run);

    // The six targets EditColor offers, in slot order.
    static std::vector<ColourTarget> ObjectTargets(MainWindow* mw);

    ColourControls* controls() const { return controls_; }
    // Arms the eyedropper: the next click on the canvas picks the colour.
    QPushButton* eyedropper() const { return eyedropper_; }

protected:
    // The colour controls write their target themselves; nothing else to read.
    void ReadControls() override {}

private:
    ColourControls* controls_ = nullptr;
    QPushButton* eyedropper_ = nullptr;
};

}  // namespace qv::ui
