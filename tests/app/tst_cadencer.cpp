// The animation clock and its driver. Raw time is injected, so the delivered
// times are exact; the driver tests run the real event loop.
#include "app/CadencerEx.h"

#include "support/TestSupport.h"

#include <QPointer>
#include <QtTest>

#include <stdexcept>

class TestCadencer : public QObject
{
    Q_OBJECT

private:
    double m_now = 0.0; // the injected raw time, seconds

private slots:
    void init()
    {
        m_now = 0.0;
        TNGLCadencer::SetRawTimeSourceForTesting([this] { return m_now; });
    }

    void cleanup()
    {
        TNGLCadencer::SetRawTimeSourceForTesting({});
        TNGLCadencer::SetMillisecondSourceForTesting({});
        // Every test destroys its clocks; the driver must then go away.
        QTRY_VERIFY(!TNGLCadencer::DriverExists());
    }

    // A manually ticked clock, enabled at raw time 0, follows a script of
    // "<raw time>:<action>" steps: tick, off, on, or x<multiplier>. Each call
    // of OnProgress is written as "<deltaTime>/<newTime>".
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

        TNGLCadencer clock;
        clock.SetMode(cmManual);
        clock.MinDeltaTime = minDelta;
        clock.MaxDeltaTime = maxDelta;
        clock.FixedDeltaTime = fixedDelta;
        QList<QPair<double, double>> got;
        clock.OnProgress = [&](TNGLCadencer *sender, double dt, double t) {
            QCOMPARE(sender, &clock);
            got.append({dt, t});
        };
        clock.SetEnabled(true);
        QVERIFY(!TNGLCadencer::DriverExists()); // manual clocks are never attached

        for (const QString &step : script.split(' ')) {
            const QStringList parts = step.split(':');
            m_now = parts[0].toDouble();
            const QString action = parts[1];
            if (action == "tick")
                clock.Progress();
            else if (action == "off")
                clock.SetEnabled(false);
            else if (action == "on")
                clock.SetEnabled(true);
            else
                clock.SetTimeMultiplier(action.mid(1).toDouble());
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
        QVERIFY(!TNGLCadencer::DriverExists());
        TNGLCadencer clock;
        int calls = 0;
        clock.OnProgress = [&](TNGLCadencer *, double, double) { ++calls; };
        QVERIFY(!TNGLCadencer::DriverExists()); // created disabled

        clock.SetEnabled(true);
        QVERIFY(TNGLCadencer::DriverExists());
        QTRY_VERIFY(calls >= 3);

        clock.SetEnabled(false);
        QCOMPARE(TNGLCadencer::AttachedClockCount(), 0);
        QTRY_VERIFY(!TNGLCadencer::DriverExists());
        const int stopped = calls;
        QTest::qWait(20);
        QCOMPARE(calls, stopped);

        // The next clock to start creates the driver again; leaving cmASAP
        // mode detaches like disabling does.
        clock.SetEnabled(true);
        QVERIFY(TNGLCadencer::DriverExists());
        QTRY_VERIFY(calls > stopped + 2);
        clock.SetMode(cmManual);
        QTRY_VERIFY(!TNGLCadencer::DriverExists());
        clock.SetMode(cmApplicationIdle);
        QTRY_VERIFY(calls > stopped + 4);
        QVERIFY(!TNGLCadencer::DriverExists()); // the idle hook needs no driver
        clock.SetMode(cmASAP);
        QCOMPARE(TNGLCadencer::AttachedClockCount(), 1);
        // Destroying the running clock (end of scope) detaches it; cleanup()
        // checks the driver goes.
    }

    void clocksTickInReverseOrderOfAttachment()
    {
        QStringList log;
        TNGLCadencer a, b, c;
        const std::pair<TNGLCadencer *, QString> clocks[] = {{&a, "A"}, {&b, "B"}, {&c, "C"}};
        for (const auto &[clock, name] : clocks) {
            clock->OnProgress = [&log, name](TNGLCadencer *, double, double) { log << name; };
            clock->SetEnabled(true);
        }
        QTRY_VERIFY(log.size() >= 6);
        QCOMPARE(log.mid(0, 6).join(' '), QString("C B A C B A"));

        // Stopping and starting A attaches it again, as the latest.
        a.SetEnabled(false);
        a.SetEnabled(true);
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
        TNGLCadencer a, c;
        QPointer<TNGLCadencer> b = new TNGLCadencer;
        auto deleteBLater = [&] {
            QMetaObject::invokeMethod(qApp, [b] { delete b.data(); }, Qt::QueuedConnection);
        };
        a.OnProgress = [&](TNGLCadencer *, double, double) { log << "A"; };
        b->FixedDeltaTime = 0.1; // several calls per tick, so the step loop would go on
        // The step goes on after its clock is gone, as a window's step that
        // redraws after processing events would.
        b->OnProgress = [&](TNGLCadencer *sender, double, double) {
            if (how == "delete in step") {
                delete sender;
            } else if (how == "step processes events") {
                deleteBLater();
                QCoreApplication::processEvents();
            }
            log << "B";
        };
        c.OnProgress = [&](TNGLCadencer *, double, double) {
            log << "C";
            if (how == "posted by C" && b)
                deleteBLater();
        };
        a.SetEnabled(true);
        b->SetEnabled(true);
        c.SetEnabled(true);
        m_now = 1.0; // ten fixed steps due for B

        QTRY_VERIFY(log.count("A") >= 3);
        QVERIFY(b.isNull());
        QCOMPARE(log.mid(0, firstRound.count(' ') + 1).join(' '), firstRound);
        QCOMPARE(log.count("B"), firstRound.count("B"));
        QCOMPARE(TNGLCadencer::AttachedClockCount(), 2);
    }

    void errorInStepIsReportedOnceAndStopsOnlyThatClock()
    {
        TestSupport::ScopedDialogAnswers answers(true);
        TNGLCadencer good, bad;
        int goodCalls = 0, badCalls = 0;
        good.OnProgress = [&](TNGLCadencer *, double, double) { ++goodCalls; };
        bad.OnProgress = [&](TNGLCadencer *, double, double) {
            ++badCalls;
            throw std::runtime_error("Step failed");
        };
        good.SetEnabled(true);
        bad.SetEnabled(true);

        QTRY_VERIFY(goodCalls >= 10);
        QCOMPARE(badCalls, 1);
        QCOMPARE(answers.Shown(), QStringList{"Step failed"});
        QVERIFY(!bad.Enabled());
        QVERIFY(good.Enabled());
        QCOMPARE(TNGLCadencer::AttachedClockCount(), 1);
    }

    void idleHookTicksTheLatestIdleClock()
    {
        TestSupport::ScopedDialogAnswers answers(true);
        TNGLCadencer first, second;
        int firstCalls = 0, secondCalls = 0;
        first.OnProgress = [&](TNGLCadencer *, double, double) { ++firstCalls; };
        second.OnProgress = [&](TNGLCadencer *, double, double) { ++secondCalls; };
        first.SetMode(cmApplicationIdle);
        second.SetMode(cmApplicationIdle);

        first.SetEnabled(true);
        QTRY_VERIFY(firstCalls >= 3);
        second.SetEnabled(true);
        const int firstBefore = firstCalls;
        QTRY_VERIFY(secondCalls >= 3);
        QCOMPARE(firstCalls, firstBefore);

        // Stopping the replaced clock leaves the hook to the other one.
        first.SetEnabled(false);
        int secondBefore = secondCalls;
        QTRY_VERIFY(secondCalls > secondBefore + 2);

        second.SetEnabled(false);
        secondBefore = secondCalls;
        QTest::qWait(20);
        QCOMPARE(secondCalls, secondBefore);

        // An error in an idle clock's step is reported once and stops it.
        second.OnProgress = [&](TNGLCadencer *, double, double) {
            ++secondCalls;
            throw std::runtime_error("Idle step failed");
        };
        secondBefore = secondCalls;
        second.SetEnabled(true);
        QTRY_VERIFY(!second.Enabled());
        QTest::qWait(20);
        QCOMPARE(secondCalls, secondBefore + 1);
        QCOMPARE(answers.Shown(), QStringList{"Idle step failed"});
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
        TNGLCadencer::SetMillisecondSourceForTesting([&reads, advanceEvery]() -> int64_t {
            return advanceEvery ? ++reads / advanceEvery : 0;
        });
        const int waitsBefore = TNGLCadencer::ThrottleWaitCount();
        const QList<int> checkpoints{5000, 5001, 10001, 10002};
        QList<int> waits;
        int calls = 0;
        TNGLCadencer clock;
        clock.OnProgress = [&](TNGLCadencer *sender, double, double) {
            if (checkpoints.contains(++calls))
                waits << TNGLCadencer::ThrottleWaitCount() - waitsBefore;
            if (calls == checkpoints.last())
                sender->SetEnabled(false);
        };
        clock.SetEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(!clock.Enabled(), 60000);
        QCOMPARE(waits, waitsAtCall);
    }
};

QTEST_MAIN(TestCadencer)
#include "tst_cadencer.moc"
