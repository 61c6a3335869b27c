// The object library grid: paging, thumbnails, hover and the click that applies a shape.

#include <QSignalSpy>
#include <QTest>

#include "persist/style_library.h"
#include "render/font_registry.h"
#include "render/ft_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_names.h"
#include "ui/library/shape_search_field.h"
#include "ui/page_slider.h"
#include "ui/skin_button.h"

using namespace qv;
using namespace qv::ui;

namespace {

// Keeps only the first `n` shapes of the table while it lives.
class FewerShapes {
public:
    explicit FewerShapes(size_t n) : saved_(Registry().shapes) {
        if (Registry().shapes.size() > n) Registry().shapes.resize(n);
    }
    ~FewerShapes() { Registry().shapes = saved_; }

private:
    std::vector<ShapeEntry> saved_;
};

PixelBuffer CopyOf(const PixelBuffer& b) {
    PixelBuffer c;
    if (c.Allocate(b.width(), b.height()))
        std::copy_n(b.data(), size_t(b.width()) * size_t(b.height()), c.data());
    return c;
}

bool SameBuffer(const PixelBuffer& a, const PixelBuffer& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    return std::equal(a.data(), a.data() + size_t(a.width()) * size_t(a.height()), b.data());
}

QPoint CellCentre(const ObjLib& lib, int ni) {
    return QPoint((ni % lib.columns()) * lib.cell() + lib.cell() / 2,
                  (ni / lib.columns()) * lib.cell() + lib.cell() / 2);
}

}  // namespace

class ObjLibTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        test::LoadShippedFonts();
        QVERIFY(FtText::ShapeCount() >= 250);
    }

    void PagesOf250Shapes();
    void ShapeShownPageChosenBySn();
    void PartlyVisibleCellShowsAndClicks();
    void HoverUsesHighlightedPicture();
    void ThumbnailsDrawnAtThePixelRatio();
    void ClickWithNoObjectsCreatesStarburst();
    void ClickOnTextAddsShapeWithItsColours();
    void OneUndoStepPerShapeClick();
    void FollowsCurrentShape();
    void CaptionShowsPage();
    void SearchShowsRankedResultsAndClearingBringsThePagesBack();
    void ResizingKeepsTheShapesInView();
    void PageTurnBenchmark();
};

void ObjLibTest::PagesOf250Shapes() {
    FewerShapes fewer(250);
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(400, 240);  // 10 columns, 6 rows: 60 a page
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 3));
    QCOMPARE(itmpp, 60);
    QCOMPARE(pages, 4);
    QCOMPARE(lib.page(), 3);
    // The last page ends at shape 239; 240 to 249 never show.
    QCOMPARE(lib.ShapeAt(59), 239);
    // A shape past the last page lands on the last page without a selection.
    QVERIFY(lib.UpdatePage(itmpp, pages, 0, 245));
    QCOMPARE(lib.page(), 3);
    QCOMPARE(lib.selected(), -1);
    // Following a shape: its page and cell, or the last page for one never shown.
    QCOMPARE(lib.ShowShape(130), 2);
    QCOMPARE(lib.selected(), 10);
    QCOMPARE(lib.ShowShape(135), 2);
    QCOMPARE(lib.selected(), 15);
    QCOMPARE(lib.ShowShape(249), 3);
    QCOMPARE(lib.selected(), -1);
}

void ObjLibTest::ShapeShownPageChosenBySn() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(400, 240);
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 0, 130));
    QCOMPARE(lib.page(), 2);
    QCOMPARE(lib.selected(), 10);
    // Below 60 x 60 the previous page data stays.
    lib.resize(59, 240);
    QVERIFY(!lib.UpdatePage(itmpp, pages, 0));
    QCOMPARE(lib.page(), 2);
    QCOMPARE(lib.itemsPerPage(), 60);
}

void ObjLibTest::PartlyVisibleCellShowsAndClicks() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(220, 230);  // 6 columns (the last half shown), 6 rows (the last partly)
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 1));
    QCOMPARE(lib.columns(), 6);
    QCOMPARE(lib.rows(), 6);
    QCOMPARE(itmpp, 30);
    const int last = lib.rows() * lib.columns() - 1;
    QCOMPARE(lib.ShapeAt(last), 30 + last);
    QVERIFY(!lib.Thumbnail(last, false).empty());
    QSignalSpy clicks(&lib, &ObjLib::Clicked);
    QTest::mouseClick(&lib, Qt::LeftButton, {}, QPoint(215, 225));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks[0][0].toInt(), last);
    QCOMPARE(lib.selected(), last);
    // Disabled, the grid ignores the click.
    lib.SetEnabledFlag(false);
    QTest::mouseClick(&lib, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
}

void ObjLibTest::HoverUsesHighlightedPicture() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(200, 200);
    lib.show();
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 0));
    QVERIFY(!SameBuffer(lib.Thumbnail(7, true), lib.Thumbnail(7, false)));
    const PixelBuffer before = lib.Compose();
    lib.HoverTick(lib.mapToGlobal(CellCentre(lib, 7)));
    QCOMPARE(lib.hover(), 7);
    const PixelBuffer hovered = lib.Compose();
    QVERIFY(!SameBuffer(before, hovered));
    // The hovered cell shows exactly its highlighted picture (away from the grid lines).
    const PixelBuffer& high = lib.Thumbnail(7, true);
    const QPoint c = CellCentre(lib, 7);
    QCOMPARE(hovered.at(c.x(), c.y()), high.at(20, 20));
    lib.HoverTick(lib.mapToGlobal(QPoint(-5, -5)));
    QCOMPARE(lib.hover(), -1);
    QVERIFY(SameBuffer(before, lib.Compose()));
}

void ObjLibTest::ThumbnailsDrawnAtThePixelRatio() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(200, 200);
    lib.show();
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 0));
    const PixelBuffer one = CopyOf(lib.Thumbnail(3, false));
    const PixelBuffer grid = lib.Compose();
    QCOMPARE(one.width(), 40);
    QCOMPARE(grid.width(), 200);

    lib.SetPixelRatioOverride(2);
    const PixelBuffer& two = lib.Thumbnail(3, false);
    QCOMPARE(two.width(), 80);
    QCOMPARE(lib.Compose().width(), 400);
    QCOMPARE(lib.Compose().height(), 400);
    // A true 2x drawing, not the 1x picture with its pixels doubled.
    PixelBuffer doubled;
    QVERIFY(doubled.Allocate(80, 80));
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) doubled.at(x, y) = one.at(x / 2, y / 2);
    QVERIFY(!SameBuffer(two, doubled));

    // Back at ratio 1 every pixel is as before.
    lib.SetPixelRatioOverride(1);
    QVERIFY(SameBuffer(one, lib.Thumbnail(3, false)));
    QVERIFY(SameBuffer(grid, lib.Compose()));
}

void ObjLibTest::ClickWithNoObjectsCreatesStarburst() {
    auto mw = test::ShowEditor();
    QCOMPARE(mw->lf.GetCount(), 0);
    ObjLib* lib = mw->libraryGrid();
    QTest::mouseClick(lib, Qt::LeftButton, {}, CellCentre(*lib, 3));
    QCOMPARE(mw->lf.GetCount(), 1);
    const LogoObj* o = mw->lf.GetCurObj();
    QCOMPARE(o->type, LogoObj::kShape);
    std::string face, label;
    int glyph = 0;
    FtText::GetSym(lib->page() * lib->itemsPerPage() + 3, face, label, glyph);
    QCOMPARE(o->lt.font, face);
    QCOMPARE(o->lt.glyph, glyph);
    QVERIFY(o->y < 0);
}

void ObjLibTest::ClickOnTextAddsShapeWithItsColours() {
    auto mw = test::ShowEditor();
    LogoObj* text = test::AddText(mw->lf, "Qorvan");
    text->lt.color = Hls{80, 200, 90};
    text->lt.outline = 1;
    text->lt.shadow = 1;
    text->lt.outline_color = Hls{10, 100, 50};
    mw->Refresh();
    ObjLib* lib = mw->libraryGrid();
    QTest::mouseClick(lib, Qt::LeftButton, {}, CellCentre(*lib, 0));
    QCOMPARE(mw->lf.GetCount(), 2);
    const LogoObj* shape = mw->lf.GetCurObj();
    QCOMPARE(shape->type, LogoObj::kShape);
    QCOMPARE(shape->lt.color, (Hls{80, 200, 90}));
    QCOMPARE(shape->lt.outline_color, (Hls{10, 100, 50}));
    QCOMPARE(shape->lt.outline, 0);
    QCOMPARE(shape->lt.shadow, 0);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kText);
    QCOMPARE(mw->lf.obj[0]->lt.outline, 1);
}

void ObjLibTest::OneUndoStepPerShapeClick() {
    auto mw = test::ShowEditor();
    test::AddShape(mw->lf);
    mw->Refresh();
    mw->TrackStep();
    ObjLib* lib = mw->libraryGrid();
    const LogoObj* first = mw->lf.GetCurObj();
    const std::string before = first->lt.font + std::to_string(first->lt.glyph);
    const int steps = mw->utrack.undoes;
    QTest::mouseClick(lib, Qt::LeftButton, {}, CellCentre(*lib, 5));
    QCOMPARE(mw->utrack.undoes, steps + 1);
    const LogoObj* o = mw->lf.GetCurObj();
    QCOMPARE(mw->lf.GetCount(), 1);
    QCOMPARE(o->hint, lib->page() * lib->itemsPerPage() + 5);
    QVERIFY(mw->Command(57643));  // Undo
    const LogoObj* back = mw->lf.GetCurObj();
    QCOMPARE(back->lt.font + std::to_string(back->lt.glyph), before);
}

void ObjLibTest::FollowsCurrentShape() {
    auto mw = test::ShowEditor();
    ObjLib* lib = mw->libraryGrid();
    const int target = 2 * lib->itemsPerPage() + 4;
    QVERIFY(target < FtText::ShapeCount());
    QVERIFY(mw->lf.ApplyLibraryShape(target));
    mw->Refresh();
    QCOMPARE(lib->page(), 2);
    QCOMPARE(lib->selected(), 4);
    QCOMPARE(mw->librarySlider()->page(), 2);
    QVERIFY(
        mw->libraryCaption()->text().startsWith(QStringLiteral("Objects Library: page #3 of ")));
}

void ObjLibTest::CaptionShowsPage() {
    PageSlider slider(PageSlider::kObjects);
    slider.SetPages(12, 2);
    QCOMPARE(slider.CaptionText(), QStringLiteral("Objects Library: page #3 of 12"));
    PageSlider styles(PageSlider::kStyles);
    styles.SetPages(5, 0);
    QCOMPARE(styles.CaptionText(), QStringLiteral("Styles Library: page #1 of 5"));
}

void ObjLibTest::SearchShowsRankedResultsAndClearingBringsThePagesBack() {
    auto mw = test::ShowEditor();
    ObjLib* lib = mw->libraryGrid();
    PageSlider* slider = mw->librarySlider();
    slider->SetPages(lib->pages(), 3);
    slider->PageChanged();
    QCOMPARE(lib->page(), 3);
    const int all_pages = lib->pages();

    // Results as the user types; the best match first, its name as the tooltip.
    QTest::keyClicks(mw->librarySearch(), QStringLiteral("coffee"));
    QVERIFY(lib->showingFound());
    QVERIFY(lib->foundCount() >= 4);
    QCOMPARE(lib->page(), 0);
    QCOMPARE(slider->pages(), (lib->foundCount() + lib->itemsPerPage() - 1) / lib->itemsPerPage());
    const int best = lib->ShapeAt(0);
    QCOMPARE(LibraryShapeNames()[size_t(best)].name, std::string("coffee"));
    QVERIFY(ShapeToolTip(best).startsWith(QStringLiteral("coffee\n(cup")));

    // A click applies the result shown; a cell after the last result does nothing.
    QTest::mouseClick(lib, Qt::LeftButton, {}, CellCentre(*lib, 0));
    QCOMPARE(mw->lf.GetCount(), 1);
    std::string face, label;
    int glyph = 0;
    FtText::GetSym(best, face, label, glyph);
    QCOMPARE(mw->lf.GetCurObj()->lt.font, face);
    QCOMPARE(mw->lf.GetCurObj()->lt.glyph, glyph);
    if (lib->foundCount() < lib->itemsPerPage()) {
        QCOMPARE(lib->ShapeAt(lib->foundCount()), -1);
        QTest::mouseClick(lib, Qt::LeftButton, {}, CellCentre(*lib, lib->foundCount()));
        QCOMPARE(mw->lf.GetCount(), 1);
        QCOMPARE(mw->lf.GetCurObj()->lt.glyph, glyph);
    }

    QTest::keyClicks(mw->librarySearch(), QStringLiteral("qqzz"));
    QCOMPARE(lib->foundCount(), 0);
    QCOMPARE(lib->ShapeAt(0), -1);

    // An empty field brings back the pages where they were.
    mw->librarySearch()->clear();
    QVERIFY(!lib->showingFound());
    QCOMPARE(lib->pages(), all_pages);
    QCOMPARE(lib->page(), 3);
    QCOMPARE(slider->page(), 3);
}

void ObjLibTest::ResizingKeepsTheShapesInView() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(200, 400);  // 50 a page
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 10));
    QCOMPARE(lib.ShapeAt(0), 500);
    lib.resize(200, 240);  // 30 a page: shape 500 is on page 16
    QVERIFY(lib.UpdatePage(itmpp, pages, lib.page()));
    QCOMPARE(itmpp, 30);
    QCOMPARE(lib.page(), 16);
    QVERIFY(lib.ShapeAt(0) <= 500 && 500 < lib.ShapeAt(0) + itmpp);
    // Turning to a page is still exactly that page.
    QVERIFY(lib.UpdatePage(itmpp, pages, 2));
    QCOMPARE(lib.page(), 2);
}

void ObjLibTest::PageTurnBenchmark() {
    ObjLib lib(nullptr, 40, ObjLib::kEditorLook);
    lib.resize(200, 480);  // 5 x 12 cells: 60 thumbnails a page
    int itmpp = 0, pages = 0;
    QVERIFY(lib.UpdatePage(itmpp, pages, 0));
    QCOMPARE(lib.rows() * lib.columns(), 60);
    int page = 0;
    QBENCHMARK {
        page = (page + 1) % pages;
        lib.UpdatePage(itmpp, pages, page);
    }
}

QTEST_MAIN(ObjLibTest)
#include "tst_obj_lib.moc"
