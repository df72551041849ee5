// The transverse and longitudinal wave model: the row at rest, the wave it
// carries (three wavelengths, moving to the right, particles that only swing
// about their places), the minimum spacing on narrow pictures and the
// phase scroll bar's whole degrees.
#include "sim/mechanics/TransverseLongitudinalModel.h"

#include <QtTest>
#include <cmath>

class TestTransverseLongitudinalModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void amplitudePositions_data();
    void amplitudePositions();
    void restingRow_data();
    void restingRow();
    void threeWavelengthsMovingRight_data();
    void threeWavelengthsMovingRight();
    void markedParticleInACompressionAtZero();
    void fullAmplitudeReachesTheEdges();
    void phasePosition_data();
    void phasePosition();
    void startStateAndMotion();
};

void TestTransverseLongitudinalModel::amplitudePositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("longitudinal");
    QTest::addColumn<float>("transverse");
    QTest::newRow("0") << 0 << 0.0f << 0.0f;
    QTest::newRow("start") << 25 << 0.5f << 2.5f;
    QTest::newRow("7") << 7 << 0.14f << 0.7f;
    QTest::newRow("largest") << 50 << 1.0f << 5.0f;
}

void TestTransverseLongitudinalModel::amplitudePositions()
{
    QFETCH(int, position);
    QFETCH(float, longitudinal);
    QFETCH(float, transverse);
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(position);
    QCOMPARE(m.longitudinalAmplitude(), longitudinal);
    QCOMPARE(m.transverseAmplitude(), transverse);
}

// Amplitude 0: evenly spaced lines from x = 7, discs in a straight row on
// the middle line; a narrow picture keeps 6 (lines) or 4 (discs) pixels
// between neighbours and runs past its right edge.
void TestTransverseLongitudinalModel::restingRow_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("spacingLines");
    QTest::addColumn<double>("spacingDiscs");
    QTest::newRow("design size") << 767 << 191 << 767 / 45.0 << 767 / 45.0;
    QTest::newRow("full HD") << 960 << 191 << 960 / 45.0 << 960 / 45.0;
    QTest::newRow("just wide enough for lines") << 270 << 191 << 6.0 << 6.0;
    QTest::newRow("narrow: lines at minimum") << 200 << 150 << 6.0 << 200 / 45.0;
    QTest::newRow("narrow: both at minimum") << 120 << 100 << 6.0 << 4.0;
    QTest::newRow("no width") << 0 << 191 << 6.0 << 4.0;
}

void TestTransverseLongitudinalModel::restingRow()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, spacingLines);
    QFETCH(double, spacingDiscs);
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(0);
    for (float phase : {0.0f, 137.0f, 360.0f}) {
        m.setPhase(phase);
        const LongitudinalRow lines = m.longitudinalRow(width, height);
        QCOMPARE(lines.x[0], 7);
        QCOMPARE(lines.blockLeft, 3);
        QCOMPARE(lines.blockRight, 7);
        QCOMPARE(lines.top, 5);
        QCOMPARE(lines.bottom, height - 5);
        for (int i = 0; i < kRowParticles; ++i)
            QVERIFY2(std::abs(lines.x[size_t(i)] - (7 + i * spacingLines)) <= 0.5 + 1e-4,
                     qPrintable(QString::number(i)));

        const TransverseRow discs = m.transverseRow(width, height);
        for (int i = 0; i < kRowParticles; ++i) {
            QCOMPARE(discs.centres[size_t(i)].y(), double(height / 2));
            QVERIFY(std::abs(discs.centres[size_t(i)].x() - i * spacingDiscs) < 1e-3);
        }
    }
    if (spacingLines == 6.0 && width < 270)
        QVERIFY(m.longitudinalRow(width, height).x[45] >= width); // past the edge, not crowded
}

// Particles 15 places apart (one wavelength) always move alike; the pattern
// at phase p + 24 is the pattern at p moved one particle to the right.
void TestTransverseLongitudinalModel::threeWavelengthsMovingRight_data()
{
    QTest::addColumn<float>("phase");
    QTest::newRow("0") << 0.0f;
    QTest::newRow("37") << 37.0f;
    QTest::newRow("180") << 180.0f;
    QTest::newRow("311.5") << 311.5f;
}

void TestTransverseLongitudinalModel::threeWavelengthsMovingRight()
{
    QFETCH(float, phase);
    const int W = 767, H = 191;
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(40);
    m.setPhase(phase);
    const TransverseRow now = m.transverseRow(W, H);
    for (int i = 0; i + 15 < kRowParticles; ++i)
        QVERIFY(std::abs(now.centres[size_t(i)].y() - now.centres[size_t(i + 15)].y()) < 1e-3);
    // The marked particle moves with 7 and 37.
    QVERIFY(std::abs(now.centres[kMarkedParticle].y() - now.centres[7].y()) < 1e-3);
    QVERIFY(std::abs(now.centres[kMarkedParticle].y() - now.centres[37].y()) < 1e-3);

    TransverseLongitudinalModel later = m;
    later.setPhase(phase + kRowPhaseStep);
    const TransverseRow next = later.transverseRow(W, H);
    for (int i = 0; i + 1 < kRowParticles; ++i)
        QVERIFY(std::abs(next.centres[size_t(i + 1)].y() - now.centres[size_t(i)].y()) < 1e-3);
    // Each disc only moves up and down.
    for (int i = 0; i < kRowParticles; ++i)
        QCOMPARE(next.centres[size_t(i)].x(), now.centres[size_t(i)].x());

    // The same wave along the longitudinal row: one wavelength on, a line
    // stands 15 spacings further right (within the rounding to pixels).
    const LongitudinalRow lines = m.longitudinalRow(W, H);
    for (int i = 0; i + 15 < kRowParticles; ++i)
        QVERIFY(std::abs(lines.x[size_t(i + 15)] - lines.x[size_t(i)] - 15 * W / 45.0) <= 1.0);
}

// The course asks where the marked particle is at 0 and 180: in a
// compression, then in a rarefaction.
void TestTransverseLongitudinalModel::markedParticleInACompressionAtZero()
{
    const int W = 767, H = 191;
    const double spacing = W / 45.0;
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(50);
    m.setPhase(0);
    LongitudinalRow row = m.longitudinalRow(W, H);
    QVERIFY(row.x[22] - row.x[21] < spacing - 5);
    QVERIFY(row.x[23] - row.x[22] < spacing - 5);
    m.setPhase(180);
    row = m.longitudinalRow(W, H);
    QVERIFY(row.x[22] - row.x[21] > spacing + 5);
    QVERIFY(row.x[23] - row.x[22] > spacing + 5);
}

// At the largest amplitude the discs swing through the whole height: five
// units of a tenth of the height each way.
void TestTransverseLongitudinalModel::fullAmplitudeReachesTheEdges()
{
    const int W = 767, H = 191;
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(TransverseLongitudinalModel::kMaxAmplitudePosition);
    double top = H, bottom = 0;
    for (int p = 0; p < 360; ++p) {
        m.setPhase(float(p));
        for (const QPointF &c : m.transverseRow(W, H).centres) {
            top = std::min(top, c.y());
            bottom = std::max(bottom, c.y());
        }
    }
    QVERIFY(std::abs(top - (H / 2 - 0.5 * H)) < 1e-3);
    QVERIFY(std::abs(bottom - (H / 2 + 0.5 * H)) < 1e-3);
}

void TestTransverseLongitudinalModel::phasePosition_data()
{
    QTest::addColumn<float>("phase");
    QTest::addColumn<int>("position");
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("half rounds to even (down)") << 0.5f << 0;
    QTest::newRow("half rounds to even (up)") << 1.5f << 2;
    QTest::newRow("below half") << 122.49f << 122;
    QTest::newRow("above half") << 122.51f << 123;
    QTest::newRow("near the wrap") << 359.6f << 360;
    QTest::newRow("360 itself") << 360.0f << 360;
}

void TestTransverseLongitudinalModel::phasePosition()
{
    QFETCH(float, phase);
    QFETCH(int, position);
    TransverseLongitudinalModel m;
    m.setPhase(phase);
    QCOMPARE(m.phasePosition(), position);
}

void TestTransverseLongitudinalModel::startStateAndMotion()
{
    TransverseLongitudinalModel m;
    QCOMPARE(m.phase(), 0.0f);
    QCOMPARE(m.amplitudePosition(), 25);
    QCOMPARE(m.longitudinalAmplitude(), 0.5f);
    QCOMPARE(m.transverseAmplitude(), 2.5f);
    QVERIFY(!m.markerShown());
    QCOMPARE(m.motion(), WaveMotion::Transverse);
    // Choosing the motion already shown changes nothing.
    QVERIFY(!m.setMotion(WaveMotion::Transverse));
    QVERIFY(m.setMotion(WaveMotion::Longitudinal));
    QCOMPARE(m.motion(), WaveMotion::Longitudinal);
    QVERIFY(!m.setMotion(WaveMotion::Longitudinal));
}

QTEST_APPLESS_MAIN(TestTransverseLongitudinalModel)
#include "tst_transverselongitudinalmodel.moc"
