// The animation clock and its driver. Raw time is injected, so the delivered
// times are exact; the driver tests run the real event loop.
#include "core/AnimationClock.h"

#include "support/TestSupport.h"

#include <QPointer>
#include <QtTest>

#include <stdexcept>

class TestAnimationClock : public QObject
{
    Q_OBJECT

private:
    double m_now = 0.0; // the injected raw time, seconds

private slots:
    void init()
    {
        m_now = 0.0;
        AnimationClock::setRawTimeSourceForTesting([this] { return m_now; });
    }

    void cleanup()
    {
        AnimationClock::setRawTimeSourceForTesting({});
        AnimationClock::setMillisecondSourceForTesting({});
        // Every test destroys its clocks; the driver must then go away.
        QTRY_VERIFY(!AnimationClock::driverExists());
    }

    // A manually ticked clock, enabled at raw time 0, follows a script of
    // "<raw time>:<action>" steps: tick, off, on, or x<multiplier>. Each call
    // of onProgress is written as "<deltaTime>/<newTime>".
    void delivery_data()
    {
        QTest::addColumn<double>("minDelta");
        QTest::addColumn<double>("maxDelta");
        QTest::addColumn<double>("fixedDelta");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("calls");

        QTest::newRow("same clock time gives one call with delta 0")
            << 0.0 << 0.0 << 0.0 << "1:tick 1:tick" << "1/1 0/1";
        QTest::newRow("a pause does not count")
            << 0.0 << 0.0 << 0.0 << "1:tick 2:off 7:on 7.5:tick" << "1/1 1.5/2.5";
        QTest::newRow("fixed steps share newTime and carry the rest")
            << 0.0 << 0.0 << 0.1 << "0.05:tick 0.35:tick 0.44:tick"
            << "0.1/0.35 0.1/0.35 0.1/0.35 0.1/0.44";
        QTest::newRow("a long gap is cut and the lag stays")
            << 0.0 << 0.1 << 0.0 << "2:tick 2.05:tick" << "0.1/0.1 0.05/0.15";
        QTest::newRow("short steps accumulate")
            << 0.1 << 0.0 << 0.0 << "0.05:tick 0.12:tick" << "0.12/0.12";
        QTest::newRow("multiplier 0 stops, 1 restarts without a jump")
            << 0.0 << 0.0 << 0.0 << "1:tick 2:x0 3:tick 5:x1 5.5:tick" << "1/1 1.5/2.5";
        QTest::newRow("restart at another multiplier")
            << 0.0 << 0.0 << 0.0 << "1:tick 2:x0 5:x2 5.5:tick" << "1/1 2/3";
        QTest::newRow("a new multiplier keeps the clock time")
            << 0.0 << 0.0 << 0.0 << "1:tick 2:x2 3:tick" << "1/1 3/4";
    }

    void delivery()
    {
        QFETCH(double, minDelta);
        QFETCH(double, maxDelta);
        QFETCH(double, fixedDelta);
        QFETCH(QString, script);
        QFETCH(QString, calls);

        AnimationClock clock;
        clock.setMode(ManualMode);
        clock.setMinDeltaTime(minDelta);
        clock.setMaxDeltaTime(maxDelta);
        clock.setFixedDeltaTime(fixedDelta);
        QList<QPair<double, double>> got;
        clock.onProgress = [&](AnimationClock *sender, double dt, double t) {
            QCOMPARE(sender, &clock);
            got.append({dt, t});
        };
        clock.setEnabled(true);
        QVERIFY(!AnimationClock::driverExists()); // manual clocks are never attached

        for (const QString &step : script.split(' ')) {
            const QStringList parts = step.split(':');
            m_now = parts[0].toDouble();
            const QString action = parts[1];
            if (action == "tick")
                clock.progress();
            else if (action == "off")
                clock.setEnabled(false);
            else if (action == "on")
                clock.setEnabled(true);
            else
                clock.setTimeMultiplier(action.mid(1).toDouble());
        }

        const QStringList expected = calls.split(' ');
        QCOMPARE(got.size(), expected.size());
        for (int i = 0; i < got.size(); ++i) {
            const QStringList e = expected[i].split('/');
            const bool same = qAbs(got[i].first - e[0].toDouble()) < 1e-9
                && qAbs(got[i].second - e[1].toDouble()) < 1e-9;
            QVERIFY2(same, qPrintable(QString("call %1: got %2/%3, expected %4")
                                          .arg(i).arg(got[i].first).arg(got[i].second).arg(expected[i])));
        }
    }

    void driverExistsOnlyWhileAClockIsAttached()
    {
        QVERIFY(!AnimationClock::driverExists());
        AnimationClock clock;
        int calls = 0;
        clock.onProgress = [&](AnimationClock *, double, double) { ++calls; };
        QVERIFY(!AnimationClock::driverExists()); // created disabled

        clock.setEnabled(true);
        QVERIFY(AnimationClock::driverExists());
        QTRY_VERIFY(calls >= 3);

        clock.setEnabled(false);
        QCOMPARE(AnimationClock::attachedClockCount(), 0);
        QTRY_VERIFY(!AnimationClock::driverExists());
        const int stopped = calls;
        QTest::qWait(20);
        QCOMPARE(calls, stopped);

        // The next clock to start creates the driver again; leaving AsSoonAsPossibleMode
        // mode detaches like disabling does.
        clock.setEnabled(true);
        QVERIFY(AnimationClock::driverExists());
        QTRY_VERIFY(calls > stopped + 2);
        clock.setMode(ManualMode);
        QTRY_VERIFY(!AnimationClock::driverExists());
        clock.setMode(IdleMode);
        QTRY_VERIFY(calls > stopped + 4);
        QVERIFY(!AnimationClock::driverExists()); // the idle hook needs no driver
        clock.setMode(AsSoonAsPossibleMode);
        QCOMPARE(AnimationClock::attachedClockCount(), 1);
        // Destroying the running clock (end of scope) detaches it; cleanup()
        // checks the driver goes.
    }

    void clocksTickInReverseOrderOfAttachment()
    {
        QStringList log;
        AnimationClock a, b, c;
        const std::pair<AnimationClock *, QString> clocks[] = {{&a, "A"}, {&b, "B"}, {&c, "C"}};
        for (const auto &[clock, name] : clocks) {
            clock->onProgress = [&log, name](AnimationClock *, double, double) { log << name; };
            clock->setEnabled(true);
        }
        QTRY_VERIFY(log.size() >= 6);
        QCOMPARE(log.mid(0, 6).join(' '), QString("C B A C B A"));

        // Stopping and starting A attaches it again, as the latest.
        a.setEnabled(false);
        a.setEnabled(true);
        log.clear();
        QTRY_VERIFY(log.size() >= 6);
        const int start = log.indexOf("A");
        QCOMPARE(log.mid(start, 3).join(' '), QString("A C B"));
    }

    // B is destroyed during its own tick; the round goes on with A, and
    // the remaining clocks keep running.
    void clockDestroyedInsideItsOwnTick_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("firstRound");
        QTest::newRow("by an event it handles before its step") << "posted by C" << "C A";
        QTest::newRow("by its own step") << "delete in step" << "C B A";
        QTest::newRow("by an event its step processes") << "step processes events" << "C B A";
    }

    void clockDestroyedInsideItsOwnTick()
    {
        QFETCH(QString, how);
        QFETCH(QString, firstRound);

        QStringList log;
        AnimationClock a, c;
        QPointer<AnimationClock> b = new AnimationClock;
        auto deleteBLater = [&] {
            QMetaObject::invokeMethod(qApp, [b] { delete b.data(); }, Qt::QueuedConnection);
        };
        a.onProgress = [&](AnimationClock *, double, double) { log << "A"; };
        b->setFixedDeltaTime(0.1); // several calls per tick, so the step loop would go on
        // The step goes on after its clock is gone, as a window's step that
        // redraws after processing events would.
        b->onProgress = [&](AnimationClock *sender, double, double) {
            if (how == "delete in step") {
                delete sender;
            } else if (how == "step processes events") {
                deleteBLater();
                QCoreApplication::processEvents();
            }
            log << "B";
        };
        c.onProgress = [&](AnimationClock *, double, double) {
            log << "C";
            if (how == "posted by C" && b)
                deleteBLater();
        };
        a.setEnabled(true);
        b->setEnabled(true);
        c.setEnabled(true);
        m_now = 1.0; // ten fixed steps due for B

        QTRY_VERIFY(log.count("A") >= 3);
        QVERIFY(b.isNull());
        QCOMPARE(log.mid(0, firstRound.count(' ') + 1).join(' '), firstRound);
        QCOMPARE(log.count("B"), firstRound.count("B"));
        QCOMPARE(AnimationClock::attachedClockCount(), 2);
    }

    void errorInStepIsReportedOnceAndStopsOnlyThatClock()
    {
        TestSupport::ScopedClockErrors answers;
        AnimationClock good, bad;
        int goodCalls = 0, badCalls = 0;
        good.onProgress = [&](AnimationClock *, double, double) { ++goodCalls; };
        bad.onProgress = [&](AnimationClock *, double, double) {
            ++badCalls;
            throw std::runtime_error("Step failed");
        };
        good.setEnabled(true);
        bad.setEnabled(true);

        QTRY_VERIFY(goodCalls >= 10);
        QCOMPARE(badCalls, 1);
        QCOMPARE(answers.shown(), QStringList{"Step failed"});
        QVERIFY(!bad.isEnabled());
        QVERIFY(good.isEnabled());
        QCOMPARE(AnimationClock::attachedClockCount(), 1);
    }

    void idleHookTicksTheLatestIdleClock()
    {
        TestSupport::ScopedClockErrors answers;
        AnimationClock first, second;
        int firstCalls = 0, secondCalls = 0;
        first.onProgress = [&](AnimationClock *, double, double) { ++firstCalls; };
        second.onProgress = [&](AnimationClock *, double, double) { ++secondCalls; };
        first.setMode(IdleMode);
        second.setMode(IdleMode);

        first.setEnabled(true);
        QTRY_VERIFY(firstCalls >= 3);
        second.setEnabled(true);
        const int firstBefore = firstCalls;
        QTRY_VERIFY(secondCalls >= 3);
        QCOMPARE(firstCalls, firstBefore);

        // Stopping the replaced clock leaves the hook to the other one.
        first.setEnabled(false);
        int secondBefore = secondCalls;
        QTRY_VERIFY(secondCalls > secondBefore + 2);

        second.setEnabled(false);
        secondBefore = secondCalls;
        QTest::qWait(20);
        QCOMPARE(secondCalls, secondBefore);

        // An error in an idle clock's step is reported once and stops it.
        second.onProgress = [&](AnimationClock *, double, double) {
            ++secondCalls;
            throw std::runtime_error("Idle step failed");
        };
        secondBefore = secondCalls;
        second.setEnabled(true);
        QTRY_VERIFY(!second.isEnabled());
        QTest::qWait(20);
        QCOMPARE(secondCalls, secondBefore + 1);
        QCOMPARE(answers.shown(), QStringList{"Idle step failed"});
    }

    // More than 5000 ticks in a row handled within the millisecond they were
    // posted in make the driver wait for its 1 ms timer; the chain then goes on.
    void throttle_data()
    {
        // The millisecond count moves on every `advanceEvery` reads, between
        // the posting and the handling of a tick; 0 = never.
        QTest::addColumn<int>("advanceEvery");
        QTest::addColumn<QList<int>>("waitsAtCall"); // after calls 5000, 5001, 10001, 10002
        QTest::newRow("always handled in the millisecond posted") << 0 << QList<int>{0, 1, 1, 2};
        QTest::newRow("always handled a millisecond later") << 1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("a late tick every 3000 ends the run") << 6000 << QList<int>{0, 0, 0, 0};
    }

    void throttle()
    {
        QFETCH(int, advanceEvery);
        QFETCH(QList<int>, waitsAtCall);

        int64_t reads = 0;
        AnimationClock::setMillisecondSourceForTesting([&reads, advanceEvery]() -> int64_t {
            return advanceEvery ? ++reads / advanceEvery : 0;
        });
        const int waitsBefore = AnimationClock::throttleWaitCount();
        const QList<int> checkpoints{5000, 5001, 10001, 10002};
        QList<int> waits;
        int calls = 0;
        AnimationClock clock;
        clock.onProgress = [&](AnimationClock *sender, double, double) {
            if (checkpoints.contains(++calls))
                waits << AnimationClock::throttleWaitCount() - waitsBefore;
            if (calls == checkpoints.last())
                sender->setEnabled(false);
        };
        clock.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(!clock.isEnabled(), 60000);
        QCOMPARE(waits, waitsAtCall);
    }
};

QTEST_MAIN(TestAnimationClock)
#include "tst_animationclock.moc"
