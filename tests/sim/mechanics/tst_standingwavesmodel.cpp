// The standing-wave model: two opposite travelling waves and their sum at
// the phases the course points to, the nodes that stay put, the number of
// samples per harmonic and the two graphs' grids.
#include "sim/mechanics/StandingWavesModel.h"

#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

double MiddleOf(const QRectF &r)
{
    return r.y() + r.height() / 2;
}

// Largest distance of a curve from the line y = ym.
double Peak(const QVector<QPointF> &curve, double ym)
{
    double peak = 0;
    for (const QPointF &p : curve)
        peak = std::max(peak, std::abs(p.y() - ym));
    return peak;
}

} // namespace

class TestStandingWavesModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void harmonics_data();
    void harmonics();
    void phases_data();
    void phases();
    void travellingDirections();
    void grids_data();
    void grids();
    void unitAndStoppedPosition();
};

// Harmonic f: 50 f samples across 9.8 units, f half-wavelengths, f + 1
// nodes of the sum (the ends included) that do not move with the phase.
void TestStandingWavesModel::harmonics_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("samples");
    QTest::newRow("1") << 1 << 50;
    QTest::newRow("2 (start)") << 2 << 100;
    QTest::newRow("7") << 7 << 350;
    QTest::newRow("10") << 10 << 500;
}

void TestStandingWavesModel::harmonics()
{
    QFETCH(int, frequency);
    QFETCH(int, samples);
    const float u = 48.0f;
    StandingWavesModel m;
    m.setFrequency(frequency);
    QCOMPARE(StandingWavesModel::sampleCount(m.frequency()), samples);
    for (float phase : {0.0f, 33.0f, 200.0f}) {
        m.setPhase(phase);
        const StandingWavePicture p = m.picture(u);
        QCOMPARE(p.samples, samples);
        QCOMPARE(p.rightward.size(), samples + 1);
        QCOMPARE(p.leftward.size(), samples + 1);
        QCOMPARE(p.sum.size(), samples + 1);
        QCOMPARE(p.frequencyCaption, QStringLiteral("Frequency = %1").arg(frequency));
        QVERIFY(std::abs(p.sum.first().x() - (-4.9 * u)) < 1e-3);
        QVERIFY(std::abs(p.sum.last().x() - 4.9 * u) < 1e-3);
        // The nodes: every (n / f)th sample, both ends included.
        const double ym2 = MiddleOf(p.lower);
        for (int node = 0; node <= frequency; ++node)
            QVERIFY(std::abs(p.sum[node * samples / frequency].y() - ym2) < 1e-3);
        // Between two nodes the sum keeps one sign, the next loop the other.
        int signChanges = 0;
        double last = 0;
        for (const QPointF &q : p.sum) {
            const double y = q.y() - ym2;
            if (std::abs(y) < 1e-3)
                continue;
            if (last != 0 && (y > 0) != (last > 0))
                ++signChanges;
            last = y;
        }
        if (std::abs(std::cos(phase * M_PI / 180)) > 0.01)
            QCOMPARE(signChanges, frequency - 1);
    }
}

// 90 (and 270): the two waves are mirror images and cancel; 0 and 360: they
// coincide and the sum swings to 2 x 1.35 = 2.7 units; 60: half of that.
void TestStandingWavesModel::phases_data()
{
    QTest::addColumn<float>("phase");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<bool>("coincide");
    QTest::addColumn<double>("sumPeakUnits");
    QTest::newRow("0") << 0.0f << false << true << 2.7;
    QTest::newRow("360") << 360.0f << false << true << 2.7;
    QTest::newRow("90") << 90.0f << true << false << 0.0;
    QTest::newRow("270") << 270.0f << true << false << 0.0;
    QTest::newRow("60") << 60.0f << false << false << 1.35;
    QTest::newRow("180: full height, upside down") << 180.0f << false << false << 2.7;
}

void TestStandingWavesModel::phases()
{
    QFETCH(float, phase);
    QFETCH(bool, mirrored);
    QFETCH(bool, coincide);
    QFETCH(double, sumPeakUnits);
    for (float u : {19.1f, 48.0f, 101.3f}) {
        StandingWavesModel m;
        m.setFrequency(2);
        m.setPhase(phase);
        const StandingWavePicture p = m.picture(u);
        const double ym = MiddleOf(p.upper), ym2 = MiddleOf(p.lower);
        QVERIFY(std::abs(ym - (-3.2 * u)) < 1e-3);
        QVERIFY(std::abs(ym2 - 1.9 * u) < 1e-3);
        for (int i = 0; i < p.rightward.size(); ++i) {
            const double a = ym - p.rightward[i].y(), b = ym - p.leftward[i].y();
            if (mirrored)
                QVERIFY(std::abs(a + b) < 1e-3);
            if (coincide)
                QVERIFY(std::abs(a - b) < 1e-3);
            QVERIFY(std::abs(a) <= 1.35 * u + 1e-3);
            // The sum is drawn from the same samples.
            QVERIFY(std::abs((ym2 - p.sum[i].y()) - (a + b)) < 1e-3);
        }
        QVERIFY(std::abs(Peak(p.sum, ym2) - sumPeakUnits * u) < 1e-3 * u);
        // Each travelling wave keeps its full height at every phase.
        QVERIFY(std::abs(Peak(p.rightward, ym) - 1.35 * u) < 1e-2 * u);
        // The sum stays inside its graph.
        QVERIFY(Peak(p.sum, ym2) < p.lower.height() / 2);
    }
}

// A growing phase moves the blue wave to the right and the red one to the
// left: a crest of blue at sample i reappears further right.
void TestStandingWavesModel::travellingDirections()
{
    StandingWavesModel m;
    m.setFrequency(2); // 100 samples, k = pi / 50: 3.6 degrees a sample
    m.setPhase(100);
    const StandingWavePicture before = m.picture(50);
    m.setPhase(100 + 3.6f * 10); // ten samples' worth
    const StandingWavePicture after = m.picture(50);
    for (int i = 0; i + 10 <= before.samples; ++i) {
        QVERIFY(std::abs(after.rightward[i + 10].y() - before.rightward[i].y()) < 1e-2);
        QVERIFY(std::abs(after.leftward[i].y() - before.leftward[i + 10].y()) < 1e-2);
    }
}

// Square cells of 0.49 units: 19 inner verticals in each graph, 3 lines
// above and below the upper graph's middle line and 6 in the lower one.
void TestStandingWavesModel::grids_data()
{
    QTest::addColumn<float>("unit");
    QTest::newRow("small") << 10.4f;
    QTest::newRow("design") << 44.1f;
    QTest::newRow("full HD") << 96.7f;
    QTest::newRow("odd") << 33.3f;
}

void TestStandingWavesModel::grids()
{
    QFETCH(float, unit);
    const StandingWavePicture p = StandingWavesModel().picture(unit);
    QVERIFY(std::abs(p.gridStep - 0.49 * unit) < 1e-4 * unit);
    auto check = [&](const QVector<QLineF> &grid, const QRectF &r, int above) {
        int vertical = 0, horizontal = 0;
        for (const QLineF &l : grid) {
            QVERIFY(r.adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(l.p1()));
            QVERIFY(r.adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(l.p2()));
            if (l.x1() == l.x2()) {
                ++vertical;
                QCOMPARE(l.y1(), r.top());
                QCOMPARE(l.y2(), r.bottom());
            } else {
                ++horizontal;
                QCOMPARE(l.x1(), r.left());
                QCOMPARE(l.x2(), r.right());
                const double steps = (l.y1() - MiddleOf(r)) / p.gridStep;
                QVERIFY(std::abs(steps - std::round(steps)) < 1e-3);
            }
        }
        QCOMPARE(vertical, 19);
        QCOMPARE(horizontal, 2 * above + 1);
    };
    check(p.upperGrid, p.upper, 3);
    check(p.lowerGrid, p.lower, 6);
}

void TestStandingWavesModel::unitAndStoppedPosition()
{
    QCOMPARE(StandingWavesModel::unit(767, 485), 48.5f);
    QCOMPARE(StandingWavesModel::unit(1900, 400), 40.0f);
    QCOMPARE(StandingWavesModel::unit(300, 900), 30.0f);
    StandingWavesModel m;
    QCOMPARE(m.frequency(), 2.0f);
    QCOMPARE(m.stoppedPosition(), 0);
    for (auto [phase, position] : {std::pair{90.7f, 90}, {359.99f, 359}, {360.0f, 360}, {0.4f, 0}}) {
        m.setPhase(phase);
        QCOMPARE(m.stoppedPosition(), position);
    }
}

QTEST_APPLESS_MAIN(TestStandingWavesModel)
#include "tst_standingwavesmodel.moc"
