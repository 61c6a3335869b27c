#pragma once

#include "ui/bars/bar_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace qv::ui {

class ShapeSel;

// The Image object bar: the shape, size, rotation and colour of a shape object.
class Imopt : public BarDialog {
    Q_OBJECT
public:
    explicit Imopt(MainWindow* mw);

    QCheckBox* constrain() const { return constrain_; }
    ValueRow shapeWidth() const { return width_; }
    ValueRow shapeHeight() const { return height_; }
    ValueRow rotation() const { return rotation_; }
    ColorBtn* colour() const { return colour_; }
    ShapeSel* preview() const { return preview_; }
    QLabel* shapeLabel() const { return shape_label_; }

    // Runs the Shape library bar modally on the current object; its Cancel puts the whole
    // document back as it was.
    void SelectShape();

protected:
    void ReadControls() override;

private:
    void Load();
    void ShowShape();

    ShapeSel* preview_ = nullptr;
    QPushButton* select_ = nullptr;
    QLabel* shape_label_ = nullptr;
    QCheckBox* constrain_ = nullptr;
    ValueRow width_;
    ValueRow height_;
    ValueRow rotation_;
    ColorBtn* colour_ = nullptr;
};

}  // namespace qv::ui
