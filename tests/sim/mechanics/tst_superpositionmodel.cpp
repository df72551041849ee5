// The superposition model: formula texts, curve sampling with the phase
// sign (an advance, as the text reads), the running-maximum scaling of the
// sum and the examples.
#include "sim/mechanics/SuperpositionModel.h"

#include <QLocale>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

// Largest distance of the curve from the plot's mid line, in grid rows.
double peakRows(const QVector<QPointF> &points, const QRectF &plot)
{
    const double ym = plot.top() + plot.height() / 2, g = plot.height() / 10;
    double peak = 0;
    for (const QPointF &p : points)
        peak = std::max(peak, std::abs(p.y() - ym) / g);
    return peak;
}

std::vector<SumEntry> entries(const std::vector<SineComponent> &infos, bool checked = true)
{
    std::vector<SumEntry> e;
    for (const SineComponent &i : infos)
        e.push_back({i, checked});
    return e;
}

const QRectF kPlot(20, 15, 600, 180); // g = 18, mid line at 105
constexpr double kPi = 3.14159265358979323846;

// Where a curve has its crests, in degrees along an axis spanning `span`
// degrees: the points that stand higher than their neighbours and reach
// near the curve's peak.
QList<double> crestDegrees(const QVector<QPointF> &points, const QRectF &plot, double span)
{
    const double ym = plot.top() + plot.height() / 2;
    double peak = 0;
    for (const QPointF &p : points)
        peak = std::max(peak, ym - p.y());
    QList<double> crests;
    for (int i = 0; i < points.size(); ++i) {
        const double h = ym - points[i].y();
        const bool left = i == 0 || h >= ym - points[i - 1].y();
        const bool right = i + 1 == points.size() || h > ym - points[i + 1].y();
        if (left && right && h > 0.9 * peak)
            crests << span * (points[i].x() - plot.left()) / plot.width();
    }
    return crests;
}

void expectCrests(const QList<double> &found, const QList<double> &expected, double tolerance)
{
    QVERIFY2(found.size() == expected.size(), qPrintable(QStringLiteral("crests found: %1").arg(found.size())));
    for (int i = 0; i < found.size(); ++i)
        QVERIFY2(std::abs(found[i] - expected[i]) <= tolerance + 1e-9,
                 qPrintable(QStringLiteral("crest at %1, expected %2").arg(found[i]).arg(expected[i])));
}

} // namespace

class TestSuperpositionModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formulaText_data()
    {
        QTest::addColumn<float>("amplitude");
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("phase");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << 10.0f << 1.0f << 0 << "y = 10.00sin(x)";
        QTest::newRow("unit amplitude, phase +") << 1.0f << 3.0f << 30 << "y = sin(3.00x + 30)";
        QTest::newRow("phase -") << 1.0f << 1.0f << -45 << "y = sin(x -45)";
        QTest::newRow("zero amplitude") << 0.0f << 5.0f << 30 << "y = 0";
        QTest::newRow("negative amplitude") << -2.5f << 1.5f << 360 << "y = -2.50sin(1.50x + 360)";
        QTest::newRow("minus one is not one") << -1.0f << 1.0f << 0 << "y = -1.00sin(x)";
    }
    void formulaText()
    {
        QFETCH(float, amplitude);
        QFETCH(float, frequency);
        QFETCH(int, phase);
        QFETCH(QString, text);
        QCOMPARE(SineComponent(phase, frequency, amplitude).formulaText(), text);
    }

    void formulaUsesTheUsersDecimalSeparator()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = SineComponent(-10, 2.5f, 10.0f).formulaText();
        QLocale::setDefault(saved);
        QCOMPARE(text, QStringLiteral("y = 10,00sin(2,50x -10)"));
    }

    void exampleTexts_data()
    {
        QTest::addColumn<int>("example");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("total");
        QTest::newRow("square") << int(SumExample::SquareWave) << 10 << "y = 3.33sin(3.00x)" << "21.33";
        QTest::newRow("triangular") << int(SumExample::TriangularWave) << 5 << "y = -1.11sin(3.00x)" << "9.21";
        QTest::newRow("beats") << int(SumExample::Beats) << 2 << "y = 5.00sin(11.00x)" << "10.00";
        QTest::newRow("am") << int(SumExample::AmplitudeModulation) << 3 << "y = 2.00sin(20.00x)" << "12.00";
    }
    void exampleTexts()
    {
        QFETCH(int, example);
        QFETCH(int, count);
        QFETCH(QString, second);
        QFETCH(QString, total);
        const auto infos = exampleComponents(SumExample(example));
        QCOMPARE(int(infos.size()), count);
        QCOMPARE(infos[1].formulaText(), second);
        for (const SineComponent &i : infos)
            QCOMPARE(i.phase, 0);
        const SumCurve sum = sumCurve(kPlot, ::entries(infos), 1);
        QCOMPARE(formatFixed2(sum.total), total);
    }

    // The sum is scaled by the largest running magnitude reached while the
    // components are added in list order, not by the final sum's peak.
    void runningMaximumScaling_data()
    {
        QTest::addColumn<std::vector<SineComponent>>("infos");
        QTest::addColumn<double>("rows");
        QTest::newRow("one positive") << std::vector<SineComponent>{{0, 1, 3.0f}} << 5.0;
        QTest::newRow("one negative") << std::vector<SineComponent>{{0, 2, -7.0f}} << 5.0;
        QTest::newRow("square wave") << exampleComponents(SumExample::SquareWave) << 4.63;
        // The second component cancels the first: the running maximum is the
        // first one's, the final sum is 0.
        QTest::newRow("cancelling") << std::vector<SineComponent>{{0, 1, 4.0f}, {0, 1, -4.0f}} << 0.0;
    }
    void runningMaximumScaling()
    {
        QFETCH(std::vector<SineComponent>, infos);
        QFETCH(double, rows);
        const SumCurve sum = sumCurve(kPlot, ::entries(infos), 1);
        QCOMPARE(sum.points.size(), kSumSegments + 1);
        QVERIFY2(std::abs(peakRows(sum.points, kPlot) - rows) < 0.005,
                 qPrintable(QString::number(peakRows(sum.points, kPlot))));
        QCOMPARE(sum.points.first().x(), kPlot.left());
        QCOMPARE(sum.points.last().x(), kPlot.right());
    }

    void flatLines()
    {
        // Empty list: the two ends of one straight line at mid-height.
        const SumCurve empty = sumCurve(kPlot, {}, 2);
        QVERIFY(empty.straight);
        QCOMPARE(empty.points, (QVector<QPointF>{{20, 105}, {620, 105}}));
        QCOMPARE(formatFixed2(empty.total), QStringLiteral("0.00"));

        // Entries but none checked: flat, total 0.
        const SumCurve none = sumCurve(kPlot, ::entries(exampleComponents(SumExample::Beats), false), 1);
        QVERIFY(!none.straight);
        QCOMPARE(none.total, 0.0f);
        QCOMPARE(peakRows(none.points, kPlot), 0.0);

        // A zero-amplitude component: flat as well, no division by zero.
        const SumCurve zero = sumCurve(kPlot, ::entries({SineComponent(0, 1, 0.0f)}), 1);
        QCOMPARE(peakRows(zero.points, kPlot), 0.0);
    }

    void uncheckedEntriesAreLeftOut()
    {
        auto entries = ::entries({SineComponent(0, 1, 10.0f), SineComponent(0, 1, 2.0f)});
        entries[0].checked = false;
        const SumCurve sum = sumCurve(kPlot, entries, 1);
        QCOMPARE(sum.total, 2.0f);
        QCOMPARE(sum.runningMax, 1.0f);
    }

    // Both graphs draw a component as its list text reads, sin(f x + phase):
    // a positive phase is an advance and slides the curve to the left by
    // phase / f degrees. The crests below are worked out by hand from the
    // formulas on the course page (its phase paragraph, Activity 1 and
    // question 4), not from the code.
    void phaseSign_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("phase");
        QTest::addColumn<double>("startRows"); // rows above the mid line at 0 degrees, amplitude 10
        QTest::addColumn<QList<double>>("crests"); // degrees, 0 to 360
        QTest::newRow("no phase") << 1.0f << 0 << 0.0 << QList<double>{90};
        QTest::newRow("3.00sin(2.00x + 30): 15 degrees left") << 2.0f << 30 << 5.0 * std::sin(kPi / 6)
                                                             << QList<double>{30, 210};
        QTest::newRow("frequency 1, phase 90: a cosine") << 1.0f << 90 << 5.0 << QList<double>{0, 360};
        QTest::newRow("frequency 2, phase 90") << 2.0f << 90 << 5.0 << QList<double>{0, 180, 360};
        QTest::newRow("frequency 1, phase -90: to the right") << 1.0f << -90 << -5.0 << QList<double>{180};
        QTest::newRow("6.00sin(3.00x + 90)") << 3.0f << 90 << 5.0 << QList<double>{0, 120, 240, 360};
    }
    void phaseSign()
    {
        QFETCH(float, frequency);
        QFETCH(int, phase);
        QFETCH(double, startRows);
        QFETCH(QList<double>, crests);
        const double ym = kPlot.top() + kPlot.height() / 2, g = kPlot.height() / 10;

        // The wave graph: one period, amplitude 10 reaches 5 rows.
        const QVector<QPointF> wave = wavePoints(kPlot, frequency, 10.0f, phase);
        QVERIFY(std::abs((ym - wave.first().y()) / g - startRows) < 1e-9);
        const double waveStep = 360.0 / waveSegmentCount(frequency);
        expectCrests(crestDegrees(wave, kPlot, 360.0), crests, waveStep / 2);

        // The sum graph of that component alone, over one period.
        // It is scaled so that its largest sample reaches 5 rows; a crest
        // between two samples makes the start a little higher (at most
        // 1 / cos(half a step) - 1 of 5 rows).
        const SumCurve sum = sumCurve(kPlot, ::entries({SineComponent(phase, frequency, 10.0f)}), 1);
        const double halfStep = frequency * kPi / kSumSegments;
        QVERIFY(std::abs((ym - sum.points.first().y()) / g - startRows) <= 5.0 * (1.0 / std::cos(halfStep) - 1.0) + 1e-9);
        expectCrests(crestDegrees(sum.points, kPlot, 360.0), crests, 360.0 / kSumSegments / 2);
    }

    void waveSegments_data()
    {
        QTest::addColumn<float>("frequency");
        QTest::addColumn<int>("segments");
        QTest::newRow("1") << 1.0f << 65;
        QTest::newRow("20") << 20.0f << 350;
        QTest::newRow("1.5: 22.5 to even") << 1.5f << 72;
        QTest::newRow("2.5: 37.5 to even") << 2.5f << 88;
    }
    void waveSegments()
    {
        QFETCH(float, frequency);
        QFETCH(int, segments);
        QCOMPARE(waveSegmentCount(frequency), segments);
        const QVector<QPointF> points = wavePoints(kPlot, frequency, 10.0f, 0);
        QCOMPARE(points.size(), segments + 1);
        QCOMPARE(points.last().x(), kPlot.right());
        // Amplitude 10 spans half the plot height at most, never more.
        QVERIFY(peakRows(points, kPlot) <= 5.0 + 1e-9);
        QVERIFY(peakRows(points, kPlot) > 4.9);
    }

    void axisNumbers_data()
    {
        QTest::addColumn<int>("periods");
        QTest::addColumn<QString>("last");
        QTest::newRow("360") << 1 << "360";
        QTest::newRow("2 x 360") << 2 << "720";
        QTest::newRow("3 x 360") << 3 << "1080";
    }
    void axisNumbers()
    {
        QFETCH(int, periods);
        QFETCH(QString, last);
        const auto numbers = ::axisNumbers(kPlot, periods);
        QCOMPARE(numbers.size(), 4 * periods + 1);
        QCOMPARE(numbers.first().text, QStringLiteral("0"));
        QCOMPARE(numbers[1].text, QStringLiteral("90"));
        QCOMPARE(numbers.last().text, last);
        QCOMPARE(numbers.first().x, float(kPlot.left()));
        QCOMPARE(numbers.last().x, float(kPlot.right()));
        const auto ticks = std::count_if(numbers.begin(), numbers.end(), [](const AxisNumber &n) { return n.tick; });
        QCOMPARE(int(ticks), 4 * periods - 1);
        QVERIFY(!numbers.first().tick && !numbers.last().tick);
    }

    // Over three periods the beats still show one period of the envelope
    // per period of the axis (frequencies 10 and 11).
    void sumOverThreePeriods()
    {
        const SumCurve sum = sumCurve(kPlot, ::entries(exampleComponents(SumExample::Beats)), 3, kFineSumSegments);
        QCOMPARE(sum.points.size(), kFineSumSegments + 1);
        // Envelope nodes at 180, 540 and 900 degrees: quiet there, loud at 0.
        const double ym = kPlot.top() + kPlot.height() / 2, g = kPlot.height() / 10;
        auto rowsAt = [&](int i) { return std::abs(sum.points[i].y() - ym) / g; };
        const int node = kFineSumSegments / 6; // 180 of 1080 degrees
        QVERIFY(rowsAt(node) < 0.5);
        QVERIFY(rowsAt(0) < 1e-9); // sin(0) = 0 for both
        QVERIFY(sum.runningMax > 4.9f && sum.runningMax <= 5.0f);
    }
};

QTEST_MAIN(TestSuperpositionModel)
#include "tst_superpositionmodel.moc"
