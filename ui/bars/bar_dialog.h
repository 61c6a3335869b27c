#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "document/colour_model.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace qv {
class LeFile;
class LogoObj;
}  // namespace qv

namespace qv::ui {

class ColorBtn;
class MainWindow;
class Slider;
class SliderSpinEdit;

// One numeric value of a bar: its edit with arrows and, for most, its slider, kept showing the
// same value.
struct ValueRow {
    SliderSpinEdit* edit = nullptr;
    Slider* slider = nullptr;
};

// What every option bar shares: the document and the main window it edits, the ready flag, the
// "Object:" row, and Ok and Cancel as the bar-modal protocol has them. A bar run modally (the
// Colors bar from a colour button) ends with its result and leaves the history alone.
class BarDialog : public QDialog {
    Q_OBJECT
public:
    BarDialog(MainWindow* mw, const QString& caption);

    bool ready() const { return ready_; }
    void SetModalRun(bool on) { modal_run_ = on; }
    bool modalRun() const { return modal_run_; }
    QLineEdit* objectEdit() const { return object_edit_; }

    // Ok: the edits become one undo step. Cancel (also Esc and the close box): the document
    // goes back to the snapshot before the bar opened, the edits kept as one Redo step.
    void accept() override;
    void reject() override;

protected:
    // Enter confirms the bar (Ok), from any of its controls, as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // The bar's controls go here, in a grid of label, edit, slider.
    QGridLayout* grid() const { return grid_; }
    LeFile& doc() const;
    LogoObj* obj() const;
    // Sets ready; the caption gets the prefix, the object's name and a closing apostrophe.
    void FinishOpening(const QString& prefix);
    void SetNamedCaption(const QString& prefix);
    void Recompose();

    // A labelled value row at grid row `row`: spin range lo..hi, slider range smin..smax (no
    // slider when smin == smax). Changes call OnControls once per step.
    ValueRow AddValue(int row, const QString& label, int lo, int hi, int smin, int smax);
    QCheckBox* AddCheck(int row, const QString& label);
    // The two-line label and its "(click to edit)" colour button.
    ColorBtn* AddColour(int row, const QString& label);
    // Runs `dialog` modally on the live document; its Cancel puts back the whole document as it
    // was before. True when it ended with Ok.
    bool RunOnCopy(QDialog& dialog);
    // Runs the Colors bar modally on `triple`; Cancel restores the whole document.
    void EditColourModally(const std::function<Hls*()>& triple, const QString& description,
                           ColorBtn* button);

    // Reads every control into the current object and recomposes.
    virtual void ReadControls() = 0;
    void OnControls();

    MainWindow* mw_;
    bool ready_ = false;
    // The Logo options bar edits the whole logo, with or without a current object.
    bool needs_object_ = true;

private:
    void Finish(bool ok);

    bool modal_run_ = false;
    bool finished_ = false;
    QGridLayout* grid_ = nullptr;
    QLineEdit* object_edit_ = nullptr;
};

// Loads a value into its row: the edit shows `shown`, the slider sits at `slider_value`.
void LoadValue(const ValueRow& row, int shown, float slider_value);

}  // namespace qv::ui
