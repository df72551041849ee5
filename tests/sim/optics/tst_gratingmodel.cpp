// The grating spectrometer's model: which orders a grating sends out and at
// what angles (against arcsin(m N lambda) worked out here), the colour of
// the light, the telescope's view and the angle scale with its vernier.
#include "sim/optics/GratingModel.h"

#include <QTest>
#include <cmath>
#include <numbers>

namespace {
double degreesOf(double sine)
{
    return std::asin(sine) * 180.0 / std::numbers::pi;
}

GratingModel gratingWith(int lines, int nanometres, int anglePosition = 0)
{
    GratingModel g;
    g.setLinesPerMm(lines);
    g.setWavelength(nanometres);
    g.setTelescopePosition(anglePosition);
    return g;
}

// The degree that stands at the scale's centre, read from a label of the
// main scale: labels are whole degrees k pixels apart.
double degreeAtCentre(const AngleScale &s, const QRectF &rect)
{
    const double k = rect.width() / 30.0;
    const ScaleLabel &l = s.labels.front();
    return l.degrees + (rect.center().x() - l.x) / k;
}

QList<int> labelsOf(const AngleScale &s)
{
    QList<int> result;
    for (const ScaleLabel &l : s.labels)
        result << l.degrees;
    return result;
}
} // namespace

class TestGratingModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void orders_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("nanometres");
        QTest::addColumn<int>("highest");
        QTest::addColumn<QList<double>>("degrees"); // to two decimals
        QTest::newRow("defaults") << 300 << 500 << 6 << QList<double>{8.63, 17.46, 26.74, 36.87, 48.59, 64.16};
        QTest::newRow("600/mm, 700 nm") << 600 << 700 << 2 << QList<double>{24.83, 57.14};
        // sin = 4 x 0.25 is exactly 1: the fourth order runs along the grating.
        QTest::newRow("500/mm, 500 nm") << 500 << 500 << 4 << QList<double>{14.48, 30.00, 48.59};
    }
    void orders()
    {
        QFETCH(int, lines);
        QFETCH(int, nanometres);
        QFETCH(int, highest);
        QFETCH(QList<double>, degrees);
        const GratingModel g = gratingWith(lines, nanometres);
        const double sin1 = lines * nanometres * 1e-6; // lines per mm x wavelength in mm
        QVERIFY(std::abs(g.firstOrderSine() - sin1) < 1e-7);
        QCOMPARE(g.highestOrder(), highest);
        const std::vector<GratingOrder> orders = g.orders();
        QCOMPARE(int(orders.size()), int(degrees.size()));
        for (int i = 0; i < int(orders.size()); ++i) {
            const GratingOrder &o = orders[size_t(i)];
            QCOMPARE(o.order, i + 1);
            // The grating equation d sin(theta) = m lambda.
            QVERIFY(std::abs(o.degrees() - degreesOf((i + 1) * sin1)) < 1e-4);
            QCOMPARE(std::round(o.degrees() * 100) / 100, degrees[i]);
        }
    }

    // 100/mm at 400 nm: sin1 = 0.04 comes out a hair below 0.04 as a 32-bit
    // float, yet 25 times it rounds to exactly 1: 24 orders, not 25.
    void orderOnTheGratingIsLeftOut()
    {
        const GratingModel g = gratingWith(100, 400);
        QCOMPARE(g.highestOrder(), 25);
        QCOMPARE(g.orders().size(), size_t(24));
        QCOMPARE(g.orders().back().order, 24);
        for (const GratingOrder &o : g.orders())
            QVERIFY(o.sine < 1.0f);
    }

    void rayColours_data()
    {
        QTest::addColumn<float>("nanometres");
        QTest::addColumn<uint>("rgba");
        QTest::newRow("400 violet") << 400.0f << 0xFFAA00FFu; // red trunc(40/60 x 255) = 170
        QTest::newRow("500 cyan-green") << 500.0f << 0xFF00FF7Fu; // blue trunc(0.5 x 255)
        QTest::newRow("700 red") << 700.0f << 0xFFFF0000u;
        QTest::newRow("440 blue") << 440.0f << 0xFF0000FFu;
        QTest::newRow("580 yellow") << 580.0f << 0xFFFFFF00u;
        QTest::newRow("beyond 780 black") << 800.0f << 0xFF000000u;
    }
    void rayColours()
    {
        QFETCH(float, nanometres);
        QFETCH(uint, rgba);
        QCOMPARE(wavelengthColour(nanometres), QRgb(rgba));
    }

    void controlsStoreWhatTheySet()
    {
        GratingModel g;
        QVERIFY(!g.setLinesPerMm(300.7)); // truncated to the lines already set
        QVERIFY(g.setLinesPerMm(450.9));
        QCOMPARE(g.linesPerMm(), 450.0f);
        QVERIFY(!g.setLinesPerMm(std::nan("")));
        QCOMPARE(g.linesPerMm(), 450.0f);
        g.setTelescopePosition(-900);
        QCOMPARE(g.telescopeAngle(), -90.0f);
        g.setTelescopePosition(5000);
        QCOMPARE(g.telescopeAngle(), 90.0f);
        g.setWavelength(650);
        QCOMPARE(g.wavelength(), 650.0f);
    }

    // The strip shows 30 degrees; a line is centred when the telescope
    // points along its order.
    void telescopeView()
    {
        const QRectF view(12, 5, 600, 90); // 20 pixels per degree
        GratingModel g = gratingWith(300, 500, 86);
        std::vector<float> xs = g.viewLines(view);
        QCOMPARE(xs.size(), size_t(1 + 2 * 6));
        const double k = view.width() / 30;
        const double firstRight = (xs[1] - view.center().x()) / k;
        QCOMPARE(std::round(std::abs(firstRight) * 100) / 100, 0.03);
        QVERIFY(std::abs(xs[0] - (view.center().x() - 8.6 * k)) < 1e-3); // straight through, to the left

        g.setTelescopePosition(0);
        xs = g.viewLines(view);
        QCOMPARE(xs[0], float(view.center().x()));
        QVERIFY(std::abs(xs[1] - (view.center().x() + g.orders()[0].degrees() * k)) < 1e-3);
        QVERIFY(std::abs(xs[2] - (view.center().x() - g.orders()[0].degrees() * k)) < 1e-3);
    }

    void angleScale_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("labels");
        QTest::addColumn<int>("firstTickDegree");
        QTest::addColumn<int>("vernierMatch"); // the vernier tick that meets a main tick
        QTest::newRow("0") << 0 << QList<int>{-10, 0, 10} << -14 << 0;
        QTest::newRow("-90, telescope left") << -900 << QList<int>{-100, -90, -80} << -104 << 0;
        QTest::newRow("8.6") << 86 << QList<int>{0, 10, 20} << -6 << 6;
        QTest::newRow("-8.6") << -86 << QList<int>{-20, -10, 0} << -23 << 4;
        QTest::newRow("47.3") << 473 << QList<int>{40, 50, 60} << 33 << 3;
    }
    void angleScale()
    {
        QFETCH(int, position);
        QFETCH(QList<int>, labels);
        QFETCH(int, firstTickDegree);
        QFETCH(int, vernierMatch);
        const QRectF rect(40, 100, 480, 60); // k = 16 pixels per degree
        const double k = rect.width() / 30;
        const GratingModel g = gratingWith(300, 500, position);
        const AngleScale s = g.angleScale(rect);
        QCOMPARE(labelsOf(s), labels);
        const double theta = position / 10.0;
        QVERIFY(std::abs(degreeAtCentre(s, rect) - theta) < 1e-3);
        // Whole degrees strictly inside the scale: 30 degrees wide, ends left out.
        const double firstDegree = theta + (s.mainTicks.front().x - rect.center().x()) / k;
        QCOMPARE(int(std::lround(firstDegree)), firstTickDegree);
        for (const ScaleTick &t : s.mainTicks)
            QVERIFY(t.x > rect.left() && t.x < rect.right());
        for (const ScaleLabel &l : s.labels)
            QCOMPARE(l.y, float(rect.center().y() + 0.3 * rect.height()));

        // The vernier: 19 ticks, 0.9 degrees apart, its "0" at the centre; the
        // tick that meets a main tick gives the tenths.
        QCOMPARE(s.vernierTicks.size(), size_t(19));
        QCOMPARE(s.vernierZero, QPointF(rect.center().x(), rect.center().y() - 0.1 * rect.height()));
        int match = -1;
        for (int i = 0; i < 10; ++i) {
            const float x = s.vernierTicks[size_t(9 + i)].x;
            for (const ScaleTick &t : s.mainTicks)
                if (std::abs(t.x - x) < 0.01 * k)
                    match = i;
        }
        QCOMPARE(match, vernierMatch);
    }

    void layout()
    {
        const SpectrometerLayout l = SpectrometerLayout::forSize(900, 600); // u = 60
        QCOMPARE(l.unit, 60.0f);
        QCOMPARE(l.tableCentre, QPointF(450, 390));
        // The collimator's lower end and the telescope's near end stand 1.9u
        // from the table's centre.
        QCOMPARE(l.collimator.bottom(), 390 - 1.9 * 60);
        const QPolygonF down = l.telescope(0);
        QCOMPARE(down.boundingRect(), QRectF(438, 504, 24, 90)); // (cx, 8.4u) to (cx, 9.9u), 0.4u wide
        const QRectF left = l.telescope(-90).boundingRect();
        QVERIFY(std::abs(left.left() - (450 - 3.4 * 60)) < 1e-3);
        QVERIFY(std::abs(left.right() - (450 - 1.9 * 60)) < 1e-3);
        QVERIFY(std::abs(left.center().y() - 390) < 1e-3);
        // A ray leaves along its order and ends on the table's rim.
        const GratingOrder o = gratingWith(300, 500).orders().front();
        const QPointF right = l.rayEnd(o, true) - l.tableCentre;
        QVERIFY(std::abs(std::hypot(right.x(), right.y()) - l.tableRadius) < 1e-3);
        QVERIFY(std::abs(right.x() / right.y() - std::tan(o.radians)) < 1e-6);
        QCOMPARE(l.rayEnd(o, false).x(), 2 * l.tableCentre.x() - l.rayEnd(o, true).x());
    }
};

QTEST_GUILESS_MAIN(TestGratingModel)
#include "tst_gratingmodel.moc"
