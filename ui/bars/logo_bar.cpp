#include "ui/bars/logo_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/guard.h"
#include "document/le_file.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

LogoBar::LogoBar(MainWindow* mw) : BarDialog(mw, QStringLiteral("Image Options...")) {
    needs_object_ = false;
    grid()->addWidget(new QLabel(QStringLiteral("Shift Logo Colors:"), this), 0, 0, 1, 3);
    hue_ = AddValue(1, QStringLiteral("Hue"), -100, 100, -100, 100);
    sat_ = AddValue(2, QStringLiteral("Saturation"), -100, 100, -100, 100);
    light_ = AddValue(3, QStringLiteral("Lightness"), -100, 100, -100, 100);
    current_only_ = new QCheckBox(QStringLiteral("Shift Current Object Colors Only"), this);
    background_ = new QCheckBox(QStringLiteral("Shift Background Color"), this);
    grid()->addWidget(current_only_, 4, 0, 1, 3);
    grid()->addWidget(background_, 5, 0, 1, 3);
    centre_ = new QPushButton(QStringLiteral("Center Objects"), this);
    centre_->setAutoDefault(false);
    grid()->addWidget(centre_, 6, 0);
    fixed_ = new QCheckBox(QStringLiteral("Fixed Canvas Size:"), this);
    grid()->addWidget(fixed_, 7, 0, 1, 3);
    width_ = AddValue(8, QStringLiteral("Canvas Width:"), 5, 3000, 0, 0);
    height_ = AddValue(9, QStringLiteral("Canvas Height:"), 5, 3000, 0, 0);

    for (QCheckBox* box : {current_only_, background_}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!ready_) return;
            ColourShift::SetCurrentOnly(current_only_->isChecked());
            ColourShift::SetBackground(background_->isChecked());
            // A shift already made becomes part of the new bases; the sliders stay.
            RebuildShift();
        });
    }
    connect(fixed_, &QCheckBox::toggled, this, [this](bool on) {
        if (!ready_) return;
        QV_CHECK_T("UpdateImage()", doc().SetFixedCanvas(on) == 0);
        Load();
        Recompose();
    });
    connect(centre_, &QPushButton::clicked, this, [this] {
        int bw = 0;
        int bh = 0;
        QV_CHECK_T("le->CenterObjects(bw,bh)", doc().CenterObjects(bw, bh) == 0);
        Recompose();
    });
    Load();
    RebuildShift();
    FinishOpening(QString());
}

void LogoBar::Load() {
    const bool was = ready_;
    ready_ = false;
    LoadValue(hue_, 0, 0.0f);
    LoadValue(sat_, 0, 0.0f);
    LoadValue(light_, 0, 0.0f);
    current_only_->setChecked(ColourShift::CurrentOnly());
    background_->setChecked(ColourShift::Background());
    fixed_->setChecked(doc().fixed != 0);
    // Without a fixed canvas the rows show the logo's present size, which fixing it would keep.
    const bool fixed = doc().fixed != 0;
    const int w = fixed ? doc().cw : std::clamp(doc().ob.dw, 5, 3000);
    const int h = fixed ? doc().ch : std::clamp(doc().ob.dh, 5, 3000);
    LoadValue(width_, w, float(w));
    LoadValue(height_, h, float(h));
    width_.edit->setEnabled(doc().fixed != 0);
    height_.edit->setEnabled(doc().fixed != 0);
    ready_ = was;
}

void LogoBar::RebuildShift() {
    QV_CHECK_T("Build(lf)", shift_.Build(doc()) == 0);
}

void LogoBar::ReadControls() {
    QV_CHECK_T("Apply()",
               shift_.Apply(hue_.edit->value(), sat_.edit->value(), light_.edit->value()) == 0);
    if (doc().fixed && (width_.edit->value() != doc().cw || height_.edit->value() != doc().ch))
        QV_CHECK_T("UpdateSize()",
                   doc().SetCanvasSize(width_.edit->value(), height_.edit->value()) == 0);
}

}  // namespace qv::ui
