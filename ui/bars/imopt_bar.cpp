#include "ui/bars/imopt_bar.h"

#include <QCheckBox>

#include "document/bar_mappings.h"
#include "document/logo_obj.h"
#include "ui/colour/color_btn.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

Imopt::Imopt(MainWindow* mw) : BarDialog(mw, QStringLiteral("Image Object: New Object")) {
    constrain_ = AddCheck(0, QStringLiteral("Constrain Object Proportions"));
    width_ = AddValue(1, QStringLiteral("Width"), 1, 999, 10, 500);
    height_ = AddValue(2, QStringLiteral("Height"), 1, 999, 10, 500);
    rotation_ = AddValue(3, QStringLiteral("Rotation Angle"), 0, 360, 0, 360);
    colour_ = AddColour(4, QStringLiteral("Solid Color:"));
    connect(colour_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.color : nullptr; },
                          QStringLiteral("Solid Color"), colour_);
    });
    Load();
    FinishOpening(QString());
}

void Imopt::Load() {
    const LogoObj* o = obj();
    if (!o) return;
    const ObjStyle& lt = o->lt;
    constrain_->setChecked(lt.size == lt.width);
    LoadValue(width_, lt.width, float(lt.width));
    LoadValue(height_, lt.size, float(lt.size));
    LoadValue(rotation_, int(lt.rotation * 360.0f), lt.rotation * 360.0f);
    colour_->SetColour(lt.color);
}

void Imopt::ReadControls() {
    ObjStyle& lt = obj()->lt;
    lt.width = width_.edit->value();
    lt.size = height_.edit->value();
    if (constrain_->isChecked()) {
        lt.size = lt.width;
        // The height row shows what is stored; the bar is not ready while it is rewritten.
        ready_ = false;
        LoadValue(height_, lt.size, float(lt.size));
        ready_ = true;
    }
    const ImageRotation turn = ImageRotationFromSlider(rotation_.slider->fraction());
    lt.rotation = turn.rotation;
    lt.transform = turn.transform;
}

}  // namespace qv::ui
