// The arithmetic of the colour controls: positions, pixel colours, palette cells, edit values.

#include <QTest>

#include "ui/colour/colour_math.h"

using namespace qv;
using namespace qv::ui;

Q_DECLARE_METATYPE(qv::Hls)

class ColourMathTest : public QObject {
    Q_OBJECT
private slots:
    void PointerFractions_data();
    void PointerFractions();
    void StripRightEndIs239();
    void StripColours_data();
    void StripColours();
    void Markers_data();
    void Markers();
    void FieldEdges();
    void FieldColours_data();
    void FieldColours();
    void PaletteColours_data();
    void PaletteColours();
    void PaletteCells_data();
    void PaletteCells();
    void PaletteCellsTile_data();
    void PaletteCellsTile();
    void PaletteHits_data();
    void PaletteHits();
    void HitsAgreeWithCells();
    void RgbEdits_data();
    void RgbEdits();
    void Positions_data();
    void Positions();
    void GreyFromEdits();
};

void ColourMathTest::PointerFractions_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("size");
    QTest::addColumn<float>("fraction");
    QTest::newRow("left end") << 0 << 200 << 0.0f;
    QTest::newRow("left of it") << -30 << 200 << 0.0f;
    QTest::newRow("middle") << 100 << 200 << 0.5f;
    QTest::newRow("last pixel") << 199 << 200 << 0.995f;
    QTest::newRow("right end") << 200 << 200 << 1.0f;
    QTest::newRow("right of it") << 450 << 200 << 1.0f;
    QTest::newRow("no size") << 10 << 0 << 0.0f;
}

void ColourMathTest::PointerFractions() {
    QFETCH(int, x);
    QFETCH(int, size);
    QFETCH(float, fraction);
    QCOMPARE(PointerFraction(x, size), fraction);
}

void ColourMathTest::StripRightEndIs239() {
    QCOMPARE(HueFromStrip(PointerFraction(200, 200)), 239.0f);
    QCOMPARE(HueFromStrip(PointerFraction(1000, 200)), 239.0f);
    QCOMPARE(HueFromStrip(PointerFraction(0, 200)), 0.0f);
    QVERIFY(HueFromStrip(PointerFraction(199, 200)) < 239.0f);
}

void ColourMathTest::StripColours_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<uint>("rgb");
    QTest::newRow("0: red") << 0 << 239 << 0xFF0000u;
    QTest::newRow("40: yellow") << 40 << 239 << 0xFFFF00u;
    QTest::newRow("80: green") << 80 << 239 << 0x00FF00u;
    QTest::newRow("120: cyan") << 120 << 239 << 0x00FFFFu;
    QTest::newRow("160: blue") << 160 << 239 << 0x0000FFu;
    QTest::newRow("200: magenta") << 200 << 239 << 0xFF00FFu;
    // Half of a 478-pixel strip is hue 119.5, just short of cyan.
    QTest::newRow("half of 478") << 239 << 478 << uint(HlsToPacked({119.5f, 240, 120}));
}

void ColourMathTest::StripColours() {
    QFETCH(int, x);
    QFETCH(int, width);
    QFETCH(uint, rgb);
    QCOMPARE(uint(StripColour(x, width)), rgb);
}

void ColourMathTest::Markers_data() {
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("position");
    QTest::newRow("0 of 210") << 0.0f << 210 << 4;
    QTest::newRow("1 of 210") << 1.0f << 210 << 205;
    QTest::newRow("0.25 of 210") << 0.25f << 210 << 54;
    QTest::newRow("0.75 of 90") << 0.75f << 90 << 66;
}

void ColourMathTest::Markers() {
    QFETCH(float, fraction);
    QFETCH(int, size);
    QFETCH(int, position);
    QCOMPARE(MarkerPosition(fraction, size), position);
}

void ColourMathTest::FieldEdges() {
    for (float hue : {0.0f, 60.0f, 160.0f, 239.0f}) {
        for (int x : {0, 57, 199}) {
            QCOMPARE(uint(FieldColour(hue, x, 0, 200, 150)), 0u);
            QCOMPARE(uint(FieldColour(hue, x, 149, 200, 150)), 0xFFFFFFu);
        }
    }
}

void ColourMathTest::FieldColours_data() {
    QTest::addColumn<float>("hue");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<uint>("rgb");
    // 151 rows put lightness 120 on row 75.
    QTest::newRow("red, right, middle") << 0.0f << 199 << 75 << 0xFF0000u;
    QTest::newRow("blue at 160") << 160.0f << 199 << 75 << 0x0000FFu;
    QTest::newRow("grey at the left") << 160.0f << 0 << 75 << 0x7F7F7Fu;
    QTest::newRow("half saturated")
        << 0.0f << 199 / 2 << 75 << uint(HlsToPacked({0, 240.0f * 99 / 199, 120}));
}

void ColourMathTest::FieldColours() {
    QFETCH(float, hue);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(uint, rgb);
    QCOMPARE(uint(FieldColour(hue, x, y, 200, 151)), rgb);
}

void ColourMathTest::PaletteColours_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<Hls>("colour");
    QTest::newRow("row 0, black") << 0 << 0 << Hls{0, 0, 0};
    QTest::newRow("row 0, middle grey") << 8 << 0 << Hls{0, 0, 120};
    QTest::newRow("row 0, white") << 16 << 0 << Hls{0, 0, 240};
    QTest::newRow("row 1: hue 60") << 0 << 1 << Hls{60, 240, 20};
    QTest::newRow("row 2: hue 80") << 4 << 2 << Hls{80, 240, 70};
    QTest::newRow("row 9: hue 220") << 16 << 9 << Hls{220, 240, 220};
    QTest::newRow("row 10: hue 0, wrapped") << 8 << 10 << Hls{0, 240, 120};
    QTest::newRow("row 11: hue 20") << 1 << 11 << Hls{20, 240, 32.5f};
    QTest::newRow("row 12: hue 40") << 16 << 12 << Hls{40, 240, 220};
}

void ColourMathTest::PaletteColours() {
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(Hls, colour);
    const Hls got = PaletteCellColour(column, row);
    QCOMPARE(got.h, colour.h);
    QCOMPARE(got.s, colour.s);
    QCOMPARE(got.l, colour.l);
}

void ColourMathTest::PaletteCells_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("cell");  // left, top, right, bottom as x, y, w, h of a QRect
    QTest::newRow("206x132 first") << 206 << 132 << 0 << 0 << QRect(1, 1, 13, 11);
    QTest::newRow("206x132 last") << 206 << 132 << 16 << 12 << QRect(193, 121, 205, 131);
    // 98 / 17 = 5.76...: floor and ceil make neighbours share a column.
    QTest::newRow("100x100 second") << 100 << 100 << 1 << 1 << QRect(6, 8, 13, 17);
}

void ColourMathTest::PaletteCells() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QRect, cell);
    const CellRect r = PaletteCellRect(column, row, width, height);
    QCOMPARE(r, (CellRect{cell.x(), cell.y(), cell.width(), cell.height()}));
}

void ColourMathTest::PaletteCellsTile_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("206x132") << 206 << 132;
    QTest::newRow("100x100") << 100 << 100;
    QTest::newRow("173x91") << 173 << 91;
}

void ColourMathTest::PaletteCellsTile() {
    QFETCH(int, width);
    QFETCH(int, height);
    // No gaps: each cell starts at or before the end of the one before it, the first at the
    // border and the last no earlier than the far border.
    for (int c = 0; c < kPaletteColumns; ++c) {
        const CellRect r = PaletteCellRect(c, 0, width, height);
        if (c == 0) QCOMPARE(r.left, 1);
        if (c > 0) QVERIFY(r.left <= PaletteCellRect(c - 1, 0, width, height).right);
        if (c == kPaletteColumns - 1) QVERIFY(r.right >= width - 1);
    }
    for (int row = 0; row < kPaletteRows; ++row) {
        const CellRect r = PaletteCellRect(0, row, width, height);
        if (row == 0) QCOMPARE(r.top, 1);
        if (row > 0) QVERIFY(r.top <= PaletteCellRect(0, row - 1, width, height).bottom);
        if (row == kPaletteRows - 1) QVERIFY(r.bottom >= height - 1);
    }
}

void ColourMathTest::PaletteHits_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("hit");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("border corner") << 0 << 0 << true << 0 << 0;
    QTest::newRow("first cell") << 1 << 1 << true << 0 << 0;
    QTest::newRow("second column starts at 13") << 13 << 1 << true << 1 << 0;
    QTest::newRow("row 10") << 100 << 101 << true << 8 << 10;
    QTest::newRow("last cell") << 204 << 130 << true << 16 << 12;
    QTest::newRow("right border") << 205 << 50 << false << 0 << 0;
    QTest::newRow("bottom border") << 50 << 131 << false << 0 << 0;
    QTest::newRow("outside") << 300 << 50 << false << 0 << 0;
}

void ColourMathTest::PaletteHits() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, hit);
    QFETCH(int, column);
    QFETCH(int, row);
    int c = -1, r = -1;
    QCOMPARE(PaletteHit(x, y, 206, 132, c, r), hit);
    if (!hit) return;
    QCOMPARE(c, column);
    QCOMPARE(r, row);
}

void ColourMathTest::HitsAgreeWithCells() {
    // Where the cells have whole-number sizes, each pixel picks the cell that paints it.
    for (int y = 1; y < 131; ++y) {
        for (int x = 1; x < 205; ++x) {
            int c = -1, r = -1;
            QVERIFY(PaletteHit(x, y, 206, 132, c, r));
            const CellRect cell = PaletteCellRect(c, r, 206, 132);
            QVERIFY2(x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

void ColourMathTest::RgbEdits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("clamped");
    QTest::newRow("empty") << "" << -1 << -1;
    QTest::newRow("0") << "0" << 0 << 0;
    QTest::newRow("128") << "128" << 128 << 128;
    QTest::newRow("255") << "255" << 255 << 255;
    QTest::newRow("256") << "256" << 256 << 255;
    QTest::newRow("300") << "300" << 300 << 255;
    QTest::newRow("999") << "999" << 999 << 255;
    QTest::newRow("many digits") << "12345678901" << 99999 << 255;
}

void ColourMathTest::RgbEdits() {
    QFETCH(QString, text);
    QFETCH(int, read);
    QFETCH(int, clamped);
    const int value = ReadRgbEdit(text.toLatin1().constData());
    QCOMPARE(value, read);
    if (value >= 0) QCOMPARE(ClampRgb(value), clamped);
}

void ColourMathTest::Positions_data() {
    QTest::addColumn<Hls>("colour");
    QTest::addColumn<float>("hue");
    QTest::addColumn<float>("saturation");
    QTest::addColumn<float>("lightness");
    QTest::newRow("ends") << Hls{239, 240, 0} << 1.0f << 1.0f << 0.0f;
    QTest::newRow("middle") << Hls{119.5f, 120, 120} << 0.5f << 0.5f << 0.5f;
    QTest::newRow("above range") << Hls{255, 255, 255} << 1.0f << 1.0f << 1.0f;
    QTest::newRow("below range") << Hls{-5, -1, -2} << 0.0f << 0.0f << 0.0f;
}

void ColourMathTest::Positions() {
    QFETCH(Hls, colour);
    QFETCH(float, hue);
    QFETCH(float, saturation);
    QFETCH(float, lightness);
    const ColourPosition p = PositionOf(colour);
    QCOMPARE(p.hue, hue);
    QCOMPARE(p.saturation, saturation);
    QCOMPARE(p.lightness, lightness);
}

void ColourMathTest::GreyFromEdits() {
    for (int v : {0, 77, 128, 255}) {
        const Hls c = RgbToHls(float(v), float(v), float(v));
        QCOMPARE(c.h, 160.0f);
        QCOMPARE(c.s, 0.0f);
        const Rgb8 back = ShownRgb(c);
        QVERIFY(qAbs(int(back.r) - v) <= 1);
    }
}

QTEST_GUILESS_MAIN(ColourMathTest)
#include "tst_colour_math.moc"
