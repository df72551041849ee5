// The auxiliary circle's model: where the picture and its scroll bar go in
// wide and tall windows, where the dots and curves land for a position and
// a phase difference, and what Start, Stop, the scroll bar, the phase edit
// and the clock do.
#include "sim/mechanics/AuxiliaryCircleModel.h"

#include <QtTest>
#include <cmath>

namespace {

// Points agree to a ten-thousandth of a unit (the float constants of the
// angle leave up to about 2e-5 U over a turn).
bool near(const QPointF &got, const QPointF &want, double unit)
{
    return std::abs(got.x() - want.x()) < 1e-4 * unit && std::abs(got.y() - want.y()) < 1e-4 * unit;
}

QString text(const QPointF &p)
{
    return QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 9).arg(p.y(), 0, 'g', 9);
}

#define VERIFY_NEAR(got, want, unit) QVERIFY2(near(got, want, unit), qPrintable(text(got) + " want " + text(want)))

} // namespace

class TestAuxiliaryCircleModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void dotsFollowThePosition_data();
    void dotsFollowThePosition();
    void curve();
    void secondPointLeadsByThePhase_data();
    void secondPointLeadsByThePhase();
    void runStates();
    void clockWrapsIntoOneTurn_data();
    void clockWrapsIntoOneTurn();
    void phaseEdit();
};

void TestAuxiliaryCircleModel::layout_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<float>("unit");
    QTest::addColumn<QRect>("picture");
    // Scroll bar 20 high; a = window height - 20 is the free height.
    // Wide (W > 2a): U = 0.02 a, the picture fills the free height and is
    // centred across. Otherwise U = 0.01 W: it fills the width and is
    // centred in the free height.
    QTest::newRow("design size 767 x 504") << QSize(767, 504) << 7.67f << QRect(0, 50, 767, 384);
    QTest::newRow("wide: U from the height") << QSize(1000, 420) << 8.0f << QRect(100, 0, 800, 400);
    QTest::newRow("wide, odd margin") << QSize(1001, 420) << 8.0f << QRect(100, 0, 800, 400);
    QTest::newRow("exactly 2a: U from the width") << QSize(800, 420) << 8.0f << QRect(0, 0, 800, 400);
    QTest::newRow("tall and narrow") << QSize(400, 900) << 4.0f << QRect(0, 340, 400, 200);
    QTest::newRow("50 U = 12.5 rounds to 12") << QSize(25, 120) << 0.25f << QRect(0, 44, 25, 12);
    QTest::newRow("lower than the scroll bar") << QSize(300, 10) << 0.0f << QRect(150, 0, 0, 0);
    QTest::newRow("no size yet") << QSize(0, 0) << 0.0f << QRect(0, 0, 0, 0);
}

void TestAuxiliaryCircleModel::layout()
{
    QFETCH(QSize, window);
    QFETCH(float, unit);
    QFETCH(QRect, picture);
    const AuxiliaryCircleLayout l = auxiliaryCircleLayout(window.width(), window.height(), 20);
    QCOMPARE(l.unit, unit);
    QCOMPARE(l.picture, picture);
    // The scroll bar lies directly under the picture, as wide as it.
    QCOMPARE(l.scrollBar, QRect(picture.left(), picture.top() + picture.height(), picture.width(), 20));
    QVERIFY(l.scrollBar.top() + 20 <= std::max(window.height(), 20));
}

void TestAuxiliaryCircleModel::dotsFollowThePosition_data()
{
    QTest::addColumn<float>("p");
    QTest::addColumn<QPointF>("onCircle"); // in units U, y down
    QTest::addColumn<double>("graphX");
    // R = 23 U, circle centred on (-26 U, 0). The point starts at the
    // right-hand end of the horizontal diameter and runs counter-clockwise
    // on the screen (up first); the graph dot runs from 0 to 49 U.
    QTest::newRow("0: start, right of the centre") << 0.0f << QPointF(-3, 0) << 0.0;
    QTest::newRow("25 (90 degrees): the top, the crest at 12.25 U") << 25.0f << QPointF(-26, -23) << 12.25;
    QTest::newRow("50: the left end") << 50.0f << QPointF(-49, 0) << 24.5;
    QTest::newRow("75: the bottom") << 75.0f << QPointF(-26, 23) << 36.75;
    QTest::newRow("100: a full turn") << 100.0f << QPointF(-3, 0) << 49.0;
    // 30 degrees: (-26 + 23 cos 30, -23 sin 30)
    QTest::newRow("30 degrees") << float(30 / 3.6) << QPointF(-26 + 23 * std::sqrt(3.0) / 2, -11.5)
                                << 30 / 3.6 * 0.49;
}

void TestAuxiliaryCircleModel::dotsFollowThePosition()
{
    QFETCH(float, p);
    QFETCH(QPointF, onCircle);
    QFETCH(double, graphX);
    for (float U : {1.0f, 7.67f}) {
        const AuxiliaryCirclePicture pic = auxiliaryCirclePicture(U, p, 0);
        QCOMPARE(pic.radius, 23 * U);
        VERIFY_NEAR(pic.centre, QPointF(-26 * U, 0), U);
        QCOMPARE(pic.circle.size(), QSizeF(46 * U, 46 * U));
        VERIFY_NEAR(pic.point.onCircle, onCircle * U, U);
        // Projected across: the same height on the axis and on the graph.
        VERIFY_NEAR(pic.point.onAxis, QPointF(0, onCircle.y() * U), U);
        VERIFY_NEAR(pic.point.onGraph, QPointF(graphX * U, onCircle.y() * U), U);
        QVERIFY(!pic.second);
        QVERIFY(pic.shiftedCurve.empty());
    }
}

// One period from 0 to 49 U, crest R at a quarter.
void TestAuxiliaryCircleModel::curve()
{
    const float U = 5.0f;
    const AuxiliaryCirclePicture pic = auxiliaryCirclePicture(U, 10, 0);
    QCOMPARE(int(pic.curve.size()), 101);
    for (int i = 0; i <= 100; ++i) {
        const QPointF want(i * 0.49 * U, -23 * U * std::sin(2 * M_PI * i / 100));
        VERIFY_NEAR(pic.curve[size_t(i)], want, U);
    }
    VERIFY_NEAR(pic.curve[25], QPointF(12.25 * U, -23 * U), U);
    VERIFY_NEAR(pic.curve[100], QPointF(49 * U, 0), U);
}

void TestAuxiliaryCircleModel::secondPointLeadsByThePhase_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<float>("p");
    QTest::addColumn<QPointF>("onCircle"); // the second point, in units U
    // The second point is ahead: at angle 3.6 p + phase, height R sin of it.
    QTest::newRow("90 ahead at 0: already at the top") << 90 << 0.0f << QPointF(-26, -23);
    QTest::newRow("90 ahead at 90: the left end") << 90 << 25.0f << QPointF(-49, 0);
    QTest::newRow("-90 at 0: a quarter behind, the bottom") << -90 << 0.0f << QPointF(-26, 23);
    QTest::newRow("180: opposite") << 180 << 25.0f << QPointF(-26, 23);
    QTest::newRow("360: on the first point") << 360 << 25.0f << QPointF(-26, -23);
    QTest::newRow("-360: on the first point") << -360 << 12.5f
                                              << QPointF(-26 + 23 * std::sqrt(0.5), -23 * std::sqrt(0.5));
}

void TestAuxiliaryCircleModel::secondPointLeadsByThePhase()
{
    QFETCH(int, phase);
    QFETCH(float, p);
    QFETCH(QPointF, onCircle);
    const float U = 7.0f;
    const AuxiliaryCirclePicture pic = auxiliaryCirclePicture(U, p, phase);
    QVERIFY(pic.second);
    VERIFY_NEAR(pic.second->onCircle, onCircle * U, U);
    VERIFY_NEAR(pic.second->onAxis, QPointF(0, onCircle.y() * U), U);
    // On the graph at the first point's x, on the second curve.
    VERIFY_NEAR(pic.second->onGraph, QPointF(pic.point.onGraph.x(), onCircle.y() * U), U);
    QCOMPARE(int(pic.shiftedCurve.size()), 101);
    for (int i = 0; i <= 100; ++i) {
        const double y = -23 * U * std::sin(2 * M_PI * i / 100 + phase * M_PI / 180);
        VERIFY_NEAR(pic.shiftedCurve[size_t(i)], QPointF(i * 0.49 * U, y), U);
    }
    // A whole turn either way draws the second curve and dots over the
    // first ones.
    if (std::abs(phase) == 360) {
        for (int i = 0; i <= 100; ++i)
            VERIFY_NEAR(pic.shiftedCurve[size_t(i)], pic.curve[size_t(i)], U);
        VERIFY_NEAR(pic.second->onCircle, pic.point.onCircle, U);
        VERIFY_NEAR(pic.second->onGraph, pic.point.onGraph, U);
    }
}

void TestAuxiliaryCircleModel::runStates()
{
    AuxiliaryCircleModel m;
    QVERIFY(!m.isRunning());
    QVERIFY(m.isScrollBarEnabled());
    QCOMPARE(m.position(), 0.0f);

    // Stopped: the clock moves nothing; the scroll bar sets the position.
    QVERIFY(!m.tick(40.0f));
    QCOMPARE(m.position(), 0.0f);
    m.scrollTo(25);
    QCOMPARE(m.position(), 25.0f);
    QCOMPARE(m.scrollPosition(), 25);

    // Running: the scroll bar is off and does not follow the point.
    m.start();
    QVERIFY(!m.isScrollBarEnabled());
    QVERIFY(m.tick(37.9f));
    QCOMPARE(m.position(), 37.9f);
    QCOMPARE(m.scrollPosition(), 25);

    // Stop puts the bar at the whole part of the position, which stays.
    m.stop();
    QVERIFY(m.isScrollBarEnabled());
    QCOMPARE(m.scrollPosition(), 37);
    QCOMPARE(m.position(), 37.9f);
    // Stop pressed again (both buttons start enabled) changes nothing.
    m.stop();
    QCOMPARE(m.scrollPosition(), 37);
    QCOMPARE(m.position(), 37.9f);
}

void TestAuxiliaryCircleModel::clockWrapsIntoOneTurn_data()
{
    QTest::addColumn<float>("moved"); // old position + speed x seconds
    QTest::addColumn<float>("position");
    QTest::newRow("inside the turn") << 99.5f << 99.5f;
    QTest::newRow("exactly 100 stays") << 100.0f << 100.0f;
    QTest::newRow("past the end") << 100.5f << 0.5f;
    QTest::newRow("one subtraction, as a normal tick") << 163.25f << 63.25f;
    // A stall or a speed far beyond the dialog's range: still on the turn.
    QTest::newRow("two turns and a half") << 250.0f << 50.0f;
    QTest::newRow("many turns") << 100037.0f << 37.0f;
    QTest::newRow("a negative speed") << -30.0f << 70.0f;
    QTest::newRow("far back") << -230.0f << 70.0f;
}

void TestAuxiliaryCircleModel::clockWrapsIntoOneTurn()
{
    QFETCH(float, moved);
    QFETCH(float, position);
    AuxiliaryCircleModel m;
    m.start();
    QVERIFY(m.tick(moved));
    QCOMPARE(m.position(), position);
    QVERIFY(m.position() >= 0.0f && m.position() <= 100.0f);
}

void TestAuxiliaryCircleModel::phaseEdit()
{
    AuxiliaryCircleModel m;
    QCOMPARE(m.phase(), 0);
    QVERIFY(!m.setPhase(0.0));
    QVERIFY(!m.setPhase(0.9)); // cut towards zero: still 0
    QVERIFY(m.setPhase(45.7));
    QCOMPARE(m.phase(), 45);
    QVERIFY(!m.setPhase(45.2));
    QVERIFY(m.setPhase(-45.9));
    QCOMPARE(m.phase(), -45);
    QVERIFY(m.setPhase(400.0));
    QCOMPARE(m.phase(), 360);
    QVERIFY(m.setPhase(-1000.0));
    QCOMPARE(m.phase(), -360);
    QVERIFY(!m.setPhase(std::nan("")));
    QCOMPARE(m.phase(), -360);
}

QTEST_APPLESS_MAIN(TestAuxiliaryCircleModel)
#include "tst_auxiliarycirclemodel.moc"
