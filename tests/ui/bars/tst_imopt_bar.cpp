// The Image object bar: Ctrl+I makes a shape and opens it; width, height with the constraint,
// and the rotation slider that also switches the transform.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "document/logo_obj.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/imopt_bar.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

namespace {

void Drag(Slider* slider, int x) {
    const int y = slider->height() / 2;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(x, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), slider->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, y));
}

}  // namespace

class ImoptBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void NewShapeOpensTheBar();
    void RotationBackToZeroClearsTheTransform();
    void ConstrainKeepsHeightEqualToWidth();
};

void ImoptBarTest::NewShapeOpensTheBar() {
    auto mw = test::ShowEditor();
    mw->EditImage(true);
    auto* bar = qobject_cast<Imopt*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Image Object: New Object"));
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kShape);
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.objs, 0);
}

void ImoptBarTest::RotationBackToZeroClearsTheTransform() {
    auto mw = test::ShowEditor();
    test::AddShape(mw->lf);
    mw->Refresh();
    mw->EditImage();
    auto* bar = qobject_cast<Imopt*>(OpenBar(mw.get()));
    QVERIFY(bar);
    Slider* slider = bar->rotation().slider;
    Drag(slider, slider->width() / 2);
    QCOMPARE(mw->lf.obj[0]->lt.transform, 1);
    QVERIFY(mw->lf.obj[0]->lt.rotation > 0.0f);
    Drag(slider, 0);
    QCOMPARE(slider->fraction(), 0.0f);
    QCOMPARE(mw->lf.obj[0]->lt.transform, 0);
    QCOMPARE(mw->lf.obj[0]->lt.rotation, 0.0f);
    // Typing an angle turns it on again.
    bar->rotation().edit->SetText(QStringLiteral("90"));
    QCOMPARE(mw->lf.obj[0]->lt.transform, 1);
    test::ClickButton(bar, "ok");
}

void ImoptBarTest::ConstrainKeepsHeightEqualToWidth() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddShape(mw->lf);
    o->lt.width = 60;
    o->lt.size = 80;
    mw->Refresh();
    mw->EditImage();
    auto* bar = qobject_cast<Imopt*>(OpenBar(mw.get()));
    QVERIFY(!bar->constrain()->isChecked());
    bar->shapeWidth().edit->SetText(QStringLiteral("120"));
    QCOMPARE(mw->lf.obj[0]->lt.width, 120);
    QCOMPARE(mw->lf.obj[0]->lt.size, 80);
    bar->constrain()->setChecked(true);
    QCOMPARE(mw->lf.obj[0]->lt.size, 120);
    QCOMPARE(bar->shapeHeight().edit->value(), 120);
    test::ClickButton(bar, "ok");
    mw->EditImage();
    auto* again = qobject_cast<Imopt*>(OpenBar(mw.get()));
    QVERIFY(again->constrain()->isChecked());
    test::ClickButton(again, "cancel");
}

QTEST_MAIN(ImoptBarTest)
#include "tst_imopt_bar.moc"
