// The canvas's keyboard, zoom, selection box, snapping, alignment and the status line.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

#include "output/logo_export.h"
#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/object_preview.h"
#include "ui/pixels.h"
#include "ui/text_box.h"

using namespace qv;
using namespace qv::ui;
using test::CanvasPoint;
using test::SendMouse;

namespace {

// A click as the user makes it: the canvas takes the keyboard (as the window system's click
// gives it), then press and release on the same logo point.
void ClickAt(CanvasView* canvas, int x, int y) {
    canvas->setFocus(Qt::MouseFocusReason);
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, x, y));
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, x, y));
}

void AltMove(QWidget* widget, const QPoint& pos) {
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                      Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    QCoreApplication::sendEvent(widget, &event);
}

}  // namespace

class CanvasKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void ClickLeavesTheKeyboardOnTheCanvas();
    void ArrowsNudgeAsOneUndoStepPerBurst();
    void DeleteAndBackspaceRemove_data();
    void DeleteAndBackspaceRemove();
    void TabGoesThroughTheObjects();
    void PrintableKeyGoesIntoTheTextBox();
    void KeysDoNothingWhileABarIsOpen();

    void ZoomKeysAndBox();
    void ZoomedClickAndDragWorkInLogoUnits();
    void ZoomedViewScrollsAndPans();
    void HundredPercentIsTheLogoBufferItself();
    void RatioTwoIsATrueDoubleRender();
    void ZoomedCompositionIsSharp();
    void PreviewAtRatioTwoIsSharp();

    void SelectionBoxIsOnScreenOnly();
    void DragSnapsWithAGuideAndAltDisablesIt();
    void AlignEntriesAreOneStepEach();
    void StatusLineShowsPositionAndSize();
};

void CanvasKeysTest::ClickLeavesTheKeyboardOnTheCanvas() {
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "Left", -200, 0);
    test::AddText(mw->lf, "Right", 200, 0);
    mw->Refresh();
    ClickAt(mw->canvas(), -200, 0);
    QCOMPARE(mw->lf.cur, 0);
    QVERIFY(mw->canvas()->hasFocus());
    QVERIFY(!mw->textBox()->hasFocus());
    // The text box shows the clicked text all the same.
    QCOMPARE(mw->textBox()->text(), QStringLiteral("Left"));
}

void CanvasKeysTest::ArrowsNudgeAsOneUndoStepPerBurst() {
    test::FaultCapture faults;
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "Nudge", 10, 20);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    ClickAt(canvas, 10, 20);
    const int steps = mw->utrack.undoes;
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Up);
    QTest::keyClick(canvas, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    const LogoObj& o = *mw->lf.obj[0];
    QCOMPARE(o.x, 10 + 2 - 10);
    QCOMPARE(o.y, 20 - 1 + 20);
    QVERIFY(canvas->hasFocus());
    // The burst becomes one step when it ends (here: the next command).
    QCOMPARE(mw->utrack.undoes, steps);
    mw->FlushTyping();
    QCOMPARE(mw->utrack.undoes, steps + 1);
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.obj[0]->x, 10);
    QCOMPARE(mw->lf.obj[0]->y, 20);
    // A nudge far beyond the edge is held inside the logo area, as a drag is.
    for (int k = 0; k < 200; ++k) QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier);
    const int w = canvas->width() - CanvasView::OUT_WND_MRG;
    QCOMPARE(mw->lf.obj[0]->x, w - w / 2);
    QVERIFY(faults.faults.empty());
}

void CanvasKeysTest::DeleteAndBackspaceRemove_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Delete") << int(Qt::Key_Delete);
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
}

void CanvasKeysTest::DeleteAndBackspaceRemove() {
    QFETCH(int, key);
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "Stays", -200, 0);
    test::AddText(mw->lf, "Goes", 200, 0);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    ClickAt(mw->canvas(), 200, 0);
    QTest::keyClick(mw->canvas(), Qt::Key(key));
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Stays"));
    QVERIFY(mw->canvas()->hasFocus());
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.objs, 2);
}

void CanvasKeysTest::TabGoesThroughTheObjects() {
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "A", -200, 0);
    test::AddShape(mw->lf, 0, 0);
    test::AddText(mw->lf, "C", 200, 0);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    ClickAt(canvas, -200, 0);
    QCOMPARE(mw->lf.cur, 0);
    QTest::keyClick(canvas, Qt::Key_Tab);
    QCOMPARE(mw->lf.cur, 1);
    QTest::keyClick(canvas, Qt::Key_Tab);
    QCOMPARE(mw->lf.cur, 2);
    QTest::keyClick(canvas, Qt::Key_Tab);
    QCOMPARE(mw->lf.cur, 0);  // round again
    QTest::keyClick(canvas, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(mw->lf.cur, 2);
    QVERIFY(canvas->hasFocus());
    QCOMPARE(mw->textBox()->text(), QStringLiteral("C"));
}

void CanvasKeysTest::PrintableKeyGoesIntoTheTextBox() {
    auto mw = test::ActiveEditor();
    test::AddShape(mw->lf, -200, 0);
    test::AddText(mw->lf, "BLUE", 200, 0);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    // On a shape a letter does nothing.
    ClickAt(canvas, -200, 0);
    QTest::keyClick(canvas, Qt::Key_X, Qt::NoModifier);
    QVERIFY(canvas->hasFocus());
    ClickAt(canvas, 200, 0);
    QTest::keyClicks(canvas, QStringLiteral("S"));
    QVERIFY(mw->textBox()->hasFocus());
    QTest::keyClicks(mw->textBox(), QStringLiteral(" HERON"));
    QCOMPARE(mw->lf.obj[1]->lt.str, std::string("BLUES HERON"));
    QCOMPARE(mw->textBox()->text(), QStringLiteral("BLUES HERON"));
}

void CanvasKeysTest::KeysDoNothingWhileABarIsOpen() {
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "Locked");
    mw->Refresh();
    ClickAt(mw->canvas(), 0, 0);
    mw->PreBarModal(-1);
    QTest::keyClick(mw->canvas(), Qt::Key_Right);
    QTest::keyClick(mw->canvas(), Qt::Key_Delete);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->x, 0);
    mw->PostBarModal(false);
}

void CanvasKeysTest::ZoomKeysAndBox() {
    auto mw = test::ActiveEditor();
    test::AddText(mw->lf, "Zoom", 0, 0);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(canvas->zoom(), 1.25);
    QTest::keyClick(canvas, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(canvas->zoom(), 1.5);
    QCOMPARE(mw->zoomBox()->currentText(), QStringLiteral("150 %"));
    QTest::keyClick(canvas, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(canvas->zoom(), 1.25);
    QTest::keyClick(canvas, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(canvas->zoom(), 1.0);
    // Fit: the text's box fills the view.
    QTest::keyClick(canvas, Qt::Key_0, Qt::ControlModifier);
    const LogoObj& o = *mw->lf.obj[0];
    const double fit = canvas->zoom();
    QVERIFY(fit > 1.0);
    QVERIFY(o.w * fit <= canvas->width() && o.h * fit <= canvas->height());
    QVERIFY(o.w * (fit + 0.02) > canvas->width() - 20 || o.h * (fit + 0.02) > canvas->height() - 20);
    // Ctrl+wheel about the cursor; the box takes typed percentages.
    QWheelEvent wheel(QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    canvas->SetZoom(1.0);
    QCoreApplication::sendEvent(canvas, &wheel);
    QCOMPARE(canvas->zoom(), 1.25);
    mw->zoomBox()->setCurrentText(QStringLiteral("400"));
    emit mw->zoomBox()->textActivated(QStringLiteral("400"));
    QCOMPARE(canvas->zoom(), 4.0);
    emit mw->zoomBox()->textActivated(QStringLiteral("5000 %"));
    QCOMPARE(canvas->zoom(), 8.0);
    emit mw->zoomBox()->textActivated(QStringLiteral("nonsense"));
    QCOMPARE(canvas->zoom(), 8.0);
    QCOMPARE(mw->zoomBox()->currentText(), QStringLiteral("800 %"));
}

void CanvasKeysTest::ZoomedClickAndDragWorkInLogoUnits() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Left", -100, 0);
    test::AddText(mw->lf, "Far right", 300, 100);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    canvas->SetZoom(4.0, CanvasPoint(canvas, 0, 0));
    QCOMPARE(canvas->zoom(), 4.0);
    // Logo point (-100, 0) is now 400 pixels left of the centre.
    const QPoint on_left = CanvasPoint(canvas, -400, 0);
    SendMouse(canvas, QEvent::MouseButtonPress, on_left);
    QCOMPARE(mw->lf.cur, 0);
    QVERIFY(canvas->dragging());
    // 100 pixels down is 25 logo units; Alt keeps the snap out of it.
    AltMove(canvas, on_left + QPoint(40, 100));
    SendMouse(canvas, QEvent::MouseButtonRelease, on_left + QPoint(40, 100));
    QCOMPARE(mw->lf.obj[0]->x, -90);
    QCOMPARE(mw->lf.obj[0]->y, 25);
    QCOMPARE(mw->utrack.undoes, 1);
}

void CanvasKeysTest::ZoomedViewScrollsAndPans() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Wide logo text", 0, 0);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    QVERIFY(!canvas->horizontalBar()->isVisible());
    canvas->SetZoom(4.0);
    QVERIFY(canvas->horizontalBar()->isVisible());
    QVERIFY(canvas->verticalBar()->isVisible());
    const int limit = canvas->horizontalBar()->maximum();
    QVERIFY(limit > 0);
    canvas->horizontalBar()->setValue(limit);
    QCOMPARE(canvas->mapping().scroll_x, limit);
    const int scroll_y = canvas->mapping().scroll_y;
    // A middle drag pans; the scroll stays within its limits.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(500, 300), QPointF(500, 300),
                      Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(600, 330), QPointF(600, 330), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(600, 330), QPointF(600, 330),
                        Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &release);
    QCOMPARE(canvas->mapping().scroll_x, limit - 100);
    QCOMPARE(canvas->mapping().scroll_y, scroll_y - 30);
    QVERIFY(!canvas->dragging());
    // Space held and a left drag pan too.
    canvas->setFocus();
    QTest::keyPress(canvas, Qt::Key_Space);
    SendMouse(canvas, QEvent::MouseButtonPress, QPoint(500, 300));
    SendMouse(canvas, QEvent::MouseMove, QPoint(450, 300));
    SendMouse(canvas, QEvent::MouseButtonRelease, QPoint(450, 300));
    QTest::keyRelease(canvas, Qt::Key_Space);
    QCOMPARE(canvas->mapping().scroll_x, limit - 50);
    QCOMPARE(mw->lf.obj[0]->x, 0);
    // Back at 100 % the view no longer scrolls.
    canvas->SetZoom(1.0);
    QCOMPARE(canvas->mapping().scroll_x, 0);
    QVERIFY(!canvas->horizontalBar()->isVisible());
}

void CanvasKeysTest::HundredPercentIsTheLogoBufferItself() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Exact", -60, 10);
    test::AddShape(mw->lf, 120, -30);
    mw->lf.cur = -1;  // no selection box over it
    mw->UpdateOutWnd();
    CanvasView* canvas = mw->canvas();
    const LogoBuffers& ob = mw->lf.ob;
    const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int x1 = canvas->width() / 2 - ob.dw / 2, y1 = canvas->height() / 2 - ob.dh / 2;
    // Inside the 1-pixel frame every pixel is the logo buffer's.
    for (int y = 1; y < ob.dh - 1; ++y) {
        for (int x = 1; x < ob.dw - 1; ++x) {
            if ((shown.pixel(x1 + x, y1 + y) & 0xFFFFFF) != ob.dta.at(x, y)) {
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
            }
        }
    }
    // And after a zoom there and back.
    canvas->SetZoom(4.0);
    canvas->SetZoom(1.0);
    QCOMPARE(canvas->ShownLogo(), BufferImage(ob.dta));
}

void CanvasKeysTest::RatioTwoIsATrueDoubleRender() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    LogoObj* t = test::AddText(mw->lf, "Sharp", -40, 10);
    t->lt.outline = 1;
    t->lt.shadow = 1;
    test::AddShape(mw->lf, 150, -20);
    mw->UpdateOutWnd();
    CanvasView* canvas = mw->canvas();
    canvas->SetPixelRatioOverride(2.0);
    const QImage shown = canvas->ShownLogo();
    const LogoBuffers& ob = mw->lf.ob;
    QCOMPARE(shown.size(), QSize(2 * ob.dw, 2 * ob.dh));
    // Exactly what an export at 200 % of the same area draws.
    PixelBuffer twice;
    QVERIFY(twice.Allocate(2 * ob.dw, 2 * ob.dh));
    Export(mw->lf, twice.data(), twice.width(), twice.height(), 2.0f);
    QCOMPARE(shown, BufferImage(twice));
    // Not the 100 % pixels doubled: edges are finer.
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) != ob.dta.at(x / 2, y / 2)) ++differing;
        }
    }
    QVERIFY2(differing > 1000, qPrintable(QString::number(differing)));
    // Kept rasters follow every change: a colour and a shadow offset (blit only), the effects'
    // strength and the text (rendered again).
    const auto same_as_export = [&] {
        mw->UpdateOutWnd();
        const QImage again = canvas->ShownLogo();
        PixelBuffer fresh;
        if (!fresh.Allocate(2 * mw->lf.ob.dw, 2 * mw->lf.ob.dh)) return false;
        Export(mw->lf, fresh.data(), fresh.width(), fresh.height(), 2.0f);
        return again == BufferImage(fresh);
    };
    t->lt.color = Hls{80, 200, 100};
    t->lt.shadow_distance = 12;
    QVERIFY(same_as_export());
    t->lt.strength = 7;
    QVERIFY(same_as_export());
    t->lt.str = "Sharper";
    QVERIFY(same_as_export());
    canvas->grab();  // painting at ratio 2 works
    canvas->SetPixelRatioOverride(0);
    QVERIFY(faults.faults.empty());
}

void CanvasKeysTest::ZoomedCompositionIsSharp() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Sharp", 0, 0);
    mw->UpdateOutWnd();
    CanvasView* canvas = mw->canvas();
    canvas->SetZoom(4.0);
    const QImage shown = canvas->ShownLogo();
    const LogoBuffers& ob = mw->lf.ob;
    QCOMPARE(shown.size(), QSize(4 * ob.dw, 4 * ob.dh));
    PixelBuffer four;
    QVERIFY(four.Allocate(4 * ob.dw, 4 * ob.dh));
    Export(mw->lf, four.data(), four.width(), four.height(), 4.0f);
    QCOMPARE(shown, BufferImage(four));
    // The window of the view is a part of the same picture.
    const QImage grabbed = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint centre = CanvasPoint(canvas, 0, 0);
    const QPoint in_logo(shown.width() / 2, shown.height() / 2);
    for (int d = -40; d <= 40; d += 8) {
        QCOMPARE(grabbed.pixel(centre.x() + d, centre.y() + 3) & 0xFFFFFF,
                 shown.pixel(in_logo.x() + d, in_logo.y() + 3) & 0xFFFFFF);
    }
}

void CanvasKeysTest::PreviewAtRatioTwoIsSharp() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Ab", 0, 0);
    mw->Refresh();
    ObjectPreview* preview = mw->preview();
    const LogoBuffers& ob = mw->lf.ob;
    QCOMPARE(preview->ShownPreview(), BufferView(ob.cdta));
    preview->SetPixelRatioOverride(2.0);
    const QImage shown = preview->ShownPreview();
    QCOMPARE(shown.size(), QSize(2 * ob.cdw, 2 * ob.cdh));
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    // The object at twice the size, on the same checkerboard: the corner square is the
    // preview's first colour, and the text's edges are finer than doubled pixels.
    QCOMPARE(shown.pixel(0, 0) & 0xFFFFFF, kPreviewChessA);
    QCOMPARE(shown.pixel(15, 15) & 0xFFFFFF, kPreviewChessA);
    QCOMPARE(shown.pixel(16, 0) & 0xFFFFFF, kPreviewChessB);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) != ob.cdta.at(x / 2, y / 2)) ++differing;
        }
    }
    QVERIFY2(differing > 100, qPrintable(QString::number(differing)));
    preview->grab();
    preview->SetPixelRatioOverride(0);
}

void CanvasKeysTest::SelectionBoxIsOnScreenOnly() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Boxed", 0, 0);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    const LogoObj& o = *mw->lf.obj[0];
    const QImage before = BufferImage(mw->lf.ob.dta);
    const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The box's top edge runs along the object's top row: dark dashes and white between.
    const QPoint corner = CanvasPoint(canvas, o.x - o.w / 2, o.y - o.h / 2);
    int dark = 0, white = 0;
    for (int x = corner.x(); x < corner.x() + o.w; ++x) {
        const QRgb p = shown.pixel(x, corner.y());
        if (p == qRgb(40, 60, 80)) ++dark;
        if (p == qRgb(255, 255, 255)) ++white;
    }
    QVERIFY(dark > o.w / 4 && white > o.w / 4);
    // The logo buffer, and so the clipboard and the exports, never get it.
    QCOMPARE(BufferImage(mw->lf.ob.dta), before);
    const PixelBuffer copy = CopyLogoImage(mw->lf);
    for (int x = 0; x < copy.width(); ++x) QVERIFY(copy.at(x, 0) != RGB_MAKE(40, 60, 80));
}

void CanvasKeysTest::DragSnapsWithAGuideAndAltDisablesIt() {
    auto mw = test::ShowEditor();
    // Of one width, so that their edges line up with their centres.
    test::AddText(mw->lf, "Twin", -150, -100);
    test::AddText(mw->lf, "Twin", 200, 100);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, 200, 100));
    // Four pixels off the anchor's centre column: snapped onto it, with its guide.
    SendMouse(canvas, QEvent::MouseMove, CanvasPoint(canvas, -146, 150));
    QCOMPARE(mw->lf.obj[1]->x, -150);
    QVERIFY(canvas->guideX().has_value());
    const LogoObj& anchor = *mw->lf.obj[0];
    const int left = -150 - anchor.w / 2;
    QVERIFY(*canvas->guideX() == left || *canvas->guideX() == -150 ||
            *canvas->guideX() == left + anchor.w);
    // Alt held: exactly where the cursor puts it.
    AltMove(canvas, CanvasPoint(canvas, -146, 150));
    QCOMPARE(mw->lf.obj[1]->x, -146);
    QVERIFY(!canvas->guideX().has_value());
    // Near the horizontal centre line.
    SendMouse(canvas, QEvent::MouseMove, CanvasPoint(canvas, 300, 3));
    QCOMPARE(mw->lf.obj[1]->y, 0);
    QCOMPARE(*canvas->guideY(), 0);
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, 300, 3));
    QVERIFY(!canvas->guideY().has_value());
    QCOMPARE(mw->lf.obj[1]->y, 0);
}

void CanvasKeysTest::AlignEntriesAreOneStepEach() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Align me", 37, -21);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    // Without a fixed canvas only the centring entries are there.
    QVERIFY(mw->action(cmd::kAlignCentreH)->isEnabled());
    QVERIFY(!mw->action(cmd::kAlignLeft)->isEnabled());
    QVERIFY(!mw->Command(cmd::kAlignLeft));
    QVERIFY(mw->Command(cmd::kAlignCentreH));
    QCOMPARE(o->x, 0);
    QCOMPARE(o->y, -21);
    QCOMPARE(mw->utrack.undoes, 1);
    QVERIFY(mw->Command(cmd::kAlignCentreV));
    QCOMPARE(o->y, 0);
    QCOMPARE(mw->utrack.undoes, 2);
    o->x = 5;
    o->y = 6;
    QVERIFY(mw->Command(cmd::kAlignCentreBoth));
    QCOMPARE(o->x, 0);
    QCOMPARE(o->y, 0);
    // On a fixed canvas the edges too; the object then touches the canvas's left edge.
    mw->lf.SetCanvasSize(600, 300);
    mw->lf.fixed = 1;
    mw->Refresh();
    QVERIFY(mw->action(cmd::kAlignLeft)->isEnabled());
    QVERIFY(mw->Command(cmd::kAlignLeft));
    QCOMPARE(o->x - o->w / 2, -300);
    QVERIFY(mw->Command(cmd::kAlignBottom));
    QCOMPARE(o->y - o->h / 2 + o->h, 150);
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(o->x - o->w / 2, -300);
    QVERIFY(o->y - o->h / 2 + o->h != 150);
    // Nothing to align without objects.
    mw->lf.Clear();
    mw->Refresh();
    QVERIFY(!mw->action(cmd::kAlignCentreH)->isEnabled());
}

void CanvasKeysTest::StatusLineShowsPositionAndSize() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Status", 12, -34);
    mw->Refresh();
    QCOMPARE(mw->statusText(),
             QStringLiteral("Position: 12, -34    Size: %1 \u00d7 %2").arg(o->w).arg(o->h));
    ClickAt(mw->canvas(), 12, -34);
    mw->lf.Clear();
    mw->Refresh();
    QCOMPARE(mw->statusText(), QString());
}

QTEST_MAIN(CanvasKeysTest)
#include "tst_canvas_keys.moc"
