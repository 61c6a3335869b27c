// Start-up: a project named on the command line, the loading screen's five seconds on an
// injected clock, the template browser and its pages, and shutdown.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "persist/project_file.h"
#include "persist/template_library.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/skin_button.h"
#include "ui/template_dialog.h"
#include "ui/template_preview.h"

using namespace qv;
using namespace qv::ui;

namespace {

struct FakeClock {
    int64_t now = 100000;
    Clock clock() {
        return [this] { return now; };
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    // Templates a previous run saved into the test's own user folder are gone.
    void init() { QDir(QString::fromStdString(UserTemplateFolder())).removeRecursively(); }
    void cleanupTestCase() { init(); }

    void ProjectOnTheCommandLineOpensDirectly();
    void UnreadableProjectStartsUntitled();
    void LoadingScreenStaysAtLeast5001Ms();
    void EscapeStartsABlankProject();
    void ChoosingATemplateStartsWithACopy();
    void TemplatePages();
    void SavedTemplatesAreReadAgain();
};

void StartupTest::ProjectOnTheCommandLineOpensDirectly() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    const QString path = dir.filePath("Bakery.kuz");
    {
        LeFile doc;
        test::AddText(doc, "Fresh Bread", 0, -20);
        test::AddText(doc, "since 1921", 0, 40);
        QVERIFY(SaveProject(path.toStdString(), doc));
    }
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({path});
    QCOMPARE(FtText::FontCount(), 0);
    QVERIFY(!app.OpenTemplateWindow());
    // Fonts and templates are loaded all the same, but no browser is shown.
    QVERIFY(FtText::FontCount() > 0);
    QVERIFY(!app.templateWindow()->browsing());
    QVERIFY(!app.templateWindow()->isVisible());
    app.StartEditor(false);
    MainWindow* mw = app.mainWindow();
    QCOMPARE(mw->windowTitle(), QStringLiteral("Qorvan Logo: Bakery.kuz"));
    QCOMPARE(QString::fromStdString(mw->docName()), path);
    QCOMPARE(mw->lf.objs, 2);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Fresh Bread"));
    QVERIFY(!mw->modified());
    app.Shutdown();
    QCOMPARE(FtText::FontCount(), 0);
    QCOMPARE(TemplateLibrary::Instance().count(), 0);
    QVERIFY(faults.faults.empty());
}

void StartupTest::UnreadableProjectStartsUntitled() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.kuz");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a project");
    file.close();
    Application app;
    app.Initialise({path});
    QVERIFY(!app.OpenTemplateWindow());
    app.StartEditor(false);
    QCOMPARE(faults.messages.size(), size_t(1));
    QCOMPARE(faults.messages[0], std::string(kWrongVersionMessage));
    // Save must not write over the file that could not be read.
    QVERIFY(app.mainWindow()->docName().empty());
    QCOMPARE(app.mainWindow()->windowTitle(), QStringLiteral("Qorvan Logo: New Logo Project"));
    app.Shutdown();
}

void StartupTest::LoadingScreenStaysAtLeast5001Ms() {
    test::FaultCapture faults;
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({});
    QVERIFY(app.OpenTemplateWindow());
    TemplateDialog* t = app.templateWindow();
    QCOMPARE(t->windowTitle(), QStringLiteral("Qorvan Logo: Loading... Please Wait"));
    QCOMPARE(t->size(), QSize(TemplateDialog::kClientWidth, TemplateDialog::kClientHeight));
    QVERIFY(FtText::FontCount() > 0);
    clock.now += 3000;
    t->Tick();
    QVERIFY(!t->browsing());
    clock.now += 2000;
    t->Tick();
    QVERIFY(!t->browsing());
    QCOMPARE(t->windowTitle(), QStringLiteral("Qorvan Logo: Loading... Please Wait"));
    clock.now += 1;
    t->Tick();
    QVERIFY(t->browsing());
    QCOMPARE(t->windowTitle(), QStringLiteral("Qorvan Logo: Template Library"));
    QVERIFY(!t->loading);
    QVERIFY(faults.faults.empty());
    t->reject();
    app.Shutdown();
}

void StartupTest::EscapeStartsABlankProject() {
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({});
    QVERIFY(app.OpenTemplateWindow());
    clock.now += 6000;
    app.templateWindow()->Tick();
    QTest::keyClick(app.templateWindow(), Qt::Key_Escape);
    QCOMPARE(app.templateWindow()->result(), int(QDialog::Rejected));
    QVERIFY(app.templateWindow()->chosen == nullptr);
    app.StartEditor(false);
    QCOMPARE(app.mainWindow()->lf.objs, 0);
    QCOMPARE(app.mainWindow()->windowTitle(), QStringLiteral("Qorvan Logo: New Logo Project"));
    app.Shutdown();
}

void StartupTest::ChoosingATemplateStartsWithACopy() {
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({});
    QVERIFY(app.OpenTemplateWindow());
    const TemplateLibrary& library = TemplateLibrary::Instance();
    if (library.count() == 0) {
        app.Shutdown();
        QSKIP("No templates are installed");
    }
    clock.now += 6000;
    TemplateDialog* t = app.templateWindow();
    t->Tick();
    TemplatePreview* first = t->preview(0);
    QVERIFY(first->isVisible());
    QCOMPARE(first->templateIndex(), 0);
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(t->result(), int(QDialog::Accepted));
    QVERIFY(t->chosen == &library.at(0).lf);
    app.StartEditor(false);
    MainWindow* mw = app.mainWindow();
    QCOMPARE(mw->lf.objs, library.at(0).lf.objs);
    // A copy: editing it leaves the template alone.
    QVERIFY(mw->lf.objs > 0);
    mw->lf.obj[0]->x += 33;
    QVERIFY(library.at(0).lf.obj[0]->x != mw->lf.obj[0]->x);
    QCOMPARE(mw->windowTitle(), QStringLiteral("Qorvan Logo: New Logo Project"));
    app.Shutdown();
}

void StartupTest::TemplatePages() {
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({});
    QVERIFY(app.OpenTemplateWindow());
    clock.now += 6000;
    TemplateDialog* t = app.templateWindow();
    t->Tick();
    const int count = TemplateLibrary::Instance().count();
    QVERIFY(!t->previousButton()->enabledFlag());
    int pages = 1;
    while (t->nextButton()->enabledFlag()) {
        QTest::mousePress(t->nextButton(), Qt::LeftButton);
        QCOMPARE(t->firstOnPage(), 4 * pages);
        ++pages;
        QVERIFY(t->previousButton()->enabledFlag());
    }
    QCOMPARE(pages, std::max(1, (count + 3) / 4));
    int visible = 0;
    for (int k = 0; k < 4; ++k) visible += t->preview(k)->isVisible() ? 1 : 0;
    QCOMPARE(visible, std::min(4, count - t->firstOnPage()));
    // Next on the last page does nothing.
    QTest::mousePress(t->nextButton(), Qt::LeftButton);
    QCOMPARE(t->firstOnPage(), 4 * (pages - 1));
    if (pages > 1) {
        QTest::mousePress(t->previousButton(), Qt::LeftButton);
        QCOMPARE(t->firstOnPage(), 4 * (pages - 2));
    }
    t->reject();
    app.Shutdown();
}

void StartupTest::SavedTemplatesAreReadAgain() {
    FakeClock clock;
    Application app(clock.clock());
    app.Initialise({});
    QVERIFY(app.OpenTemplateWindow());
    app.templateWindow()->reject();
    TemplateLibrary& library = TemplateLibrary::Instance();
    const int before = library.count();
    LeFile doc;
    test::AddText(doc, "Mine");
    QTemporaryDir home;
    QVERIFY(SaveAsTemplate(doc, home.path().toStdString() + "/no-such-install", "Zz My Own"));
    QVERIFY(library.changed);
    TemplateDialog browser(clock.clock());
    QVERIFY(!library.changed);
    QCOMPARE(library.count(), before + 1);
    bool found = false;
    for (int n = 0; n < library.count(); ++n) found = found || library.at(n).title == "Zz My Own";
    QVERIFY(found);
    app.Shutdown();
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
