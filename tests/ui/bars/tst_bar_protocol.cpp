// The bar-modal protocol through the Effects and Colors bars: Ok is one undo step, Cancel goes
// back through the history, colour buttons restore the whole document, canvas drags while a
// bar is open.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "document/logo_obj.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/color_bar.h"
#include "ui/bars/effects_bar.h"
#include "ui/canvas_view.h"
#include "ui/colour/color_btn.h"
#include "ui/colour/colour_controls.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

namespace {

EffectsBar* OpenEffects(MainWindow& mw) {
    mw.EditEffects();
    return qobject_cast<EffectsBar*>(OpenBar(&mw));
}

}  // namespace

class BarProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void EffectsOpensLockedWithCaption();
    void EffectsOkIsOneUndoStep();
    void EnterInAnEditConfirmsTheBar();
    void EffectsCancelRestoresAndRedoReapplies();
    void DependentControlsFollowTheChecks();
    void OpacitySliderStoresItsFraction();
    void ColourButtonCancelRestoresEverything();
    void ColourButtonOkKeepsTheColour();
    void DragWhileOpenKeepsCurrentAndCancelMovesBack();
    void AnotherBarReplacesTheOpenOne();
    void ColorsBarOpensOnTheSlot();
};

void BarProtocolTest::EffectsOpensLockedWithCaption() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    QVERIFY(bar);
    QVERIFY(bar->isVisible());
    QVERIFY(!bar->isModal());
    QVERIFY(mw->barOpen());
    QVERIFY(mw->canvas()->barMode());
    QVERIFY(!mw->popup(0)->menuAction()->isEnabled());
    QCOMPARE(bar->windowTitle(), QStringLiteral("Effects Options: 'Shade'"));
    QCOMPARE(bar->objectEdit()->text(), QStringLiteral("Shade"));
    QVERIFY(bar->ready());
    test::ClickButton(bar, "cancel");
    QVERIFY(!mw->barOpen());
    QVERIFY(!mw->canvas()->barMode());
    QVERIFY(mw->popup(0)->menuAction()->isEnabled());
}

void BarProtocolTest::EffectsOkIsOneUndoStep() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    bar->hasShadow()->setChecked(true);
    bar->shadowDistance().edit->SetText(QStringLiteral("12"));
    bar->shadowDistance().edit->SetText(QStringLiteral("13"));
    QCOMPARE(mw->lf.obj[0]->lt.shadow, 1);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_distance, 13);
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
    QCOMPARE(mw->utrack.redoes, 0);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_distance, 13);
    mw->utrack.Undo(mw->lf);
    QCOMPARE(mw->lf.obj[0]->lt.shadow, 0);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_distance, 5);
}

void BarProtocolTest::EnterInAnEditConfirmsTheBar() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    bar->hasShadow()->setChecked(true);
    bar->shadowDistance().edit->SetText(QStringLiteral("9"));
    QTest::keyClick(bar->shadowDistance().edit, Qt::Key_Return);
    QVERIFY(!mw->barOpen());
    QCOMPARE(mw->utrack.undoes, 1);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_distance, 9);
}

void BarProtocolTest::EffectsCancelRestoresAndRedoReapplies() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    bar->hasShadow()->setChecked(true);
    bar->shadowAngle().edit->SetText(QStringLiteral("200"));
    QCOMPARE(mw->lf.obj[0]->lt.shadow_angle, 200);
    QTest::keyClick(bar, Qt::Key_Escape);
    QVERIFY(!mw->barOpen());
    QCOMPARE(mw->lf.obj[0]->lt.shadow, 0);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_angle, 45);
    QCOMPARE(mw->utrack.redoes, 1);
    mw->utrack.Redo(mw->lf);
    QCOMPARE(mw->lf.obj[0]->lt.shadow, 1);
    QCOMPARE(mw->lf.obj[0]->lt.shadow_angle, 200);
}

void BarProtocolTest::DependentControlsFollowTheChecks() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    QVERIFY(!bar->strength().edit->isEnabled());
    QVERIFY(!bar->outlineOpacity().slider->isEnabled());
    QVERIFY(!bar->shadowColour()->isEnabled());
    bar->hasOutline()->setChecked(true);
    QVERIFY(bar->strength().edit->isEnabled());
    QVERIFY(bar->outlineOpacity().slider->isEnabled());
    QVERIFY(!bar->shadowAngle().edit->isEnabled());
    bar->hasOutline()->setChecked(false);
    bar->hasShadow()->setChecked(true);
    QVERIFY(bar->strength().edit->isEnabled());
    QVERIFY(bar->shadowColour()->isEnabled());
    QVERIFY(!bar->outlineSharpness().edit->isEnabled());
    test::ClickButton(bar, "ok");
}

void BarProtocolTest::OpacitySliderStoresItsFraction() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Shade");
    o->lt.outline = 1;
    o->lt.outline_opacity = 0.537f;
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    // Opening shows the record without rounding it through the edit.
    QCOMPARE(bar->outlineOpacity().edit->value(), 53);
    QVERIFY(qAbs(bar->outlineOpacity().slider->fraction() - 0.537f) < 1e-4f);
    Slider* slider = bar->outlineOpacity().slider;
    const int y = slider->height() / 2;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(kSliderInset, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(slider->width() - kSliderInset, y),
                     slider->mapToGlobal(QPointF(slider->width() - kSliderInset, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() - kSliderInset, y));
    QCOMPARE(mw->lf.obj[0]->lt.outline_opacity, slider->fraction());
    QCOMPARE(bar->outlineOpacity().edit->value(), 100);
    // Typing moves the slider along.
    bar->outlineOpacity().edit->SetText(QStringLiteral("25"));
    QVERIFY(qAbs(mw->lf.obj[0]->lt.outline_opacity - 0.25f) < 1e-4f);
    QVERIFY(qAbs(slider->fraction() - 0.25f) < 1e-4f);
    test::ClickButton(bar, "cancel");
}

void BarProtocolTest::ColourButtonCancelRestoresEverything() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Shade");
    o->lt.outline = 1;
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    bar->outlineSharpness().edit->SetText(QStringLiteral("80"));
    const ObjStyle before = mw->lf.obj[0]->lt;
    const Hls bg = mw->lf.bgc;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* colours = qobject_cast<ColorBar*>(QApplication::activeModalWidget());
        QVERIFY(colours);
        QCOMPARE(colours->controls()->selector()->count(), 1);
        QCOMPARE(colours->controls()->selector()->itemText(0), QStringLiteral("Outline Color"));
        colours->controls()->rgbEdit(0)->setText(QStringLiteral("200"));
        colours->controls()->PollEdits();
        ran = !(mw->lf.obj[0]->lt.outline_color == before.outline_color);
        mw->lf.obj[0]->x = 77;
        colours->reject();
    });
    QTest::mouseClick(bar->outlineColour(), Qt::LeftButton);
    QVERIFY(ran);
    QVERIFY(mw->lf.obj[0]->lt == before);
    QCOMPARE(mw->lf.obj[0]->x, 0);
    QVERIFY(mw->lf.bgc == bg);
    QCOMPARE(bar->outlineColour()->rgb(), HlsToPacked(before.outline_color));
    // The bar is still the open one and still live.
    QCOMPARE(OpenBar(mw.get()), bar);
    bar->outlineSharpness().edit->SetText(QStringLiteral("20"));
    QVERIFY(qAbs(mw->lf.obj[0]->lt.outline_sharpness - 0.2f) < 1e-4f);
    test::ClickButton(bar, "cancel");
}

void BarProtocolTest::ColourButtonOkKeepsTheColour() {
    auto mw = test::ShowEditor();
    LogoObj* o = test::AddText(mw->lf, "Shade");
    o->lt.shadow = 1;
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    Hls chosen{};
    QTimer::singleShot(0, [&] {
        auto* colours = qobject_cast<ColorBar*>(QApplication::activeModalWidget());
        QVERIFY(colours);
        colours->controls()->rgbEdit(2)->setText(QStringLiteral("250"));
        colours->controls()->PollEdits();
        chosen = colours->controls()->colour();
        colours->accept();
    });
    QTest::mouseClick(bar->shadowColour(), Qt::LeftButton);
    QVERIFY(mw->lf.obj[0]->lt.shadow_color == chosen);
    QCOMPARE(bar->shadowColour()->rgb(), HlsToPacked(chosen));
    // The modal run leaves the history to the bar.
    QCOMPARE(mw->utrack.undoes, 0);
    QVERIFY(mw->barOpen());
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
}

void BarProtocolTest::DragWhileOpenKeepsCurrentAndCancelMovesBack() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Back", -150, 0);
    test::AddText(mw->lf, "Front", 150, 0);
    mw->lf.SetCurObj(0);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    EffectsBar* bar = OpenEffects(*mw);
    CanvasView* canvas = mw->canvas();
    test::SendMouse(canvas, QEvent::MouseButtonPress, test::CanvasPoint(canvas, 150, 0));
    // Alt held: where the cursor puts it, without snapping to the other object.
    const QPoint to = test::CanvasPoint(canvas, 160, 20);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(canvas->mapToGlobal(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    QCoreApplication::sendEvent(canvas, &move);
    test::SendMouse(canvas, QEvent::MouseButtonRelease, to);
    QCOMPARE(mw->lf.cur, 0);
    QCOMPARE(mw->lf.obj[1]->x, 160);
    QCOMPARE(mw->lf.obj[1]->y, 20);
    QCOMPARE(mw->utrack.undoes, 0);
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.obj[1]->x, 150);
    QCOMPARE(mw->lf.obj[1]->y, 0);
}

void BarProtocolTest::AnotherBarReplacesTheOpenOne() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Shade");
    mw->Refresh();
    EffectsBar* first = OpenEffects(*mw);
    QPointer<EffectsBar> watch(first);
    first->hasOutline()->setChecked(true);
    EffectsBar* second = OpenEffects(*mw);
    QVERIFY(watch.isNull());
    QVERIFY(second);
    QVERIFY(mw->barOpen());
    // The dropped bar's live change stays in the document.
    QVERIFY(second->hasOutline()->isChecked());
    test::ClickButton(second, "cancel");
    QVERIFY(!mw->barOpen());
}

void BarProtocolTest::ColorsBarOpensOnTheSlot() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "Paint");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->EditColor(4);
    auto* bar = qobject_cast<ColorBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Color Options: 'Paint'"));
    QCOMPARE(bar->controls()->selector()->count(), 6);
    QCOMPARE(bar->controls()->selector()->currentIndex(), 4);
    QCOMPARE(bar->controls()->selector()->itemText(5), QStringLiteral("Background Color"));
    bar->controls()->selector()->setCurrentIndex(5);
    bar->controls()->rgbEdit(0)->setText(QStringLiteral("10"));
    bar->controls()->PollEdits();
    const Hls bg = mw->lf.bgc;
    QVERIFY(!(bg == Hls{0, 0, 240}));
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, 1);
    QVERIFY(mw->lf.bgc == bg);
}

QTEST_MAIN(BarProtocolTest)
#include "tst_bar_protocol.moc"
