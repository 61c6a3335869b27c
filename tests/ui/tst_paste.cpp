// Copy Object and Paste, between documents and from pictures; dropped files.

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "persist/project_file.h"
#include "persist/user_folders.h"
#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/object_clipboard.h"

using namespace qv;
using namespace qv::ui;

class PasteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void CopyAndPasteBetweenTwoDocuments();
    void KeysCopyAndPaste();
    void PasteOfAPictureMakesACustomBitmap();
    void DamagedRecordChangesNothing();
    void DroppedPicturesAndProjects();
};

void PasteTest::CopyAndPasteBetweenTwoDocuments() {
    test::FaultCapture faults;
    auto source = test::ShowEditor();
    test::AddText(source->lf, "Behind", 0, 0);
    LogoObj* o = test::AddText(source->lf, "Copied", 40, -30);
    o->lt.color = Hls{160, 240, 120};
    o->lt.transform = 1;
    o->lt.rotation = 0.125f;
    o->lt.outline = 1;
    source->Refresh();
    QVERIFY(source->Command(cmd::kCopyObject));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QString::fromLatin1(kObjectMimeType)));
    // And a picture of it alone for other programs.
    QImage png;
    QVERIFY(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
    QVERIFY(png.hasAlphaChannel());
    QCOMPARE(png.size(), QSize(o->w, o->h));
    // The source is untouched by copying.
    QCOMPARE(o->x, 40);

    auto target = test::ShowEditor();
    test::AddShape(target->lf, 0, 0);
    target->utrack.Reset(target->lf);
    target->Refresh();
    QVERIFY(target->Command(cmd::kPaste));
    QCOMPARE(target->lf.objs, 2);
    QCOMPARE(target->lf.cur, 1);
    const LogoObj& pasted = *target->lf.obj[1];
    QVERIFY(pasted.lt == o->lt);
    QCOMPARE(pasted.x, 40);
    QCOMPARE(pasted.y, -30);
    QCOMPARE(target->utrack.undoes, 1);
    // Pasted again, the copy moves off the first one so it shows.
    QVERIFY(target->Command(cmd::kPaste));
    QCOMPARE(target->lf.obj[2]->x, 50);
    QCOMPARE(target->lf.obj[2]->y, -20);
    QVERIFY(target->Command(cmd::kUndo));
    QCOMPARE(target->lf.objs, 2);
    QVERIFY(faults.faults.empty());
    QVERIFY(faults.messages.empty());
}

void PasteTest::KeysCopyAndPaste() {
    auto mw = test::ActiveEditor();
    LogoObj* shape = test::AddShape(mw->lf, -100, 0);
    test::AddShape(mw->lf, 100, 0);
    mw->lf.SetCurObj(0);
    mw->Refresh();
    mw->canvas()->setFocus();
    QTest::keyClick(mw->canvas(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(mw->lf.cur, 0);  // not Bring Closer
    QTest::keyClick(mw->canvas(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 3);
    QVERIFY(mw->lf.obj[2]->lt == shape->lt);
    QCOMPARE(mw->lf.obj[2]->x, -90);
    // The menu shows both keys.
    QVERIFY(mw->action(cmd::kCopyObject)->text().endsWith(QStringLiteral("\tCtrl+Shift+C")));
    QVERIFY(mw->action(cmd::kPaste)->text().endsWith(QStringLiteral("\tCtrl+V")));
}

void PasteTest::PasteOfAPictureMakesACustomBitmap() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Logo");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 40, 20, 255));
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    QApplication::clipboard()->setImage(picture);
    QVERIFY(mw->Command(cmd::kPaste));
    QCOMPARE(mw->lf.objs, 2);
    const LogoObj& o = *mw->lf.obj[mw->lf.cur];
    QCOMPARE(o.type, LogoObj::kCustom);
    QCOMPARE(o.w, 30);
    QCOMPARE(o.h, 20);
    // Kept in the user's data folder, so the project can refer to it.
    QVERIFY(QFileInfo::exists(QString::fromStdString(o.path)));
    QVERIFY(o.path.rfind(UserDataFolder() + "/pictures/", 0) == 0);
    QCOMPARE(o.cust.at(0, 0) >> 24, 0u);
    QCOMPARE(o.cust.at(5, 5), 0xFFC82814u);
    QCOMPARE(mw->utrack.undoes, 1);
    // A second paste does not overwrite the first picture's file.
    QVERIFY(mw->Command(cmd::kPaste));
    QVERIFY(mw->lf.obj[mw->lf.cur]->path != o.path);
    QVERIFY(faults.messages.empty());
    // A picture an import would refuse is not kept at all.
    QImage too_wide(16385, 1, QImage::Format_RGB32);
    too_wide.fill(Qt::white);
    QApplication::clipboard()->setImage(too_wide);
    QVERIFY(mw->Command(cmd::kPaste));
    QCOMPARE(mw->lf.objs, 3);
    QCOMPARE(faults.messages.size(), size_t(1));
    QVERIFY(faults.messages[0].find("on the clipboard is too large") != std::string::npos);
    // Nothing usable on the clipboard: nothing happens.
    QApplication::clipboard()->clear();
    QVERIFY(mw->Command(cmd::kPaste));
    QCOMPARE(mw->lf.objs, 3);
}

void PasteTest::DamagedRecordChangesNothing() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Kept");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    auto* data = new QMimeData;
    // A project's start with a count that runs past the end.
    QByteArray bytes(reinterpret_cast<const char*>(&kProjectMagic), 4);
    bytes.append(QByteArray("\x02\0\0\0\xff\xff\xff\x7f", 8));
    data->setData(QString::fromLatin1(kObjectMimeType), bytes);
    QApplication::clipboard()->setMimeData(data);
    QVERIFY(mw->Command(cmd::kPaste));
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->utrack.undoes, 0);
    QCOMPARE(faults.messages.size(), size_t(1));
    QCOMPARE(faults.messages[0], std::string(kPastedObjectDamagedMessage));
    QVERIFY(faults.faults.empty());
}

void PasteTest::DroppedPicturesAndProjects() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage picture(12, 8, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    const QString png = dir.filePath(QStringLiteral("dropped.png"));
    QVERIFY(picture.save(png));
    auto mw = test::ShowEditor();
    mw->utrack.Reset(mw->lf);
    mw->DropFiles({png, dir.filePath(QStringLiteral("notes.txt"))});
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kCustom);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("dropped"));
    QCOMPARE(mw->utrack.undoes, 1);

    // A project opens, after the question about the unsaved picture.
    LeFile project;
    test::AddText(project, "From the file");
    const QString kuz = dir.filePath(QStringLiteral("other.kuz"));
    QVERIFY(SaveProject(kuz.toStdString(), project));
    int asked = 0;
    SaveChoice answer = SaveChoice::kCancel;
    mw->SetPrompt([&](const QString&) {
        ++asked;
        return answer;
    });
    mw->DropFiles({kuz});
    QCOMPARE(asked, 1);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kCustom);  // cancelled: nothing lost
    answer = SaveChoice::kDiscard;
    mw->DropFiles({kuz});
    QCOMPARE(asked, 2);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("From the file"));
    QVERIFY(IsPicturePath(QStringLiteral("a/b.JPEG")));
    QVERIFY(!IsPicturePath(QStringLiteral("a/b.kuz")));
    QVERIFY(IsProjectPath(QStringLiteral("x.KUZ")));
    QVERIFY(faults.faults.empty());
}

QTEST_MAIN(PasteTest)
#include "tst_paste.moc"
