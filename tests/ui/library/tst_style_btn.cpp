// The style buttons and their slider: hue offsets, hover lightening, selection, StyleClicked.

#include <QTest>

#include "persist/style_library.h"
#include "tests/ui/ui_test_support.h"
#include "ui/library/style_btn.h"
#include "ui/page_slider.h"
#include "ui/skin_button.h"

using namespace qv;
using namespace qv::ui;

namespace {

bool SameBuffer(const PixelBuffer& a, const PixelBuffer& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    return std::equal(a.data(), a.data() + size_t(a.width()) * size_t(a.height()), b.data());
}

int64_t Brightness(const PixelBuffer& b) {
    int64_t sum = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const uint32_t p = b.at(x, y);
            sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
        }
    return sum;
}

}  // namespace

class StyleBtnTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void HuesRotateByButton();
    void HoverLightensUnselectedOnly();
    void ClickAppliesLookOnce();
    void ClickWithEmptyDocumentOnlyMovesHighlight();
    void DragToRightEndSelectsLastPage();
    void RowRebuiltKeepsSelection();
};

void StyleBtnTest::HuesRotateByButton() {
    auto mw = test::ShowEditor(1000, 700);
    QVERIFY(mw->styles.count() > 0);
    const auto& row = mw->styleRow()->buttons();
    const int n = int(row.size());
    QVERIFY(n >= 2);
    const ObjStyle& page = mw->styles.stfile[size_t(mw->styleSlider()->page())];
    QCOMPARE(row[0]->style(), page);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(row[size_t(i)]->hueOffset(), float(i * 239) / float(n));
        float h = page.color.h + float(i * 239) / float(n);
        if (h > 239.0f) h -= 239.0f;
        QCOMPARE(row[size_t(i)]->style().color.h, h);
        QCOMPARE(row[size_t(i)]->style().color.l, page.color.l);
    }
}

void StyleBtnTest::HoverLightensUnselectedOnly() {
    StyleBtn b(1, 60.0f);
    b.resize(32, 32);
    b.show();
    ObjStyle lt;
    lt.color = Hls{20, 200, 60};
    b.SetStyle(lt);
    const PixelBuffer plain = b.Picture();
    b.MoTimer(b.mapToGlobal(QPoint(16, 16)));
    QVERIFY(b.hovered());
    const PixelBuffer lit = b.Picture();
    QVERIFY(!SameBuffer(plain, lit));
    // Lightened colours: the picture as a whole is brighter.
    QVERIFY(Brightness(lit) > Brightness(plain));
    b.SetSelected(true);
    const PixelBuffer selected = b.Picture();
    b.MoTimer(b.mapToGlobal(QPoint(-10, -10)));
    QVERIFY(SameBuffer(selected, b.Picture()));
    QVERIFY(!SameBuffer(selected, plain));  // the selected background differs
}

void StyleBtnTest::ClickAppliesLookOnce() {
    auto mw = test::ShowEditor(1000, 700);
    LogoObj* text = test::AddText(mw->lf, "Qorvan");
    text->lt.size = 77;
    mw->Refresh();
    mw->TrackStep();
    const auto& row = mw->styleRow()->buttons();
    const int steps = mw->utrack.undoes;
    QTest::mouseClick(row[2], Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(mw->selstl, 2);
    QVERIFY(row[2]->selected());
    QVERIFY(!row[0]->selected());
    QCOMPARE(mw->utrack.undoes, steps + 1);
    const ObjStyle& lt = mw->lf.GetCurObj()->lt;
    QCOMPARE(lt.color, row[2]->style().color);
    QCOMPARE(lt.outline, row[2]->style().outline);
    QCOMPARE(lt.str, std::string("Qorvan"));
    QCOMPARE(lt.size, 77);
}

void StyleBtnTest::ClickWithEmptyDocumentOnlyMovesHighlight() {
    auto mw = test::ShowEditor(1000, 700);
    const auto& row = mw->styleRow()->buttons();
    const int steps = mw->utrack.undoes;
    QTest::mouseClick(row[1], Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(mw->selstl, 1);
    QCOMPARE(mw->lf.GetCount(), 0);
    QCOMPARE(mw->utrack.undoes, steps);
}

void StyleBtnTest::DragToRightEndSelectsLastPage() {
    auto mw = test::ShowEditor(1000, 700);
    PageSlider* sl = mw->styleSlider();
    const int pages = mw->styles.count();
    QVERIFY(pages >= 2);
    test::SendMouse(sl, QEvent::MouseButtonPress, QPoint(2, 8));
    test::SendMouse(sl, QEvent::MouseMove, QPoint(sl->width() + 40, 8));
    test::SendMouse(sl, QEvent::MouseButtonRelease, QPoint(sl->width() + 40, 8));
    QCOMPARE(sl->page(), pages - 1);
    QCOMPARE(mw->styleRow()->buttons()[0]->style(),
             ShiftStyleHues(mw->styles.stfile[size_t(pages - 1)], 0.0f));
    QCOMPARE(mw->styleCaption()->text(),
             QStringLiteral("Styles Library: page #%1 of %2").arg(pages).arg(pages));
}

void StyleBtnTest::RowRebuiltKeepsSelection() {
    auto mw = test::ShowEditor(1000, 700);
    QTest::mouseClick(mw->styleRow()->buttons()[3], Qt::LeftButton, {}, QPoint(16, 16));
    mw->OnSize(1200, 700);
    const auto& row = mw->styleRow()->buttons();
    QVERIFY(row.size() > 3);
    QVERIFY(row[3]->selected());
    QCOMPARE(int(mw->styleButtons().size()), int(row.size()));
}

QTEST_MAIN(StyleBtnTest)
#include "tst_style_btn.moc"
