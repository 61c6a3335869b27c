// The Logo options bar: the colour shift from fixed bases, its two settings, centring, the fixed
// canvas, and Cancel.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "document/colour_shift.h"
#include "document/logo_obj.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/logo_bar.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

class LogoBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void ShiftStartsFromTheBasesAndCancelRestores();
    void CurrentOnlyLeavesOtherObjects();
    void CentreAndFixedCanvasGoBackOnCancel();
};

void LogoBarTest::ShiftStartsFromTheBasesAndCancelRestores() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Hue");
    o->lt.color = Hls{40, 120, 120};
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditLogoOptions();
    auto* bar = qobject_cast<LogoBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Image Options..."));
    QCOMPARE(bar->hue().edit->value(), 0);
    QCOMPARE(bar->hue().slider->fraction(), 0.5f);
    const Hls bg = mw->lf.bgc;
    bar->hue().edit->SetText(QStringLiteral("50"));
    const Hls shifted = mw->lf.obj[0]->lt.color;
    QVERIFY(!(shifted == (Hls{40, 120, 120})));
    QVERIFY(shifted == ShiftColour(Hls{40, 120, 120}, 0.75f, 0.5f, 0.5f));
    // Back to 0 gives the bases again.
    bar->hue().edit->SetText(QStringLiteral("0"));
    QVERIFY(mw->lf.obj[0]->lt.color == (Hls{40, 120, 120}));
    bar->lightness().edit->SetText(QStringLiteral("-60"));
    test::ClickButton(bar, "cancel");
    QVERIFY(mw->lf.obj[0]->lt.color == (Hls{40, 120, 120}));
    QVERIFY(mw->lf.bgc == bg);
}

void LogoBarTest::CurrentOnlyLeavesOtherObjects() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "One")->lt.color = Hls{10, 120, 120};
    test::AddText(mw->lf, "Two")->lt.color = Hls{10, 120, 120};
    mw->lf.SetCurObj(1);
    mw->Refresh();
    mw->EditLogoOptions();
    auto* bar = qobject_cast<LogoBar*>(OpenBar(mw.get()));
    bar->currentOnly()->setChecked(true);
    QVERIFY(ColourShift::CurrentOnly());
    bar->saturation().edit->SetText(QStringLiteral("-100"));
    QVERIFY(mw->lf.obj[0]->lt.color == (Hls{10, 120, 120}));
    QVERIFY(!(mw->lf.obj[1]->lt.color == (Hls{10, 120, 120})));
    bar->currentOnly()->setChecked(false);
    test::ClickButton(bar, "cancel");
    QVERIFY(!ColourShift::CurrentOnly());
}

void LogoBarTest::CentreAndFixedCanvasGoBackOnCancel() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Left", 100, 40);
    test::AddText(mw->lf, "Right", 300, 90);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditLogoOptions();
    auto* bar = qobject_cast<LogoBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QVERIFY(!bar->canvasWidth().edit->isEnabled());
    QCOMPARE(bar->canvasWidth().edit->value(), mw->lf.ob.dw);
    QTest::mouseClick(bar->centre(), Qt::LeftButton);
    const LogoObj& a = *mw->lf.obj[0];
    const LogoObj& b = *mw->lf.obj[1];
    const int left = std::min(a.x - a.w / 2, b.x - b.w / 2);
    const int right = std::max(a.x - a.w / 2 + a.w, b.x - b.w / 2 + b.w);
    const int top = std::min(a.y - a.h / 2, b.y - b.h / 2);
    const int bottom = std::max(a.y - a.h / 2 + a.h, b.y - b.h / 2 + b.h);
    QVERIFY(qAbs(left + right) <= 1);
    QVERIFY(qAbs(top + bottom) <= 1);
    QCOMPARE(b.x - a.x, 200);

    bar->fixed()->setChecked(true);
    QCOMPARE(mw->lf.fixed, 1);
    QCOMPARE(mw->lf.cw, mw->lf.ob.dw);
    QVERIFY(bar->canvasWidth().edit->isEnabled());
    QCOMPARE(bar->canvasHeight().edit->value(), mw->lf.ch);
    bar->canvasWidth().edit->SetText(QStringLiteral("640"));
    bar->canvasHeight().edit->SetText(QStringLiteral("4000"));
    QCOMPARE(mw->lf.cw, 640);
    // The canvas is held to 3000 pixels a side.
    QCOMPARE(mw->lf.ch, 3000);
    mw->Refresh();
    QCOMPARE(mw->lf.ob.dw, 640);

    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.fixed, 0);
    QCOMPARE(mw->lf.obj[0]->x, 100);
    QCOMPARE(mw->lf.obj[1]->y, 90);
}

QTEST_MAIN(LogoBarTest)
#include "tst_logo_bar.moc"
