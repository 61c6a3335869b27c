// The canvas's pure geometry: client pixels to logo coordinates at a zoom, zooming about the
// cursor, the scroll limits, the drag clamp, snapping and alignment.

#include <QTest>
#include <climits>
#include <cmath>
#include <limits>

#include "ui/align.h"
#include "ui/canvas_mapping.h"
#include "ui/canvas_snap.h"

using namespace qv::ui;

class CanvasGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void HundredPercentIsTheOldMapping();
    void ZoomedMappingRoundTrips_data();
    void ZoomedMappingRoundTrips();
    void ZoomAboutKeepsThePointUnderTheCursor();
    void ZoomStepsStayWithinTheRange();
    void FitAndScrollLimits();
    void ClampKeepsTheCentreInsideTheArea();
    void SnapsToCentreLinesAndObjects();
    void SnapReachFollowsTheZoom();
    void AlignCentresAndEdges();
};

void CanvasGeometryTest::HundredPercentIsTheOldMapping() {
    const CanvasMapping m{801, 600, 1.0, 0, 0};
    for (const auto& [cx, cy] : {std::pair{0, 0}, {400, 300}, {800, 599}, {17, 555}}) {
        QCOMPARE(LogoPointAt(m, cx, cy), (IntPoint{cx - 801 / 2, cy - 300}));
        QCOMPARE(ClientPointOf(m, cx - 400, cy - 300), (IntPoint{cx, cy}));
    }
}

void CanvasGeometryTest::ZoomedMappingRoundTrips_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("scroll_x");
    QTest::addColumn<int>("scroll_y");
    QTest::newRow("400 %") << 4.0 << 0 << 0;
    QTest::newRow("400 % scrolled") << 4.0 << 1234 << -777;
    QTest::newRow("150 %") << 1.5 << 3 << -5;
    QTest::newRow("800 %") << 8.0 << -3000 << 2000;
}

void CanvasGeometryTest::ZoomedMappingRoundTrips() {
    QFETCH(double, zoom);
    QFETCH(int, scroll_x);
    QFETCH(int, scroll_y);
    const CanvasMapping m{1600, 1000, zoom, scroll_x, scroll_y};
    // Every logo point is drawn where the mapping finds it again.
    for (int lx = -300; lx <= 300; lx += 37) {
        for (int ly = -200; ly <= 200; ly += 41) {
            const IntPoint c = ClientPointOf(m, lx, ly);
            QCOMPARE(LogoPointAt(m, c.x, c.y), (IntPoint{lx, ly}));
        }
    }
    // Below 100 % one client pixel shows several logo points: the first of them maps back.
    const CanvasMapping small{1600, 1000, 0.25, 3, -5};
    for (int cx = 0; cx < 40; ++cx) {
        const IntPoint l = LogoPointAt(small, cx, 17);
        QCOMPARE(ClientPointOf(small, l.x, l.y).x, cx);
    }
    // A client step of one zoom's worth is one logo unit.
    if (zoom >= 1) {
        const IntPoint a = LogoPointAt(m, 700, 500);
        const IntPoint b = LogoPointAt(m, 700 + int(zoom), 500);
        QCOMPARE(b.x - a.x, 1);
    }
}

void CanvasGeometryTest::ZoomAboutKeepsThePointUnderTheCursor() {
    CanvasMapping m{1000, 700, 1.0, 0, 0};
    const IntPoint before = LogoPointAt(m, 820, 130);
    for (double z : {2.0, 4.0, 8.0, 0.5, 1.0}) {
        m = ZoomAbout(m, z, 820, 130);
        QCOMPARE(m.zoom, z);
        const IntPoint after = LogoPointAt(m, 820, 130);
        QVERIFY(std::abs(after.x - before.x) <= 1);
        QVERIFY(std::abs(after.y - before.y) <= 1);
    }
    // Back at 100 % about the same point nothing is scrolled any more.
    QCOMPARE(m.scroll_x, 0);
    QCOMPARE(m.scroll_y, 0);
    // Absurd zooms are held.
    QCOMPARE(ZoomAbout(m, 1e9, 0, 0).zoom, kMaxZoom);
    QCOMPARE(ZoomAbout(m, -3, 0, 0).zoom, kMinZoom);
    QCOMPARE(ClampZoom(std::numeric_limits<double>::quiet_NaN()), 1.0);
}

void CanvasGeometryTest::ZoomStepsStayWithinTheRange() {
    double z = 1.0;
    int steps = 0;
    while (z < kMaxZoom && steps < 100) {
        const double next = StepZoom(z, +1);
        QVERIFY(next > z);
        z = next;
        ++steps;
    }
    QCOMPARE(z, kMaxZoom);
    QCOMPARE(StepZoom(kMaxZoom, +1), kMaxZoom);
    QCOMPARE(StepZoom(1.0, -1), 0.75);
    QCOMPARE(StepZoom(0.1, -1), kMinZoom);
    QCOMPARE(StepZoom(1.1, -1), 1.0);  // an odd zoom steps to the next one below
    QCOMPARE(StepZoom(1.1, +1), 1.25);
}

void CanvasGeometryTest::FitAndScrollLimits() {
    QCOMPARE(FitZoom(200, 100, 820, 420), 4.0);
    QCOMPARE(FitZoom(4000, 100, 820, 420), 0.2);
    QCOMPARE(FitZoom(1, 1, 2000, 2000), kMaxZoom);
    QCOMPARE(FitZoom(0, 0, 800, 600), 1.0);
    // A logo that fits does not scroll; at 400 % it scrolls to its edge plus the border.
    const CanvasMapping fit{1000, 700, 1.0, 500, -500};
    QCOMPARE(ScrollLimit(fit, 980, 680), (IntPoint{0, 0}));
    QCOMPARE(ClampScroll(fit, 980, 680).scroll_x, 0);
    const CanvasMapping big{1600, 1000, 4.0, 99999, -99999};
    QCOMPARE(ScrollLimit(big, 790, 490), (IntPoint{(3160 + 20 - 1600) / 2, (1960 + 20 - 1000) / 2}));
    const CanvasMapping held = ClampScroll(big, 790, 490);
    QCOMPARE(held.scroll_x, 790);
    QCOMPARE(held.scroll_y, -490);
}

void CanvasGeometryTest::ClampKeepsTheCentreInsideTheArea() {
    QCOMPARE(ClampToLogoArea(0, 0, 980, 680), (IntPoint{0, 0}));
    QCOMPARE(ClampToLogoArea(-4000, 5000, 980, 680), (IntPoint{-490, 340}));
    QCOMPARE(ClampToLogoArea(5000, -5000, 981, 681), (IntPoint{491, -340}));
    // Positions near the int limits do not wrap round.
    QCOMPARE(ClampToLogoArea(INT_MAX, INT_MIN, 100, 100), (IntPoint{50, -50}));
}

void CanvasGeometryTest::SnapsToCentreLinesAndObjects() {
    // Near nothing: unchanged, no guides.
    SnapResult r = Snap({100, 80, 40, 20}, {}, 6);
    QCOMPARE(r.x, 100);
    QCOMPARE(r.y, 80);
    QVERIFY(!r.guide_x && !r.guide_y);
    // The centre 4 off the vertical centre line snaps onto it.
    r = Snap({4, 80, 40, 20}, {}, 6);
    QCOMPARE(r.x, 0);
    QCOMPARE(*r.guide_x, 0);
    QVERIFY(!r.guide_y);
    // The left edge (x - w / 2) snaps onto the centre line too.
    r = Snap({25, 200, 40, 20}, {}, 6);
    QCOMPARE(r.x, 20);
    QCOMPARE(*r.guide_x, 0);
    // 7 away is out of reach.
    r = Snap({7, 200, 40, 20}, {}, 6);
    QCOMPARE(r.x, 7);
    // To another object's right edge (its left 100 - 30 = 70, right 130), and its centre row.
    const std::vector<SnapBox> others = {{100, -50, 60, 30}};
    r = Snap({152, -49, 40, 20}, others, 6);
    QCOMPARE(r.x, 150);  // left edge 132 -> 130
    QCOMPARE(*r.guide_x, 130);
    QCOMPARE(r.y, -50);
    QCOMPARE(*r.guide_y, -50);
    // The nearest target wins over a nearer-listed one.
    r = Snap({103, 300, 0, 0}, {{98, 900, 0, 0}, {107, 900, 0, 0}}, 6);
    QCOMPARE(r.x, 107);
}

void CanvasGeometryTest::SnapReachFollowsTheZoom() {
    QCOMPARE(SnapReach(1.0), 6.0);
    QCOMPARE(SnapReach(4.0), 1.5);
    QCOMPARE(SnapReach(0.5), 12.0);
    QCOMPARE(SnapReach(0.0), 6.0);
    // At 400 % two logo units (eight screen pixels) are out of reach.
    QCOMPARE(Snap({2, 500, 1, 1}, {}, SnapReach(4.0)).x, 2);
}

void CanvasGeometryTest::AlignCentresAndEdges() {
    QCOMPARE(*AlignedPosition(Alignment::kCentreH, 30, 40, 100, 50, false, 0, 0),
             (IntPoint{0, 40}));
    QCOMPARE(*AlignedPosition(Alignment::kCentreV, 30, 40, 100, 50, false, 0, 0),
             (IntPoint{30, 0}));
    QCOMPARE(*AlignedPosition(Alignment::kCentreBoth, 30, 40, 100, 50, false, 0, 0),
             (IntPoint{0, 0}));
    for (Alignment a : {Alignment::kLeft, Alignment::kRight, Alignment::kTop, Alignment::kBottom})
        QVERIFY(!AlignedPosition(a, 30, 40, 100, 50, false, 400, 300));
    // On a 401 x 301 canvas an object 101 x 51: its drawn columns x - 50 .. x + 51 from the
    // canvas column 200 touch column 0 and 401 exactly.
    const IntPoint left = *AlignedPosition(Alignment::kLeft, 30, 40, 101, 51, true, 401, 301);
    QCOMPARE(left.x - 101 / 2 + 401 / 2, 0);
    const IntPoint right = *AlignedPosition(Alignment::kRight, 30, 40, 101, 51, true, 401, 301);
    QCOMPARE(right.x - 101 / 2 + 101 + 401 / 2, 401);
    const IntPoint top = *AlignedPosition(Alignment::kTop, 30, 40, 101, 51, true, 401, 301);
    QCOMPARE(top.y - 51 / 2 + 301 / 2, 0);
    QCOMPARE(top.x, 30);
    const IntPoint bottom = *AlignedPosition(Alignment::kBottom, 30, 40, 101, 51, true, 401, 301);
    QCOMPARE(bottom.y - 51 / 2 + 51 + 301 / 2, 301);
}

QTEST_GUILESS_MAIN(CanvasGeometryTest)
#include "tst_canvas_geometry.moc"
