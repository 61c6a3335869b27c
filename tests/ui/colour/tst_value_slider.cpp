// The value slider: its insets, the linked edit in both forms, the spin step and the live
// notification.

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/fault_report.h"
#include "document/bar_mappings.h"
#include "tests/ui/mouse.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

class ValueSliderTest : public QObject {
    Q_OBJECT
private slots:
    void PointerFractions_data();
    void PointerFractions();
    void EditTexts_data();
    void EditTexts();
    void AspectStoredValues_data();
    void AspectStoredValues();
    void AspectReopensInTheMiddle();
    void SpinSteps_data();
    void SpinSteps();
    void InsetsUnderTheMouse_data();
    void InsetsUnderTheMouse();
    void ClickAloneLeavesThePosition();
    void EditIsWrittenBeforeTheNotification();
    void AspectModeEdit();
    void MovesAfterReleaseAreIgnored();
    void SetValueLeavesTheEdit();
    void SpinEditMovesTheSlider();
    void ThumbStandsAtThePosition_data();
    void ThumbStandsAtThePosition();
};

void ValueSliderTest::PointerFractions_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("fraction");
    QTest::newRow("x = 5 is the minimum") << 5 << 110 << 0.0f;
    QTest::newRow("inside the left inset") << 2 << 110 << 0.0f;
    QTest::newRow("left of the slider") << -40 << 110 << 0.0f;
    QTest::newRow("middle") << 55 << 110 << 0.5f;
    QTest::newRow("x = 6") << 6 << 110 << 0.01f;
    QTest::newRow("width - 5 is the maximum") << 105 << 110 << 1.0f;
    QTest::newRow("inside the right inset") << 108 << 110 << 1.0f;
    QTest::newRow("right of the slider") << 400 << 110 << 1.0f;
    QTest::newRow("too narrow") << 5 << 10 << 0.0f;
}

void ValueSliderTest::PointerFractions() {
    QFETCH(int, x);
    QFETCH(int, width);
    QFETCH(float, fraction);
    QCOMPARE(SliderPointerFraction(x, width), fraction);
}

void ValueSliderTest::EditTexts_data() {
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("aspect");
    QTest::addColumn<QString>("text");
    QTest::newRow("size at 0") << 0.0f << 10 << 100 << false << "10";
    QTest::newRow("size at 0.5") << 0.5f << 10 << 100 << false << "55";
    QTest::newRow("size at 1") << 1.0f << 10 << 100 << false << "100";
    QTest::newRow("angle truncates") << 0.999f << 0 << 360 << false << "359";
    QTest::newRow("spacing at 0") << 0.0f << -5 << 20 << false << "-5";
    // trunc(-2.5) is -2: the minimum is added before truncating.
    QTest::newRow("spacing at 0.1") << 0.1f << -5 << 20 << false << "-2";
    QTest::newRow("aspect at 0") << 0.0f << 0 << 100 << true << "0.5";
    QTest::newRow("aspect at 0.25") << 0.25f << 0 << 100 << true << "0.7";
    QTest::newRow("aspect at 0.5") << 0.5f << 0 << 100 << true << "1.0";
    QTest::newRow("aspect at 0.75") << 0.75f << 0 << 100 << true << "1.5";
    QTest::newRow("aspect at 1") << 1.0f << 0 << 100 << true << "2.0";
}

void ValueSliderTest::EditTexts() {
    QFETCH(float, fraction);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, aspect);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(SliderEditText(fraction, min, max, aspect)), text);
}

void ValueSliderTest::AspectStoredValues_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<float>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("left end: 0.5") << 5 << 0.5f << "0.5";
    QTest::newRow("middle: 1.0") << 55 << 1.0f << "1.0";
    QTest::newRow("right end: 2.0") << 105 << 2.0f << "2.0";
}

void ValueSliderTest::AspectStoredValues() {
    QFETCH(int, x);
    QFETCH(float, stored);
    QFETCH(QString, text);
    Slider slider;
    slider.resize(110, 22);
    slider.SetAspectMode(true);
    QLineEdit edit;
    slider.SetLinkedEdit(&edit);
    test::Press(&slider, 50, 10);
    test::Move(&slider, x, 10);
    QCOMPARE(slider.aspect(), stored);
    QCOMPARE(edit.text(), text);
}

void ValueSliderTest::AspectReopensInTheMiddle() {
    Slider slider;
    slider.SetAspect(1.0f);
    QCOMPARE(slider.fraction(), 0.5f);
    slider.SetAspect(2.0f);
    QCOMPARE(slider.fraction(), 1.0f);
    slider.SetAspect(0.5f);
    QCOMPARE(slider.fraction(), 0.0f);
}

void ValueSliderTest::SpinSteps_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("step");
    QTest::addColumn<float>("fraction");
    QTest::newRow("up from 55") << 55 << 1 << 46.0f / 90.0f;
    QTest::newRow("down from 55") << 55 << -1 << 44.0f / 90.0f;
    QTest::newRow("page up") << 20 << 10 << 20.0f / 90.0f;
    QTest::newRow("past the top") << 100 << 1 << 1.0f;
    QTest::newRow("far above, from the spin's own range") << 200 << 1 << 1.0f;
    QTest::newRow("below the bottom") << 4 << -1 << 0.0f;
    QTest::newRow("onto the bottom") << 11 << -1 << 0.0f;
}

void ValueSliderTest::SpinSteps() {
    QFETCH(int, position);
    QFETCH(int, step);
    QFETCH(float, fraction);
    QCOMPARE(SliderSpinFraction(position, step, 10, 100), fraction);
    Slider slider;
    slider.SetRange(10, 100);
    QSignalSpy changed(&slider, &Slider::Changed);
    slider.SpinStep(position, step);
    QCOMPARE(slider.fraction(), fraction);
    // The spin's own change of its edit is what the bar reacts to.
    QCOMPARE(changed.count(), 0);
}

void ValueSliderTest::InsetsUnderTheMouse_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("text");
    QTest::newRow("x = 5 of 110") << 110 << 5 << "10";
    QTest::newRow("x = 105 of 110") << 110 << 105 << "100";
    QTest::newRow("x = 4 of 110") << 110 << 4 << "10";
    QTest::newRow("x = 104 of 110") << 110 << 104 << "99";
    QTest::newRow("x = 5 of 150") << 150 << 5 << "10";
    QTest::newRow("x = 145 of 150") << 150 << 145 << "100";
    QTest::newRow("x = 75 of 150") << 150 << 75 << "55";
}

void ValueSliderTest::InsetsUnderTheMouse() {
    QFETCH(int, width);
    QFETCH(int, x);
    QFETCH(QString, text);
    Slider slider;
    slider.resize(width, 22);
    slider.SetRange(10, 100);
    slider.SetFraction(0.3f);
    QLineEdit edit;
    slider.SetLinkedEdit(&edit);
    test::Press(&slider, width / 2, 10);
    test::Move(&slider, x, 10);
    QCOMPARE(edit.text(), text);
    QCOMPARE(slider.fraction(), SliderPointerFraction(x, width));
}

void ValueSliderTest::ClickAloneLeavesThePosition() {
    Slider slider;
    slider.resize(110, 22);
    slider.SetFraction(0.3f);
    QLineEdit edit(QStringLiteral("untouched"));
    slider.SetLinkedEdit(&edit);
    QSignalSpy changed(&slider, &Slider::Changed);
    test::Press(&slider, 100, 10);
    QVERIFY(slider.pressed());
    test::Release(&slider, 100, 10);
    QVERIFY(!slider.pressed());
    QCOMPARE(slider.fraction(), 0.3f);
    QCOMPARE(edit.text(), QStringLiteral("untouched"));
    QCOMPARE(changed.count(), 0);
}

void ValueSliderTest::EditIsWrittenBeforeTheNotification() {
    Slider slider;
    slider.resize(110, 22);
    slider.SetRange(0, 360);
    QLineEdit edit;
    slider.SetLinkedEdit(&edit);
    QStringList seen;
    QList<float> fractions;
    connect(&slider, &Slider::Changed, &slider, [&](float f) {
        seen << edit.text();
        fractions << f;
    });
    test::Press(&slider, 5, 10);
    test::Move(&slider, 30, 10);
    test::Move(&slider, 80, 10);
    test::Release(&slider, 80, 10);
    QCOMPARE(seen, (QStringList{QStringLiteral("90"), QStringLiteral("270")}));
    QCOMPARE(fractions, (QList<float>{0.25f, 0.75f}));
}

void ValueSliderTest::AspectModeEdit() {
    Slider slider;
    slider.resize(110, 22);
    slider.SetAspectMode(true);
    QLineEdit edit;
    slider.SetLinkedEdit(&edit);
    test::Press(&slider, 5, 10);
    test::Move(&slider, 80, 10);
    QCOMPARE(edit.text(), QStringLiteral("1.5"));
    QCOMPARE(slider.aspect(), 1.5f);
}

void ValueSliderTest::MovesAfterReleaseAreIgnored() {
    Slider slider;
    slider.resize(110, 22);
    QSignalSpy changed(&slider, &Slider::Changed);
    test::Press(&slider, 5, 10);
    test::Move(&slider, 55, 10);
    test::Release(&slider, 55, 10);
    test::Move(&slider, 100, 10);
    QCOMPARE(slider.fraction(), 0.5f);
    QCOMPARE(changed.count(), 1);
}

void ValueSliderTest::SetValueLeavesTheEdit() {
    Slider slider;
    slider.SetRange(10, 100);
    QLineEdit edit(QStringLiteral("150"));
    slider.SetLinkedEdit(&edit);
    slider.SetValue(150.0f);
    QCOMPARE(slider.fraction(), 1.0f);
    QCOMPARE(edit.text(), QStringLiteral("150"));
    slider.SetValue(55.0f);
    QCOMPARE(slider.fraction(), 0.5f);
    QCOMPARE(slider.value(), 55);
}

void ValueSliderTest::SpinEditMovesTheSlider() {
    Slider slider;
    slider.resize(110, 22);
    slider.SetRange(10, 100);
    SliderSpinEdit spin(4, 256, 55);
    spin.SetSlider(&slider);
    slider.SetLinkedEdit(&spin);
    spin.stepBy(1);
    QCOMPARE(spin.value(), 56);
    QCOMPARE(slider.fraction(), 46.0f / 90.0f);
    spin.setValue(150);
    spin.stepBy(1);
    QCOMPARE(spin.value(), 151);
    QCOMPARE(slider.fraction(), 1.0f);
    // And the other way: a drag writes the spin's edit.
    test::Press(&slider, 5, 10);
    test::Move(&slider, 5, 10);
    QCOMPARE(spin.value(), 10);
}

void ValueSliderTest::ThumbStandsAtThePosition_data() {
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("centre");
    QTest::newRow("left") << 0.0f << 5;
    QTest::newRow("middle") << 0.5f << 55;
    QTest::newRow("right") << 1.0f << 105;
}

void ValueSliderTest::ThumbStandsAtThePosition() {
    QFETCH(float, fraction);
    QFETCH(int, centre);
    const int faults = FaultsReported();
    Slider slider;
    slider.resize(110, 22);
    slider.SetFraction(fraction);
    const QImage image = slider.grab().toImage();
    // The thumb is the only thing drawn at the top row, which the groove does not reach.
    int left = -1, right = -1;
    const QRgb window = image.pixel(0, 0);
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, 3) != window) {
            if (left < 0) left = x;
            right = x;
        }
    }
    QCOMPARE((left + right) / 2, centre);
    QCOMPARE(right - left + 1, 9);
    QCOMPARE(FaultsReported(), faults);
}

QTEST_MAIN(ValueSliderTest)
#include "tst_value_slider.moc"
