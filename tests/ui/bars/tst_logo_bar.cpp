// The Logo options bar: the colour shift from fixed bases, its two settings, and Cancel.
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

QTEST_MAIN(LogoBarTest)
#include "tst_logo_bar.moc"
