// The size handler's geometry, both computed and applied to the window's children.

#include <QTest>

#include "render/ft_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/brand_button.h"
#include "ui/canvas_view.h"
#include "ui/editor_layout.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_search_field.h"
#include "ui/library/style_btn.h"
#include "ui/object_preview.h"
#include "ui/page_slider.h"
#include "ui/skin_button.h"
#include "ui/text_box.h"

using namespace qv;
using namespace qv::ui;

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void BarButtons_data();
    void BarButtons();
    void AppliedAt874And875_data();
    void AppliedAt874And875();
    void FixedPlaces();
    void StyleButtons();
    void SmallSizesChangeNothing_data();
    void SmallSizesChangeNothing();
    void MinimumSize();
    void LibraryPagesFollowTheGrid();
};

void LayoutTest::BarButtons_data() {
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("brand");
    QTest::addColumn<QList<int>>("xs");
    QTest::newRow("874: no brand, 126")
        << 874 << 126 << false << QList<int>{217, 348, 479, 610, 741};
    QTest::newRow("875: brand, 106") << 875 << 106 << true << QList<int>{217, 328, 439, 550, 661};
    QTest::newRow("1400: brand, 106") << 1400 << 106 << true << QList<int>{217, 328, 439, 550, 661};
    QTest::newRow("620: narrow") << 620 << 75 << false << QList<int>{217, 297, 377, 457, 537};
}

void LayoutTest::BarButtons() {
    QFETCH(int, cx);
    QFETCH(int, width);
    QFETCH(bool, brand);
    QFETCH(QList<int>, xs);
    const EditorLayout l = ComputeEditorLayout(cx, 700);
    QVERIFY(l.accepted);
    QVERIFY(l.has_bar_buttons);
    QCOMPARE(l.brand_visible, brand);
    if (brand) QCOMPARE(l.brand, QRect(767, 7, cx - 774, 30));
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(l.bar_buttons[k].width(), width);
        QCOMPARE(l.bar_buttons[k].x(), xs[k]);
        QCOMPARE(l.bar_buttons[k].y(), 7);
        QCOMPARE(l.bar_buttons[k].height(), 30);
    }
}

void LayoutTest::AppliedAt874And875_data() {
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("brand");
    QTest::newRow("874") << 874 << 126 << false;
    QTest::newRow("875") << 875 << 106 << true;
}

void LayoutTest::AppliedAt874And875() {
    QFETCH(int, cx);
    QFETCH(int, width);
    QFETCH(bool, brand);
    auto mw = test::ShowEditor(cx, 600);
    for (int k = 0; k < 5; ++k) QCOMPARE(mw->barButton(k)->width(), width);
    QCOMPARE(mw->brand()->isVisible(), brand);
    if (brand) QCOMPARE(mw->brand()->geometry(), QRect(767, 7, 101, 30));
    QCOMPARE(mw->canvas()->geometry(), QRect(217, 44, cx - 224, 600 - 50 - 44));
    // Narrowing again hides the word mark.
    mw->OnSize(874, 600);
    QVERIFY(!mw->brand()->isVisible());
    QCOMPARE(mw->barButton(4)->width(), 126);
}

void LayoutTest::FixedPlaces() {
    auto mw = test::ShowEditor(1000, 700);
    const int b = 650, h = 140;
    QCOMPARE(mw->preview()->geometry(), QRect(7, 44, 200, h));
    QCOMPARE(mw->currentObjectButton()->geometry(), QRect(7, 7, 120, 30));
    QCOMPARE(mw->previousObjectButton()->geometry(), QRect(132, 7, 35, 30));
    QCOMPARE(mw->nextObjectButton()->geometry(), QRect(172, 7, 35, 30));
    QCOMPARE(mw->libraryCaption()->geometry(), QRect(2, h + 49, 213, 17));
    QCOMPARE(mw->librarySlider()->geometry(), QRect(24, h + 68, 166, 17));
    QCOMPARE(mw->librarySearch()->geometry(), QRect(7, h + 86, 200, 22));
    QCOMPARE(mw->libraryGrid()->geometry(), QRect(7, h + 110, 200, b - h - 110));
    QCOMPARE(mw->textBox()->geometry(), QRect(7, b + 11, 200, 20));
    QCOMPARE(mw->styleSlider()->geometry(), QRect(234, b + 8, 155, 17));
    QCOMPARE(mw->styleCaption()->geometry(), QRect(209, b + 26, 205, 17));
    // The preview is a fifth of the height, never above 200.
    mw->OnSize(1000, 1200);
    QCOMPARE(mw->preview()->height(), 200);
}

void LayoutTest::StyleButtons() {
    // R = 993, A = 577, 18 buttons with a gap of 1/17 pixel.
    const EditorLayout l = ComputeEditorLayout(1000, 700);
    QVERIFY(l.has_style_buttons);
    QCOMPARE(int(l.style_buttons.size()), 18);
    QCOMPARE(l.style_buttons.front(), QRect(416, 658, 32, 32));
    QVERIFY(qAbs(l.style_buttons.back().x() - 961) <= 1);
    QVERIFY(l.style_buttons.back().right() <= 993);
    QCOMPARE(l.style_hues[0], 0.0f);
    QVERIFY(qFuzzyCompare(l.style_hues[3], 3.0f * 239.0f / 18.0f));
    // Too narrow for two buttons: the row stops.
    QVERIFY(!ComputeEditorLayout(480, 700).has_style_buttons);
}

void LayoutTest::SmallSizesChangeNothing_data() {
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::newRow("below 100") << 99 << 700;
    QTest::newRow("above 10000") << 10001 << 700;
    QTest::newRow("R at 217") << 224 << 700;
}

void LayoutTest::SmallSizesChangeNothing() {
    QFETCH(int, cx);
    QFETCH(int, cy);
    QVERIFY(!ComputeEditorLayout(cx, cy).accepted);
    auto mw = test::ShowEditor(1000, 700);
    const QRect canvas = mw->canvas()->geometry();
    mw->OnSize(cx, cy);
    QCOMPARE(mw->canvas()->geometry(), canvas);
}

void LayoutTest::MinimumSize() {
    auto mw = test::ShowEditor(1000, 700);
    QCOMPARE(mw->minimumSize(), QSize(620, 400));
}

void LayoutTest::LibraryPagesFollowTheGrid() {
    auto mw = test::ShowEditor(1000, 700);
    // 200 x 400: 5 columns, 10 full rows, 50 a page.
    QCOMPARE(mw->libraryGrid()->itemsPerPage(), 50);
    QCOMPARE(mw->librarySlider()->pages(), FtText::ShapeCount() / 50);
    QCOMPARE(mw->libraryCaption()->text(),
             QStringLiteral("Objects Library: page #1 of %1").arg(FtText::ShapeCount() / 50));
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
