// The ripple tank model: the start picture, the wide slit's flat crests,
// the two-slit barrier, the time slider and the layout of tank and slider.
#include "sim/mechanics/RippleTankModel.h"

#include <QtTest>
#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(RippleSource)

namespace {

int Rounded(double v)
{
    return int(std::nearbyint(v));
}

// The gaps between the barrier's blocks, as (top, bottom) pairs, top down.
QVector<QPair<double, double>> Openings(const RipplePicture &p, double side)
{
    QVector<QRectF> blocks = p.barrier;
    std::sort(blocks.begin(), blocks.end(), [](const QRectF &a, const QRectF &b) { return a.top() < b.top(); });
    QVector<QPair<double, double>> gaps;
    double y = 0;
    for (const QRectF &b : blocks) {
        if (b.top() > y + 1e-6)
            gaps.append({y, b.top()});
        y = std::max(y, b.bottom());
    }
    if (y < side - 1e-6)
        gaps.append({y, side});
    return gaps;
}

void CheckBarrierColumn(const RipplePicture &p, double cell)
{
    for (const QRectF &b : p.barrier) {
        QCOMPARE(b.left(), 6 * cell - 5);
        QCOMPARE(b.width(), 10.0);
    }
}

} // namespace

class TestRippleTankModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startPicture_data();
    void startPicture();
    void wideSlit_data();
    void wideSlit();
    void doubleSlit_data();
    void doubleSlit();
    void crestsMoveWithTime();
    void slider_data();
    void slider();
    void sliderFollowsTime();
    void modesAndEditors();
    void layout_data();
    void layout();
};

// One slit one wavelength wide at t = 0: six straight crests at 0, c, ...,
// 5c, the crest standing in the opening, and 29 half circles of radius 0,
// c, ..., 28c about the slit.
void TestRippleTankModel::startPicture_data()
{
    QTest::addColumn<int>("side");
    QTest::newRow("small") << 150;
    QTest::newRow("design") << 485;
    QTest::newRow("odd cell") << 613;
    QTest::newRow("full HD") << 1000;
}

void TestRippleTankModel::startPicture()
{
    QFETCH(int, side);
    const float c = float(side) / 30.0f;
    const RippleTankModel m;
    QCOMPARE(RippleTankModel::lastCircularCrest(), 28);
    const RipplePicture p = m.picture(c, side);
    const double ym = side / 2.0;

    QCOMPARE(p.incident.size(), 7);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(p.incident[i], QLineF(Rounded(i * c), 0, Rounded(i * c), side));
    const double x6 = Rounded(6.0 * c);
    QCOMPARE(p.incident[6], QLineF(x6, ym - c / 2.0, x6, ym + c / 2.0));

    QVERIFY(p.flat.isEmpty());
    QCOMPARE(p.arcs.size(), 29);
    for (int h = 0; h <= 28; ++h) {
        const RippleArc &a = p.arcs[h];
        QCOMPARE(a.radius, Rounded(h * double(c)));
        QCOMPARE(a.centre, QPointF(6.0 * c, ym));
        QCOMPARE(a.startAngle, 270.0f); // top, clockwise through the right to the bottom
        QCOMPARE(a.sweepAngle, 180.0f);
        QCOMPARE(a.source, RippleSource::Slit);
    }
    // The far crest reaches the tank's far corners behind the barrier.
    QVERIFY(28 * c >= std::hypot(24 * c, 15 * c) - c / 2);

    QCOMPARE(p.barrier.size(), 2);
    CheckBarrierColumn(p, c);
    const auto gaps = Openings(p, side);
    QCOMPARE(gaps.size(), 1);
    QVERIFY(std::abs(gaps[0].first - (ym - c / 2.0)) < 1e-3);
    QVERIFY(std::abs(gaps[0].second - (ym + c / 2.0)) < 1e-3);
}

// Wider slits: each crest is flat across the opening and bends round both
// edges in a quarter circle; the opening is w cells high.
void TestRippleTankModel::wideSlit_data()
{
    QTest::addColumn<int>("width");
    for (int w = 2; w <= 10; w += 1)
        QTest::addRow("width %d", w) << w;
}

void TestRippleTankModel::wideSlit()
{
    QFETCH(int, width);
    const int side = 600;
    const float c = 20.0f;
    RippleTankModel m;
    m.setSlits(width + 0.7, 2); // the editors' values are cut to whole cells
    QCOMPARE(m.slitWidth(), width);
    m.setSliderPosition(7); // t = 0.35: the crests 7 pixels on
    const RipplePicture p = m.picture(c, side);
    const double ym = side / 2.0, yt = ym - width * c / 2.0, yb = ym + width * c / 2.0;

    QCOMPARE(p.incident.size(), 6); // no crest in the opening between whole t
    QCOMPARE(p.flat.size(), 29);
    QCOMPARE(p.arcs.size(), 2 * 29);
    for (int h = 0; h <= 28; ++h) {
        const int r = h * 20 + 7;
        QCOMPARE(p.flat[h], QLineF(120 + r, yt, 120 + r, yb));
        // Lower edge: from the rightmost point clockwise to the bottom;
        // upper edge: from the rightmost point counter-clockwise to the top.
        const RippleArc &lower = p.arcs[2 * h], &upper = p.arcs[2 * h + 1];
        QCOMPARE(lower.centre, QPointF(120, yb));
        QCOMPARE(upper.centre, QPointF(120, yt));
        QCOMPARE(lower.radius, r);
        QCOMPARE(upper.radius, r);
        QCOMPARE(lower.startAngle, 0.0f);
        QCOMPARE(lower.sweepAngle, 90.0f);
        QCOMPARE(upper.startAngle, 0.0f);
        QCOMPARE(upper.sweepAngle, -90.0f);
    }
    CheckBarrierColumn(p, c);
    const auto gaps = Openings(p, side);
    QCOMPARE(gaps.size(), 1);
    QCOMPARE(gaps[0].second - gaps[0].first, width * 20.0);
}

// Two slits one cell high, s cells apart: the middle block is s - 1 cells
// high; red circles spread from the upper slit, blue from the lower.
void TestRippleTankModel::doubleSlit_data()
{
    QTest::addColumn<int>("separation");
    QTest::addColumn<int>("middleCells");
    QTest::newRow("2") << 2 << 1;
    QTest::newRow("5") << 5 << 4;
    QTest::newRow("10") << 10 << 9;
}

void TestRippleTankModel::doubleSlit()
{
    QFETCH(int, separation);
    QFETCH(int, middleCells);
    const int side = 450;
    const float c = 15.0f;
    RippleTankModel m;
    QVERIFY(m.setMode(SlitMode::Double));
    m.setSlits(1, separation);
    const RipplePicture p = m.picture(c, side);
    const double ym = side / 2.0, yu = ym - separation * c / 2.0, yl = ym + separation * c / 2.0;

    // At t = 0 the crest in the openings runs the full height (the barrier
    // covers it elsewhere).
    QCOMPARE(p.incident.size(), 7);
    QCOMPARE(p.incident[6], QLineF(90, 0, 90, side));
    QVERIFY(p.flat.isEmpty());
    QCOMPARE(p.arcs.size(), 2 * 29);
    for (int h = 0; h <= 28; ++h) {
        QCOMPARE(p.arcs[h].source, RippleSource::UpperSlit);
        QCOMPARE(p.arcs[h].centre, QPointF(90, yu));
        QCOMPARE(p.arcs[29 + h].source, RippleSource::LowerSlit);
        QCOMPARE(p.arcs[29 + h].centre, QPointF(90, yl));
        QCOMPARE(p.arcs[29 + h].radius, Rounded(h * 15.0));
        QCOMPARE(p.arcs[29 + h].sweepAngle, 180.0f);
    }
    QCOMPARE(p.barrier.size(), 3);
    CheckBarrierColumn(p, c);
    QCOMPARE(p.barrier[1].height(), middleCells * 15.0);
    const auto gaps = Openings(p, side);
    QCOMPARE(gaps.size(), 2);
    for (const auto &g : gaps)
        QCOMPARE(g.second - g.first, 15.0);
    QCOMPARE((gaps[0].first + gaps[0].second) / 2, yu);
    QCOMPARE((gaps[1].first + gaps[1].second) / 2, yl);
}

// Every crest moves on by frac(t) wavelengths; a whole t looks like t = 0.
void TestRippleTankModel::crestsMoveWithTime()
{
    const float c = 20.0f;
    RippleTankModel m;
    m.setTime(2.5f);
    QCOMPARE(m.advance(c), 10.0f);
    RipplePicture p = m.picture(c, 600);
    QCOMPARE(p.incident.size(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(p.incident[i].x1(), 20.0 * i + 10);
    for (int h = 0; h <= 28; ++h)
        QCOMPARE(p.arcs[h].radius, 20 * h + 10);

    m.setTime(0.02f);
    QVERIFY(std::abs(m.advance(c) - 0.4f) < 1e-5f);
    QCOMPARE(m.picture(c, 600).incident.size(), 6); // not exactly whole: no crest in the opening

    m.setTime(3.0f);
    p = m.picture(c, 600);
    QCOMPARE(p.incident.size(), 7);
    QCOMPARE(p.arcs[1].radius, 20);
}

// The slider sets t = position x 0.05 and follows t at 20 steps a unit;
// 100 is t = 5, whose whole value puts the crest in the opening.
void TestRippleTankModel::slider_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("time");
    QTest::addColumn<bool>("crestInOpening");
    QTest::newRow("0") << 0 << 0.0f << true;
    QTest::newRow("1") << 1 << 0.05f << false;
    QTest::newRow("20") << 20 << 1.0f << true;
    QTest::newRow("37") << 37 << 1.85f << false;
    QTest::newRow("60") << 60 << 3.0f << true;
    QTest::newRow("99") << 99 << 4.95f << false;
    QTest::newRow("100") << 100 << 5.0f << true;
}

void TestRippleTankModel::slider()
{
    QFETCH(int, position);
    QFETCH(float, time);
    QFETCH(bool, crestInOpening);
    RippleTankModel m;
    m.setSliderPosition(position);
    QCOMPARE(m.time(), time);
    QCOMPARE(m.sliderPosition(), position);
    QCOMPARE(m.picture(16.0f, 480).incident.size(), crestInOpening ? 7 : 6);
}

// Following the clock, the slider rounds halves to even.
void TestRippleTankModel::sliderFollowsTime()
{
    RippleTankModel m;
    m.setTime(0.125f); // 2.5 steps
    QCOMPARE(m.sliderPosition(), 2);
    m.setTime(0.375f); // 7.5 steps
    QCOMPARE(m.sliderPosition(), 8);
    m.setTime(4.99f);
    QCOMPARE(m.sliderPosition(), 100);
}

void TestRippleTankModel::modesAndEditors()
{
    RippleTankModel m;
    QCOMPARE(m.mode(), SlitMode::Single);
    QCOMPARE(m.slitWidth(), 1);
    QCOMPARE(m.slitSeparation(), 2);
    QVERIFY(!m.setMode(SlitMode::Single));
    QVERIFY(m.setMode(SlitMode::Double));
    QVERIFY(!m.setMode(SlitMode::Double));
    QCOMPARE(m.mode(), SlitMode::Double);
    m.setSlits(3.9, 10.2);
    QCOMPARE(m.slitWidth(), 3);
    QCOMPARE(m.slitSeparation(), 10);
}

// The tank is the largest square that fits above the slider, centred
// across, with equal margins above it and below the slider.
void TestRippleTankModel::layout_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("tank");
    QTest::newRow("wide") << QSize(1000, 617) << QRect(200, 0, 600, 600);
    QTest::newRow("wide, odd margin") << QSize(1001, 617) << QRect(200, 0, 600, 600);
    QTest::newRow("tall") << QSize(400, 817) << QRect(0, 200, 400, 400);
    QTest::newRow("square room") << QSize(500, 517) << QRect(0, 0, 500, 500);
    QTest::newRow("lower than the slider") << QSize(300, 10) << QRect(150, -3, 0, 0);
    QTest::newRow("empty") << QSize(0, 0) << QRect(0, -8, 0, 0);
}

void TestRippleTankModel::layout()
{
    QFETCH(QSize, window);
    QFETCH(QRect, tank);
    const RippleLayout l = RippleTankModel::layout(window.width(), window.height(), 17);
    QCOMPARE(l.tank, tank);
    QVERIFY(l.cell >= 0);
    QCOMPARE(l.cell, float(tank.width()) / 30.0f);
    QCOMPARE(l.slider, QRect(tank.left(), tank.bottom() + 1, tank.width(), 17));
}

QTEST_APPLESS_MAIN(TestRippleTankModel)
#include "tst_rippletankmodel.moc"
