// The canvas and the object preview: hit-testing, dragging, the clamp, undo steps, sizes.

#include <QTest>

#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/canvas_view.h"
#include "ui/object_preview.h"

using namespace qv;
using namespace qv::ui;
using test::CanvasPoint;
using test::SendMouse;

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void ClickPicksFrontmost();
    void ClickOnEmptyCanvasOnlyRecomposes();
    void DragMovesByTheGrabOffset();
    void DragFarOutsideIsClampedAndOneUndoStep_data();
    void DragFarOutsideIsClampedAndOneUndoStep();
    void BarModeDragKeepsCurrentObject();
    void PreviewDragSizes_data();
    void PreviewDragSizes();
    void PreviewDragIsOneUndoStep();
    void PreviewHasResizeCursor();
    void GrainedBackground();
};

void CanvasTest::ClickPicksFrontmost() {
    test::FaultCapture faults;
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Under", 0, 0);
    test::AddText(mw->lf, "Over", 10, 5);
    test::AddText(mw->lf, "Far", 0, -200);
    mw->lf.SetCurObj(2);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    QCOMPARE(CanvasView::HitTest(mw->lf, 5, 2), 1);
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, 5, 2));
    QCOMPARE(mw->lf.cur, 1);
    QVERIFY(canvas->dragging());
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, 5, 2));
    QVERIFY(!canvas->dragging());
    // Only the object below is under its own left edge.
    const LogoObj& under = *mw->lf.obj[0];
    const int left = under.x - under.w / 2 + 1;
    QCOMPARE(CanvasView::HitTest(mw->lf, left, 0), 0);
    QVERIFY(faults.faults.empty());
}

void CanvasTest::ClickOnEmptyCanvasOnlyRecomposes() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Alone");
    mw->Refresh();
    const int width = mw->lf.obj[0]->w;
    // Changed behind the editor's back: only a recomposition shows it.
    mw->lf.obj[0]->lt.str = "Alone and longer";
    CanvasView* canvas = mw->canvas();
    SendMouse(canvas, QEvent::MouseButtonPress, QPoint(3, 3));
    QVERIFY(!canvas->dragging());
    QVERIFY(mw->lf.obj[0]->w > width);
    SendMouse(canvas, QEvent::MouseButtonRelease, QPoint(3, 3));
    QCOMPARE(mw->lf.cur, 0);
    QCOMPARE(mw->utrack.undoes, 0);
}

void CanvasTest::DragMovesByTheGrabOffset() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Move me", 20, 10);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, 23, 12));
    SendMouse(canvas, QEvent::MouseMove, CanvasPoint(canvas, 53, 2));
    QCOMPARE(mw->lf.obj[0]->x, 50);
    QCOMPARE(mw->lf.obj[0]->y, 0);
    QCOMPARE(mw->utrack.undoes, 0);
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, 53, 2));
    QCOMPARE(mw->lf.obj[0]->x, 50);
    QCOMPARE(mw->utrack.undoes, 1);
}

void CanvasTest::DragFarOutsideIsClampedAndOneUndoStep_data() {
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("side_x");  // -1 left edge, 1 right edge
    QTest::addColumn<int>("side_y");
    QTest::newRow("up and left") << QPoint(-4000, -3000) << -1 << -1;
    QTest::newRow("down and right") << QPoint(5000, 6000) << 1 << 1;
}

void CanvasTest::DragFarOutsideIsClampedAndOneUndoStep() {
    QFETCH(QPoint, to);
    QFETCH(int, side_x);
    QFETCH(int, side_y);
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Clamped");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    CanvasView* canvas = mw->canvas();
    const int w = canvas->width() - CanvasView::OUT_WND_MRG,
              h = canvas->height() - CanvasView::OUT_WND_MRG;
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, 0, 0));
    for (int step = 1; step <= 10; ++step) {
        SendMouse(canvas, QEvent::MouseMove,
                  CanvasPoint(canvas, to.x() * step / 10, to.y() * step / 10));
    }
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, to.x(), to.y()));
    const LogoObj& o = *mw->lf.obj[0];
    QCOMPARE(o.x, side_x < 0 ? -(w / 2) : w - w / 2);
    QCOMPARE(o.y, side_y < 0 ? -(h / 2) : h - h / 2);
    QCOMPARE(mw->utrack.undoes, 1);
    // The one step takes the whole drag back.
    mw->Command(57643);
    QCOMPARE(mw->lf.obj[0]->x, 0);
    QCOMPARE(mw->lf.obj[0]->y, 0);
}

void CanvasTest::BarModeDragKeepsCurrentObject() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Other", -150, 0);
    test::AddText(mw->lf, "Edited", 150, 0);
    mw->Refresh();
    mw->PreBarModal(-1);
    CanvasView* canvas = mw->canvas();
    SendMouse(canvas, QEvent::MouseButtonPress, CanvasPoint(canvas, -150, 0));
    SendMouse(canvas, QEvent::MouseMove, CanvasPoint(canvas, -150, 40));
    SendMouse(canvas, QEvent::MouseButtonRelease, CanvasPoint(canvas, -150, 40));
    QCOMPARE(mw->lf.cur, 1);
    QCOMPARE(mw->lf.obj[0]->y, 40);
    QCOMPARE(mw->utrack.undoes, 0);
    mw->PostBarModal(false);
}

void CanvasTest::PreviewDragSizes_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("expected_size");
    QTest::addColumn<int>("expected_width");
    // Pressed at column 100 of a preview 200 wide.
    QTest::newRow("left grows") << 48 << 48 << 1 << 71 << 71;
    QTest::newRow("right shrinks") << 48 << 48 << 199 << 32 << 32;
    QTest::newRow("no move") << 48 << 60 << 100 << 48 << 60;
    QTest::newRow("3000 or more is not taken") << 2990 << 100 << 1 << 2990 << 149;
    QTest::newRow("5 or less is not taken") << 7 << 100 << 199 << 7 << 66;
    QTest::newRow("column 0 is ignored") << 48 << 48 << 0 << 48 << 48;
    QTest::newRow("right edge is ignored") << 48 << 48 << 200 << 48 << 48;
}

void CanvasTest::PreviewDragSizes() {
    QFETCH(int, size);
    QFETCH(int, width);
    QFETCH(int, column);
    QFETCH(int, expected_size);
    QFETCH(int, expected_width);
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddShape(mw->lf);
    o->lt.size = size;
    o->lt.width = width;
    mw->Refresh();
    ObjectPreview* preview = mw->preview();
    QCOMPARE(preview->width(), 200);
    SendMouse(preview, QEvent::MouseButtonPress, QPoint(100, 20));
    SendMouse(preview, QEvent::MouseMove, QPoint(column, 20));
    QCOMPARE(o->lt.size, expected_size);
    QCOMPARE(o->lt.width, expected_width);
    SendMouse(preview, QEvent::MouseButtonRelease, QPoint(column, 20));
}

void CanvasTest::PreviewDragIsOneUndoStep() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Grow");
    mw->Refresh();
    ObjectPreview* preview = mw->preview();
    SendMouse(preview, QEvent::MouseButtonPress, QPoint(150, 20));
    for (int column = 149; column > 50; column -= 7)
        SendMouse(preview, QEvent::MouseMove, QPoint(column, 20));
    SendMouse(preview, QEvent::MouseMove, QPoint(50, 20));
    SendMouse(preview, QEvent::MouseButtonRelease, QPoint(50, 20));
    // Half a preview width to the left: one and a half times the size.
    QCOMPARE(mw->lf.obj[0]->lt.size, 72);
    QCOMPARE(mw->utrack.undoes, 1);
    mw->PreBarModal(-1);
    SendMouse(preview, QEvent::MouseButtonPress, QPoint(150, 20));
    SendMouse(preview, QEvent::MouseMove, QPoint(100, 20));
    SendMouse(preview, QEvent::MouseButtonRelease, QPoint(100, 20));
    QCOMPARE(mw->utrack.undoes, 1);
    mw->PostBarModal(false);
}

void CanvasTest::PreviewHasResizeCursor() {
    auto mw = test::ShowEditor();
    QCOMPARE(mw->preview()->cursor().shape(), Qt::SizeHorCursor);
}

void CanvasTest::GrainedBackground() {
    auto mw = test::ShowEditor();
    const PixelBuffer& bg = mw->canvas()->background();
    QCOMPARE(bg.width(), mw->canvas()->width());
    QCOMPARE(bg.height(), mw->canvas()->height());
    const int h = bg.height();
    int lowest_top = 255, highest_top = 0;
    for (int x = 1; x < bg.width() - 1; ++x) {
        const uint32_t p = bg.at(x, 1);
        lowest_top = std::min<int>(lowest_top, int(RedOf(p)));
        highest_top = std::max<int>(highest_top, int(RedOf(p)));
    }
    // Row 1: no shading yet, grain 0..4 (5 only for the very largest draw).
    QCOMPARE(lowest_top, 201);
    QVERIFY(highest_top >= 204 && highest_top <= 206);
    const uint32_t bottom = bg.at(bg.width() / 2, h - 2);
    QVERIFY(RedOf(bottom) >= 134 && RedOf(bottom) <= 140);
    QVERIFY(GreenOf(bottom) >= 180 && GreenOf(bottom) <= 186);
    QCOMPARE(bg.at(0, h / 2), RGB_MAKE(144, 163, 174));
    QCOMPARE(bg.at(bg.width() - 1, h / 2), RGB_MAKE(255, 255, 255));
}

QTEST_MAIN(CanvasTest)
#include "tst_canvas.moc"
