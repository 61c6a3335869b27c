// Autosave and recovery, and the recent projects of the File menu.
#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "persist/project_file.h"
#include "persist/recovery.h"
#include "tests/ui/ui_test_support.h"
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

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void RecoveryFileFollowsUnsavedChanges();
    void AbandonedLogoIsOfferedAndRecovered();
    void DiscardedLogoIsGone();
    void RecentProjectsFollowLoadAndSave();
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
    std::filesystem::create_directories(folder);
    // A recovery file left by an editor that is gone (its process id and start time match none).
    LeFile left;
    test::AddText(left, "Crashed work");
    QVERIFY(SaveProject(folder + "/recovery-999999-1.kuz", left));
    const std::string info = folder + "/recovery-999999-1.info";
    FILE* f = std::fopen(info.c_str(), "w");
    QVERIFY(f);
    std::fputs("/projects/original.kuz\n1700000000\n", f);
    std::fclose(f);

    auto window = test::ShowEditor();
    QString asked;
    const bool recovered = ui::OfferRecovery(*window, folder, [&](const QString& question) {
        asked = question;
        return true;
    });
    QVERIFY(recovered);
    QVERIFY(asked.startsWith(QStringLiteral("Recover the unsaved logo from ")));
    QVERIFY(asked.endsWith(QLatin1Char('?')));
    QCOMPARE(window->lf.objs, 1);
    QCOMPARE(window->docName(), std::string("/projects/original.kuz"));
    QVERIFY(window->modified());  // recovered work is not saved anywhere yet
    QVERIFY(!HasRecoveryFile(folder));
}

void SessionTest::DiscardedLogoIsGone() {
    QTemporaryDir dir;
    const std::string folder = Folder(dir, "state");
    std::filesystem::create_directories(folder);
    LeFile left;
    test::AddText(left, "Not wanted");
    QVERIFY(SaveProject(folder + "/recovery-999998-1.kuz", left));
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

}  // namespace qv

QTEST_MAIN(qv::SessionTest)
#include "tst_session.moc"
