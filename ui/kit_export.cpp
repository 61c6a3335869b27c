#include "ui/kit_export.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

#include "app/install_dir.h"
#include "output/logo_kit.h"

namespace qv::ui {

void ExportLogoKitTo(LeFile& lf, const std::string& doc_name, QWidget* parent,
                     const std::function<QString(QWidget*)>& choose_folder) {
    const QString folder = choose_folder
                               ? choose_folder(parent)
                               : QFileDialog::getExistingDirectory(parent, QStringLiteral("Export Logo Kit"));
    if (folder.isEmpty()) return;
    const QString base = QFileInfo(QString::fromStdString(doc_name)).completeBaseName();
    const std::string title = base.isEmpty() ? std::string("Logo") : base.toStdString();

    QProgressDialog progress(QStringLiteral("Writing the logo kit..."), QStringLiteral("Cancel"), 0, 1, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    const bool written = WriteLogoKit(lf, {folder.toStdString(), title, InstallDir()}, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (written) {
        QMessageBox::information(parent, QStringLiteral("Export Logo Kit"),
                                 QStringLiteral("The logo kit was written to %1.").arg(folder));
    }
}

}  // namespace qv::ui
