// The "Fatal Error" dialog: the report in its box, Retry carrying on, and Cancel, Esc or the
// close box ending the process with exit code 0 once the work to keep is kept.

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/user_message.h"
#include "ui/fatal_error_dialog.h"

using namespace qv;
using namespace qv::ui;

namespace {

QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text) return b;
    }
    return nullptr;
}

// Once the dialog is up, answers it the way `how` says.
void AnswerSoon(const QString& how) {
    QTimer::singleShot(50, [how] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d) return;
        if (how == "retry") Button(d, "Retry")->click();
        if (how == "cancel") Button(d, "Cancel")->click();
        if (how == "escape") QTest::keyClick(d, Qt::Key_Escape);
        if (how == "enter") QTest::keyClick(d, Qt::Key_Return);
        if (how == "close") d->close();
    });
}

// The child process: one fault, answered; it must never get to print "after". With `keep`, the
// way out keeps the work, and faults itself while doing so.
int Child(int argc, char** argv, const QString& how, bool keep) {
    QApplication app(argc, argv);
    BeforeExit before_exit;
    if (keep) {
        before_exit = [] {
            QV_CHECK_T("keep->Fail()", false);
            std::printf("kept\n");
        };
    }
    InstallEditorHandlers(before_exit);
    AnswerSoon(how);
    QV_CHECK_T("child->Fail()", false);
    std::printf("after\n");
    std::fflush(stdout);
    return 3;
}

}  // namespace

class FatalErrorTest : public QObject {
    Q_OBJECT
private slots:
    void ReportIsInTheBox();
    void RetryCarriesOn_data();
    void RetryCarriesOn();
    void OtherAnswersEndTheProcessWithZero_data();
    void OtherAnswersEndTheProcessWithZero();
    void CancelKeepsTheWorkBeforeEnding();
    void UserMessagesAreMessageBoxes();
};

void FatalErrorTest::ReportIsInTheBox() {
    const std::string report =
        "Error sequence: A -> B\r\n\r\nError in line: B\r\n\r\nError code: 6";
    FatalErrorDialog dialog(report);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Fatal Error"));
    QCOMPARE(dialog.reportBox()->toPlainText(),
             QStringLiteral("Error sequence: A -> B\n\nError in line: B\n\nError code: 6"));
    QVERIFY(!dialog.reportBox()->isReadOnly());
    QVERIFY(Button(&dialog, "Retry"));
    QVERIFY(Button(&dialog, "Cancel"));
}

void FatalErrorTest::RetryCarriesOn_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Retry") << "retry";
    QTest::newRow("Enter") << "enter";
}

void FatalErrorTest::RetryCarriesOn() {
    QFETCH(QString, how);
    bool kept = false;
    const FaultHandler previous = SetFaultHandler(
        [&kept](int, const std::string& r) { ShowFatalError(r, [&kept] { kept = true; }); });
    AnswerSoon(how);
    bool went_on = false;
    if (!QV_CHECK_T("test->Fail()", false)) went_on = true;
    SetFaultHandler(previous);
    QVERIFY(went_on);
    QVERIFY(!kept);  // only the way out keeps the work
}

void FatalErrorTest::OtherAnswersEndTheProcessWithZero_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void FatalErrorTest::OtherAnswersEndTheProcessWithZero() {
    QFETCH(QString, how);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--answer"), how});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(!child.readAllStandardOutput().contains("after"));
}

// The work is kept before the end; a fault while keeping it is printed rather than asked about
// again, and the keeping goes on to its end.
void FatalErrorTest::CancelKeepsTheWorkBeforeEnding() {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--answer"), QStringLiteral("cancel"), QStringLiteral("--keep")});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QByteArray out = child.readAllStandardOutput();
    QVERIFY(out.contains("kept"));
    QVERIFY(!out.contains("after"));
    QVERIFY(child.readAllStandardError().contains("keep->Fail()"));
}

void FatalErrorTest::UserMessagesAreMessageBoxes() {
    const FaultHandler faults = SetFaultHandler({});
    InstallEditorHandlers();
    QString shown;
    QTimer::singleShot(50, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    ShowMessage("File could not be opened: /nowhere.kuz");
    QCOMPARE(shown, QStringLiteral("File could not be opened: /nowhere.kuz"));
    SetMessageHandler({});
    SetFaultHandler(faults);
}

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--answer") == 0) {
        const bool keep = argc == 4 && std::strcmp(argv[3], "--keep") == 0;
        return Child(1, argv, QString::fromUtf8(argv[2]), keep);
    }
    QApplication app(argc, argv);
    FatalErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fatal_error.moc"
