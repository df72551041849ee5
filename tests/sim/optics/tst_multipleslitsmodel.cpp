// The multiple-slit model: the pattern against a Huygens sum over the
// apertures worked out here (no beta or gamma in it), the heights the chart
// shows, missing orders, the envelope, and the fringe strip.
#include "sim/optics/MultipleSlitsModel.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {
// |E|^2 far away at `degrees` for N slits of width a, centres d apart
// (wavelengths): each slit is cut into many narrow strips and their
// wavelets are added with the path difference x sin(theta) of each strip.
// For whole slits this tends to a^2 (sin beta / beta)^2 (sin N gamma /
// sin gamma)^2.
double huygensIntensity(int slits, double d, double a, double degrees)
{
    constexpr int kStrips = 4000;
    const double s = std::sin(degrees * std::numbers::pi / 180);
    std::complex<double> field;
    for (int n = 0; n < slits; ++n) {
        for (int j = 0; j < kStrips; ++j) {
            const double x = n * d - a / 2 + (j + 0.5) * a / kStrips;
            field += std::polar(a / kStrips, 2 * std::numbers::pi * x * s);
        }
    }
    return std::norm(field);
}

MultipleSlitsModel slitsWith(int slits, int separation, int width)
{
    MultipleSlitsModel m;
    m.setParameters(slits, separation, width);
    return m;
}

double peakOf(const QList<QPointF> &points)
{
    double peak = 0;
    for (const QPointF &p : points)
        peak = std::max(peak, p.y());
    return peak;
}

// The largest value of the pattern between two angles, and where.
QPointF maximumBetween(const QList<QPointF> &points, double from, double to)
{
    QPointF best(0, -1);
    for (const QPointF &p : points)
        if (p.x() >= from && p.x() <= to && p.y() > best.y())
            best = p;
    return best;
}
} // namespace

class TestMultipleSlitsModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The pattern has the Huygens shape at every angle; the chart's scale
    // puts the central peak at a N^2 (the intensity per unit slit width).
    void patternAgainstHuygensSum_data()
    {
        QTest::addColumn<int>("N");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("a");
        QTest::newRow("defaults") << 2 << 2 << 1;
        QTest::newRow("one slit") << 1 << 2 << 3;
        QTest::newRow("5 slits, d 7, a 3") << 5 << 7 << 3;
        QTest::newRow("10 slits, d 10, a 1") << 10 << 10 << 1;
        QTest::newRow("d = a") << 3 << 4 << 4;
    }
    void patternAgainstHuygensSum()
    {
        QFETCH(int, N);
        QFETCH(int, d);
        QFETCH(int, a);
        const MultipleSlitsModel m = slitsWith(N, d, a);
        const double peak = a * N * N;
        QCOMPARE(m.multiSlitIntensity(0.0f), float(peak));
        QCOMPARE(m.singleSlitIntensity(0.0f), float(peak));
        const double huygensPeak = huygensIntensity(N, d, a, 0);
        QVERIFY(std::abs(huygensPeak - double(a) * a * N * N) < 1e-6 * huygensPeak);
        const QList<QPointF> &pattern = m.pattern();
        for (int i = 0; i < int(pattern.size()); i += 7) {
            const QPointF p = pattern[i];
            const double expected = huygensIntensity(N, d, a, p.x()) / huygensPeak;
            if (std::abs(p.y() / peak - expected) > 2e-5)
                QFAIL(qPrintable(QStringLiteral("at %1 degrees: %2, expected %3").arg(p.x()).arg(p.y() / peak).arg(expected)));
        }
    }

    // N = 2, d = 2, a = 1: 4 straight ahead; the first principal maxima at
    // +-30 degrees meet the envelope at 4 (2/pi)^2 (the falling envelope
    // pulls the curve's own top a little inwards); the orders at +-90 fall
    // on the envelope's first zeros.
    void defaults()
    {
        const MultipleSlitsModel m;
        QCOMPARE(m.slits(), 2);
        QCOMPARE(m.separation(), 2);
        QCOMPARE(m.width(), 1);
        const QList<QPointF> &p = m.pattern();
        QCOMPARE(p.size(), MultipleSlitsModel::kPatternPoints);
        QCOMPARE(p.front().x(), -90.0);
        QVERIFY(p.back().x() > 89.99 && p.back().x() < 90);
        QVERIFY(std::abs(maximumBetween(p, -1, 1).y() - 4) < 1e-4);
        const double side = 4 * std::pow(2 / std::numbers::pi, 2);
        for (float at : {-30.0f, 30.0f}) {
            QVERIFY(std::abs(m.multiSlitIntensity(at) - side) < 1e-5);
            QVERIFY(std::abs(m.singleSlitIntensity(at) - side) < 1e-5);
            const QPointF near = maximumBetween(p, at - 0.05, at + 0.05);
            QVERIFY(std::abs(near.y() - side) < 1e-3);
        }
        QVERIFY(std::abs(p.front().y()) < 1e-6);
        QVERIFY(std::abs(p.back().y()) < 1e-6);
        QVERIFY(m.multiSlitIntensity(90.0f) < 1e-6f);
    }

    // One slit: the pattern is the envelope wherever the envelope has a point.
    void oneSlitIsTheEnvelope()
    {
        for (int a : {1, 4, 10}) {
            const MultipleSlitsModel m = slitsWith(1, 5, a);
            QCOMPARE(m.envelope().size(), MultipleSlitsModel::kEnvelopePoints);
            for (const QPointF &e : m.envelope()) {
                const auto near = std::min_element(m.pattern().begin(), m.pattern().end(), [&](const QPointF &x, const QPointF &y) {
                    return std::abs(x.x() - e.x()) < std::abs(y.x() - e.x());
                });
                QVERIFY(std::abs(near->x() - e.x()) < 0.002);
                // The pattern's angles drift by up to 0.002 degrees.
                QVERIFY2(std::abs(near->y() - e.y()) < 2e-3 * a, qPrintable(QString::number(e.x())));
            }
        }
    }

    // Every principal maximum lies on the envelope; with d = a each one but
    // the central one falls on a zero of the envelope and is missing. With
    // d = 2a only the even orders go.
    void missingOrders_data()
    {
        QTest::addColumn<int>("N");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("a");
        QTest::newRow("N 2, d = a = 2") << 2 << 2 << 2;
        QTest::newRow("N 5, d = a = 7") << 5 << 7 << 7;
        QTest::newRow("N 10, d = a = 10") << 10 << 10 << 10;
        QTest::newRow("N 4, d 6, a 3") << 4 << 6 << 3;
    }
    void missingOrders()
    {
        QFETCH(int, N);
        QFETCH(int, d);
        QFETCH(int, a);
        const MultipleSlitsModel m = slitsWith(N, d, a);
        const double peak = a * N * N;
        for (int order = 1; order <= d; ++order) {
            // sin(theta) = order / d
            const float at = float(std::asin(double(order) / d) * 180 / std::numbers::pi);
            for (float theta : {at, -at}) {
                const double i = m.multiSlitIntensity(theta) / peak;
                const QString where = QStringLiteral("order %1: %2").arg(order).arg(i);
                QVERIFY2(std::abs(i - m.singleSlitIntensity(theta) / peak) < 1e-5, qPrintable(where));
                if (d == a || order * a % d == 0)
                    QVERIFY2(i < 1e-6, qPrintable(where));
                else
                    QVERIFY2(i > 0.01, qPrintable(where));
            }
        }
    }

    void chartPeak()
    {
        const MultipleSlitsModel m = slitsWith(10, 2, 10);
        QVERIFY(std::abs(peakOf(m.pattern()) - 1000) < 0.01);
        QVERIFY(std::abs(peakOf(m.envelope()) - 1000) < 0.01);
    }

    void parametersAreHeldToTheirRange()
    {
        const MultipleSlitsModel m = slitsWith(0, 11, -3);
        QCOMPARE(m.slits(), 1);
        QCOMPARE(m.separation(), 10);
        QCOMPARE(m.width(), 1);
    }

    // Each value after the first fills the strip up to its own place; the
    // brightness is round(I 255 / peak) x N, at most 255; black is left out.
    void fringeBands()
    {
        const std::vector<float> values{9, 8, 0, 0.5f, 4, 2};
        const std::vector<FringeBand> bands = MultipleSlitsModel::fringeBands(values, 3, 10, 70); // 10 px a value
        // 8: round(226.7) x 3 -> 255; 0: dark, left out; 0.5: round(14.2) x 3
        // = 42; 4: round(113.3) x 3 -> 255; 2: round(56.7) x 3 = 171. The
        // first value (9, the peak) has no band of its own.
        QCOMPARE(int(bands.size()), 4);
        const int expected[][3] = {{10, 20, 255}, {30, 40, 42}, {40, 50, 255}, {50, 60, 171}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(bands[size_t(i)].x0, expected[i][0]);
            QCOMPARE(bands[size_t(i)].x1, expected[i][1]);
            QCOMPARE(bands[size_t(i)].red, expected[i][2]);
        }
        QVERIFY(MultipleSlitsModel::fringeBands({0, 0, 0}, 2, 0, 30).empty());
        QVERIFY(MultipleSlitsModel::fringeBands(values, 2, 40, 40).empty());
    }

    // Ten slits: every part brighter than a tenth of the peak is full red,
    // fainter parts are dimmer, and the bands follow the pattern across.
    void stripOfTenSlits()
    {
        const MultipleSlitsModel m = slitsWith(10, 2, 10);
        const int left = 60, right = 60 + 1801; // one pixel a point
        const std::vector<FringeBand> bands = m.fringeBands(left, right);
        const double peak = peakOf(m.pattern());
        int full = 0;
        for (const FringeBand &b : bands) {
            QCOMPARE(b.x1, b.x0 + 1);
            const double i = m.pattern()[b.x1 - left].y() / peak;
            if (i > 0.1)
                QCOMPARE(b.red, 255);
            if (i < 0.09)
                QVERIFY(b.red < 255);
            full += b.red == 255;
        }
        QVERIFY(full > 0 && full < int(bands.size()));
    }
};

QTEST_GUILESS_MAIN(TestMultipleSlitsModel)
#include "tst_multipleslitsmodel.moc"
