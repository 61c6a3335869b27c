#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace qv::ui {

QString QtFilter(const char* filter) {
    const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        if (name.isEmpty()) break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        const QString joined = patterns.join(QLatin1Char(' '));
        // A name that already shows its pattern keeps it as it is.
        if (name.endsWith(QLatin1Char(')')) && name.contains(QLatin1Char('('))) {
            filters << name;
        } else {
            filters << QStringLiteral("%1 (%2)").arg(name, joined);
        }
    }
    return filters.join(QStringLiteral(";;"));
}

FileDialogs SystemFileDialogs() {
    FileDialogs d;
    d.open = [](QWidget* parent, const QString& title, const QString& filter) {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    d.save = [](QWidget* parent, const QString& title, const QString& filter,
                const QString& suffix) {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    return d;
}

}  // namespace qv::ui
