#include "ui/bars/gradient_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "document/logo_obj.h"
#include "ui/colour/color_btn.h"
#include "ui/colour/grad_preview.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

GradientBar::GradientBar(MainWindow* mw)
    : BarDialog(mw, QStringLiteral("Gradient Options: Current Object")) {
    overlay_ = AddCheck(0, QStringLiteral("Gradient Overlay"));
    colour1_ = AddColour(1, QStringLiteral("Gradient Color #1:"));
    opacity1_ = AddValue(2, QStringLiteral("Opacity:"), 0, 100, 0, 100);
    colour2_ = AddColour(3, QStringLiteral("Gradient Color #2:"));
    opacity2_ = AddValue(4, QStringLiteral("Opacity:"), 0, 100, 0, 100);
    angle_ = AddValue(5, QStringLiteral("Gradient Angle:"), 0, 360, 0, 360);
    grid()->addWidget(new QLabel(QStringLiteral("Preview:"), this), 6, 0);
    preview_ = new GradPreview(this);
    preview_->setMinimumSize(120, 40);
    grid()->addWidget(preview_, 6, 1, 1, 2);

    connect(colour1_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.grad_color1 : nullptr; },
                          QStringLiteral("Gradient Color #1"), colour1_);
        if (obj()) preview_->SetStyle(obj()->lt);
    });
    connect(colour2_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.grad_color2 : nullptr; },
                          QStringLiteral("Gradient Color #2"), colour2_);
        if (obj()) preview_->SetStyle(obj()->lt);
    });
    Load();
    FinishOpening(QStringLiteral("Gradient Options: '"));
}

void GradientBar::Load() {
    const LogoObj* o = obj();
    if (!o) return;
    const ObjStyle& lt = o->lt;
    overlay_->setChecked(lt.grad != 0);
    colour1_->SetColour(lt.grad_color1);
    LoadValue(opacity1_, int(lt.grad_opacity1 * 100.0f), lt.grad_opacity1 * 100.0f);
    colour2_->SetColour(lt.grad_color2);
    LoadValue(opacity2_, int(lt.grad_opacity2 * 100.0f), lt.grad_opacity2 * 100.0f);
    LoadValue(angle_, lt.grad_angle, float(lt.grad_angle));
    preview_->SetStyle(lt);
    EnableDependents();
}

void GradientBar::EnableDependents() {
    const bool on = overlay_->isChecked();
    for (const ValueRow& row : {opacity1_, opacity2_, angle_}) {
        row.edit->setEnabled(on);
        row.slider->setEnabled(on);
    }
    colour1_->setEnabled(on);
    colour2_->setEnabled(on);
}

void GradientBar::ReadControls() {
    ObjStyle& lt = obj()->lt;
    lt.grad = overlay_->isChecked() ? 1 : 0;
    lt.grad_opacity1 = opacity1_.slider->fraction();
    lt.grad_opacity2 = opacity2_.slider->fraction();
    lt.grad_angle = angle_.edit->value();
    preview_->SetStyle(lt);
    EnableDependents();
}

}  // namespace qv::ui
