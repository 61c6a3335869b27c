// The enabling table, the option-bar captions, the Window popup and the object menu.

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/command_ids.h"
#include "ui/menu_state.h"
#include "ui/skin_button.h"

using namespace qv;
using namespace qv::ui;

namespace {

// The Edit and Object items and the buttons in one row, for comparing against a table.
QString EnabledRow(MainWindow& mw) {
    QString row;
    for (int id : {cmd::kUndo, cmd::kRedo, cmd::kSolidColor, cmd::kGradientColor1,
                   cmd::kGradientColor2, cmd::kOutlineColor, cmd::kShadowColor,
                   cmd::kBackgroundColor, cmd::kRemoveObject, cmd::kDuplicateObject,
                   cmd::kBringCloser, cmd::kBringToFront, cmd::kSendFarther, cmd::kSendToBack}) {
        row += mw.action(id)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    row += QLatin1Char(' ');
    row += mw.currentObjectButton()->enabledFlag() ? QLatin1Char('1') : QLatin1Char('0');
    row += mw.previousObjectButton()->enabledFlag() ? QLatin1Char('1') : QLatin1Char('0');
    row += mw.nextObjectButton()->enabledFlag() ? QLatin1Char('1') : QLatin1Char('0');
    for (int k = 0; k < 5; ++k)
        row += mw.barButton(k)->enabledFlag() ? QLatin1Char('1') : QLatin1Char('0');
    return row;
}

QString Captions(MainWindow& mw) {
    QStringList c;
    for (int k = 0; k < 5; ++k) c << mw.barButton(k)->text();
    return c.join(QLatin1Char('|'));
}

QStringList WindowTexts(MainWindow& mw) {
    QStringList texts;
    for (QAction* a : mw.popup(3)->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

}  // namespace

class MenuStateTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void EditMenuEnabling_data();
    void EditMenuEnabling();
    void CustomBitmapKeepsCaptions();
    void WindowEntryLength_data();
    void WindowEntryLength();
    void WindowMenuIdsAndSeparators();
    void WindowEntryOpensBarOfObject_data();
    void WindowEntryOpensBarOfObject();
    void ColorsBarFollowsGradient();
    void InvalidBarNumberIsReported();
    void BarButtonTooltips();
    void ObjectMenuMakesEntryCurrent();
};

void MenuStateTest::EditMenuEnabling_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("captions");
    // Undo Redo Solid Grad1 Grad2 Outline Shadow Background Remove Duplicate Closer Front
    // Farther Back, then Current Previous Next and the five bar buttons.
    QTest::newRow("no objects") << ""
                                << "00000000000000 00000000"
                                << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("no objects, undo and redo")
        << "undo redo"
        << "11000000000000 00000000"
        << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("one text object") << "T"
                                     << "00100001110000 10011111"
                                     << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("one shape") << "S"
                               << "00100001110000 10011111"
                               << "Image...|Shape...|Effects...|Gradient...|Colors...";
    QTest::newRow("gradient, outline, shadow")
        << "T grad outline shadow"
        << "00011111110000 10011111"
        << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("custom bitmap current")
        << "C"
        << "00000001110000 10000000"
        << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("first of three") << "T T T first"
                                    << "00100001111100 10111111"
                                    << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("last of three") << "T T T"
                                   << "00100001110011 11011111"
                                   << "Text...|Effects...|Gradient...|Transform...|Colors...";
    QTest::newRow("middle of three") << "T T T middle"
                                     << "00100001111111 11111111"
                                     << "Text...|Effects...|Gradient...|Transform...|Colors...";
}

void MenuStateTest::EditMenuEnabling() {
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    QFETCH(QString, captions);
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    QTemporaryDir dir;
    const QStringList words = setup.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& w : words) {
        if (w == "T") test::AddText(mw->lf, "Logo");
        if (w == "S") test::AddShape(mw->lf);
        if (w == "C") {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::red);
            const QString path = dir.filePath("picture.png");
            QVERIFY(picture.save(path));
            QVERIFY(mw->lf.AddObj(LogoObj::kCustom, path.toUtf8().constData(), "picture"));
        }
        if (w == "grad") mw->lf.GetCurObj()->lt.grad = 1;
        if (w == "outline") mw->lf.GetCurObj()->lt.outline = 1;
        if (w == "shadow") mw->lf.GetCurObj()->lt.shadow = 1;
        if (w == "first") mw->lf.SetCurObj(0);
        if (w == "middle") mw->lf.SetCurObj(1);
    }
    if (words.contains("undo")) {
        mw->utrack.Track(mw->lf);
        mw->utrack.Track(mw->lf);
        mw->utrack.Undo(mw->lf);
    }
    mw->UpdateEditMenu();
    QCOMPARE(EnabledRow(*mw), expected);
    QCOMPARE(Captions(*mw), captions);
    QVERIFY(faults.faults.empty());
}

void MenuStateTest::CustomBitmapKeepsCaptions() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    QTemporaryDir dir;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString path = dir.filePath("b.png");
    QVERIFY(picture.save(path));
    test::AddShape(mw->lf);
    mw->UpdateEditMenu();
    QVERIFY(mw->lf.AddObj(LogoObj::kCustom, path.toUtf8().constData(), "b"));
    mw->UpdateEditMenu();
    // The shape's captions stay; only the buttons go grey.
    QCOMPARE(Captions(*mw), QStringLiteral("Image...|Shape...|Effects...|Gradient...|Colors..."));
    QVERIFY(!mw->barButton(0)->enabledFlag());
}

void MenuStateTest::WindowEntryLength_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("entry");
    QTest::newRow("24 characters, shown whole") << 24 << "Text: ABCDEFGHIJKLMNOPQRSTUVWX";
    QTest::newRow("25 characters, cut") << 25 << "Text: ABCDEFGHIJKLMNOPQRST ...";
    QTest::newRow("short") << 4 << "Text: ABCD";
}

void MenuStateTest::WindowEntryLength() {
    QFETCH(int, length);
    QFETCH(QString, entry);
    auto mw = test::ShowEditor();
    const std::string text = std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, size_t(length));
    test::AddText(mw->lf, text.c_str());
    mw->UpdateWndMenu();
    QCOMPARE(WindowTexts(*mw).first(), entry);
    QCOMPARE(QString::fromStdString(FitWindowEntry("Text: " + text)), entry);
}

void MenuStateTest::WindowMenuIdsAndSeparators() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    QTemporaryDir dir;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = dir.filePath("c.png");
    QVERIFY(picture.save(path));
    test::AddText(mw->lf, "One");
    QVERIFY(mw->lf.AddObj(LogoObj::kCustom, path.toUtf8().constData(), "c"));  // goes to the back
    test::AddShape(mw->lf);
    mw->UpdateWndMenu();
    const QString shape = QString::fromStdString(mw->lf.obj[2]->lt.str);
    const QStringList expected = {
        "Text: One",       "Effects: One",    "Gradient: One",     "Transform: One",     "-",
        "Image: " + shape, "Shape: " + shape, "Effects: " + shape, "Gradient: " + shape, "-",
        "Logo &Image..."};
    QCOMPARE(WindowTexts(*mw), expected);
    // The custom bitmap is object 0 and has no entries; the text is object 1, the shape 2.
    QList<int> ids;
    for (QAction* a : mw->popup(3)->actions()) {
        if (!a->isSeparator()) ids << a->data().toInt();
    }
    QCOMPARE(ids,
             (QList<int>{40010, 40011, 40012, 40013, 40020, 40021, 40022, 40023, cmd::kLogoImage}));
    QVERIFY(faults.faults.empty());
}

void MenuStateTest::WindowEntryOpensBarOfObject_data() {
    QTest::addColumn<bool>("image");
    QTest::addColumn<int>("bar");
    QTest::newRow("text object: Transform") << false << int(OptionBar::kTransform);
    QTest::newRow("image object: Gradient") << true << int(OptionBar::kGradient);
}

void MenuStateTest::WindowEntryOpensBarOfObject() {
    QFETCH(bool, image);
    QFETCH(int, bar);
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "zero");
    test::AddText(mw->lf, "one");
    if (image) {
        test::AddShape(mw->lf);
    } else {
        test::AddText(mw->lf, "two");
    }
    test::AddText(mw->lf, "three");
    mw->lf.SetCurObj(0);
    mw->Refresh();
    QSignalSpy requested(mw.get(), &MainWindow::BarRequested);
    QVERIFY(mw->Command(40023));
    QCOMPARE(mw->lf.cur, 2);
    QVERIFY(mw->lastBarRequest().has_value());
    QCOMPARE(int(mw->lastBarRequest()->bar), bar);
    QCOMPARE(mw->lastBarRequest()->object, 2);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.first().at(0).toInt(), bar);
    QCOMPARE(requested.first().at(1).toInt(), 2);
    QVERIFY(faults.faults.empty());
}

void MenuStateTest::ColorsBarFollowsGradient() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "plain");
    QCOMPARE(mw->ObjectCmd(4), 0);
    QCOMPARE(int(mw->lastBarRequest()->bar), int(OptionBar::kColors));
    QCOMPARE(mw->lastBarRequest()->slot, 0);
    mw->lf.GetCurObj()->lt.grad = 1;
    mw->ObjectCmd(4);
    QCOMPARE(mw->lastBarRequest()->slot, 1);
    // The option-bar buttons run the same commands: 1107 for a text object is Effects.
    mw->Refresh();
    QTest::mousePress(mw->barButton(1), Qt::LeftButton);
    QCOMPARE(int(mw->lastBarRequest()->bar), int(OptionBar::kEffects));
}

void MenuStateTest::InvalidBarNumberIsReported() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "x");
    mw->ObjectCmd(5);
    QCOMPARE(faults.faults.size(), size_t(1));
    QCOMPARE(faults.FailedExpression(), std::string("invalid OnWindowCmd obj->type"));
    QCOMPARE(faults.faults[0].code, 0);
    QVERIFY(!mw->lastBarRequest().has_value());
}

void MenuStateTest::BarButtonTooltips() {
    QCOMPARE(BarButtonTooltip(QStringLiteral("Effects...")),
             QStringLiteral("Current Object: Effects"));
    auto mw = test::ShowEditor();
    test::AddShape(mw->lf);
    mw->UpdateEditMenu();
    QCOMPARE(mw->barButton(1)->toolTip(), QStringLiteral("Current Object: Shape"));
    QCOMPARE(mw->currentObjectButton()->toolTip(), QStringLiteral("Current Logo Object"));
    QCOMPARE(mw->previousObjectButton()->toolTip(), QStringLiteral("Previous Logo Object"));
    QCOMPARE(mw->nextObjectButton()->toolTip(), QStringLiteral("Next Logo Object"));
}

void MenuStateTest::ObjectMenuMakesEntryCurrent() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Words");
    test::AddShape(mw->lf);
    const std::vector<WindowEntry> entries = ObjectMenuEntries(mw->lf);
    QCOMPARE(entries.size(), size_t(2));
    QCOMPARE(entries[0].text, std::string("Words (Text)"));
    QCOMPARE(entries[1].text, mw->lf.obj[1]->lt.str + " (Image)");
    QCOMPARE(entries[1].id, 50101);
    const int undoes = mw->utrack.undoes;
    mw->ObjectMenu(QPoint(), 50100);
    QCOMPARE(mw->lf.cur, 0);
    QCOMPARE(mw->utrack.undoes, undoes + 1);
    QVERIFY(!mw->currentObjectButton()->pressed());
    QVERIFY(faults.faults.empty());
}

QTEST_MAIN(MenuStateTest)
#include "tst_menu_state.moc"
