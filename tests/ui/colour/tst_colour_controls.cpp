// The colour controls on their own and together as the Colors bar keeps them in step, and the
// Gradient bar's preview.

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/fault_report.h"
#include "tests/ui/mouse.h"
#include "ui/colour/color_btn.h"
#include "ui/colour/colour_controls.h"
#include "ui/colour/colour_math.h"
#include "ui/colour/grad_preview.h"
#include "ui/colour/hl_picker.h"
#include "ui/colour/hue_slider.h"
#include "ui/colour/sl_slider.h"
#include "ui/pixels.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

namespace {

uint Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

int Channel(uint rgb, int shift) {
    return int((rgb >> shift) & 0xFF);
}

}  // namespace

class ColourControlsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { faults_ = FaultsReported(); }
    void cleanup() { QCOMPARE(FaultsReported(), faults_); }

    void StripRightEndGives239();
    void StripFollowsWhileHeld();
    void StripPicture();
    void FieldPicksSaturationAndLightness();
    void FieldPictureIsExact();
    void PaletteRows_data();
    void PaletteRows();
    void PalettePicture();
    void PaletteOffTheCellsPicksNothing();
    void SwatchShowsTheColour();
    void SwatchClicks();
    void EditOver255BecomesIt();
    void EditClampedOnTheTimer();
    void GreyEditsGiveHue160();
    void EditsFollowTheOtherControls();
    void UnchangedEditsAnnounceNothing();
    void EmptiedEditKeepsItsValue();
    void SelectorSwitchesTargets();
    void HexCodesAreParsed();
    void HexEditSetsTheColourAndFollowsIt();
    void GradientPreview_data();
    void GradientPreview();
    void GradientPreviewShowsTransparency();
    void GradientPreviewHoldsStill();
    void Pictures();

private:
    int faults_ = 0;
};

void ColourControlsTest::StripRightEndGives239() {
    ColourControls c;
    c.strip()->resize(200, 16);
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    test::Press(c.strip(), 200, 8);
    QCOMPARE(c.colour().h, 239.0f);
    test::Move(c.strip(), 260, 8);
    QCOMPARE(c.colour().h, 239.0f);
    test::Release(c.strip(), 260, 8);
    QCOMPARE(changed.count(), 2);
    // The last column itself is just short of the end.
    test::Press(c.strip(), 199, 8);
    QCOMPARE(c.colour().h, 199.0f / 200.0f * 239.0f);
}

void ColourControlsTest::StripFollowsWhileHeld() {
    HueSlider strip;
    strip.resize(200, 16);
    QList<float> seen;
    connect(&strip, &HueSlider::Changed, &strip, [&](float f) { seen << f; });
    test::Press(&strip, 50, 8);
    test::Move(&strip, 100, 8);
    test::Move(&strip, -20, 8);
    test::Release(&strip, -20, 8);
    test::Move(&strip, 150, 8);
    QCOMPARE(seen, (QList<float>{0.25f, 0.5f, 0.0f}));
    QCOMPARE(strip.fraction(), 0.0f);
}

void ColourControlsTest::StripPicture() {
    HueSlider strip;
    strip.resize(239, 16);
    strip.SetFraction(0.5f);
    const QImage image = strip.grab().toImage();
    QCOMPARE(Rgb(image, 40, 8), 0xFFFF00u);
    QCOMPARE(Rgb(image, 80, 8), 0x00FF00u);
    QCOMPARE(Rgb(image, 160, 8), 0x0000FFu);
    const int marker = MarkerPosition(0.5f, 239);
    for (int y = 1; y < 15; ++y) QCOMPARE(Rgb(image, marker, y), 0xFFFFFFu);
    QCOMPARE(Rgb(image, marker + 1, 8), StripColour(marker + 1, 239));
}

void ColourControlsTest::FieldPicksSaturationAndLightness() {
    ColourControls c;
    c.SetColour({100, 0, 0});
    c.field()->resize(200, 150);
    test::Press(c.field(), 50, 75);
    QCOMPARE(c.colour().s, 60.0f);
    QCOMPARE(c.colour().l, 120.0f);
    test::Move(c.field(), 500, 500);
    QCOMPARE(c.colour(), (Hls{100, 240, 240}));
    test::Move(c.field(), -5, -5);
    QCOMPARE(c.colour(), (Hls{100, 0, 0}));
    test::Release(c.field(), -5, -5);
}

void ColourControlsTest::FieldPictureIsExact() {
    SLSlider field;
    field.resize(200, 150);
    field.SetHue(60.0f);
    field.SetPosition(0.0f, 0.0f);
    const QImage image = field.grab().toImage();
    // Away from the border and the marker every pixel is the formula's colour.
    for (int y = 12; y < 149; y += 7) {
        for (int x = 12; x < 199; x += 5) {
            QCOMPARE(Rgb(image, x, y), FieldColour(60.0f, x, y, 200, 150));
        }
    }
}

void ColourControlsTest::PaletteRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<float>("hue");
    QTest::newRow("row 1: hue 60") << 1 << 60.0f;
    QTest::newRow("row 9: hue 220") << 9 << 220.0f;
    QTest::newRow("row 10: hue 0, 240 wrapped") << 10 << 0.0f;
    QTest::newRow("row 12: hue 40") << 12 << 40.0f;
}

void ColourControlsTest::PaletteRows() {
    QFETCH(int, row);
    QFETCH(float, hue);
    ColourControls c;
    c.palette()->resize(206, 132);
    Hls target{1, 2, 3};
    c.SetTargets({{&target, QStringLiteral("Solid Color")}}, 0);
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    // Column 4, the middle of the cell.
    test::Press(c.palette(), 4 * 12 + 7, row * 10 + 6);
    const Hls expected{hue, 240.0f, 70.0f};
    QCOMPARE(c.palette()->picked(), expected);
    QCOMPARE(c.colour(), expected);
    QCOMPARE(target, expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(c.strip()->fraction(), hue / 239.0f);
    QCOMPARE(c.field()->saturationFraction(), 1.0f);
    QCOMPARE(c.field()->lightnessFraction(), 70.0f / 240.0f);
    QCOMPARE(c.field()->hue(), hue);
    const Rgb8 rgb = ShownRgb(expected);
    QCOMPARE(c.rgbEdit(0)->text().toInt(), int(rgb.r));
    QCOMPARE(c.rgbEdit(1)->text().toInt(), int(rgb.g));
    QCOMPARE(c.rgbEdit(2)->text().toInt(), int(rgb.b));
}

void ColourControlsTest::PalettePicture() {
    HLPicker palette;
    palette.resize(206, 132);
    const QImage image = palette.grab().toImage();
    for (int r = 0; r < kPaletteRows; ++r) {
        for (int col = 0; col < kPaletteColumns; ++col) {
            const CellRect cell = PaletteCellRect(col, r, 206, 132);
            const uint expected = HlsToPacked(PaletteCellColour(col, r));
            QCOMPARE(Rgb(image, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2),
                     expected);
            QCOMPARE(Rgb(image, cell.left, cell.top), expected);
            QCOMPARE(Rgb(image, cell.right - 1, cell.bottom - 1), expected);
        }
    }
    QCOMPARE(Rgb(image, 0, 50), uint(skin::kEdgeDark));
    QCOMPARE(Rgb(image, 205, 50), uint(skin::kEdgeLight));
    QVERIFY(!palette.cursor().pixmap().isNull());
}

void ColourControlsTest::PaletteOffTheCellsPicksNothing() {
    HLPicker palette;
    palette.resize(206, 132);
    QSignalSpy picked(&palette, &HLPicker::Picked);
    test::Press(&palette, 205, 60);
    test::Press(&palette, 60, 131);
    QCOMPARE(picked.count(), 0);
    test::Press(&palette, 0, 0);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(palette.picked(), (Hls{0, 0, 0}));
}

void ColourControlsTest::SwatchShowsTheColour() {
    ColourControls c;
    c.SetColour({0, 240, 120});
    QCOMPARE(c.swatch()->rgb(), 0xFF0000u);
    c.swatch()->resize(48, 40);
    const QImage image = c.swatch()->grab().toImage();
    QCOMPARE(Rgb(image, 24, 20), 0xFF0000u);
    QCOMPARE(Rgb(image, 0, 0), uint(skin::kEdgeDark));
}

void ColourControlsTest::SwatchClicks() {
    ColorBtn swatch;
    swatch.resize(48, 40);
    QSignalSpy clicked(&swatch, &ColorBtn::Clicked);
    test::Press(&swatch, 10, 10);
    test::Release(&swatch, 10, 10);
    test::Press(&swatch, 10, 10);
    test::Release(&swatch, 100, 10);
    QCOMPARE(clicked.count(), 1);
}

void ColourControlsTest::EditOver255BecomesIt() {
    ColourControls c;
    c.pollTimer().stop();
    c.SetColour({0, 0, 0});
    c.rgbEdit(0)->setText(QStringLiteral("300"));
    c.PollEdits();
    QCOMPARE(c.rgbEdit(0)->text(), QStringLiteral("255"));
    QCOMPARE(c.storedRgb(), (std::array<int, 3>{255, 0, 0}));
    QCOMPARE(c.colour(), RgbToHls(255, 0, 0));
    QCOMPARE(c.colour(), (Hls{0, 240, 120}));
    QCOMPARE(c.swatch()->rgb(), 0xFF0000u);
}

void ColourControlsTest::EditClampedOnTheTimer() {
    ColourControls c;
    c.SetColour({0, 0, 0});
    Hls target{};
    c.SetTargets({{&target, QStringLiteral("Outline Color")}}, 0);
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    c.rgbEdit(1)->clear();
    QTest::keyClicks(c.rgbEdit(1), QStringLiteral("300"));
    QCOMPARE(c.rgbEdit(1)->text(), QStringLiteral("300"));
    QTRY_COMPARE_WITH_TIMEOUT(c.rgbEdit(1)->text(), QStringLiteral("255"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(target, RgbToHls(0, 255, 0), 2000);
    QVERIFY(changed.count() >= 1);
}

void ColourControlsTest::GreyEditsGiveHue160() {
    ColourControls c;
    c.pollTimer().stop();
    c.SetColour({40, 240, 120});
    c.field()->resize(200, 150);
    for (int k = 0; k < 3; ++k) c.rgbEdit(k)->setText(QStringLiteral("77"));
    c.PollEdits();
    QCOMPARE(c.colour().h, 160.0f);
    QCOMPARE(c.colour().s, 0.0f);
    QCOMPARE(c.field()->hue(), 160.0f);
    QCOMPARE(c.strip()->fraction(), 160.0f / 239.0f);
    QCOMPARE(c.field()->saturationFraction(), 0.0f);
    // The field now shows the blues of hue 160: its right edge at half lightness is blue.
    const QImage image = c.field()->grab().toImage();
    const uint right = Rgb(image, 190, 75);
    QCOMPARE(right, FieldColour(160.0f, 190, 75, 200, 150));
    QVERIFY(Channel(right, 0) > 200 && Channel(right, 16) < 40 && Channel(right, 8) < 40);
    // What was typed stays as typed.
    for (int k = 0; k < 3; ++k) QCOMPARE(c.rgbEdit(k)->text(), QStringLiteral("77"));
}

void ColourControlsTest::EditsFollowTheOtherControls() {
    ColourControls c;
    c.pollTimer().stop();
    c.strip()->resize(200, 16);
    c.SetColour({0, 240, 120});
    QCOMPARE(c.rgbEdit(0)->text(), QStringLiteral("255"));
    test::Press(c.strip(), 200, 8);
    const Rgb8 rgb = ShownRgb({239, 240, 120});
    QCOMPARE(c.rgbEdit(0)->text(), QString::number(rgb.r));
    QCOMPARE(c.rgbEdit(2)->text(), QString::number(rgb.b));
    QCOMPARE(c.storedRgb(), (std::array<int, 3>{rgb.r, rgb.g, rgb.b}));
    // The strip leaves the field's marker alone and repaints it for the new hue.
    QCOMPARE(c.field()->saturationFraction(), 1.0f);
    QCOMPARE(c.field()->hue(), 239.0f);
    // Nothing new for the poll to find.
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    c.PollEdits();
    QCOMPARE(changed.count(), 0);
}

void ColourControlsTest::HexCodesAreParsed() {
    QCOMPARE(ParseHexColour("#1a73e8"), std::optional<Rgb8>(Rgb8{0x1a, 0x73, 0xe8}));
    QCOMPARE(ParseHexColour("1A73E8"), std::optional<Rgb8>(Rgb8{0x1a, 0x73, 0xe8}));
    QCOMPARE(ParseHexColour(" #abc "), std::optional<Rgb8>(Rgb8{0xaa, 0xbb, 0xcc}));
    QCOMPARE(ParseHexColour("fff"), std::optional<Rgb8>(Rgb8{255, 255, 255}));
    for (const char* bad : {"", "#", "#12", "#1234", "#12345g", "1a73e8ff", "# 1a73e8", "rgb(1,2,3)"}) {
        QVERIFY2(!ParseHexColour(bad), bad);
    }
    QCOMPARE(HexColour(Rgb8{0x1a, 0x73, 0xe8}), std::string("#1a73e8"));
    QCOMPARE(HexColour(Rgb8{0, 0, 0}), std::string("#000000"));
}

void ColourControlsTest::HexEditSetsTheColourAndFollowsIt() {
    ColourControls c;
    c.pollTimer().stop();
    Hls target{0, 0, 0};
    c.SetTargets({{&target, QStringLiteral("Fill")}}, 0);
    QCOMPARE(c.hexEdit()->text(), QStringLiteral("#000000"));
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    // Typing replaces nothing until the code is whole.
    c.hexEdit()->clear();
    QTest::keyClicks(c.hexEdit(), QStringLiteral("#1a"));
    QCOMPARE(changed.count(), 0);
    QTest::keyClicks(c.hexEdit(), QStringLiteral("7"));
    QCOMPARE(changed.count(), 1);  // "#1a7" is itself a whole short code
    c.hexEdit()->clear();
    QTest::keyClicks(c.hexEdit(), QStringLiteral("#1a73e8"));
    QCOMPARE(c.rgbEdit(0)->text(), QStringLiteral("26"));
    QCOMPARE(c.rgbEdit(1)->text(), QStringLiteral("115"));
    QCOMPARE(c.rgbEdit(2)->text(), QStringLiteral("232"));
    QCOMPARE(c.storedRgb(), (std::array<int, 3>{26, 115, 232}));
    QCOMPARE(target, RgbToHls(26, 115, 232));
    // Another control moves the hex along.
    c.SetColour({0, 0, 240});
    QCOMPARE(c.hexEdit()->text(), QStringLiteral("#ffffff"));
}

void ColourControlsTest::UnchangedEditsAnnounceNothing() {
    ColourControls c;
    c.pollTimer().stop();
    c.SetColour({255, 255, 255});
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    c.PollEdits();
    c.PollEdits();
    QCOMPARE(changed.count(), 0);
    // The above-range triple is kept as it is until the user changes it.
    QCOMPARE(c.colour(), (Hls{255, 255, 255}));
    QCOMPARE(c.rgbEdit(0)->text(), QStringLiteral("255"));
}

void ColourControlsTest::EmptiedEditKeepsItsValue() {
    ColourControls c;
    c.pollTimer().stop();
    c.SetColour({0, 240, 120});
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    c.rgbEdit(0)->clear();
    c.PollEdits();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(c.rgbEdit(0)->text(), QString());
    c.rgbEdit(0)->setText(QStringLiteral("12"));
    c.PollEdits();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(c.storedRgb()[0], 12);
    // Digits only.
    c.rgbEdit(1)->clear();
    QTest::keyClicks(c.rgbEdit(1), QStringLiteral("-4a"));
    QCOMPARE(c.rgbEdit(1)->text(), QStringLiteral("4"));
}

void ColourControlsTest::SelectorSwitchesTargets() {
    ColourControls c;
    c.pollTimer().stop();
    c.strip()->resize(200, 16);
    Hls fill{0, 240, 120}, outline{160, 240, 60}, background{0, 0, 240};
    c.SetTargets({{&fill, QStringLiteral("Solid Color")},
                  {&outline, QStringLiteral("Outline Color")},
                  {&background, QStringLiteral("Background Color")}},
                 1);
    QCOMPARE(c.selector()->count(), 3);
    QCOMPARE(c.selector()->currentText(), QStringLiteral("Outline Color"));
    QCOMPARE(c.colour(), outline);
    QCOMPARE(c.strip()->fraction(), 160.0f / 239.0f);
    QSignalSpy changed(&c, &ColourControls::ColourChanged);
    c.selector()->setCurrentIndex(2);
    QCOMPARE(c.selected(), 2);
    QCOMPARE(c.colour(), background);
    QCOMPARE(c.rgbEdit(0)->text(), QStringLiteral("255"));
    QCOMPARE(changed.count(), 0);
    test::Press(c.strip(), 100, 8);
    QCOMPARE(background.h, 119.5f);
    QCOMPARE(outline, (Hls{160, 240, 60}));
    QCOMPARE(fill, (Hls{0, 240, 120}));
    QCOMPARE(changed.count(), 1);
}

void ColourControlsTest::GradientPreview_data() {
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("left");   // red of the left column
    QTest::addColumn<int>("right");  // red of the right column
    QTest::newRow("0: colour 1 at the left") << 0 << 0 << 255;
    QTest::newRow("180: colour 1 at the right") << 180 << 255 << 0;
}

void ColourControlsTest::GradientPreview() {
    QFETCH(int, angle);
    QFETCH(int, left);
    QFETCH(int, right);
    ObjStyle lt;
    lt.grad = 1;
    lt.grad_angle = angle;
    lt.grad_color1 = {0, 0, 0};
    lt.grad_color2 = {0, 0, 240};
    GradPreview preview;
    preview.resize(120, 60);
    preview.SetStyle(lt);
    const QImage image = preview.grab().toImage();
    // The dither adds up to 7.
    for (int y = 0; y < 60; y += 11) {
        QVERIFY(qAbs(Channel(Rgb(image, 0, y), 16) - left) <= 7);
        QVERIFY(qAbs(Channel(Rgb(image, 119, y), 16) - right) <= 7);
    }
    const int middle = Channel(Rgb(image, 60, 30), 16);
    QVERIFY2(middle > 110 && middle < 145, qPrintable(QString::number(middle)));
}

void ColourControlsTest::GradientPreviewShowsTransparency() {
    ObjStyle lt;
    lt.grad_opacity1 = 0.0f;
    lt.grad_opacity2 = 0.0f;
    GradPreview preview;
    preview.resize(64, 32);
    preview.SetStyle(lt);
    const QImage image = preview.grab().toImage();
    const uint a = Rgb(image, 2, 2), b = Rgb(image, 10, 2);
    QVERIFY(qAbs(Channel(a, 16) - Channel(kPreviewChessA, 16)) <= 7);
    QVERIFY(qAbs(Channel(b, 16) - Channel(kPreviewChessB, 16)) <= 7);
}

void ColourControlsTest::GradientPreviewHoldsStill() {
    ObjStyle lt;
    lt.grad_color2 = {80, 240, 120};
    GradPreview preview;
    preview.resize(100, 40);
    preview.SetStyle(lt);
    const QImage first = preview.grab().toImage();
    QCOMPARE(preview.grab().toImage(), first);
    lt.grad_angle = 90;
    preview.SetStyle(lt);
    QVERIFY(preview.grab().toImage() != first);
    QCOMPARE(preview.style().grad_angle, 90);
}

void ColourControlsTest::Pictures() {
    // Saved for a look by eye; nothing is compared here.
    const QString dir = QStringLiteral(QV_COLOUR_PICTURES);
    QDir().mkpath(dir);
    ColourControls c;
    c.pollTimer().stop();
    Hls a{140, 200, 100}, b{20, 240, 180};
    c.SetTargets({{&a, QStringLiteral("Solid Color")}, {&b, QStringLiteral("Shadow Color")}}, 0);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QVERIFY(c.grab().save(dir + QStringLiteral("/colour_controls.png")));

    QWidget sliders;
    sliders.resize(180, 110);
    const float fractions[4] = {0.0f, 0.3f, 0.5f, 1.0f};
    for (int k = 0; k < 4; ++k) {
        auto* s = new Slider(&sliders);
        s->setGeometry(10, 10 + 24 * k, 160, 22);
        s->SetFraction(fractions[k]);
        if (k == 3) s->setEnabled(false);
    }
    QVERIFY(sliders.grab().save(dir + QStringLiteral("/sliders.png")));

    ObjStyle lt;
    lt.grad_color1 = {0, 240, 120};
    lt.grad_color2 = {160, 240, 120};
    lt.grad_angle = 45;
    lt.grad_opacity2 = 0.4f;
    GradPreview preview;
    preview.resize(160, 70);
    preview.SetStyle(lt);
    QVERIFY(preview.grab().save(dir + QStringLiteral("/grad_preview.png")));
    QVERIFY(PaletteCursor().pixmap().save(dir + QStringLiteral("/palette_cursor.png")));
}

QTEST_MAIN(ColourControlsTest)
#include "tst_colour_controls.moc"
