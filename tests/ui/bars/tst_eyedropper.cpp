// The Colors bar's eyedropper and paste into its fields.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>

#include "document/colour_model.h"
#include "document/logo_obj.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/color_bar.h"
#include "ui/canvas_view.h"
#include "ui/colour/colour_controls.h"
#include "ui/colour/colour_math.h"

using namespace qv;
using namespace qv::ui;

class EyedropperTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void PicksTheColourShownOnTheCanvas();
    void PasteIntoTheHexField();
};

void EyedropperTest::PicksTheColourShownOnTheCanvas() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Pick", 0, 0);
    mw->lf.bgc = RgbToHls(40.0f, 160.0f, 90.0f);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditColor(0);
    auto* bar = qobject_cast<ColorBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    CanvasView* canvas = mw->canvas();
    QVERIFY(!canvas->picking());
    bar->eyedropper()->click();
    QVERIFY(canvas->picking());
    QCOMPARE(canvas->cursor().shape(), Qt::CrossCursor);
    // An empty spot of the logo shows the background colour.
    const QPoint spot = test::CanvasPoint(canvas, 0, -mw->lf.ob.dh / 2 + 3);
    const Rgb8 expected = ToBytesClamped(HlsToRgb(mw->lf.bgc));
    test::SendMouse(canvas, QEvent::MouseButtonPress, spot);
    test::SendMouse(canvas, QEvent::MouseButtonRelease, spot);
    QVERIFY(!canvas->picking());
    QVERIFY(!bar->eyedropper()->isChecked());
    // Exactly those values in the fields; the colour model keeps them within one step.
    const std::array<int, 3> fields = bar->controls()->storedRgb();
    QCOMPARE(fields[0], int(expected.r));
    QCOMPARE(fields[1], int(expected.g));
    QCOMPARE(fields[2], int(expected.b));
    const Rgb8 got = ShownRgb(o->lt.color);
    QVERIFY(qAbs(int(got.r) - int(expected.r)) <= 1 && qAbs(int(got.g) - int(expected.g)) <= 1 &&
            qAbs(int(got.b) - int(expected.b)) <= 1);
    // The click picked: it neither selected nor moved anything.
    QVERIFY(!canvas->dragging());
    QCOMPARE(o->x, 0);
    // Armed and then the bar closed: the canvas is back to normal.
    bar->eyedropper()->click();
    test::ClickButton(bar, "ok");
    QVERIFY(!canvas->picking());
}

void EyedropperTest::PasteIntoTheHexField() {
    auto mw = test::ActiveEditor();
    LogoObj* o = test::AddText(mw->lf, "Paste", 0, 0);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditColor(0);
    auto* bar = qobject_cast<ColorBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QApplication::clipboard()->setText(QStringLiteral("#1a73e8"));
    QLineEdit* hex = bar->controls()->hexEdit();
    hex->setFocus();
    hex->selectAll();
    QTest::keyClick(hex, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(hex->text(), QStringLiteral("#1a73e8"));
    QCOMPARE(bar->controls()->storedRgb(), (std::array<int, 3>{0x1a, 0x73, 0xe8}));
    const Rgb8 got = ShownRgb(o->lt.color);
    QVERIFY(qAbs(int(got.r) - 0x1a) <= 1 && qAbs(int(got.g) - 0x73) <= 1 &&
            qAbs(int(got.b) - 0xe8) <= 1);
    // And into a channel's field.
    QApplication::clipboard()->setText(QStringLiteral("200"));
    QLineEdit* red = bar->controls()->rgbEdit(0);
    red->setFocus();
    red->selectAll();
    QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
    bar->controls()->PollEdits();
    QCOMPARE(bar->controls()->storedRgb()[0], 200);
    test::ClickButton(bar, "ok");
}

QTEST_MAIN(EyedropperTest)
#include "tst_eyedropper.moc"
