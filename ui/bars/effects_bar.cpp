#include "ui/bars/effects_bar.h"

#include <QCheckBox>

#include "document/logo_obj.h"
#include "ui/colour/color_btn.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

namespace {

void EnableRow(const ValueRow& row, bool on) {
    row.edit->setEnabled(on);
    if (row.slider) row.slider->setEnabled(on);
}

}  // namespace

EffectsBar::EffectsBar(MainWindow* mw)
    : BarDialog(mw, QStringLiteral("Effects Options: Current Object")) {
    strength_ = AddValue(0, QStringLiteral("Effects Strength:"), 0, 10, 0, 10);
    outline_ = AddCheck(1, QStringLiteral("Has Outline:"));
    sharpness_ = AddValue(2, QStringLiteral("Outline Sharpness:"), 0, 100, 0, 100);
    outline_opacity_ = AddValue(3, QStringLiteral("Outline Opacity:"), 0, 100, 0, 100);
    outline_colour_ = AddColour(4, QStringLiteral("Outline Color:"));
    shadow_ = AddCheck(5, QStringLiteral("Has Shadow:"));
    angle_ = AddValue(6, QStringLiteral("Shadow Angle:"), 0, 360, 0, 360);
    distance_ = AddValue(7, QStringLiteral("Shadow Distance:"), 0, 20, 0, 20);
    shadow_opacity_ = AddValue(8, QStringLiteral("Shadow Opacity:"), 0, 100, 0, 100);
    shadow_colour_ = AddColour(9, QStringLiteral("Shadow Color:"));

    connect(outline_colour_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.outline_color : nullptr; },
                          QStringLiteral("Outline Color"), outline_colour_);
    });
    connect(shadow_colour_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.shadow_color : nullptr; },
                          QStringLiteral("Shadow Color"), shadow_colour_);
    });
    Load();
    FinishOpening(QStringLiteral("Effects Options: '"));
}

void EffectsBar::Load() {
    const LogoObj* o = obj();
    if (!o) return;
    const ObjStyle& lt = o->lt;
    LoadValue(strength_, lt.strength, float(lt.strength));
    outline_->setChecked(lt.outline != 0);
    LoadValue(sharpness_, int(lt.outline_sharpness * 100.0f), lt.outline_sharpness * 100.0f);
    LoadValue(outline_opacity_, int(lt.outline_opacity * 100.0f), lt.outline_opacity * 100.0f);
    outline_colour_->SetColour(lt.outline_color);
    shadow_->setChecked(lt.shadow != 0);
    LoadValue(angle_, lt.shadow_angle, float(lt.shadow_angle));
    LoadValue(distance_, lt.shadow_distance, float(lt.shadow_distance));
    LoadValue(shadow_opacity_, int(lt.shadow_opacity * 100.0f), lt.shadow_opacity * 100.0f);
    shadow_colour_->SetColour(lt.shadow_color);
    EnableDependents();
}

void EffectsBar::EnableDependents() {
    const bool outline = outline_->isChecked();
    const bool shadow = shadow_->isChecked();
    EnableRow(strength_, outline || shadow);
    EnableRow(sharpness_, outline);
    EnableRow(outline_opacity_, outline);
    outline_colour_->setEnabled(outline);
    EnableRow(angle_, shadow);
    EnableRow(distance_, shadow);
    EnableRow(shadow_opacity_, shadow);
    shadow_colour_->setEnabled(shadow);
}

void EffectsBar::ReadControls() {
    ObjStyle& lt = obj()->lt;
    lt.outline = outline_->isChecked() ? 1 : 0;
    lt.shadow = shadow_->isChecked() ? 1 : 0;
    lt.strength = strength_.edit->value();
    lt.shadow_angle = angle_.edit->value();
    lt.shadow_distance = distance_.edit->value();
    lt.outline_sharpness = sharpness_.slider->fraction();
    lt.outline_opacity = outline_opacity_.slider->fraction();
    lt.shadow_opacity = shadow_opacity_.slider->fraction();
    EnableDependents();
}

}  // namespace qv::ui
