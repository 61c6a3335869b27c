// Autosave and recovery, also across a "Fatal Error" ended by Cancel (in a child process), and
// the recent projects of the File menu.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/guard.h"
#include "app/user_message.h"
#include "persist/project_file.h"
#include "persist/recovery.h"
#include "tests/ui/ui_test_support.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/recent_menu.h"
#include "ui/session_keeper.h"

namespace qv {
namespace {

std::string Folder(const QTemporaryDir& dir, const char* name) {
    return (dir.path() + QLatin1Char('/') + QLatin1String(name)).toStdString();
}

bool HasRecoveryFile(const std::string& folder) {
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(folder, error)) {
        if (e.path().extension() == ".kuz") return true;
    }
    return false;
}

// A recovery file as an editor that is gone leaves it (its process id and start time match
// none); returns its project path.
std::string LeaveAbandonedLogo(const std::string& folder, const char* text, const char* name) {
    std::filesystem::create_directories(folder);
    LeFile left;
    test::AddText(left, text);
    const std::string base = folder + "/" + name;
    if (!SaveProject(base + ".kuz", left)) return {};
    FILE* f = std::fopen((base + ".info").c_str(), "w");
    if (!f) return {};
    std::fputs("/projects/original.kuz\n1700000000\n", f);
    std::fclose(f);
    return base + ".kuz";
}

// The one text of the only logo offered in `folder`, or what went wrong.
std::string OfferedText(const std::string& folder) {
    const std::vector<AbandonedLogo> found = FindAbandonedLogos(folder);
    if (found.size() != 1) return "offered: " + std::to_string(found.size());
    LeFile back;
    if (!LoadProject(found[0].project_path, back) || back.objs != 1) return "unreadable";
    return back.obj[0]->lt.str;
}

// Once the "Fatal Error" dialog is up, presses its Cancel.
void CancelTheFaultReportSoon() {
    QTimer::singleShot(50, [] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d) return;
        for (QPushButton* b : d->findChildren<QPushButton*>()) {
            if (b->text() == QStringLiteral("Cancel")) b->click();
        }
    });
}

// The child process: an editor started as the program starts it, with its recovery files in
// `folder`; then a fault, ended by Cancel. It must never get to print "after".
//   edit-then-fault      unsaved work, then the fault
//   recover-then-fault   recovers the logo offered, then the fault before any autosave
//   fault-in-recovery    the fault comes while the recovered logo is being opened, before the
//                        session keeper exists
int Child(int argc, char** argv, const QString& mode, const std::string& folder) {
    QApplication qt(argc, argv);
    ui::Application app;
    app.InstallHandlers();
    app.Initialise({});
    test::LoadShippedFonts();
    app.StartEditor(false);
    const auto recover = [](const QString&) { return true; };
    if (mode == "edit-then-fault") {
        app.KeepSession(folder, recover);
        test::AddText(app.mainWindow()->lf, "Unsaved work");
    } else if (mode == "recover-then-fault") {
        app.KeepSession(folder, recover);
    } else if (mode == "fault-in-recovery") {
        ui::OfferRecovery(*app.mainWindow(), folder, recover);
    }
    CancelTheFaultReportSoon();
    QV_CHECK_T("child->Fail()", false);
    std::printf("after\n");
    std::fflush(stdout);
    return 3;
}

// Runs the child in `mode`; false when it did not end by the dialog's Cancel.
bool RunChild(const char* mode, const std::string& folder) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QString::fromLatin1(mode),
                 QString::fromStdString(folder)});
    if (!child.waitForFinished(60000)) return false;
    const QByteArray out = child.readAllStandardOutput();
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
           !out.contains("after");
}

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void RecoveryFileFollowsUnsavedChanges();
    void AbandonedLogoIsOfferedAndRecovered();
    void RecoveredLogoKeepsItsFileUntilTheNewCopyIsWritten();
    void RecoveredLogoSavedRetiresItsFile();
    void DiscardedLogoIsGone();
    void CancelOnAFaultKeepsTheUnsavedWork();
    void RecoveryEndedByAFaultIsOfferedAgain_data();
    void RecoveryEndedByAFaultIsOfferedAgain();
    void RecentProjectsFollowLoadAndSave();
    void MissingFacesAreNamedOnOpening();
};

void SessionTest::RecoveryFileFollowsUnsavedChanges() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    auto window = test::ShowEditor();
    ui::SessionKeeper keeper(*window, folder);
    keeper.Tick();
    keeper.writer().Flush();
    QVERIFY(!HasRecoveryFile(folder));  // nothing changed yet

    test::AddText(window->lf, "Unsaved");
    keeper.Tick();
    keeper.writer().Flush();
    QVERIFY(HasRecoveryFile(folder));
    LeFile back;
    QVERIFY(LoadProject(keeper.writer().project_path(), back));
    QCOMPARE(back.objs, window->lf.objs);

    // Saved: the copy goes.
    window->MarkClean();
    keeper.Tick();
    QVERIFY(!HasRecoveryFile(folder));

    test::AddText(window->lf, "Again");
    keeper.Tick();
    keeper.writer().Flush();
    QVERIFY(HasRecoveryFile(folder));
    keeper.CleanExit();
    QVERIFY(!HasRecoveryFile(folder));
}

void SessionTest::AbandonedLogoIsOfferedAndRecovered() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    const std::string left = LeaveAbandonedLogo(folder, "Crashed work", "recovery-999999-1");
    QVERIFY(!left.empty());

    auto window = test::ShowEditor();
    QString asked;
    const std::optional<AbandonedLogo> recovered =
        ui::OfferRecovery(*window, folder, [&](const QString& question) {
            asked = question;
            return true;
        });
    QVERIFY(recovered);
    QCOMPARE(recovered->project_path, left);
    QVERIFY(asked.startsWith(QStringLiteral("Recover the unsaved logo from ")));
    QVERIFY(asked.endsWith(QLatin1Char('?')));
    QCOMPARE(window->lf.objs, 1);
    QCOMPARE(window->docName(), std::string("/projects/original.kuz"));
    QVERIFY(window->modified());  // recovered work is not saved anywhere yet
    // Open is not yet safe: the old file stays until a new copy replaces it.
    QVERIFY(std::filesystem::exists(left));
}

// The program's own start: the recovered logo's file goes once this run's copy is on disk, and
// not before.
void SessionTest::RecoveredLogoKeepsItsFileUntilTheNewCopyIsWritten() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    const std::string left = LeaveAbandonedLogo(folder, "Crashed work", "recovery-999997-1");
    ui::Application app;
    app.Initialise({});
    app.StartEditor(false);
    app.KeepSession(folder, [](const QString&) { return true; });
    ui::SessionKeeper* keeper = app.sessionKeeper();
    QVERIFY(keeper);
    QCOMPARE(app.mainWindow()->lf.obj[0]->lt.str, std::string("Crashed work"));
    QVERIFY(std::filesystem::exists(left));
    keeper->Tick();
    keeper->writer().Flush();
    QVERIFY(!std::filesystem::exists(left));
    LeFile back;
    QVERIFY(LoadProject(keeper->writer().project_path(), back));
    QCOMPARE(back.obj[0]->lt.str, std::string("Crashed work"));
    keeper->CleanExit();
    QVERIFY(!HasRecoveryFile(folder));
}

void SessionTest::RecoveredLogoSavedRetiresItsFile() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    const std::string left = LeaveAbandonedLogo(folder, "Crashed work", "recovery-999996-1");
    auto window = test::ShowEditor();
    const std::optional<AbandonedLogo> recovered =
        ui::OfferRecovery(*window, folder, [](const QString&) { return true; });
    QVERIFY(recovered);
    ui::SessionKeeper keeper(*window, folder);
    keeper.TakeOver(*recovered);
    window->MarkClean();  // as a save does
    keeper.Tick();
    QVERIFY(!std::filesystem::exists(left));
    QVERIFY(!HasRecoveryFile(folder));
}

void SessionTest::DiscardedLogoIsGone() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    QVERIFY(!LeaveAbandonedLogo(folder, "Not wanted", "recovery-999998-1").empty());
    auto window = test::ShowEditor();
    int asked = 0;
    QVERIFY(!ui::OfferRecovery(*window, folder, [&](const QString&) {
        ++asked;
        return false;
    }));
    QCOMPARE(asked, 1);
    QCOMPARE(window->lf.objs, 0);
    QVERIFY(!HasRecoveryFile(folder));
    QVERIFY(!ui::OfferRecovery(*window, folder, [&](const QString&) { return true; }));
}

// Cancel on the fault report ends the program, but the unsaved work is on disk first and the
// next start offers it.
void SessionTest::CancelOnAFaultKeepsTheUnsavedWork() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    QVERIFY(RunChild("edit-then-fault", folder));
    QCOMPARE(OfferedText(folder), std::string("Unsaved work"));
    auto window = test::ShowEditor();
    QVERIFY(ui::OfferRecovery(*window, folder, [](const QString&) { return true; }));
    QCOMPARE(window->lf.objs, 1);
    QCOMPARE(window->lf.obj[0]->lt.str, std::string("Unsaved work"));
}

void SessionTest::RecoveryEndedByAFaultIsOfferedAgain_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("before the first autosave") << "recover-then-fault";
    QTest::newRow("while opening") << "fault-in-recovery";
}

void SessionTest::RecoveryEndedByAFaultIsOfferedAgain() {
    QFETCH(QString, mode);
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    QVERIFY(!LeaveAbandonedLogo(folder, "Crashed work", "recovery-999995-1").empty());
    QVERIFY(RunChild(mode.toLatin1().constData(), folder));
    QCOMPARE(OfferedText(folder), std::string("Crashed work"));
    const std::vector<AbandonedLogo> found = FindAbandonedLogos(folder);
    QCOMPARE(found[0].original_path, std::string("/projects/original.kuz"));
}

void SessionTest::RecentProjectsFollowLoadAndSave() {
    QTemporaryDir dir;
    auto window = test::ShowEditor();
    ui::RecentMenu* recent = window->recentMenu();
    QVERIFY(recent);
    const std::string a = Folder(dir, "a.kuz");
    const std::string b = Folder(dir, "b.kuz");
    LeFile doc;
    test::AddText(doc, "A");
    QVERIFY(SaveProject(a, doc));
    QVERIFY(SaveProject(b, doc));
    window->LoadProjectFile(a);
    window->LoadProjectFile(b);
    QCOMPARE(recent->list().paths().front(), b);
    QCOMPARE(recent->list().paths()[1], a);
    // A file that is gone stays listed, greyed, with its path.
    std::filesystem::remove(a);
    recent->Rebuild();
    const QList<QAction*> entries = recent->menu()->actions();
    QVERIFY(entries.size() >= 2);
    QVERIFY(entries[0]->isEnabled());
    QVERIFY(!entries[1]->isEnabled());
    QVERIFY(entries[1]->text().contains(QStringLiteral("a.kuz")));
}

void SessionTest::MissingFacesAreNamedOnOpening() {
    QTemporaryDir dir;
    auto window = test::ShowEditor();
    const std::string path = Folder(dir, "brand.kuz");
    LeFile doc;
    test::AddText(doc, "A")->lt.font = "Brand Face Bold";
    test::AddText(doc, "B")->lt.font = "Brand Face Light";
    test::AddText(doc, "C");
    QVERIFY(SaveProject(path, doc));
    std::vector<std::string> messages;
    const MessageHandler previous =
        SetMessageHandler([&messages](const std::string& text) { messages.push_back(text); });
    window->LoadProjectFile(path);
    SetMessageHandler(previous);
    // One message for all of them, each with the face drawn in its place.
    QCOMPARE(int(messages.size()), 1);
    const QString text = QString::fromStdString(messages[0]);
    QVERIFY2(text.contains(QStringLiteral("\"Brand Face Bold\" is drawn with \"")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\"Brand Face Light\" is drawn with \"")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("Quicksand")), qPrintable(text));
    // A project of installed faces opens without a word.
    LeFile plain;
    test::AddText(plain, "D");
    QVERIFY(SaveProject(path, plain));
    messages.clear();
    SetMessageHandler([&messages](const std::string& text) { messages.push_back(text); });
    window->LoadProjectFile(path);
    SetMessageHandler(previous);
    QVERIFY(messages.empty());
}

}  // namespace qv

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return qv::Child(1, argv, QString::fromUtf8(argv[2]), argv[3]);
    QApplication app(argc, argv);
    qv::SessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_session.moc"
