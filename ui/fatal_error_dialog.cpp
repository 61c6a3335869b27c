#include "ui/fatal_error_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

#include "app/fault_report.h"
#include "app/user_message.h"

namespace qv::ui {

FatalErrorDialog::FatalErrorDialog(const std::string& report, QWidget* parent)
    : QDialog(parent), box_(new QPlainTextEdit) {
    setWindowTitle(QStringLiteral("Fatal Error"));
    setModal(true);
    // The report's line breaks are CR LF; the box wants plain new lines.
    box_->setPlainText(
        QString::fromStdString(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box_->setMinimumSize(333, 216);
    auto* retry = new QPushButton(QStringLiteral("Retry"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    retry->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(retry);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addLayout(buttons);
    connect(retry, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ShowFatalError(const std::string& report, const BeforeExit& before_exit) {
    if (!qApp) {
        std::fprintf(stderr, "Fatal Error\n%s\n", report.c_str());
        return;
    }
    FatalErrorDialog dialog(report);
    if (dialog.exec() == QDialog::Accepted) return;
    if (before_exit) {
        // The user has already chosen to end: a further fault while the work is being kept is
        // printed and the saving decides what to keep, rather than a second dialog asking again.
        SetFaultHandler({});
        before_exit();
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void InstallEditorHandlers(BeforeExit before_exit) {
    SetFaultHandler([before_exit = std::move(before_exit)](int, const std::string& report) {
        ShowFatalError(report, before_exit);
    });
    SetMessageHandler([](const std::string& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Qorvan Logo"),
                        QString::fromStdString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}

}  // namespace qv::ui
