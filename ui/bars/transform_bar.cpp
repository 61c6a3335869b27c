#include "ui/bars/transform_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>

#include "document/logo_obj.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

TransformBar::TransformBar(MainWindow* mw)
    : BarDialog(mw, QStringLiteral("Transform Text Object:")) {
    transform_ = AddCheck(0, QStringLiteral("Transform Object:"));
    rotation_ = AddValue(1, QStringLiteral("Rotation Angle:"), 0, 360, 0, 360);
    bend_ = AddCheck(2, QStringLiteral("Bend Object:"));
    radius_ = AddValue(3, QStringLiteral("Bend Radius:"), 0, 100, 0, 100);
    inside_ = new QRadioButton(QStringLiteral("Bend Inside"), this);
    outside_ = new QRadioButton(QStringLiteral("Bend Outside"), this);
    grid()->addWidget(inside_, 4, 1);
    grid()->addWidget(outside_, 4, 2);
    connect(inside_, &QRadioButton::toggled, this, [this] { OnControls(); });
    Load();
    FinishOpening(QStringLiteral("Transform Text Object: '"));
}

void TransformBar::Load() {
    const LogoObj* o = obj();
    if (!o) return;
    const ObjStyle& lt = o->lt;
    transform_->setChecked(lt.transform != 0);
    LoadValue(rotation_, int(lt.rotation * 360.0f), lt.rotation * 360.0f);
    bend_->setChecked(lt.bend_on != 0);
    LoadValue(radius_, int(lt.bend * 100.0f), lt.bend * 100.0f);
    inside_->setChecked(lt.bend_inside != 0);
    outside_->setChecked(lt.bend_inside == 0);
    EnableDependents();
}

void TransformBar::EnableDependents() {
    const bool on = transform_->isChecked();
    const bool bend = on && bend_->isChecked();
    rotation_.edit->setEnabled(on);
    rotation_.slider->setEnabled(on);
    bend_->setEnabled(on);
    radius_.edit->setEnabled(bend);
    radius_.slider->setEnabled(bend);
    inside_->setEnabled(bend);
    outside_->setEnabled(bend);
}

void TransformBar::ReadControls() {
    ObjStyle& lt = obj()->lt;
    lt.transform = transform_->isChecked() ? 1 : 0;
    lt.rotation = rotation_.slider->fraction();
    lt.bend_on = bend_->isChecked() ? 1 : 0;
    lt.bend = radius_.slider->fraction();
    lt.bend_inside = inside_->isChecked() ? 1 : 0;
    EnableDependents();
}

}  // namespace qv::ui
