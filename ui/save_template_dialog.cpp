#include "ui/save_template_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qv::ui {

SaveTemplateDialog::SaveTemplateDialog(const QString& name, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(name)) {
    setWindowTitle(QStringLiteral("Save Project As Template"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Template Name:"));
    label->setBuddy(edit_);
    edit_->setMinimumWidth(280);
    edit_->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString SaveTemplateDialog::name() const {
    return edit_->text();
}

}  // namespace qv::ui
