#include "ui/bars/bar_dialog.h"

#include <QKeyEvent>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/guard.h"
#include "document/bar_mappings.h"
#include "document/le_file.h"
#include "document/logo_obj.h"
#include "ui/bars/color_bar.h"
#include "ui/colour/color_btn.h"
#include "ui/logo_text_edit.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {
namespace {

// Wide enough for "-9999" and the arrows.
constexpr int kEditWidth = 90;

}  // namespace

BarDialog::BarDialog(MainWindow* mw, const QString& caption) : QDialog(mw), mw_(mw) {
    setWindowTitle(caption);
    setModal(false);
    auto* outer = new QVBoxLayout(this);
    grid_ = new QGridLayout;
    // Labels and edits keep their width; the sliders take what is left.
    grid_->setColumnStretch(2, 1);
    outer->addLayout(grid_);

    auto* name_row = new QHBoxLayout;
    name_row->addWidget(new QLabel(QStringLiteral("Object:"), this));
    object_edit_ = new QLineEdit(this);
    object_edit_->setReadOnly(true);
    name_row->addWidget(object_edit_, 1);
    outer->addLayout(name_row);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    // Enter in an edit must not end the bar: only a click on Ok does.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &BarDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &BarDialog::reject);
}

LeFile& BarDialog::doc() const {
    return mw_->lf;
}

LogoObj* BarDialog::obj() const {
    return mw_->lf.GetCurObj();
}

void BarDialog::SetNamedCaption(const QString& prefix) {
    const QString name = obj() ? ShownLogoText(obj()->lt.str) : QString();
    setWindowTitle(prefix + name + QLatin1Char('\''));
    object_edit_->setText(name);
}

void BarDialog::FinishOpening(const QString& prefix) {
    if (!prefix.isEmpty()) {
        SetNamedCaption(prefix);
    } else if (obj()) {
        object_edit_->setText(ShownLogoText(obj()->lt.str));
    }
    ready_ = true;
}

void BarDialog::Recompose() {
    QV_CHECK_T("UpdateOutWnd()", mw_->UpdateOutWnd() == 0);
}

void BarDialog::OnControls() {
    if (!ready_ || (needs_object_ && !obj())) return;
    ReadControls();
    Recompose();
}

ValueRow BarDialog::AddValue(int row, const QString& label, int lo, int hi, int smin, int smax) {
    ValueRow v;
    grid_->addWidget(new QLabel(label, this), row, 0);
    v.edit = new SliderSpinEdit(lo, hi, lo, this);
    v.edit->setMaximumWidth(kEditWidth);
    grid_->addWidget(v.edit, row, 1);
    if (smin != smax) {
        v.slider = new Slider(this);
        v.slider->SetRange(smin, smax);
        v.slider->SetLinkedEdit(v.edit);
        v.edit->SetSlider(v.slider);
        grid_->addWidget(v.slider, row, 2);
        Slider* slider = v.slider;
        connect(slider, &Slider::Changed, this, [this] { OnControls(); });
        connect(v.edit, &SpinEdit::edited, this, [this, slider, edit = v.edit] {
            // A drag rewrites the edit and then reports Changed: one step, one update.
            if (!ready_ || slider->pressed()) return;
            slider->SetValue(float(edit->value()));
            OnControls();
        });
    } else {
        connect(v.edit, &SpinEdit::edited, this, [this] { OnControls(); });
    }
    return v;
}

QCheckBox* BarDialog::AddCheck(int row, const QString& label) {
    auto* box = new QCheckBox(label, this);
    grid_->addWidget(box, row, 0, 1, 3);
    connect(box, &QCheckBox::toggled, this, [this] { OnControls(); });
    return box;
}

ColorBtn* BarDialog::AddColour(int row, const QString& label) {
    grid_->addWidget(new QLabel(label + QStringLiteral("\n(click to edit)"), this), row, 0);
    auto* button = new ColorBtn(this);
    button->setMaximumWidth(kEditWidth);
    grid_->addWidget(button, row, 1);
    return button;
}

void BarDialog::EditColourModally(const std::function<Hls*()>& triple, const QString& description,
                                  ColorBtn* button) {
    if (!triple()) return;
    {
        ColorBar bar(mw_, {ColourTarget{triple(), description}}, 0, true);
        RunOnCopy(bar);
    }
    // The copy back replaces the objects, so the colour is looked up again.
    if (const Hls* now = triple()) button->SetColour(*now);
    Recompose();
}

bool BarDialog::RunOnCopy(QDialog& dialog) {
    LeFile saved;
    QV_CHECK_T("CopyFrom(lf)", saved.CopyFrom(doc()) == 0);
    if (dialog.exec() == QDialog::Accepted) return true;
    QV_CHECK_T("CopyFrom(saved)", doc().CopyFrom(saved) == 0);
    return false;
}

void BarDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BarDialog::accept() {
    if (modal_run_) {
        QDialog::accept();
        return;
    }
    Finish(true);
}

void BarDialog::reject() {
    if (modal_run_) {
        QDialog::reject();
        return;
    }
    Finish(false);
}

void BarDialog::Finish(bool ok) {
    if (finished_) return;
    finished_ = true;
    ready_ = false;
    hide();
    MainWindow* mw = mw_;
    QV_CHECK_T("utrack.Track(lf)", mw->utrack.Track(mw->lf) == 0);
    if (!ok) QV_CHECK_T("utrack.Undo(lf)", mw->utrack.Undo(mw->lf) == 0);
    mw->PostBarModal(ok);
    mw->EnableMenu(true);
    mw->Refresh();
    // The editor takes the keyboard back at once, as the owner of a closed tool window does.
    mw->activateWindow();
    deleteLater();
}

void LoadValue(const ValueRow& row, int shown, float slider_value) {
    if (row.slider) row.slider->SetValue(slider_value);
    row.edit->setValue(shown);
}

}  // namespace qv::ui
