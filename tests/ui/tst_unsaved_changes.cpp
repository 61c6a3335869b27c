// Leaving a changed document asks first: Exit, the close box, New Blank Project, Load Project
// and New From Template. Save, Discard and Cancel each do what they say.

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "persist/project_file.h"
#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/command_ids.h"

using namespace qv;
using namespace qv::ui;

namespace {

// An editor whose questions are answered with `answer`, counting them.
struct Answered {
    std::unique_ptr<MainWindow> mw = test::ShowEditor();
    SaveChoice answer = SaveChoice::kCancel;
    QStringList asked;
    QStringList opened;
    QString open_result;
    QString save_result;
    int templates_offered = 0;
    LeFile template_doc;

    Answered() {
        mw->SetPrompt([this](const QString& name) {
            asked << name;
            return answer;
        });
        FileDialogs dialogs;
        dialogs.open = [this](QWidget*, const QString& title, const QString&) {
            opened << title;
            return open_result;
        };
        dialogs.save = [this](QWidget*, const QString&, const QString&, const QString&) {
            return save_result;
        };
        mw->SetFileDialogs(dialogs);
        mw->SetTemplateChooser([this]() -> const LeFile* {
            ++templates_offered;
            return &template_doc;
        });
        test::AddText(template_doc, "From a template");
    }

    void Change() {
        test::AddText(mw->lf, "Unsaved work");
        mw->TrackStep();
        mw->Refresh();
    }
};

}  // namespace

class UnsavedChangesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void NoQuestionWhileUnchanged();
    void CancelKeepsTheDocument_data();
    void CancelKeepsTheDocument();
    void DiscardGoesAhead();
    void SaveWritesTheFileFirst();
    void SaveAsCancelledStaysPut();
    void CloseBoxAsks();
    void ExitAsks();
    void UndoneBackToTheStartIsUnchanged();
    void SavingMakesItUnchanged();
    void FailedLoadKeepsTheFileName();
};

void UnsavedChangesTest::NoQuestionWhileUnchanged() {
    Answered a;
    a.mw->Command(cmd::kNewBlankProject);
    a.mw->Command(cmd::kNewFromTemplate);
    QVERIFY(a.asked.isEmpty());
    QCOMPARE(a.templates_offered, 1);
    QCOMPARE(a.mw->lf.objs, 1);
    // A template just chosen is no unsaved work either.
    QVERIFY(!a.mw->modified());
    a.mw->Command(cmd::kLoadProject);
    QVERIFY(a.asked.isEmpty());
    QCOMPARE(a.opened, QStringList{QStringLiteral("Load Logo Project File")});
}

void UnsavedChangesTest::CancelKeepsTheDocument_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("New Blank Project") << int(cmd::kNewBlankProject);
    QTest::newRow("New From Template") << int(cmd::kNewFromTemplate);
    QTest::newRow("Load Project") << int(cmd::kLoadProject);
    QTest::newRow("Exit") << int(cmd::kExit);
}

void UnsavedChangesTest::CancelKeepsTheDocument() {
    QFETCH(int, command);
    Answered a;
    a.Change();
    QSignalSpy closed(a.mw.get(), &MainWindow::Closed);
    a.mw->Command(command);
    QCOMPARE(a.asked, QStringList{QStringLiteral("New Logo Project")});
    QCOMPARE(a.mw->lf.objs, 1);
    QCOMPARE(a.mw->lf.obj[0]->lt.str, std::string("Unsaved work"));
    QCOMPARE(a.templates_offered, 0);
    QVERIFY(a.opened.isEmpty());
    QCOMPARE(closed.count(), 0);
    QVERIFY(a.mw->isVisible());
}

void UnsavedChangesTest::DiscardGoesAhead() {
    Answered a;
    a.answer = SaveChoice::kDiscard;
    a.Change();
    a.mw->Command(cmd::kNewBlankProject);
    QCOMPARE(a.asked.size(), 1);
    QCOMPARE(a.mw->lf.objs, 0);
    a.Change();
    a.mw->Command(cmd::kNewFromTemplate);
    QCOMPARE(a.asked.size(), 2);
    QCOMPARE(a.mw->lf.obj[0]->lt.str, std::string("From a template"));
}

void UnsavedChangesTest::SaveWritesTheFileFirst() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    const QString path = dir.filePath("Studio.kuz");
    Answered a;
    a.answer = SaveChoice::kSave;
    a.mw->SetDocName(path.toStdString());
    a.Change();
    a.mw->Command(cmd::kNewBlankProject);
    QCOMPARE(a.asked, QStringList{QStringLiteral("Studio.kuz")});
    QCOMPARE(a.mw->lf.objs, 0);
    LeFile saved;
    QVERIFY(LoadProject(path.toStdString(), saved));
    QCOMPARE(saved.objs, 1);
    QCOMPARE(saved.obj[0]->lt.str, std::string("Unsaved work"));
    QVERIFY(faults.messages.empty());
}

void UnsavedChangesTest::SaveAsCancelledStaysPut() {
    Answered a;
    a.answer = SaveChoice::kSave;
    a.save_result.clear();  // the Save As dialog is cancelled
    a.Change();
    a.mw->Command(cmd::kNewBlankProject);
    QCOMPARE(a.mw->lf.objs, 1);
    QVERIFY(a.mw->modified());
    // Given a name, the same answer saves there and goes ahead.
    QTemporaryDir dir;
    a.save_result = dir.filePath("named.kuz");
    a.mw->Command(cmd::kNewBlankProject);
    QCOMPARE(a.mw->lf.objs, 0);
    QVERIFY(QFile::exists(a.save_result));
}

void UnsavedChangesTest::CloseBoxAsks() {
    Answered a;
    a.Change();
    QSignalSpy closed(a.mw.get(), &MainWindow::Closed);
    QVERIFY(!a.mw->close());
    QVERIFY(a.mw->isVisible());
    QCOMPARE(closed.count(), 0);
    a.answer = SaveChoice::kDiscard;
    QVERIFY(a.mw->close());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(a.asked.size(), 2);
}

void UnsavedChangesTest::ExitAsks() {
    Answered a;
    a.answer = SaveChoice::kDiscard;
    a.Change();
    QSignalSpy closed(a.mw.get(), &MainWindow::Closed);
    a.mw->Command(cmd::kExit);
    // Asked once, not again by the close that follows.
    QCOMPARE(a.asked.size(), 1);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!a.mw->isVisible());
}

void UnsavedChangesTest::UndoneBackToTheStartIsUnchanged() {
    Answered a;
    a.Change();
    QVERIFY(a.mw->modified());
    a.mw->Command(cmd::kUndo);
    QVERIFY(!a.mw->modified());
    a.mw->Command(cmd::kNewBlankProject);
    QVERIFY(a.asked.isEmpty());
}

void UnsavedChangesTest::SavingMakesItUnchanged() {
    QTemporaryDir dir;
    Answered a;
    a.Change();
    a.save_result = dir.filePath("kept.kuz");
    a.mw->Command(cmd::kSaveProjectAs);
    QVERIFY(!a.mw->modified());
    QCOMPARE(a.mw->windowTitle(), QStringLiteral("Qorvan Logo: kept.kuz"));
    a.mw->Command(cmd::kNewBlankProject);
    QVERIFY(a.asked.isEmpty());
    QCOMPARE(a.mw->windowTitle(), QStringLiteral("Qorvan Logo: New Logo Project"));
    // Loading it back is unchanged again.
    a.open_result = dir.filePath("kept.kuz");
    a.mw->Command(cmd::kLoadProject);
    QCOMPARE(a.mw->lf.objs, 1);
    QVERIFY(!a.mw->modified());
    QCOMPARE(a.mw->windowTitle(), QStringLiteral("Qorvan Logo: kept.kuz"));
}

void UnsavedChangesTest::FailedLoadKeepsTheFileName() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    const QString good = dir.filePath("good.kuz");
    const QString bad = dir.filePath("bad.kuz");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("garbage, not a project");
    file.close();
    Answered a;
    a.mw->SetDocName(good.toStdString());
    a.open_result = bad;
    a.mw->Command(cmd::kLoadProject);
    QCOMPARE(faults.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(a.mw->docName()), good);
    QVERIFY(faults.faults.empty());
}

QTEST_MAIN(UnsavedChangesTest)
#include "tst_unsaved_changes.moc"
