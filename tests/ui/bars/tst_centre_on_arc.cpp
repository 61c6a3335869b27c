// "Centre on Arc": the rotation that puts the middle of a bent line at the top (bottom) of its
// circle, kept so while the run changes, and the Transform bar's check box.
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include "document/le_file.h"
#include "render/arc_centre.h"
#include "render/ft_text.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/transform_bar.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

namespace {

ObjStyle Bent(const char* text, bool inside) {
    ObjStyle lt;
    lt.str = text;
    lt.transform = 1;
    lt.bend_on = 1;
    lt.bend = 0.4f;
    lt.bend_inside = inside ? 1 : 0;
    return lt;
}

// How far the inked columns of a raster sit off its middle: the mean column of the coverage,
// weighted, less half the width.
double Lopsidedness(const FtText& ft) {
    double sum = 0, weight = 0;
    for (int y = 0; y < ft.szy; ++y) {
        for (int x = 0; x < ft.szx; ++x) {
            const double v = ft.raster.data()[size_t(y) * size_t(ft.szx) + size_t(x)];
            sum += v * x;
            weight += v;
        }
    }
    return weight > 0 ? sum / weight - ft.szx / 2.0 : 1e9;
}

// How much lower the line's right end stands than its left end: the mean inked row of the
// outermost few inked columns on each side.
double EndDrop(const FtText& ft) {
    const auto mean_row = [&](int x0, int x1) {
        double sum = 0, weight = 0;
        for (int x = x0; x < x1; ++x) {
            for (int y = 0; y < ft.szy; ++y) {
                const double v = ft.raster.data()[size_t(y) * size_t(ft.szx) + size_t(x)];
                sum += v * y;
                weight += v;
            }
        }
        return weight > 0 ? sum / weight : 0.0;
    };
    const auto inked = [&](int x) {
        for (int y = 0; y < ft.szy; ++y) {
            if (ft.raster.data()[size_t(y) * size_t(ft.szx) + size_t(x)] > 0) return true;
        }
        return false;
    };
    int left = 0, right = ft.szx - 1;
    while (left < right && !inked(left)) ++left;
    while (right > left && !inked(right)) --right;
    return mean_row(right - 3, right + 1) - mean_row(left, left + 4);
}

}  // namespace

class CentreOnArcTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void MiddleOfTheRunSitsOnTopOrBottom_data();
    void MiddleOfTheRunSitsOnTopOrBottom();
    void NothingForAStraightLine();
    void KeptWhileTheRunChanges();
    void TransformBarCheckBox();
};

void CentreOnArcTest::MiddleOfTheRunSitsOnTopOrBottom_data() {
    QTest::addColumn<bool>("inside");
    QTest::addColumn<QString>("text");
    QTest::newRow("outside") << false << QStringLiteral("HIHIHIHIH");
    QTest::newRow("inside") << true << QStringLiteral("HIHIHIHIH");
    QTest::newRow("outside, long") << false << QStringLiteral("HIHIHIHIHIHIHIHIH");
}

void CentreOnArcTest::MiddleOfTheRunSitsOnTopOrBottom() {
    QFETCH(bool, inside);
    QFETCH(QString, text);
    const std::string str = text.toStdString();
    ObjStyle lt = Bent(str.c_str(), inside);
    FtText ft;
    QCOMPARE(ft.Render(lt, 0, 0), 0);
    const double before = EndDrop(ft);
    const std::optional<float> r = CentredArcRotation(ft.layout(), inside);
    QVERIFY(r);
    QVERIFY(*r >= 0.0f && *r < 1.0f);
    // The rotation is half the run's angle, one way or the other.
    const double half_turns = ft.run / (2.0 * ft.bend_radius) / 6.283185307179586;
    QVERIFY(qAbs((inside ? 1.0 - *r : *r) - half_turns) < 1e-5);
    lt.rotation = *r;
    QCOMPARE(ft.Render(lt, 0, 0), 0);
    // A symmetric text then stands symmetric on its circle; unrotated it ran off to one side.
    QVERIFY2(qAbs(Lopsidedness(ft)) < 1.5, qPrintable(QString::number(Lopsidedness(ft))));
    QVERIFY2(qAbs(EndDrop(ft)) < 2, qPrintable(QString::number(EndDrop(ft))));
    QVERIFY2(qAbs(before) > 10, qPrintable(QString::number(before)));
}

void CentreOnArcTest::NothingForAStraightLine() {
    ObjStyle lt = Bent("Straight", false);
    lt.bend_on = 0;
    FtText ft;
    QCOMPARE(ft.Layout(lt, 0, 0), 0);
    QVERIFY(!CentredArcRotation(ft.layout(), false));
    lt.bend_on = 1;
    lt.str.clear();
    QCOMPARE(ft.Layout(lt, 0, 0), 0);
    QVERIFY(!CentredArcRotation(ft.layout(), false));
}

void CentreOnArcTest::KeptWhileTheRunChanges() {
    LeFile lf;
    LogoObj* o = test::AddText(lf, "SHORT");
    o->lt = Bent("SHORT", false);
    o->centre_on_arc = true;
    QCOMPARE(lf.Update(800, 600, -1, -1), 0);
    const float short_rotation = o->lt.rotation;
    QVERIFY(short_rotation > 0.0f);
    // Longer text, bigger size, wider spacing, inside: each moves the rotation with the run.
    o->lt.str = "MUCH LONGER TEXT";
    QCOMPARE(lf.Update(800, 600, -1, -1), 0);
    const float long_rotation = o->lt.rotation;
    QVERIFY(long_rotation > short_rotation);
    o->lt.spacing = 10;
    QCOMPARE(lf.Update(800, 600, -1, -1), 0);
    QVERIFY(o->lt.rotation > long_rotation);
    o->lt.bend_inside = 1;
    QCOMPARE(lf.Update(800, 600, -1, -1), 0);
    QVERIFY(o->lt.rotation > 0.5f);
    FtText check;
    QCOMPARE(check.Layout(o->lt, 0, 1), 0);
    QCOMPARE(*CentredArcRotation(check.layout(), true), o->lt.rotation);
    // Off: the rotation stays as it was left.
    o->centre_on_arc = false;
    const float kept = o->lt.rotation;
    o->lt.str = "X";
    QCOMPARE(lf.Update(800, 600, -1, -1), 0);
    QCOMPARE(o->lt.rotation, kept);
    // Copies (undo, duplicate) keep the setting.
    LogoObj copy;
    o->centre_on_arc = true;
    copy.CopyValueFrom(*o);
    QVERIFY(copy.centre_on_arc);
}

void CentreOnArcTest::TransformBarCheckBox() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "ARC OF TEXT");
    o->lt = Bent("ARC OF TEXT", false);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditTransform();
    auto* bar = qobject_cast<TransformBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->centreOnArc()->text(), QStringLiteral("Centre on Arc"));
    QVERIFY(bar->centreOnArc()->isEnabled());
    QVERIFY(!bar->centreOnArc()->isChecked());
    bar->centreOnArc()->setChecked(true);
    QVERIFY(o->centre_on_arc);
    QVERIFY(!bar->rotation().edit->isEnabled());
    FtText check;
    QCOMPARE(check.Layout(o->lt, 0, 1), 0);
    const float centred = *CentredArcRotation(check.layout(), false);
    QCOMPARE(o->lt.rotation, centred);
    QCOMPARE(bar->rotation().edit->value(), int(centred * 360.0f));
    // Bend inside: recomputed at once.
    bar->inside()->setChecked(true);
    QVERIFY(o->lt.rotation > 0.5f);
    // Cancel takes it all back.
    test::ClickButton(bar, "cancel");
    QVERIFY(!mw->lf.obj[0]->centre_on_arc);
    QCOMPARE(mw->lf.obj[0]->lt.rotation, 0.0f);
    // Without a bend there is no arc to centre on.
    mw->lf.obj[0]->lt.bend_on = 0;
    mw->EditTransform();
    bar = qobject_cast<TransformBar*>(OpenBar(mw.get()));
    QVERIFY(!bar->centreOnArc()->isEnabled());
    test::ClickButton(bar, "cancel");
}

QTEST_MAIN(CentreOnArcTest)
#include "tst_centre_on_arc.moc"
