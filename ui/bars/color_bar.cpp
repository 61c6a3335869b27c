#include "ui/bars/color_bar.h"

#include <QGridLayout>
#include <QPointer>
#include <QPushButton>

#include "document/le_file.h"
#include "document/logo_obj.h"
#include "ui/canvas_view.h"
#include "ui/main_window.h"

namespace qv::ui {

ColorBar::ColorBar(MainWindow* mw, std::vector<ColourTarget> targets, int selected, bool modal_run)
    : BarDialog(mw, QStringLiteral("Color Options: Current Object")) {
    SetModalRun(modal_run);
    controls_ = new ColourControls(this);
    grid()->addWidget(controls_, 0, 0);
    controls_->SetTargets(std::move(targets), selected);
    connect(controls_, &ColourControls::ColourChanged, this, [this] {
        if (ready_) Recompose();
    });
    eyedropper_ = new QPushButton(QStringLiteral("Pick from Canvas"), this);
    eyedropper_->setObjectName(QStringLiteral("eyedropper"));
    eyedropper_->setToolTip(QStringLiteral("Click, then click the colour on the canvas"));
    eyedropper_->setCheckable(true);
    grid()->addWidget(eyedropper_, 1, 0, Qt::AlignLeft);
    connect(eyedropper_, &QPushButton::toggled, this, [this, mw](bool on) {
        if (!on) {
            mw->canvas()->StartColourPick({});
            return;
        }
        // The bar may be gone by the time the canvas is clicked.
        mw->canvas()->StartColourPick([bar = QPointer<ColorBar>(this)](QRgb rgb) {
            if (!bar) return;
            bar->eyedropper_->setChecked(false);
            bar->controls_->TakeRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
        });
    });
    FinishOpening(QStringLiteral("Color Options: '"));
}


std::vector<ColourTarget> ColorBar::ObjectTargets(MainWindow* mw) {
    std::vector<ColourTarget> t;
    LeFile& lf = mw->lf;
    if (LogoObj* o = lf.GetCurObj()) {
        t.push_back({&o->lt.color, QStringLiteral("Solid Color")});
        t.push_back({&o->lt.grad_color1, QStringLiteral("Gradient Color #1")});
        t.push_back({&o->lt.grad_color2, QStringLiteral("Gradient Color #2")});
        t.push_back({&o->lt.outline_color, QStringLiteral("Outline Color")});
        t.push_back({&o->lt.shadow_color, QStringLiteral("Shadow Color")});
    }
    t.push_back({&lf.bgc, QStringLiteral("Background Color")});
    return t;
}

}  // namespace qv::ui
