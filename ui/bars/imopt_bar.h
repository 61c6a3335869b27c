#pragma once

#include "ui/bars/bar_dialog.h"

class QCheckBox;

namespace qv::ui {

// The Image object bar: size, rotation and colour of a shape object.
class Imopt : public BarDialog {
    Q_OBJECT
public:
    explicit Imopt(MainWindow* mw);

    QCheckBox* constrain() const { return constrain_; }
    ValueRow shapeWidth() const { return width_; }
    ValueRow shapeHeight() const { return height_; }
    ValueRow rotation() const { return rotation_; }
    ColorBtn* colour() const { return colour_; }

protected:
    void ReadControls() override;

private:
    void Load();

    QCheckBox* constrain_ = nullptr;
    ValueRow width_;
    ValueRow height_;
    ValueRow rotation_;
    ColorBtn* colour_ = nullptr;
};

}  // namespace qv::ui
