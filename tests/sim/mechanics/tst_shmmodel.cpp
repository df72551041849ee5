// The damped oscillator's model: the four curve cases against closed forms
// written out independently in double precision, the run states and what
// each action does to them, and the geometry of the spring picture.
#include "sim/mechanics/SHMModel.h"

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(TDampingCase)

namespace {

// x(t) in double precision, in forms other than the model's: the
// under-damped and over-damped solutions are expanded rather than written
// with a phase or a factor K.
double Reference(TDampingCase c, double m, double k, double b, double A, double t)
{
    const double w0 = std::sqrt(k / m);
    switch (c) {
    case TDampingCase::Undamped:
        return A * std::cos(w0 * t);
    case TDampingCase::UnderDamped: {
        const double wd = std::sqrt(w0 * w0 - b * b);
        return A * std::exp(-b * t) * (std::cos(wd * t) + b / wd * std::sin(wd * t));
    }
    case TDampingCase::Critical:
        return A * (1 + b * t) * std::exp(-b * t);
    case TDampingCase::OverDamped: {
        const double q = std::sqrt(b * b - w0 * w0);
        const double r1 = b + q, r2 = b - q;
        return A / (r1 - r2) * (r1 * std::exp(-r2 * t) - r2 * std::exp(-r1 * t));
    }
    }
    return 0;
}

// Ticks until the run finishes; returns the number of ticks.
int RunToEnd(TSHMModel &m)
{
    int ticks = 0;
    while (m.Running() && ticks < 10000) {
        m.Tick(m.SampleClock() + 1.0f);
        ++ticks;
    }
    return ticks;
}

void AdvanceSamples(TSHMModel &m, int count)
{
    for (int i = 0; i < count; ++i)
        m.Tick(float(m.Sample() + 1));
}

} // namespace

class TestSHMModel : public QObject
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

void TestSHMModel::curveCases_data()
{
    QTest::addColumn<float>("m");
    QTest::addColumn<float>("k");
    QTest::addColumn<float>("b");
    QTest::addColumn<float>("A");
    QTest::addColumn<float>("span");
    QTest::addColumn<TDampingCase>("expected");
    const float belowFive = std::nextafter(5.0f, 0.0f);
    QTest::newRow("defaults") << 0.5f << 40.0f << 0.2f << 5.0f << 10.0f << TDampingCase::UnderDamped;
    QTest::newRow("no damping") << 0.5f << 40.0f << 0.0f << 5.0f << 10.0f << TDampingCase::Undamped;
    QTest::newRow("+CD: w0 = b = 5") << 1.0f << 25.0f << 5.0f << 9.0f << 10.0f << TDampingCase::Critical;
    QTest::newRow("inside the critical band") << 1.0f << 25.0f << 5.005f << 9.0f << 5.0f << TDampingCase::Critical;
    QTest::newRow("just below w0") << 1.0f << 25.0f << belowFive << 9.0f << 10.0f << TDampingCase::UnderDamped;
    QTest::newRow("b = 4.9, w0 = 5") << 1.0f << 25.0f << 4.9f << 9.0f << 10.0f << TDampingCase::UnderDamped;
    QTest::newRow("just past the band") << 1.0f << 25.0f << 5.01f << 9.0f << 10.0f << TDampingCase::OverDamped;
    QTest::newRow("heavy damping") << 0.1f << 1.0f << 5.0f << 5.0f << 20.0f << TDampingCase::OverDamped;
    QTest::newRow("pulled down, stiff") << 1.0f << 60.0f << 0.5f << -10.0f << 15.0f << TDampingCase::UnderDamped;
    QTest::newRow("light and stiff") << 0.1f << 60.0f << 5.0f << 10.0f << 5.0f << TDampingCase::UnderDamped;
}

void TestSHMModel::curveCases()
{
    QFETCH(float, m);
    QFETCH(float, k);
    QFETCH(float, b);
    QFETCH(float, A);
    QFETCH(float, span);
    QFETCH(TDampingCase, expected);
    const TSHMCurve c = DisplacementCurve(m, k, b, A, span);
    QCOMPARE(c.Case, expected);
    QCOMPARE(c.X[0], A); // every case starts at A
    QCOMPARE(c.Time[0], 0.0);
    QCOMPARE(c.Time[kSHMLastSample], double(span));
    for (int i = 0; i <= kSHMLastSample; ++i) {
        const double t = i * (double(span) / 500);
        QCOMPARE(c.Time[size_t(i)], t);
        const double want = Reference(expected, m, k, b, A, t);
        const double got = c.X[size_t(i)];
        // The float constants leave a few 1e-5 of a unit after 20 seconds.
        if (std::abs(got - want) > 2e-4)
            QFAIL(qPrintable(QStringLiteral("sample %1 (t = %2): %3, want %4").arg(i).arg(t).arg(got).arg(want)));
    }
}

// The edge cases a learner sees on the graph.
void TestSHMModel::curveShapes()
{
    // "+CD": (1 + 5t) 9 e^(-5t), falling from 9 without crossing zero.
    const TSHMCurve cd = DisplacementCurve(1, 25, 5, 9, 10);
    for (int i = 0; i <= kSHMLastSample; ++i) {
        const double t = cd.Time[size_t(i)];
        QVERIFY(std::abs(cd.X[size_t(i)] - (1 + 5 * t) * 9 * std::exp(-5 * t)) < 1e-5);
        QVERIFY(cd.X[size_t(i)] >= 0);
    }

    // Heavy damping creeps back and never crosses zero.
    const TSHMCurve heavy = DisplacementCurve(0.1f, 1, 5, 5, 10);
    for (int i = 1; i <= kSHMLastSample; ++i) {
        QVERIFY(heavy.X[size_t(i)] > 0);
        QVERIFY(heavy.X[size_t(i)] < heavy.X[size_t(i - 1)]);
    }

    // Without damping the amplitude is A over the whole span: the last
    // second still reaches it. With the default damping it has decayed.
    auto lastSecondPeak = [](const TSHMCurve &c) {
        float peak = 0;
        for (size_t i = 0; i < c.X.size(); ++i)
            if (c.Time[i] >= 9.0)
                peak = std::max(peak, std::abs(c.X[i]));
        return peak;
    };
    const TSHMCurve free = DisplacementCurve(0.5f, 40, 0, 5, 10);
    for (float x : free.X)
        QVERIFY(std::abs(x) <= 5.0f);
    QVERIFY(lastSecondPeak(free) > 0.99f * 5);
    QVERIFY(lastSecondPeak(DisplacementCurve(0.5f, 40, 0.2f, 5, 10)) < 0.2f * 5);

    // Starting at 0: a flat line whatever the case.
    for (float b : {0.0f, 0.2f, 5.0f})
        for (float x : DisplacementCurve(0.1f, 1, b, 0, 10).X)
            QCOMPARE(x, 0.0f);
}

void TestSHMModel::picture_data()
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

void TestSHMModel::picture()
{
    QFETCH(int, width);
    QFETCH(float, unit);
    QFETCH(float, x);
    QFETCH(int, a);
    QFETCH(int, top);
    QFETCH(int, bottom);
    const TOscillatorPicture p = OscillatorPicture(width, unit, x);
    QCOMPARE(p.MassLeft, a);
    QCOMPARE(p.MassRight, 3 * a);
    QCOMPARE(p.MassTop, top);
    QCOMPARE(p.MassBottom, bottom);
    // The spring zig-zags between a and 3a from the top edge and ends in
    // the middle of the mass's top.
    QCOMPARE(int(p.Spring.size()), 31);
    const double L = 12.0f - x; // a 32-bit float in the model
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(p.Spring[size_t(i)].X, (i % 2 ? 3 * a : a) * kFixedOne);
        QCOMPARE(p.Spring[size_t(i)].Y, ToFixed(i * (L / 30) * unit));
    }
    QCOMPARE(p.Spring[0].Y, 0);
    QCOMPARE(p.Spring[30].X, 2 * a * kFixedOne);
    QCOMPARE(FixedToPixel(p.Spring[30].Y), int(std::floor(L * unit + 0.5 - 1e-9)));
}

void TestSHMModel::runsToTheEndOneSampleATick()
{
    TSHMModel m;
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(!m.Running() && !m.ResetEnabled() && m.DisplacementEnabled() && m.ParametersEnabled());

    m.Start();
    QCOMPARE(m.State(), TSHMState::Running);
    QVERIFY(!m.ResetEnabled() && !m.DisplacementEnabled() && !m.ParametersEnabled());

    // Less than a sample: nothing moves.
    QVERIFY(!m.Tick(0.99f).Picture);
    QCOMPARE(m.Sample(), 0);
    // One sample.
    const TSHMChanges c = m.Tick(1.0f);
    QVERIFY(c.Picture && c.Marker && !c.Curve);
    QCOMPARE(m.Sample(), 1);
    QCOMPARE(m.Displacement(), m.Curve().X[1]);
    QCOMPARE(m.Marker(), QPointF(m.Curve().Time[1], m.Curve().X[1]));
    // A long tick still advances one sample; the clock stays ahead, so the
    // following ticks catch up one sample each.
    m.Tick(40.0f);
    QCOMPARE(m.Sample(), 2);
    m.Tick(40.0f);
    QCOMPARE(m.Sample(), 3);

    AdvanceSamples(m, 497);
    QCOMPARE(m.Sample(), 500);
    QVERIFY(m.Running()); // the last sample is shown first
    QCOMPARE(m.Marker(), QPointF(10.0, m.Curve().X[500]));
    const TSHMChanges end = m.Tick(501.0f);
    QVERIFY(end.Controls && !end.Picture);
    QCOMPARE(m.State(), TSHMState::Finished);
    QCOMPARE(m.Sample(), 500);
    QCOMPARE(m.Marker(), QPointF(10.0, m.Curve().X[500]));

    // A stray tick after the end changes nothing.
    QVERIFY(!m.Tick(900.0f).Picture);
    QCOMPARE(m.Sample(), 500);
}

void TestSHMModel::finishedRunKeepsParametersDisabledUntilReset()
{
    TSHMModel m;
    m.Start();
    QVERIFY(RunToEnd(m) > 500);
    QVERIFY(m.ResetEnabled() && m.DisplacementEnabled() && !m.ParametersEnabled());

    // The scroll bar goes back to Ready, but the spin edits wait for Reset.
    m.SetDisplacementPosition(-80);
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(!m.ParametersEnabled() && !m.ResetEnabled());

    // Start after a finished run begins again at sample 1 of the same curve.
    m.Start();
    RunToEnd(m);
    const float last = m.Curve().X[500];
    m.Start();
    QCOMPARE(m.Sample(), 0);
    QCOMPARE(m.SampleClock(), 0.0f);
    m.Tick(1.0f);
    QCOMPARE(m.Sample(), 1);
    QCOMPARE(m.Displacement(), m.Curve().X[1]);
    QCOMPARE(m.Curve().X[500], last);
    RunToEnd(m);

    m.Reset();
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(m.ParametersEnabled() && m.DisplacementEnabled() && !m.ResetEnabled());
    QCOMPARE(m.Displacement(), 8.0f);
    QCOMPARE(m.Marker(), QPointF(0, 8));
}

void TestSHMModel::stopAndReset()
{
    TSHMModel m;
    // Stop before the first sample: nothing to reset.
    m.Start();
    m.Stop();
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(!m.ResetEnabled());

    m.Start();
    AdvanceSamples(m, 42);
    m.Tick(42.7f);
    m.Stop();
    QCOMPARE(m.State(), TSHMState::Paused);
    QVERIFY(m.ResetEnabled() && m.DisplacementEnabled() && m.ParametersEnabled());
    QCOMPARE(m.SampleClock(), 42.0f); // the part sample is dropped

    // Start continues from n.
    m.Start();
    QCOMPARE(m.Sample(), 42);
    m.Tick(43.0f);
    QCOMPARE(m.Sample(), 43);
    m.Stop();

    const std::array<float, 501> curve = m.Curve().X;
    const TSHMChanges c = m.Reset();
    QVERIFY(c.Picture && c.Marker && !c.Curve);
    QCOMPARE(m.Sample(), 0);
    QCOMPARE(m.Displacement(), 5.0f);
    QCOMPARE(m.Marker(), QPointF(0, 5));
    QCOMPARE(m.Curve().X, curve);
    QVERIFY(!m.ResetEnabled());
}

// A parameter change while paused goes back to the start of the new curve.
void TestSHMModel::changesReturnToTheStart()
{
    TSHMModel m;
    m.Start();
    AdvanceSamples(m, 100);
    m.Stop();
    const TSHMChanges c = m.SetParameters(0.5f, 40, 1.5f);
    QVERIFY(c.Curve && c.Picture);
    QCOMPARE(m.State(), TSHMState::Ready);
    QCOMPARE(m.Sample(), 0);
    QCOMPARE(m.SampleClock(), 0.0f);
    QCOMPARE(m.Displacement(), 5.0f);
    QCOMPARE(m.Marker(), QPointF(0, 5));
    QVERIFY(!m.ResetEnabled());
    QCOMPARE(m.Damping(), 1.5f);
    QCOMPARE(m.Curve().X[250], DisplacementCurve(0.5f, 40, 1.5f, 5, 10).X[250]);

    // At the start already, the picture needs no redraw.
    QVERIFY(!m.SetParameters(0.5f, 40, 1.6f).Picture);
}

void TestSHMModel::timeAxis()
{
    TSHMModel m;
    m.Start();
    AdvanceSamples(m, 77);
    m.Stop();
    const QPointF marker = m.Marker();

    // The span already set: nothing at all.
    const TSHMChanges same = m.SetTimeAxis(10);
    QVERIFY(!same.Curve && !same.Marker && !same.Picture && !same.Controls);
    QCOMPARE(m.Sample(), 77);
    QCOMPARE(m.Marker(), marker);
    QCOMPARE(m.State(), TSHMState::Paused);

    const TSHMChanges c = m.SetTimeAxis(20);
    QVERIFY(c.Curve && c.Picture);
    QCOMPARE(m.Span(), 20.0f);
    QCOMPARE(m.Curve().Time[500], 20.0);
    QCOMPARE(m.Curve().Time[1], 0.04);
    QCOMPARE(m.Sample(), 0);
    QCOMPARE(m.Marker(), QPointF(0, 5));
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(!m.ResetEnabled());
}

void TestSHMModel::displacementScroll()
{
    TSHMModel m;
    QCOMPARE(m.Amplitude(), 5.0f); // position -50
    m.SetDisplacementPosition(-100);
    QCOMPARE(m.Amplitude(), 10.0f);
    QCOMPARE(m.Curve().X[0], 10.0f);
    m.SetDisplacementPosition(100);
    QCOMPARE(m.Amplitude(), -10.0f);
    QCOMPARE(m.Displacement(), -10.0f);
    QCOMPARE(m.Marker(), QPointF(0, -10));

    // From a pause: back to sample 0 of the new curve.
    m.Start();
    AdvanceSamples(m, 30);
    m.Stop();
    const TSHMChanges c = m.SetDisplacementPosition(0);
    QVERIFY(c.Curve && c.Picture);
    QCOMPARE(m.Sample(), 0);
    QCOMPARE(m.SampleClock(), 0.0f);
    QCOMPARE(m.Displacement(), 0.0f);
    QVERIFY(!m.ResetEnabled());
}

// The picture's resize recomputes the graph: the marker goes back to
// sample 0 while n stays, and the next tick moves on from n.
void TestSHMModel::recomputingKeepsTheSample()
{
    TSHMModel m;
    m.Start();
    AdvanceSamples(m, 120);
    const float x = m.Displacement();
    const TSHMChanges c = m.ComputeGraph();
    QVERIFY(c.Curve && c.Marker && !c.Picture);
    QCOMPARE(m.Sample(), 120);
    QCOMPARE(m.Displacement(), x);
    QCOMPARE(m.Marker(), QPointF(0, 5));
    QVERIFY(m.Running());
    m.Tick(121.0f);
    QCOMPARE(m.Marker(), QPointF(m.Curve().Time[121], m.Curve().X[121]));
}

void TestSHMModel::criticalExample()
{
    TSHMModel m;
    m.SetParameters(0.3f, 12, 0.0f);
    m.Start();
    AdvanceSamples(m, 123);
    // Loaded in the middle of a run: the run stops and everything is ready.
    const TSHMChanges c = m.LoadCriticalExample();
    QVERIFY(c.Inputs && c.Curve && c.Picture && c.Controls);
    QCOMPARE(m.State(), TSHMState::Ready);
    QVERIFY(!m.Running() && !m.ResetEnabled() && m.DisplacementEnabled() && m.ParametersEnabled());
    QCOMPARE(m.Mass(), 1.0f);
    QCOMPARE(m.Stiffness(), 25.0f);
    QCOMPARE(m.Damping(), 5.0f);
    QCOMPARE(m.Amplitude(), 9.0f);
    QCOMPARE(m.Displacement(), 9.0f);
    QCOMPARE(m.Marker(), QPointF(0, 9));
    QCOMPARE(m.Curve().Case, TDampingCase::Critical);
    QCOMPARE(TSHMModel::kCriticalExamplePosition * -0.1f, 9.0f);
}

QTEST_MAIN(TestSHMModel)
#include "tst_shmmodel.moc"
