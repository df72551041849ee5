// The speed-of-sound model: the oscilloscope's sampling, the microphone's
// phase lag, amplitude and shift, and the bench geometry.
#include "sim/sound/SpeedOfSoundModel.h"

#include <QTest>
#include <cmath>

namespace {
const QRectF kScreen(10, 20, 300, 200); // cy = 120
}

class TestSpeedOfSoundModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sampling_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("samples");
        QTest::addColumn<double>("periods");
        QTest::newRow("200 Hz") << 200.0f << 40 << 1.11;
        QTest::newRow("1200 Hz") << 1200.0f << 240 << 6.67;
        QTest::newRow("210 Hz") << 210.0f << 42 << 1.17;
        QTest::newRow("330 Hz: 66") << 330.0f << 66 << 1.83;
    }
    void sampling()
    {
        QFETCH(float, frequency);
        QFETCH(int, samples);
        QFETCH(double, periods);
        QCOMPARE(scopeSampleCount(frequency), samples);
        const ScopeTraces t = scopeTraces(kScreen, frequency, 0.5f, 0, 0);
        QCOMPARE(t.generator.size(), samples + 1);
        QCOMPARE(t.microphone.size(), samples + 1);
        QCOMPARE(t.generator.last().x(), kScreen.right());
        // Periods on the screen: the last sample's phase over 2 pi.
        const float delta = kTwoPi * frequency / (180.0f * float(samples));
        QVERIFY(std::abs(samples * delta / kTwoPi - periods) < 0.005);
        // The generator's trace fills 0.48 of the screen height each way.
        double top = 1e9;
        for (const QPointF &p : t.generator)
            top = std::min(top, p.y());
        QVERIFY(top >= 120 - 0.48 * 200 - 1e-3 && top < 120 - 0.47 * 200);
    }

    // The microphone's trace against the generator's: in step (+1) or in
    // antiphase (-1), its amplitude falling as e^(-0.01 x).
    void phaseAndAmplitude_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<float>("x");
        QTest::addColumn<int>("relation");
        QTest::newRow("x = 0") << 200.0f << 0.0f << 1;
        QTest::newRow("330 Hz, 100 cm: one wavelength") << 330.0f << 100.0f << 1;
        QTest::newRow("330 Hz, 50 cm: half") << 330.0f << 50.0f << -1;
        QTest::newRow("660 Hz, 25 cm: half") << 660.0f << 25.0f << -1;
        QTest::newRow("660 Hz, 150 cm: three") << 660.0f << 150.0f << 1;
    }
    void phaseAndAmplitude()
    {
        QFETCH(float, frequency);
        QFETCH(float, x);
        QFETCH(int, relation);
        const ScopeTraces t = scopeTraces(kScreen, frequency, 0.5f, 0, x);
        const double cy = 120, sh = 200;
        const double A = std::exp(-0.01 * x) * 0.096 * sh / 0.5;
        QVERIFY(std::abs(microphoneAmplitude(x, 0.5f, 200) - A) < 1e-3);
        for (int i = 0; i < t.generator.size(); ++i) {
            const double gen = (cy - t.generator[i].y()) / (0.48 * sh);
            const double mic = (cy - t.microphone[i].y()) / A;
            QVERIFY2(std::abs(mic - relation * gen) < 1e-4, qPrintable(QStringLiteral("sample %1").arg(i)));
        }
    }

    void amplitudeAtTheSpeaker()
    {
        // 0.096 sh / gain: 0.192 sh at the default gain, 1.92 sh at 0.05.
        QVERIFY(std::abs(microphoneAmplitude(0, 0.5f, 200) - 0.192f * 200) < 1e-3f);
        QVERIFY(std::abs(microphoneAmplitude(0, 0.05f, 200) - 1.92f * 200) < 1e-2f);
        QVERIFY(std::abs(microphonePhaseLag(100, 330) - kTwoPi) < 1e-5f);
    }

    void shiftMovesTheMidline()
    {
        // Shift 5 lifts the trace by 0.48 sh: its midline 0.02 sh under the
        // screen's top edge.
        const ScopeTraces t = scopeTraces(kScreen, 200, 0.5f, 5.0f, 0);
        const double midline = t.microphone.first().y(); // sin(0) = 0
        QVERIFY(std::abs(midline - (kScreen.top() + 0.02 * 200)) < 1e-3);
        const ScopeTraces down = scopeTraces(kScreen, 200, 0.5f, -2.5f, 0);
        QVERIFY(std::abs(down.microphone.first().y() - (120 + 0.24 * 200)) < 1e-3);
    }

    void benchGeometry()
    {
        const float u = 10;
        const QRectF scale = centimetreScaleRect(u);
        QCOMPARE(microphoneBenchX(0, u), float(scale.left()));
        QCOMPARE(microphoneBenchX(200, u), float(scale.right()));
        QCOMPARE(microphoneBenchX(100, u), 0.0f);
        QCOMPARE(scopeScreen(oscilloscopeRect(u)), QRectF(-24, -97, 108, 88));
        // u follows the smaller side.
        QCOMPARE(soundUnit(2100, 420), 20.0f);
        QCOMPARE(soundUnit(420, 2100), 20.0f);
    }

    // One turn per 1200 Hz: 200 Hz points up and to the left, 600 Hz to the
    // right, 900 Hz straight down.
    void dialPointer_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("dx"); // sign of the tip's offset from the centre
        QTest::addColumn<int>("dy");
        QTest::newRow("200") << 200.0f << -1 << -1;
        QTest::newRow("600") << 600.0f << 1 << 0;
        QTest::newRow("900") << 900.0f << 0 << 1;
    }
    void dialPointer()
    {
        QFETCH(float, frequency);
        QFETCH(int, dx);
        QFETCH(int, dy);
        const QRectF gen(0, 0, 100, 100);
        const DialPointer p = ::dialPointer(gen, frequency);
        QCOMPARE(p.centre, QPointF(50, 40));
        QCOMPARE(p.hubRadius, 20.0f);
        const QPointF tip = p.p1 - p.centre;
        auto sign = [](double v) { return std::abs(v) < 1e-3 ? 0 : (v > 0 ? 1 : -1); };
        QCOMPARE(sign(tip.x()), dx);
        QCOMPARE(sign(tip.y()), dy);
        QVERIFY(std::abs(std::hypot(tip.x(), tip.y()) - 30) < 1e-3);
        // The base corners lie on the hub, either side of the tip.
        QVERIFY(std::abs(std::hypot(p.p0.x() - 50, p.p0.y() - 40) - 20) < 1e-3);
        QVERIFY(std::abs(std::hypot(p.p2.x() - 50, p.p2.y() - 40) - 20) < 1e-3);
    }
};

QTEST_MAIN(TestSpeedOfSoundModel)
#include "tst_speedofsoundmodel.moc"
