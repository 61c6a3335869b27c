#pragma once

#include "ui/bars/bar_dialog.h"

class QCheckBox;
class QRadioButton;

namespace qv::ui {

// The Transform bar: rotation and bend of a text object.
class TransformBar : public BarDialog {
    Q_OBJECT
public:
    explicit TransformBar(MainWindow* mw);

    QCheckBox* transform() const { return transform_; }
    ValueRow rotation() const { return rotation_; }
    QCheckBox* bend() const { return bend_; }
    ValueRow radius() const { return radius_; }
    QRadioButton* inside() const { return inside_; }
    QRadioButton* outside() const { return outside_; }
    QCheckBox* centreOnArc() const { return centre_; }

protected:
    void ReadControls() override;

private:
    void Load();
    void EnableDependents();

    QCheckBox* transform_ = nullptr;
    ValueRow rotation_;
    QCheckBox* bend_ = nullptr;
    ValueRow radius_;
    QRadioButton* inside_ = nullptr;
    QRadioButton* outside_ = nullptr;
    QCheckBox* centre_ = nullptr;
};

}  // namespace qv::ui
