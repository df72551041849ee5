// The driven oscillator's model: the resonance curve and the marker against
// amplitudes computed outside the program, what a parameter change and a
// tick do to the mass, and the geometry of the two-spring picture.
#include "sim/mechanics/ResonanceModel.h"

#include <QtTest>
#include <cmath>

namespace {

bool closeTo(double got, double want, double relative)
{
    return std::abs(got - want) <= relative * std::abs(want);
}

} // namespace

class TestResonanceModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void amplitude_data();
    void amplitude();
    void curveSpansTheChart();
    void parameterChangeMovesTheMarkerNotTheMass();
    void tickMovesTheMass();
    void stopKeepsTheModelTime();
    void picture_data();
    void picture();
};

void TestResonanceModel::amplitude_data()
{
    QTest::addColumn<float>("damping"); // the spin edit, kg/s
    QTest::addColumn<int>("tenths");    // driving frequency in 0.1 Hz
    QTest::addColumn<double>("expected");
    // Computed with python3 from the textbook steady state, not from the
    // program's formula:
    //     A(f) = F / sqrt((w0^2 - w^2)^2 + (b w)^2),  w = 2 pi f,
    //     F = 1500, w0 = 2 pi x 5 Hz = 10 pi, b = 2 c = 20 x damping,
    // in double precision with math.pi.
    QTest::newRow("0.25, 0 Hz") << 0.25f << 0 << 1.5198177546350666;
    QTest::newRow("0.25, 0.1 Hz") << 0.25f << 1 << 1.520418216330223;
    QTest::newRow("0.25, 1 Hz") << 0.25f << 10 << 1.582273953230875;
    QTest::newRow("0.25, 4.5 Hz") << 0.25f << 45 << 6.3872809158691926;
    QTest::newRow("0.25, 4.9 Hz") << 0.25f << 49 << 9.44453110752681;
    QTest::newRow("0.25, 5 Hz: the peak, 9.55") << 0.25f << 50 << 9.54929658551372;
    QTest::newRow("0.25, 5.5 Hz") << 0.25f << 55 << 5.558875002130834;
    QTest::newRow("0.25, 10 Hz") << 0.25f << 100 << 0.5037781106008081;
    QTest::newRow("1.0, 0.1 Hz") << 1.0f << 1 << 1.520302600275814;
    QTest::newRow("1.0, 1 Hz") << 1.0f << 10 << 1.5694004119645093;
    QTest::newRow("1.0, 2.5 Hz") << 1.0f << 25 << 1.8653741753041155;
    QTest::newRow("1.0, 4.5 Hz: above the 5 Hz value") << 1.0f << 45 << 2.5177573327955014;
    QTest::newRow("1.0, 5 Hz") << 1.0f << 50 << 2.38732414637843;
    QTest::newRow("1.0, 7.3 Hz") << 1.0f << 73 << 1.037853931259056;
    QTest::newRow("1.0, 9 Hz") << 1.0f << 90 << 0.6040388523170932;
    QTest::newRow("2.0, 0.1 Hz") << 2.0f << 1 << 1.5199328060661863;
    QTest::newRow("2.0, 2.5 Hz") << 2.0f << 25 << 1.544906249298708;
    QTest::newRow("2.0, 5 Hz: 1.19") << 2.0f << 50 << 1.193662073189215;
    QTest::newRow("2.0, 5.5 Hz") << 2.0f << 55 << 1.0731511511742737;
    QTest::newRow("2.0, 10 Hz") << 2.0f << 100 << 0.386226562324677;
}

// The curve point and the marker at the same frequency both agree with the
// closed form (the float constants leave about 1e-7 of relative error).
void TestResonanceModel::amplitude()
{
    QFETCH(float, damping);
    QFETCH(int, tenths);
    QFETCH(double, expected);
    const float f = float(tenths / 10.0);

    ResonanceModel m;
    m.setParameters(damping, f);
    QCOMPARE(m.dampingRate(), float(10.0 * damping));
    const QPointF point = m.curve()[size_t(tenths)];
    QVERIFY2(std::abs(point.x() - f) < 1e-5, qPrintable(QString::number(point.x())));
    QVERIFY2(closeTo(point.y(), expected, 2e-6), qPrintable(QString::number(point.y(), 'g', 10)));
    if (tenths > 0) { // the spin edit starts at 0.1 Hz
        QCOMPARE(m.marker().x(), double(f));
        QVERIFY2(closeTo(m.marker().y(), expected, 2e-6), qPrintable(QString::number(m.marker().y(), 'g', 10)));
    }
}

void TestResonanceModel::curveSpansTheChart()
{
    for (float damping : {0.25f, 1.0f, 2.0f}) {
        const std::vector<QPointF> c = resonanceCurve(10 * damping);
        QCOMPARE(int(c.size()), 101);
        QCOMPARE(c.front().x(), 0.0);
        QVERIFY(std::abs(c.back().x() - 10.0) < 1e-5);
        for (size_t i = 1; i < c.size(); ++i)
            QVERIFY(std::abs(c[i].x() - c[i - 1].x() - 0.1) < 1e-5);
        // Even the tallest curve stays inside the chart's fixed 0 to 10.
        for (const QPointF &p : c)
            QVERIFY(p.y() > 0 && p.y() < 10);
    }
    // A frequency between the curve's points: 4.73 Hz with damping 0.5,
    // 1500 / sqrt((100 pi^2 - (9.46 pi)^2)^2 + (10 x 9.46 pi)^2) in python3.
    ResonanceModel m;
    m.setParameters(0.5f, 4.73f);
    QVERIFY(closeTo(m.marker().y(), 4.765358802605301, 2e-6));
    // No damping at all would divide by zero at w0; the model answers 0
    // there instead of an infinity the chart cannot draw.
    QCOMPARE(resonanceAmplitude(0.0f, 31.415926f), 0.0f);
}

// A spin edit changed while stopped moves the marker and the curve, not the
// mass; the model time stays.
void TestResonanceModel::parameterChangeMovesTheMarkerNotTheMass()
{
    ResonanceModel m;
    QCOMPARE(m.damping(), 1.0f);
    QCOMPARE(m.drivingFrequency(), 5.0f);
    m.start();
    QVERIFY(m.tick(0.3f));
    m.stop();
    const float x = m.displacement();
    const float t = m.time();
    QVERIFY(x != 0.0f);
    const QPointF before = m.marker();
    const double peakBefore = m.curve()[50].y();

    m.setParameters(0.25f, 4.5f);
    QCOMPARE(m.displacement(), x);
    QCOMPARE(m.time(), t);
    QCOMPARE(m.marker().x(), 4.5);
    QVERIFY(m.marker() != before);
    QVERIFY(m.curve()[50].y() > 3 * peakBefore);
    // The next tick while running swings with the new amplitude.
    m.start();
    QVERIFY(m.tick(t));
    QCOMPARE(m.displacement(), float(std::sin(double(t) * 4.5f) * double(m.drivingAmplitude())));
}

void TestResonanceModel::tickMovesTheMass()
{
    // Damping 0.25 at 5 Hz: x = sin(5 t) x 9.549 (t in model time: sin of
    // t fd radians).
    ResonanceModel m;
    m.setParameters(0.25f, 5.0f);
    QVERIFY(!m.tick(1.0f)); // stopped: no tick reaches the mass
    QCOMPARE(m.displacement(), 0.0f);
    QCOMPARE(m.time(), 0.0f);
    m.start();
    const float quarter = float(M_PI / 10); // 5 t = pi / 2: the top of the swing
    m.tick(quarter);
    QVERIFY(closeTo(m.displacement(), 9.54929658551372, 2e-6));
    m.tick(3 * quarter);
    QVERIFY(closeTo(m.displacement(), -9.54929658551372, 2e-6));
    m.tick(2 * quarter);
    QVERIFY(std::abs(m.displacement()) < 1e-5);
    m.tick(0.1f);
    QVERIFY(closeTo(m.displacement(), std::sin(0.5) * 9.54929658551372, 1e-5));
}

// Stop keeps the model time; Start goes on from it.
void TestResonanceModel::stopKeepsTheModelTime()
{
    ResonanceModel m;
    m.start();
    m.tick(2.5f);
    m.stop();
    QCOMPARE(m.time(), 2.5f);
    QVERIFY(!m.tick(9.0f));
    QCOMPARE(m.time(), 2.5f);
    m.start();
    QVERIFY(m.isRunning());
    QCOMPARE(m.time(), 2.5f);
    m.tick(2.52f);
    QCOMPARE(m.time(), 2.52f);
}

void TestResonanceModel::picture_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("unit");
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    // a = W / 4 with halves to even; the mass from (12 - x - 0.25) s to
    // (12 - x + 0.25) s, halves to even.
    QTest::newRow("at rest, 68 x 480") << 68 << 20.0f << 0.0f << 17 << 235 << 245;
    QTest::newRow("highest swing, damping 0.25") << 68 << 20.0f << 9.55f << 17 << 44 << 54;
    QTest::newRow("lowest swing") << 68 << 20.0f << -9.55f << 17 << 426 << 436;
    QTest::newRow("W / 4 = 17.5 rounds to 18") << 70 << 20.0f << 0.0f << 18 << 235 << 245;
    QTest::newRow("W / 4 = 16.5 rounds to 16") << 66 << 20.0f << 0.0f << 16 << 235 << 245;
    QTest::newRow("11.5 and 12.5 round to 12") << 68 << 1.0f << 0.25f << 17 << 12 << 12;
}

void TestResonanceModel::picture()
{
    QFETCH(int, width);
    QFETCH(float, unit);
    QFETCH(float, x);
    QFETCH(int, a);
    QFETCH(int, top);
    QFETCH(int, bottom);
    const ResonatorPicture p = resonatorPicture(width, unit, x);
    QCOMPARE(p.massLeft, a);
    QCOMPARE(p.massRight, 3 * a);
    QCOMPARE(p.massTop, top);
    QCOMPARE(p.massBottom, bottom);

    // Both springs zig-zag between a and 3a in 30 equal steps, the upper
    // from the top edge, the lower from the bottom of the 24 units, and end
    // in the middle of the mass's top and bottom edges.
    const double h = 12.0f - x;
    QCOMPARE(int(p.upperSpring.size()), 31);
    QCOMPARE(int(p.lowerSpring.size()), 31);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(p.upperSpring[size_t(i)].x(), double(i % 2 ? 3 * a : a));
        QCOMPARE(p.lowerSpring[size_t(i)].x(), double(i % 2 ? a : 3 * a));
        QVERIFY(std::abs(p.upperSpring[size_t(i)].y() - i * h * unit / 30) < 1e-9);
        QVERIFY(std::abs(p.lowerSpring[size_t(i)].y() - (24 * unit - i * (24 - h) * unit / 30)) < 1e-9);
    }
    QCOMPARE(p.upperSpring[0].y(), 0.0);
    QCOMPARE(p.lowerSpring[0].y(), 24.0 * unit);
    QCOMPARE(p.upperSpring[30], QPointF(2 * a, (h - 0.25) * unit));
    QCOMPARE(p.lowerSpring[30], QPointF(2 * a, (h + 0.25) * unit));
}

QTEST_APPLESS_MAIN(TestResonanceModel)
#include "tst_resonancemodel.moc"
