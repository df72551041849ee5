// How fast the driver turns over clocks whose step does nothing, and what an
// event loop costs with no clock running. Figures are printed; run by hand:
// bin/bench_animationclock (under xvfb-run or with QT_QPA_PLATFORM=offscreen).
#include "core/AnimationClock.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

struct LoopCost
{
    double wallSeconds;
    double cpuSeconds;
};

// Runs the event loop for `ms` milliseconds of wall time.
LoopCost runLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    loop.exec();
    return {double(wall.nsecsElapsed()) * 1e-9, cpuSeconds() - cpu0};
}

constexpr int RunMs = 2000;

} // namespace

class BenchAnimationClock : public QObject
{
    Q_OBJECT

private slots:
    void ticksPerSecond_data()
    {
        QTest::addColumn<int>("clockCount");
        QTest::newRow("1 clock") << 1;
        QTest::newRow("13 clocks") << 13;
    }

    void ticksPerSecond()
    {
        QFETCH(int, clockCount);
        long long calls = 0;
        std::vector<std::unique_ptr<AnimationClock>> clocks;
        for (int i = 0; i < clockCount; ++i) {
            clocks.push_back(std::make_unique<AnimationClock>());
            clocks.back()->onProgress = [&calls](AnimationClock *, double, double) { ++calls; };
        }
        const int waits0 = AnimationClock::throttleWaitCount();
        for (auto &c : clocks)
            c->setEnabled(true);
        const LoopCost cost = runLoop(RunMs);
        for (auto &c : clocks)
            c->setEnabled(false);
        QVERIFY(calls > 0);

        const double perSecond = double(calls) / cost.wallSeconds;
        qInfo("%2d clock(s): %.0f ticks/s delivered (%.0f rounds/s), %d throttle waits, "
              "CPU %.2f s over %.2f s",
              clockCount, perSecond, perSecond / clockCount,
              AnimationClock::throttleWaitCount() - waits0, cost.cpuSeconds, cost.wallSeconds);
        QTRY_VERIFY(!AnimationClock::driverExists());
    }

    // With no clock attached the loop must sleep. "after clocks ran" checks
    // that the freed driver leaves nothing behind.
    void cpuWithNoClock_data()
    {
        QTest::addColumn<bool>("runClocksFirst");
        QTest::newRow("no clock ever") << false;
        QTest::newRow("after clocks ran and stopped") << true;
    }

    void cpuWithNoClock()
    {
        QFETCH(bool, runClocksFirst);
        if (runClocksFirst) {
            AnimationClock a, b;
            a.setEnabled(true);
            b.setEnabled(true);
            runLoop(200);
        }
        QTRY_VERIFY(!AnimationClock::driverExists());
        const LoopCost cost = runLoop(RunMs);
        qInfo("no clock attached: CPU %.4f s over %.2f s of event loop (%.2f %%)", cost.cpuSeconds,
              cost.wallSeconds, 100.0 * cost.cpuSeconds / cost.wallSeconds);
    }
};

QTEST_MAIN(BenchAnimationClock)
#include "bench_animationclock.moc"
