#pragma once

#include "ui/bars/bar_dialog.h"

class QCheckBox;

namespace qv::ui {

class GradPreview;

// The Gradient bar: the two-colour overlay that replaces the solid fill.
class GradientBar : public BarDialog {
    Q_OBJECT
public:
    explicit GradientBar(MainWindow* mw);

    QCheckBox* overlay() const { return overlay_; }
    ColorBtn* colour1() const { return colour1_; }
    ValueRow opacity1() const { return opacity1_; }
    ColorBtn* colour2() const { return colour2_; }
    ValueRow opacity2() const { return opacity2_; }
    ValueRow angle() const { return angle_; }
    GradPreview* preview() const { return preview_; }

protected:
    void ReadControls() override;

private:
    void Load();
    void EnableDependents();

    QCheckBox* overlay_ = nullptr;
    ColorBtn* colour1_ = nullptr;
    ValueRow opacity1_;
    ColorBtn* colour2_ = nullptr;
    ValueRow opacity2_;
    ValueRow angle_;
    GradPreview* preview_ = nullptr;
};

}  // namespace qv::ui
