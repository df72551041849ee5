// What one tick of the damped oscillator costs on a full-HD window: the
// floor (clear a 1920 x 1080 back buffer and show it, as bench_drawing
// measures it), then one Step with everything it redraws (the spring
// picture and the chart's marker) until the screen is up to date, and its
// two parts on their own. Run by hand:
// xvfb-run -a -s "-screen 0 1920x1080x24" bin/bench_shm
#include "BenchSupport.h"
#include "app/SimGlobals.h"
#include "app/CadencerEx.h"
#include "sim/framework/Chart.h"
#include "sim/mechanics/uSHM.h"

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
    TSHMFrm w;
    // Shows the window and starts it; false when it never reached the screen.
    bool Show()
    {
        ActiveKind = skDampedSHM;
        Speeds = DefaultSpeeds();
        w.setWindowFlags(Qt::FramelessWindowHint);
        w.resize(kW, kH);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        Restart();
        return true;
    }
    void Restart()
    {
        w.ResetBtn->setEnabled(true);
        w.ResetBtn->trigger();
        w.StartBtn->trigger();
        w.Clock->SetEnabled(false);
        settle();
    }
    // One sample: 1/50 s at speed 50.
    void Step()
    {
        if (w.Model().Sample() >= kSHMLastSample - 1)
            Restart();
        w.Step(1.0 / 50);
    }
};
} // namespace

class BenchSHM : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void floorClearAndShow();
    void step();
    void pictureOnly();
    void chartMarkerOnly();
    void stepOverFloor();
};

void BenchSHM::floorClearAndShow()
{
    Floor f;
    QVERIFY(f.Show());
    QBENCHMARK {
        f.Once();
    }
}

// Step as the clock calls it, then whatever painting it left pending.
void BenchSHM::step()
{
    Running r;
    QVERIFY(r.Show());
    QCOMPARE(r.w.Chart->width(), kW - 97);
    QBENCHMARK {
        r.Step();
        settle();
    }
}

void BenchSHM::pictureOnly()
{
    Running r;
    QVERIFY(r.Show());
    QBENCHMARK {
        r.w.DrawOscillator();
        r.w.Pic->repaint();
    }
}

void BenchSHM::chartMarkerOnly()
{
    Running r;
    QVERIFY(r.Show());
    const TSHMCurve &c = r.w.Model().Curve();
    int i = 0;
    QBENCHMARK {
        i = (i + 1) % int(c.X.size());
        r.w.Chart->SetPoints(r.w.Series7, {QPointF(c.Time[size_t(i)], c.X[size_t(i)])});
        settle();
    }
}

// The figure to compare windows by: a Step over the floor, both timed
// here over the same number of rounds.
void BenchSHM::stepOverFloor()
{
    constexpr int kRounds = 400;
    QElapsedTimer t;
    double floor = 0;
    {
        Floor f;
        QVERIFY(f.Show());
        t.start();
        for (int i = 0; i < kRounds; ++i)
            f.Once();
        floor = double(t.nsecsElapsed()) / kRounds;
    }

    Running r;
    QVERIFY(r.Show());
    t.restart();
    for (int i = 0; i < kRounds; ++i) {
        r.Step();
        settle();
    }
    const double step = double(t.nsecsElapsed()) / kRounds;
    qInfo("floor %.2f ms, step %.2f ms: step / floor = %.1f", floor / 1e6, step / 1e6, step / floor);
}

QTEST_MAIN(BenchSHM)
#include "bench_shm.moc"
