#include "ui/unsaved_prompt.h"

#include <QMessageBox>

namespace qv::ui {

SaveChoice AskSaveChanges(QWidget* parent, const QString& name) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Qorvan Logo"),
                    QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::kSave;
        case QMessageBox::Discard:
            return SaveChoice::kDiscard;
        default:
            return SaveChoice::kCancel;
    }
}

}  // namespace qv::ui
