#pragma once

#include "ui/bars/bar_dialog.h"

class QLabel;
class QTabBar;

namespace qv::ui {

class FontsBox;

// The Text bar: the text line, its font by category tab, size, spacing, aspect ratio and
// solid colour.
class TextBar : public BarDialog {
    Q_OBJECT
public:
    explicit TextBar(MainWindow* mw);

    QLineEdit* textLine() const { return text_; }
    QTabBar* tabs() const { return tabs_; }
    FontsBox* fonts() const { return fonts_; }
    ValueRow fontSize() const { return size_; }
    ValueRow spacing() const { return spacing_; }
    QLineEdit* aspectEdit() const { return aspect_edit_; }
    Slider* aspectSlider() const { return aspect_; }
    ColorBtn* colour() const { return colour_; }
    QLabel* status() const { return status_; }

protected:
    void ReadControls() override;
    void showEvent(QShowEvent* event) override;

private:
    void Load();
    void SelectTab(int category);

    QLineEdit* text_ = nullptr;
    QTabBar* tabs_ = nullptr;
    FontsBox* fonts_ = nullptr;
    ValueRow size_;
    ValueRow spacing_;
    QLineEdit* aspect_edit_ = nullptr;
    Slider* aspect_ = nullptr;
    ColorBtn* colour_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace qv::ui
