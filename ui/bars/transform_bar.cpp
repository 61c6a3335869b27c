#include "ui/bars/transform_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/guard.h"
#include "document/logo_obj.h"
#include "render/arc_centre.h"
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
    // The rotation follows the text's run along the circle while this is on.
    centre_ = AddCheck(5, QStringLiteral("Centre on Arc"));
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
    centre_->setChecked(o->centre_on_arc);
    EnableDependents();
}

void TransformBar::EnableDependents() {
    const bool on = transform_->isChecked();
    const bool bend = on && bend_->isChecked();
    const bool centred = bend && centre_->isChecked();
    rotation_.edit->setEnabled(on && !centred);
    rotation_.slider->setEnabled(on && !centred);
    centre_->setEnabled(bend);
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
    obj()->centre_on_arc = centre_->isChecked();
    if (obj()->centre_on_arc && lt.transform != 0 && lt.bend_on != 0) {
        // Shown at once; the refresh keeps it so from now on.
        FtText layout;
        QV_CHECK_T("ft.Layout(lt,0,1)", layout.Layout(lt, 0, 1) == 0);
        if (const std::optional<float> r = CentredArcRotation(layout.layout(), lt.bend_inside != 0)) {
            lt.rotation = *r;
            const QSignalBlocker quiet_edit(rotation_.edit);
            const QSignalBlocker quiet_slider(rotation_.slider);
            LoadValue(rotation_, int(lt.rotation * 360.0f), lt.rotation * 360.0f);
        }
    }
    EnableDependents();
}

}  // namespace qv::ui
