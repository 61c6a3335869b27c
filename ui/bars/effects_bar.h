#pragma once

#include "ui/bars/bar_dialog.h"

class QCheckBox;

namespace qv::ui {

// The Effects bar: strength, outline and shadow of the current object.
class EffectsBar : public BarDialog {
    Q_OBJECT
public:
    explicit EffectsBar(MainWindow* mw);

    ValueRow strength() const { return strength_; }
    QCheckBox* hasOutline() const { return outline_; }
    ValueRow outlineSharpness() const { return sharpness_; }
    ValueRow outlineOpacity() const { return outline_opacity_; }
    ColorBtn* outlineColour() const { return outline_colour_; }
    QCheckBox* hasShadow() const { return shadow_; }
    ValueRow shadowAngle() const { return angle_; }
    ValueRow shadowDistance() const { return distance_; }
    ValueRow shadowOpacity() const { return shadow_opacity_; }
    ColorBtn* shadowColour() const { return shadow_colour_; }

protected:
    void ReadControls() override;

private:
    void Load();
    void EnableDependents();

    ValueRow strength_;
    QCheckBox* outline_ = nullptr;
    ValueRow sharpness_;
    ValueRow outline_opacity_;
    ColorBtn* outline_colour_ = nullptr;
    QCheckBox* shadow_ = nullptr;
    ValueRow angle_;
    ValueRow distance_;
    ValueRow shadow_opacity_;
    ColorBtn* shadow_colour_ = nullptr;
};

}  // namespace qv::ui
