// What one tick of the damped oscillator costs on a full-HD window: the
// floor (clear a 1920 x 1080 back buffer and show it, as bench_drawing
// measures it), then one Step with everything it redraws (the spring
// picture and the chart's marker) until the screen is up to date, and its
// two parts on their own. Run by hand:
// xvfb-run -a -s "-screen 0 1920x1080x24" bin/bench_dampedoscillator
#include "BenchSupport.h"
#include "core/SimulationKind.h"
#include "core/AnimationClock.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/Chart.h"
#include "sim/framework/ChartCrossHair.h"
#include "sim/mechanics/DampedOscillatorWindow.h"

#include <QMouseEvent>
#include <QtTest>

using namespace Bench;

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The window shown frameless at full HD, running, with its clock switched
// off so that only the benchmark's Step calls advance it.
struct Running {
    DampedOscillatorWindow w;
    // Shows the window and starts it; false when it never reached the screen.
    bool show()
    {
        setActiveKind(DampedOscillatorKind);
        animationSpeeds() = defaultAnimationSpeeds();
        w.setWindowFlags(Qt::FramelessWindowHint);
        w.resize(kW, kH);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        restart();
        return true;
    }
    void restart()
    {
        w.resetAction()->setEnabled(true);
        w.resetAction()->trigger();
        w.startAction()->trigger();
        w.clock()->setEnabled(false);
        settle();
    }
    // One sample: 1/50 s at speed 50.
    void step()
    {
        if (w.model().sample() >= kSHMLastSample - 1)
            restart();
        w.step(1.0 / 50);
    }
};
} // namespace

class BenchDampedOscillator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void floorClearAndShow();
    void step();
    void pictureOnly();
    void chartMarkerOnly();
    void crossHairMove();
    void crossHairMoveWithoutReadout();
    void chartRepaint();
    void stepOverFloor();
};

void BenchDampedOscillator::floorClearAndShow()
{
    Floor f;
    QVERIFY(f.show());
    QBENCHMARK {
        f.once();
    }
}

// Step as the clock calls it, then whatever painting it left pending.
void BenchDampedOscillator::step()
{
    Running r;
    QVERIFY(r.show());
    QCOMPARE(r.w.chart()->width(), kW - 97);
    QBENCHMARK {
        r.step();
        settle();
    }
}

void BenchDampedOscillator::pictureOnly()
{
    Running r;
    QVERIFY(r.show());
    QBENCHMARK {
        r.w.drawOscillator();
        r.w.picture()->repaint();
    }
}

void BenchDampedOscillator::chartMarkerOnly()
{
    Running r;
    QVERIFY(r.show());
    const DisplacementCurve &c = r.w.model().curve();
    int i = 0;
    QBENCHMARK {
        i = (i + 1) % int(c.x.size());
        r.w.chart()->setPoints(r.w.markerSeries(), {QPointF(c.time[size_t(i)], c.x[size_t(i)])});
        settle();
    }
}

namespace {
// The cross-hair following the mouse one pixel a move (erase, draw, and
// its read-out unless `readout` is false), until painted.
void moveCrossHair(bool readout)
{
    Running r;
    QVERIFY(r.show());
    r.w.setCrossHairVisible(true);
    Chart *chart = r.w.chart();
    if (!readout)
        chart->findChild<ChartCrossHair *>()->setQuantities({}, {}, {}, {});
    const QRect plot = chart->plotRect();
    int i = 0;
    QBENCHMARK {
        i = (i + 1) % (plot.width() - 2);
        const QPointF at(plot.left() + 1 + i, plot.center().y());
        QMouseEvent move(QEvent::MouseMove, at, chart->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart->viewport(), &move);
        settle();
    }
}
} // namespace

void BenchDampedOscillator::crossHairMove()
{
    moveCrossHair(true);
}

void BenchDampedOscillator::crossHairMoveWithoutReadout()
{
    moveCrossHair(false);
}

// What the cross-hair is spared: the chart repainted in full.
void BenchDampedOscillator::chartRepaint()
{
    Running r;
    QVERIFY(r.show());
    QBENCHMARK {
        r.w.chart()->viewport()->repaint();
    }
}

// The figure to compare windows by: a Step over the floor, both timed
// here over the same number of rounds.
void BenchDampedOscillator::stepOverFloor()
{
    constexpr int kRounds = 400;
    QElapsedTimer t;
    double floor = 0;
    {
        Floor f;
        QVERIFY(f.show());
        t.start();
        for (int i = 0; i < kRounds; ++i)
            f.once();
        floor = double(t.nsecsElapsed()) / kRounds;
    }

    Running r;
    QVERIFY(r.show());
    t.restart();
    for (int i = 0; i < kRounds; ++i) {
        r.step();
        settle();
    }
    const double step = double(t.nsecsElapsed()) / kRounds;
    qInfo("floor %.2f ms, step %.2f ms: step / floor = %.1f", floor / 1e6, step / 1e6, step / floor);
}

QTEST_MAIN(BenchDampedOscillator)
#include "bench_dampedoscillator.moc"
