// The Shape library bar: its tabs, paging and label, the page holding the current shape, a
// picked shape under Ok and Cancel, and its modal run from the Image object bar.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "document/logo_obj.h"
#include "render/ft_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/image_bar.h"
#include "ui/bars/imopt_bar.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_search_field.h"
#include "ui/library/shape_sel.h"

using namespace qv;
using namespace qv::ui;

namespace {

struct Shape {
    std::string face;
    int glyph = 0;
};

Shape TableShape(int n) {
    Shape s;
    std::string label;
    FtText::GetSym(n, s.face, label, s.glyph);
    return s;
}

LogoObj* AddTableShape(MainWindow& mw, int n) {
    LogoObj* o = test::AddShape(mw.lf);
    const Shape s = TableShape(n);
    o->lt.font = s.face;
    o->lt.glyph = s.glyph;
    mw.utrack.Reset(mw.lf);
    mw.Refresh();
    return o;
}

ImageBar* OpenShapes(MainWindow& mw) {
    mw.EditShape();
    return qobject_cast<ImageBar*>(OpenBar(&mw));
}

std::vector<uint32_t> Pixels(const PixelBuffer& b) {
    return std::vector<uint32_t>(b.data(), b.data() + size_t(b.width()) * size_t(b.height()));
}

// The centre of cell `ni` of the bar's grid.
QPoint CellCentre(const ObjLib* list, int ni) {
    const int d = list->cell();
    return QPoint((ni % list->columns()) * d + d / 2, (ni / list->columns()) * d + d / 2);
}

}  // namespace

class ImageBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void TabAndPageTexts();
    void OpensOnThePageOfTheCurrentShape();
    void PagingKeepsTabsAndLabelTogether();
    void PickedShapeIsOneUndoStep();
    void SearchPagesTheResultsAndClearingGoesBack();
    void CancelPutsTheShapeBackAndRedoReapplies();
    void ForeignShapeOpensOnTheFirstPage();
    void TextObjectOpensNoBar();
    void ImageBarCancelFromImoptRestoresTheDocument();
    void ImageBarOkFromImoptKeepsTheShape();
};

void ImageBarTest::TabAndPageTexts() {
    QCOMPARE(ImageBar::TabText(0, 80), QStringLiteral("1 - 80"));
    QCOMPARE(ImageBar::TabText(45, 80), QStringLiteral("3601 - 3680"));
    QCOMPARE(ImageBar::PageText(1, 80, 46, 3734),
             QStringLiteral("Shapes 81-160 of 3734 (Page 2 of 46)"));
    QCOMPARE(ImageBar::PageText(10, 100, 25, 2500),
             QStringLiteral("Shapes 1001-1100 of 2500 (Page 11 of 25)"));
    // Fewer shapes than a page: the one page shown ends at the last shape.
    QCOMPARE(ImageBar::PageText(0, 80, 0, 30), QStringLiteral("Shapes 1-30 of 30 (Page 1 of 1)"));
    QCOMPARE(ImageBar::PageText(0, 80, 0, 0), QStringLiteral("No shapes installed"));
}

void ImageBarTest::OpensOnThePageOfTheCurrentShape() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 500);
    ImageBar* bar = OpenShapes(*mw);
    QVERIFY(bar);
    QVERIFY(mw->barOpen());
    QCOMPARE(bar->windowTitle(), QStringLiteral("Image Options: New Image"));
    const int itmpp = ImageBar::kColumns * ImageBar::kRows;
    QCOMPARE(bar->itemsPerPage(), itmpp);
    QCOMPARE(bar->pages(), FtText::ShapeCount() / itmpp);
    QCOMPARE(bar->tabs()->count(), bar->pages());
    QCOMPARE(bar->page(), 500 / itmpp);
    QCOMPARE(bar->tabs()->currentIndex(), 500 / itmpp);
    QCOMPARE(bar->shapes()->selected(), 500 % itmpp);
    QCOMPARE(bar->shapes()->ShapeAt(bar->shapes()->selected()), 500);
    QCOMPARE(bar->pageLabel()->text(),
             ImageBar::PageText(500 / itmpp, itmpp, bar->pages(), FtText::ShapeCount()));
    QCOMPARE(bar->tabs()->tabText(bar->page()), ImageBar::TabText(bar->page(), itmpp));
    test::ClickButton(bar, "cancel");
    QVERIFY(!mw->barOpen());
}

void ImageBarTest::PagingKeepsTabsAndLabelTogether() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 0);
    ImageBar* bar = OpenShapes(*mw);
    auto* prev = bar->findChild<QPushButton*>(QStringLiteral("prev_page"));
    auto* next = bar->findChild<QPushButton*>(QStringLiteral("next_page"));
    QCOMPARE(bar->page(), 0);
    QVERIFY(!prev->isEnabled());
    test::ClickButton(bar, "next_page");
    test::ClickButton(bar, "next_page");
    QCOMPARE(bar->page(), 2);
    QCOMPARE(bar->tabs()->currentIndex(), 2);
    QCOMPARE(bar->shapes()->page(), 2);
    // Leaving the shape's page leaves no cell selected.
    QCOMPARE(bar->shapes()->selected(), -1);
    test::ClickButton(bar, "prev_page");
    QCOMPARE(bar->page(), 1);
    QVERIFY(bar->pageLabel()->text().endsWith(QStringLiteral("(Page 2 of %1)").arg(bar->pages())));
    bar->tabs()->setCurrentIndex(bar->pages() - 1);
    QCOMPARE(bar->page(), bar->pages() - 1);
    QCOMPARE(bar->shapes()->page(), bar->pages() - 1);
    QVERIFY(!next->isEnabled());
    QVERIFY(prev->isEnabled());
    // Nothing was picked, so the shape is untouched.
    QCOMPARE(mw->lf.obj[0]->lt.glyph, TableShape(0).glyph);
    test::ClickButton(bar, "ok");
}

void ImageBarTest::PickedShapeIsOneUndoStep() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 3);
    ImageBar* bar = OpenShapes(*mw);
    bar->tabs()->setCurrentIndex(4);
    QTest::mouseClick(bar->shapes(), Qt::LeftButton, {}, CellCentre(bar->shapes(), 7));
    QTest::mouseClick(bar->shapes(), Qt::LeftButton, {}, CellCentre(bar->shapes(), 9));
    const Shape picked = TableShape(4 * bar->itemsPerPage() + 9);
    QCOMPARE(mw->lf.obj[0]->lt.font, picked.face);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, picked.glyph);
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
    QCOMPARE(mw->utrack.redoes, 0);
    QCOMPARE(mw->utrack.Undo(mw->lf), 0);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, TableShape(3).glyph);
}

void ImageBarTest::SearchPagesTheResultsAndClearingGoesBack() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 3);
    ImageBar* bar = OpenShapes(*mw);
    const int table_tabs = bar->tabs()->count();
    QTest::keyClicks(bar->search(), QStringLiteral("star"));
    ObjLib* list = bar->shapes();
    QVERIFY(list->showingFound());
    QVERIFY(list->foundCount() > bar->itemsPerPage());
    const int pages = (list->foundCount() + bar->itemsPerPage() - 1) / bar->itemsPerPage();
    QCOMPARE(bar->pages(), pages);
    QCOMPARE(bar->tabs()->count(), pages);
    QCOMPARE(bar->pageLabel()->text(), ImageBar::FoundText(0, pages, list->foundCount()));
    // The last result is on the last page.
    bar->tabs()->setCurrentIndex(pages - 1);
    const int last = (list->foundCount() - 1) % bar->itemsPerPage();
    QVERIFY(list->ShapeAt(last) >= 0);
    QCOMPARE(list->ShapeAt(last + 1), -1);
    QTest::mouseClick(list, Qt::LeftButton, {}, CellCentre(list, last));
    const Shape picked = TableShape(list->ShapeAt(last));
    QCOMPARE(mw->lf.obj[0]->lt.font, picked.face);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, picked.glyph);
    bar->search()->clear();
    QVERIFY(!list->showingFound());
    QCOMPARE(bar->tabs()->count(), table_tabs);
    QCOMPARE(ImageBar::FoundText(0, 1, 0), QStringLiteral("No shapes found"));
    test::ClickButton(bar, "ok");
}

void ImageBarTest::CancelPutsTheShapeBackAndRedoReapplies() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 3);
    const Shape before = TableShape(3);
    ImageBar* bar = OpenShapes(*mw);
    QTest::mouseClick(bar->shapes(), Qt::LeftButton, {}, CellCentre(bar->shapes(), 20));
    const Shape picked = TableShape(20);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, picked.glyph);
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.obj[0]->lt.font, before.face);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, before.glyph);
    QCOMPARE(mw->utrack.redoes, 1);
    QCOMPARE(mw->utrack.Redo(mw->lf), 0);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, picked.glyph);
}

void ImageBarTest::ForeignShapeOpensOnTheFirstPage() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddShape(mw->lf);
    o->lt.font = "No Such Symbols Regular";
    o->lt.glyph = 12;
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    ImageBar* bar = OpenShapes(*mw);
    QVERIFY(bar);
    QCOMPARE(bar->page(), 0);
    QCOMPARE(bar->shapes()->selected(), -1);
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.obj[0]->lt.font, std::string("No Such Symbols Regular"));
}

void ImageBarTest::TextObjectOpensNoBar() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Words");
    mw->Refresh();
    mw->EditShape();
    QVERIFY(!OpenBar(mw.get()));
    // Nothing is left locked for a bar that never opened.
    QVERIFY(!mw->barOpen());
    QVERIFY(mw->popup(0)->menuAction()->isEnabled());
}

void ImageBarTest::ImageBarCancelFromImoptRestoresTheDocument() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 5);
    mw->EditImage();
    auto* imopt = qobject_cast<Imopt*>(OpenBar(mw.get()));
    QVERIFY(imopt);
    QVERIFY(imopt->shapeLabel()->text().startsWith(QStringLiteral("Shape 6 of ")));
    const std::vector<uint32_t> shown = Pixels(imopt->preview()->picture());
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* shapes = qobject_cast<ImageBar*>(QApplication::activeModalWidget());
        QVERIFY(shapes);
        QCOMPARE(shapes->shapes()->selected(), 5);
        QTest::mouseClick(shapes->shapes(), Qt::LeftButton, {}, CellCentre(shapes->shapes(), 30));
        ran = mw->lf.obj[0]->lt.glyph == TableShape(30).glyph;
        mw->lf.obj[0]->x = 55;
        test::ClickButton(shapes, "cancel");
    });
    test::ClickButton(imopt, "select_shape");
    QVERIFY(ran);
    QCOMPARE(mw->lf.obj[0]->lt.glyph, TableShape(5).glyph);
    QCOMPARE(mw->lf.obj[0]->x, 0);
    QVERIFY(Pixels(imopt->preview()->picture()) == shown);
    // The Image object bar is still open and live; the modal run touched no history.
    QCOMPARE(OpenBar(mw.get()), imopt);
    QCOMPARE(mw->utrack.undoes, 0);
    test::ClickButton(imopt, "cancel");
}

void ImageBarTest::ImageBarOkFromImoptKeepsTheShape() {
    auto mw = test::ShowEditor();
    AddTableShape(*mw, 5);
    mw->EditImage();
    auto* imopt = qobject_cast<Imopt*>(OpenBar(mw.get()));
    const std::vector<uint32_t> shown = Pixels(imopt->preview()->picture());
    QTimer::singleShot(0, [&] {
        auto* shapes = qobject_cast<ImageBar*>(QApplication::activeModalWidget());
        QVERIFY(shapes);
        test::ClickButton(shapes, "next_page");
        QTest::mouseClick(shapes->shapes(), Qt::LeftButton, {}, CellCentre(shapes->shapes(), 1));
        test::ClickButton(shapes, "ok");
    });
    // A click on the picture does what the button does.
    QTest::mouseClick(imopt->preview(), Qt::LeftButton);
    const int n = ImageBar::kColumns * ImageBar::kRows + 1;
    QCOMPARE(mw->lf.obj[0]->lt.glyph, TableShape(n).glyph);
    QCOMPARE(imopt->shapeLabel()->text().section(QLatin1Char(' '), 0, 1),
             QStringLiteral("Shape %1").arg(n + 1));
    QVERIFY(Pixels(imopt->preview()->picture()) != shown);
    test::ClickButton(imopt, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
}

QTEST_MAIN(ImageBarTest)
#include "tst_image_bar.moc"
