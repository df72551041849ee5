// The damped oscillator's model: the four curve cases against closed forms
// written out independently in double precision, the run states and what
// each action does to them, and the geometry of the spring picture.
#include "sim/mechanics/DampedOscillatorModel.h"

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(DampingCase)

namespace {

// x(t) in double precision, in forms other than the model's: the
// under-damped and over-damped solutions are expanded rather than written
// with a phase or a factor K.
double reference(DampingCase c, double m, double k, double b, double A, double t)
{
    const double w0 = std::sqrt(k / m);
    switch (c) {
    case DampingCase::Undamped:
        return A * std::cos(w0 * t);
    case DampingCase::UnderDamped: {
        const double wd = std::sqrt(w0 * w0 - b * b);
        return A * std::exp(-b * t) * (std::cos(wd * t) + b / wd * std::sin(wd * t));
    }
    case DampingCase::Critical:
        return A * (1 + b * t) * std::exp(-b * t);
    case DampingCase::OverDamped: {
        const double q = std::sqrt(b * b - w0 * w0);
        const double r1 = b + q, r2 = b - q;
        return A / (r1 - r2) * (r1 * std::exp(-r2 * t) - r2 * std::exp(-r1 * t));
    }
    }
    return 0;
}

// Ticks until the run finishes; returns the number of ticks.
int runToEnd(DampedOscillatorModel &m)
{
    int ticks = 0;
    while (m.isRunning() && ticks < 10000) {
        m.tick(m.sampleClock() + 1.0f);
        ++ticks;
    }
    return ticks;
}

void advanceSamples(DampedOscillatorModel &m, int count)
{
    for (int i = 0; i < count; ++i)
        m.tick(float(m.sample() + 1));
}

} // namespace

class TestDampedOscillatorModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void curveCases_data();
    void curveCases();
    void curveShapes();
    void picture_data();
    void picture();
    void runsToTheEndOneSampleATick();
    void finishedRunKeepsParametersDisabledUntilReset();
    void stopAndReset();
    void changesReturnToTheStart();
    void timeAxis();
    void displacementScroll();
    void recomputingKeepsTheSample();
    void criticalExample();
};

void TestDampedOscillatorModel::curveCases_data()
{
    QTest::addColumn<float>("m");
    QTest::addColumn<float>("k");
    QTest::addColumn<float>("b");
    QTest::addColumn<float>("A");
    QTest::addColumn<float>("span");
    QTest::addColumn<DampingCase>("expected");
    const float belowFive = std::nextafter(5.0f, 0.0f);
    QTest::newRow("defaults") << 0.5f << 40.0f << 0.2f << 5.0f << 10.0f << DampingCase::UnderDamped;
    QTest::newRow("no damping") << 0.5f << 40.0f << 0.0f << 5.0f << 10.0f << DampingCase::Undamped;
    QTest::newRow("+CD: w0 = b = 5") << 1.0f << 25.0f << 5.0f << 9.0f << 10.0f << DampingCase::Critical;
    QTest::newRow("inside the critical band") << 1.0f << 25.0f << 5.005f << 9.0f << 5.0f << DampingCase::Critical;
    QTest::newRow("just below w0") << 1.0f << 25.0f << belowFive << 9.0f << 10.0f << DampingCase::UnderDamped;
    QTest::newRow("b = 4.9, w0 = 5") << 1.0f << 25.0f << 4.9f << 9.0f << 10.0f << DampingCase::UnderDamped;
    QTest::newRow("just past the band") << 1.0f << 25.0f << 5.01f << 9.0f << 10.0f << DampingCase::OverDamped;
    QTest::newRow("heavy damping") << 0.1f << 1.0f << 5.0f << 5.0f << 20.0f << DampingCase::OverDamped;
    QTest::newRow("pulled down, stiff") << 1.0f << 60.0f << 0.5f << -10.0f << 15.0f << DampingCase::UnderDamped;
    QTest::newRow("light and stiff") << 0.1f << 60.0f << 5.0f << 10.0f << 5.0f << DampingCase::UnderDamped;
}

void TestDampedOscillatorModel::curveCases()
{
    QFETCH(float, m);
    QFETCH(float, k);
    QFETCH(float, b);
    QFETCH(float, A);
    QFETCH(float, span);
    QFETCH(DampingCase, expected);
    const DisplacementCurve c = displacementCurve(m, k, b, A, span);
    QCOMPARE(c.dampingCase, expected);
    QCOMPARE(c.x[0], A); // every case starts at A
    QCOMPARE(c.time[0], 0.0);
    QCOMPARE(c.time[kSHMLastSample], double(span));
    for (int i = 0; i <= kSHMLastSample; ++i) {
        const double t = i * (double(span) / 500);
        QCOMPARE(c.time[size_t(i)], t);
        const double want = reference(expected, m, k, b, A, t);
        const double got = c.x[size_t(i)];
        // The float constants leave a few 1e-5 of a unit after 20 seconds.
        if (std::abs(got - want) > 2e-4)
            QFAIL(qPrintable(QStringLiteral("sample %1 (t = %2): %3, want %4").arg(i).arg(t).arg(got).arg(want)));
    }
}

// The edge cases a learner sees on the graph.
void TestDampedOscillatorModel::curveShapes()
{
    // "+CD": (1 + 5t) 9 e^(-5t), falling from 9 without crossing zero.
    const DisplacementCurve cd = displacementCurve(1, 25, 5, 9, 10);
    for (int i = 0; i <= kSHMLastSample; ++i) {
        const double t = cd.time[size_t(i)];
        QVERIFY(std::abs(cd.x[size_t(i)] - (1 + 5 * t) * 9 * std::exp(-5 * t)) < 1e-5);
        QVERIFY(cd.x[size_t(i)] >= 0);
    }

    // Heavy damping creeps back and never crosses zero.
    const DisplacementCurve heavy = displacementCurve(0.1f, 1, 5, 5, 10);
    for (int i = 1; i <= kSHMLastSample; ++i) {
        QVERIFY(heavy.x[size_t(i)] > 0);
        QVERIFY(heavy.x[size_t(i)] < heavy.x[size_t(i - 1)]);
    }

    // Without damping the amplitude is A over the whole span: the last
    // second still reaches it. With the default damping it has decayed.
    auto lastSecondPeak = [](const DisplacementCurve &c) {
        float peak = 0;
        for (size_t i = 0; i < c.x.size(); ++i)
            if (c.time[i] >= 9.0)
                peak = std::max(peak, std::abs(c.x[i]));
        return peak;
    };
    const DisplacementCurve free = displacementCurve(0.5f, 40, 0, 5, 10);
    for (float x : free.x)
        QVERIFY(std::abs(x) <= 5.0f);
    QVERIFY(lastSecondPeak(free) > 0.99f * 5);
    QVERIFY(lastSecondPeak(displacementCurve(0.5f, 40, 0.2f, 5, 10)) < 0.2f * 5);

    // Starting at 0: a flat line whatever the case.
    for (float b : {0.0f, 0.2f, 5.0f})
        for (float x : displacementCurve(0.1f, 1, b, 0, 10).x)
            QCOMPARE(x, 0.0f);
}

void TestDampedOscillatorModel::picture_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("unit");
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    // a = W/4 with halves to even; L = 12 - x units down to the mass.
    QTest::newRow("at rest, 80 x 480") << 80 << 20.0f << 0.0f << 20 << 240 << 260;
    QTest::newRow("top of the range") << 80 << 20.0f << 10.0f << 20 << 40 << 60;
    QTest::newRow("bottom of the range") << 80 << 20.0f << -10.0f << 20 << 440 << 460;
    QTest::newRow("W/4 = 22.5 rounds to 22") << 90 << 12.5f << 0.1f << 22 << 149 << 161;
    QTest::newRow("W/4 = 17.5 rounds to 18") << 70 << 12.5f << 0.0f << 18 << 150 << 162;
    QTest::newRow("L s = 5.5 rounds to 6") << 80 << 0.5f << 1.0f << 20 << 6 << 6;
    QTest::newRow("L s = 6.5 rounds to 6") << 80 << 0.5f << -1.0f << 20 << 6 << 7;
}

void TestDampedOscillatorModel::picture()
{
    QFETCH(int, width);
    QFETCH(float, unit);
    QFETCH(float, x);
    QFETCH(int, a);
    QFETCH(int, top);
    QFETCH(int, bottom);
    const OscillatorPicture p = oscillatorPicture(width, unit, x);
    QCOMPARE(p.massLeft, a);
    QCOMPARE(p.massRight, 3 * a);
    QCOMPARE(p.massTop, top);
    QCOMPARE(p.massBottom, bottom);
    // The spring zig-zags between a and 3a from the top edge and ends in
    // the middle of the mass's top.
    QCOMPARE(int(p.spring.size()), 31);
    const double L = 12.0f - x; // a 32-bit float in the model
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(p.spring[size_t(i)].x, (i % 2 ? 3 * a : a) * kFixedOne);
        QCOMPARE(p.spring[size_t(i)].y, toFixed(i * (L / 30) * unit));
    }
    QCOMPARE(p.spring[0].y, 0);
    QCOMPARE(p.spring[30].x, 2 * a * kFixedOne);
    QCOMPARE(::fixedToPixel(p.spring[30].y), int(std::floor(L * unit + 0.5 - 1e-9)));
}

void TestDampedOscillatorModel::runsToTheEndOneSampleATick()
{
    DampedOscillatorModel m;
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(!m.isRunning() && !m.resetEnabled() && m.displacementEnabled() && m.parametersEnabled());

    m.start();
    QCOMPARE(m.state(), OscillatorState::Running);
    QVERIFY(!m.resetEnabled() && !m.displacementEnabled() && !m.parametersEnabled());

    // Less than a sample: nothing moves.
    QVERIFY(!m.tick(0.99f).picture);
    QCOMPARE(m.sample(), 0);
    // One sample.
    const OscillatorChanges c = m.tick(1.0f);
    QVERIFY(c.picture && c.marker && !c.curve);
    QCOMPARE(m.sample(), 1);
    QCOMPARE(m.displacement(), m.curve().x[1]);
    QCOMPARE(m.marker(), QPointF(m.curve().time[1], m.curve().x[1]));
    // A long tick still advances one sample; the clock stays ahead, so the
    // following ticks catch up one sample each.
    m.tick(40.0f);
    QCOMPARE(m.sample(), 2);
    m.tick(40.0f);
    QCOMPARE(m.sample(), 3);

    advanceSamples(m, 497);
    QCOMPARE(m.sample(), 500);
    QVERIFY(m.isRunning()); // the last sample is shown first
    QCOMPARE(m.marker(), QPointF(10.0, m.curve().x[500]));
    const OscillatorChanges end = m.tick(501.0f);
    QVERIFY(end.controls && !end.picture);
    QCOMPARE(m.state(), OscillatorState::Finished);
    QCOMPARE(m.sample(), 500);
    QCOMPARE(m.marker(), QPointF(10.0, m.curve().x[500]));

    // A stray tick after the end changes nothing.
    QVERIFY(!m.tick(900.0f).picture);
    QCOMPARE(m.sample(), 500);
}

void TestDampedOscillatorModel::finishedRunKeepsParametersDisabledUntilReset()
{
    DampedOscillatorModel m;
    m.start();
    QVERIFY(runToEnd(m) > 500);
    QVERIFY(m.resetEnabled() && m.displacementEnabled() && !m.parametersEnabled());

    // The scroll bar goes back to Ready, but the spin edits wait for Reset.
    m.setDisplacementPosition(-80);
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(!m.parametersEnabled() && !m.resetEnabled());

    // Start after a finished run begins again at sample 1 of the same curve.
    m.start();
    runToEnd(m);
    const float last = m.curve().x[500];
    m.start();
    QCOMPARE(m.sample(), 0);
    QCOMPARE(m.sampleClock(), 0.0f);
    m.tick(1.0f);
    QCOMPARE(m.sample(), 1);
    QCOMPARE(m.displacement(), m.curve().x[1]);
    QCOMPARE(m.curve().x[500], last);
    runToEnd(m);

    m.reset();
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(m.parametersEnabled() && m.displacementEnabled() && !m.resetEnabled());
    QCOMPARE(m.displacement(), 8.0f);
    QCOMPARE(m.marker(), QPointF(0, 8));
}

void TestDampedOscillatorModel::stopAndReset()
{
    DampedOscillatorModel m;
    // Stop before the first sample: nothing to reset.
    m.start();
    m.stop();
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(!m.resetEnabled());

    m.start();
    advanceSamples(m, 42);
    m.tick(42.7f);
    m.stop();
    QCOMPARE(m.state(), OscillatorState::Paused);
    QVERIFY(m.resetEnabled() && m.displacementEnabled() && m.parametersEnabled());
    QCOMPARE(m.sampleClock(), 42.0f); // the part sample is dropped

    // Start continues from n.
    m.start();
    QCOMPARE(m.sample(), 42);
    m.tick(43.0f);
    QCOMPARE(m.sample(), 43);
    m.stop();

    const std::array<float, 501> curve = m.curve().x;
    const OscillatorChanges c = m.reset();
    QVERIFY(c.picture && c.marker && !c.curve);
    QCOMPARE(m.sample(), 0);
    QCOMPARE(m.displacement(), 5.0f);
    QCOMPARE(m.marker(), QPointF(0, 5));
    QCOMPARE(m.curve().x, curve);
    QVERIFY(!m.resetEnabled());
}

// A parameter change while paused goes back to the start of the new curve.
void TestDampedOscillatorModel::changesReturnToTheStart()
{
    DampedOscillatorModel m;
    m.start();
    advanceSamples(m, 100);
    m.stop();
    const OscillatorChanges c = m.setParameters(0.5f, 40, 1.5f);
    QVERIFY(c.curve && c.picture);
    QCOMPARE(m.state(), OscillatorState::Ready);
    QCOMPARE(m.sample(), 0);
    QCOMPARE(m.sampleClock(), 0.0f);
    QCOMPARE(m.displacement(), 5.0f);
    QCOMPARE(m.marker(), QPointF(0, 5));
    QVERIFY(!m.resetEnabled());
    QCOMPARE(m.damping(), 1.5f);
    QCOMPARE(m.curve().x[250], ::displacementCurve(0.5f, 40, 1.5f, 5, 10).x[250]);

    // At the start already, the picture needs no redraw.
    QVERIFY(!m.setParameters(0.5f, 40, 1.6f).picture);
}

void TestDampedOscillatorModel::timeAxis()
{
    DampedOscillatorModel m;
    m.start();
    advanceSamples(m, 77);
    m.stop();
    const QPointF marker = m.marker();

    // The span already set: nothing at all.
    const OscillatorChanges same = m.setTimeAxis(10);
    QVERIFY(!same.curve && !same.marker && !same.picture && !same.controls);
    QCOMPARE(m.sample(), 77);
    QCOMPARE(m.marker(), marker);
    QCOMPARE(m.state(), OscillatorState::Paused);

    const OscillatorChanges c = m.setTimeAxis(20);
    QVERIFY(c.curve && c.picture);
    QCOMPARE(m.span(), 20.0f);
    QCOMPARE(m.curve().time[500], 20.0);
    QCOMPARE(m.curve().time[1], 0.04);
    QCOMPARE(m.sample(), 0);
    QCOMPARE(m.marker(), QPointF(0, 5));
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(!m.resetEnabled());
}

void TestDampedOscillatorModel::displacementScroll()
{
    DampedOscillatorModel m;
    QCOMPARE(m.amplitude(), 5.0f); // position -50
    m.setDisplacementPosition(-100);
    QCOMPARE(m.amplitude(), 10.0f);
    QCOMPARE(m.curve().x[0], 10.0f);
    m.setDisplacementPosition(100);
    QCOMPARE(m.amplitude(), -10.0f);
    QCOMPARE(m.displacement(), -10.0f);
    QCOMPARE(m.marker(), QPointF(0, -10));

    // From a pause: back to sample 0 of the new curve.
    m.start();
    advanceSamples(m, 30);
    m.stop();
    const OscillatorChanges c = m.setDisplacementPosition(0);
    QVERIFY(c.curve && c.picture);
    QCOMPARE(m.sample(), 0);
    QCOMPARE(m.sampleClock(), 0.0f);
    QCOMPARE(m.displacement(), 0.0f);
    QVERIFY(!m.resetEnabled());
}

// The picture's resize recomputes the graph: the marker goes back to
// sample 0 while n stays, and the next tick moves on from n.
void TestDampedOscillatorModel::recomputingKeepsTheSample()
{
    DampedOscillatorModel m;
    m.start();
    advanceSamples(m, 120);
    const float x = m.displacement();
    const OscillatorChanges c = m.computeGraph();
    QVERIFY(c.curve && c.marker && !c.picture);
    QCOMPARE(m.sample(), 120);
    QCOMPARE(m.displacement(), x);
    QCOMPARE(m.marker(), QPointF(0, 5));
    QVERIFY(m.isRunning());
    m.tick(121.0f);
    QCOMPARE(m.marker(), QPointF(m.curve().time[121], m.curve().x[121]));
}

void TestDampedOscillatorModel::criticalExample()
{
    DampedOscillatorModel m;
    m.setParameters(0.3f, 12, 0.0f);
    m.start();
    advanceSamples(m, 123);
    // Loaded in the middle of a run: the run stops and everything is ready.
    const OscillatorChanges c = m.loadCriticalExample();
    QVERIFY(c.inputs && c.curve && c.picture && c.controls);
    QCOMPARE(m.state(), OscillatorState::Ready);
    QVERIFY(!m.isRunning() && !m.resetEnabled() && m.displacementEnabled() && m.parametersEnabled());
    QCOMPARE(m.mass(), 1.0f);
    QCOMPARE(m.stiffness(), 25.0f);
    QCOMPARE(m.damping(), 5.0f);
    QCOMPARE(m.amplitude(), 9.0f);
    QCOMPARE(m.displacement(), 9.0f);
    QCOMPARE(m.marker(), QPointF(0, 9));
    QCOMPARE(m.curve().dampingCase, DampingCase::Critical);
    QCOMPARE(DampedOscillatorModel::kCriticalExamplePosition * -0.1f, 9.0f);
}

QTEST_MAIN(TestDampedOscillatorModel)
#include "tst_dampedoscillatormodel.moc"
