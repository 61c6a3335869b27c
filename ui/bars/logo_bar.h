#pragma once

#include "document/colour_shift.h"
#include "ui/bars/bar_dialog.h"

class QCheckBox;
class QPushButton;

namespace qv::ui {

// The Logo options bar: the colour shift of the whole logo (or of the current object), centring
// the objects and the canvas size.
class LogoBar : public BarDialog {
    Q_OBJECT
public:
    explicit LogoBar(MainWindow* mw);

    ValueRow hue() const { return hue_; }
    ValueRow saturation() const { return sat_; }
    ValueRow lightness() const { return light_; }
    QCheckBox* currentOnly() const { return current_only_; }
    QCheckBox* background() const { return background_; }
    QPushButton* centre() const { return centre_; }
    QCheckBox* fixed() const { return fixed_; }
    ValueRow canvasWidth() const { return width_; }
    ValueRow canvasHeight() const { return height_; }
    const ColourShift& shift() const { return shift_; }

protected:
    void ReadControls() override;

private:
    void Load();
    void RebuildShift();

    ValueRow hue_;
    ValueRow sat_;
    ValueRow light_;
    QCheckBox* current_only_ = nullptr;
    QCheckBox* background_ = nullptr;
    QPushButton* centre_ = nullptr;
    QCheckBox* fixed_ = nullptr;
    ValueRow width_;
    ValueRow height_;
    ColourShift shift_;
};

}  // namespace qv::ui
