#include "ui/bars/imopt_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/guard.h"
#include "document/bar_mappings.h"
#include "document/logo_obj.h"
#include "render/ft_text.h"
#include "ui/bars/image_bar.h"
#include "ui/colour/color_btn.h"
#include "ui/library/shape_index.h"
#include "ui/library/shape_sel.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

Imopt::Imopt(MainWindow* mw) : BarDialog(mw, QStringLiteral("Image Object: New Object")) {
    grid()->addWidget(new QLabel(QStringLiteral("Current Object Shape:"), this), 0, 0, 1, 3);
    preview_ = new ShapeSel(this);
    grid()->addWidget(preview_, 1, 0);
    select_ = new QPushButton(QStringLiteral("Select Shape From Library..."), this);
    select_->setObjectName(QStringLiteral("select_shape"));
    select_->setAutoDefault(false);
    grid()->addWidget(select_, 1, 1, 1, 2);
    shape_label_ = new QLabel(this);
    grid()->addWidget(shape_label_, 2, 0, 1, 3);

    constrain_ = AddCheck(3, QStringLiteral("Constrain Object Proportions"));
    width_ = AddValue(4, QStringLiteral("Width"), 1, 999, 10, 500);
    height_ = AddValue(5, QStringLiteral("Height"), 1, 999, 10, 500);
    rotation_ = AddValue(6, QStringLiteral("Rotation Angle"), 0, 360, 0, 360);
    colour_ = AddColour(7, QStringLiteral("Solid Color:"));
    connect(colour_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.color : nullptr; },
                          QStringLiteral("Solid Color"), colour_);
    });
    connect(preview_, &ShapeSel::Clicked, this, &Imopt::SelectShape);
    connect(select_, &QPushButton::clicked, this, &Imopt::SelectShape);
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
    ShowShape();
}

void Imopt::ShowShape() {
    LogoObj* o = obj();
    if (!o || o->type != LogoObj::kShape) {
        preview_->SetShape({}, 0);
        shape_label_->clear();
        return;
    }
    preview_->SetShape(o->lt.font, o->lt.glyph);
    const QString face = QString::fromStdString(o->lt.font);
    const int sn = ShapeIndexOf(*o);
    shape_label_->setText(
        sn >= 0
            ? QStringLiteral("Shape %1 of %2 (%3)").arg(sn + 1).arg(FtText::ShapeCount()).arg(face)
            : QStringLiteral("Glyph %1 of %2, not in the library").arg(o->lt.glyph).arg(face));
}

void Imopt::SelectShape() {
    LogoObj* o = obj();
    if (!ready_ || !o || o->type != LogoObj::kShape) return;
    {
        ImageBar bar(mw_, true);
        bar.move(pos());
        RunOnCopy(bar);
    }
    ShowShape();
    Recompose();
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
