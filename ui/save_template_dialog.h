#pragma once

#include <QDialog>

class QLineEdit;

namespace qv::ui {

// "Save Project As Template": asks for the template's name, offering the project's own.
class SaveTemplateDialog : public QDialog {
    Q_OBJECT
public:
    explicit SaveTemplateDialog(const QString& name, QWidget* parent = nullptr);
    QString name() const;
    QLineEdit* nameEdit() const { return edit_; }

private:
    QLineEdit* edit_;
};

}  // namespace qv::ui
