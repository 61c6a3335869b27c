// The Gradient and Transform bars: what each control stores, the controls the checks switch,
// and Cancel through the history.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "document/logo_obj.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/gradient_bar.h"
#include "ui/bars/transform_bar.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

class GradientTransformTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void GradientStoresAndCancels();
    void GradientKeepsTheFillColour();
    void TransformStoresAndEnables();
};

void GradientTransformTest::GradientStoresAndCancels() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Fade");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditGradient();
    auto* bar = qobject_cast<GradientBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Gradient Options: 'Fade'"));
    QVERIFY(!bar->angle().edit->isEnabled());
    bar->overlay()->setChecked(true);
    QVERIFY(bar->angle().edit->isEnabled());
    bar->angle().edit->SetText(QStringLiteral("90"));
    bar->opacity2().edit->SetText(QStringLiteral("40"));
    const ObjStyle& lt = mw->lf.obj[0]->lt;
    QCOMPARE(lt.grad, 1);
    QCOMPARE(lt.grad_angle, 90);
    QVERIFY(qAbs(lt.grad_opacity2 - 0.4f) < 1e-4f);
    QCOMPARE(bar->angle().slider->fraction(), 0.25f);
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.obj[0]->lt.grad, 0);
    QCOMPARE(mw->lf.obj[0]->lt.grad_angle, 0);
    QCOMPARE(mw->lf.obj[0]->lt.grad_opacity2, 1.0f);
    QCOMPARE(mw->utrack.redoes, 1);
}

void GradientTransformTest::GradientKeepsTheFillColour() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Fade");
    o->lt.color = Hls{80, 120, 100};
    mw->Refresh();
    mw->EditGradient();
    auto* bar = qobject_cast<GradientBar*>(OpenBar(mw.get()));
    bar->overlay()->setChecked(true);
    bar->overlay()->setChecked(false);
    QVERIFY(mw->lf.obj[0]->lt.color == (Hls{80, 120, 100}));
    test::ClickButton(bar, "ok");
}

void GradientTransformTest::TransformStoresAndEnables() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Turn");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditTransform();
    auto* bar = qobject_cast<TransformBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Transform Text Object: 'Turn'"));
    QVERIFY(!bar->rotation().edit->isEnabled());
    QVERIFY(!bar->bend()->isEnabled());
    bar->transform()->setChecked(true);
    QVERIFY(bar->rotation().edit->isEnabled());
    QVERIFY(!bar->radius().edit->isEnabled());
    bar->bend()->setChecked(true);
    QVERIFY(bar->radius().edit->isEnabled());
    bar->rotation().edit->SetText(QStringLiteral("90"));
    bar->radius().edit->SetText(QStringLiteral("30"));
    bar->inside()->setChecked(true);
    const ObjStyle& lt = mw->lf.obj[0]->lt;
    QCOMPARE(lt.transform, 1);
    QCOMPARE(lt.bend_on, 1);
    QCOMPARE(lt.bend_inside, 1);
    QVERIFY(qAbs(lt.rotation - 0.25f) < 1e-4f);
    QVERIFY(qAbs(lt.bend - 0.3f) < 1e-4f);
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
    QCOMPARE(mw->lf.obj[0]->lt.transform, 1);
}

QTEST_MAIN(GradientTransformTest)
#include "tst_gradient_transform.moc"
