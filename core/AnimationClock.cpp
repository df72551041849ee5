#include "core/AnimationClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

class ClockDriver;

namespace {

// ---------------------------------------------------------------- time

// The high-resolution counter, started the first time the unit needs it.
const QElapsedTimer &counter()
{
    static const QElapsedTimer counter = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return counter;
}

// Without a monotonic counter the counter reference falls back to the wall
// clock.
bool hasCounter()
{
    static const bool has = QElapsedTimer::isMonotonic();
    return has;
}

std::function<double()> g_rawTimeForTesting;
AnimationClock::ErrorHandler g_errorHandler;
std::function<int64_t()> g_millisecondsForTesting;

// Local date and time as days since 30 December 1899, the time of day being
// the fraction, in seconds.
double wallClockSeconds()
{
    static const QDate dayZero(1899, 12, 30);
    const QDateTime now = QDateTime::currentDateTime();
    return double(dayZero.daysTo(now.date())) * 86400.0
        + double(now.time().msecsSinceStartOfDay()) / 1000.0;
}

double counterSeconds()
{
    return double(counter().nsecsElapsed()) * 1e-9;
}

// The millisecond tick count the throttle compares against.
int64_t millisecondTick()
{
    return g_millisecondsForTesting ? g_millisecondsForTesting() : counter().elapsed();
}

// ---------------------------------------------------------------- tick event

// The driver's tick. A registered event type stands in for the window
// message "TickGLCadencer"; the event carries the millisecond it was posted
// in, for the throttle.
QEvent::Type tickEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
const QEvent::Type g_tickEventTypeAtStartUp = tickEventType();

class TickEvent : public QEvent
{
public:
    TickEvent() : QEvent(g_tickEventTypeAtStartUp), postedAt(millisecondTick()) {}
    const int64_t postedAt;
};

// ---------------------------------------------------------------- unit state

// Clocks attached in AsSoonAsPossibleMode mode, in order of attachment. A detached clock
// leaves an empty entry (nullptr) so that a round walking the list by index
// stays valid; the round removes the empties when it is done. The list and
// the driver exist only while a clock is attached.
std::unique_ptr<std::vector<AnimationClock *>> g_asapList;
QPointer<ClockDriver> g_driver;
// Set while the driver walks the list. A step that processes events could
// otherwise start a second round inside the first.
bool g_roundInProgress = false;
int g_throttleWaits = 0;

// The clock that the idle hook ticks, and the timer standing in for the
// hook (at interval 0 it fires whenever the event loop has nothing else to
// do; otherwise once per the clock's tick interval).
AnimationClock *g_idleClock = nullptr;
QPointer<QTimer> g_idleTimer;

double g_displayFrameInterval = 1.0 / 60.0;

// Real time for the driver's waits, whatever raw time tests inject.
qint64 realNanoseconds()
{
    return counter().nsecsElapsed();
}

// A wait in whole milliseconds, the timers' resolution; rounded up, so a
// timer never fires before the moment it stands for.
int waitMilliseconds(qint64 nanoseconds)
{
    return int((nanoseconds + 999999) / 1000000);
}

bool inList(const AnimationClock *clock)
{
    return g_asapList && std::find(g_asapList->begin(), g_asapList->end(), clock) != g_asapList->end();
}

} // namespace

// ---------------------------------------------------------------- driver

// One hidden object drives all AsSoonAsPossibleMode clocks, in rounds. After
// a round it works out when the next is due: one shortest tick interval of
// the clocks still attached after the last one began. A round already due
// (or clocks that ask for interval 0) gets a tick event posted at once, as
// the event loop allows; otherwise a timer stands for the tick message, and
// the thread sleeps in the event loop until it fires. Either way the event
// loop turns over (paint and input included) between rounds, and the first
// round comes at once when the first clock attaches.
class ClockDriver : public QObject
{
public:
    ClockDriver() : QObject(QCoreApplication::instance()) { postTick(); }

    // Ticks one clock. An error escaping its step routine stops that clock
    // and is reported once; the other clocks keep running.
    static void tickGuarded(AnimationClock *clock);
    // The idle hook: one tick of the idle clock each time the loop is idle.
    static void idleTick();
    // A clock attached or changed its interval: a round it needs sooner
    // than the one waited for comes sooner.
    void intervalsChanged();

protected:
    bool event(QEvent *e) override;

private:
    void postTick() { QCoreApplication::postEvent(this, new TickEvent); }
    void round();
    // Posts the next tick or waits for it, from when the next round is due.
    void scheduleNextRound();
    // The shortest tick interval of the attached clocks, in nanoseconds.
    static qint64 shortestInterval();

    int m_tooFast = 0;  // consecutive ticks handled in the millisecond they were posted
    int m_timerId = 0;  // the 1 ms throttle timer or the wait for a round; 0 = none
    qint64 m_lastRoundAt = 0; // real time the last round started
    qint64 m_nextRoundAt = 0; // real time the next round is due; 0 = not worked out yet
};

bool ClockDriver::event(QEvent *e)
{
    const bool isTimer = e->type() == QEvent::Timer;
    const bool isTick = e->type() == g_tickEventTypeAtStartUp;
    if (!isTimer && !isTick)
        return QObject::event(e);

    if (isTimer) {
        killTimer(m_timerId);
        m_timerId = 0;
    }

    // Throttle: after more than 5000 ticks in a row that came round within
    // the millisecond they were posted in, wait for a 1 ms timer.
    if (isTick && static_cast<TickEvent *>(e)->postedAt == millisecondTick()) {
        if (++m_tooFast > 5000) {
            if (m_timerId == 0) {
                m_timerId = startTimer(1, Qt::PreciseTimer);
                ++g_throttleWaits;
            }
            m_tooFast = 0;
        }
    } else {
        m_tooFast = 0;
    }

    // While the timer runs the tick is consumed and no new one is posted:
    // the timer event restarts the chain.
    if (m_timerId != 0)
        return true;
    // A tick handled while a step processes events: the running round goes on.
    if (g_roundInProgress)
        return true;
    round();
    return true;
}

void ClockDriver::round()
{
    m_lastRoundAt = realNanoseconds();
    g_roundInProgress = true;
    const auto clearFlag = qScopeGuard([] { g_roundInProgress = false; });

    // Last attached first. Walk by index: clocks attached during the round
    // are appended behind the start and wait for the next round; clocks
    // detached or destroyed during it leave an empty entry.
    if (g_asapList) {
        for (auto i = qsizetype(g_asapList->size()) - 1; i >= 0; --i) {
            AnimationClock *clock = (*g_asapList)[size_t(i)];
            // A clock still inside its own tick (its step processes events)
            // must not be ticked again.
            if (!clock || clock->mode() != AsSoonAsPossibleMode || !clock->isEnabled() || clock->m_progressDepth != 0)
                continue;
            if (QCoreApplication::closingDown())
                clock->setEnabled(false);
            else
                tickGuarded(clock);
        }
        std::erase(*g_asapList, nullptr);
    }

    if (g_asapList && !g_asapList->empty()) {
        scheduleNextRound();
    } else {
        // No clock left: free the list and the driver, so that the idle
        // application does no work at all. The next clock to attach creates
        // them again.
        g_asapList.reset();
        g_driver = nullptr;
        deleteLater();
    }
}

qint64 ClockDriver::shortestInterval()
{
    qint64 shortest = -1;
    if (g_asapList)
        for (const AnimationClock *clock : *g_asapList)
            if (clock) {
                const auto ns = qint64(std::max(0.0, clock->tickInterval()) * 1e9);
                shortest = shortest < 0 ? ns : std::min(shortest, ns);
            }
    return std::max<qint64>(0, shortest);
}

void ClockDriver::scheduleNextRound()
{
    const qint64 interval = shortestInterval();
    const qint64 now = realNanoseconds();
    // Rounds keep to a steady beat: the next is due one interval after the
    // last was, unless the driver has fallen a whole interval behind.
    if (m_nextRoundAt == 0 || interval == 0 || m_nextRoundAt + interval < now)
        m_nextRoundAt = m_lastRoundAt + interval;
    else
        m_nextRoundAt += interval;
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    if (m_nextRoundAt <= now)
        postTick();
    else
        m_timerId = startTimer(waitMilliseconds(m_nextRoundAt - now), Qt::PreciseTimer);
}

void ClockDriver::intervalsChanged()
{
    // Only a wait for a round can come sooner: a posted tick is as soon as
    // it gets, and a round in progress schedules the next itself.
    if (m_timerId == 0 || g_roundInProgress || m_lastRoundAt == 0)
        return;
    const qint64 due = m_lastRoundAt + shortestInterval();
    if (due >= m_nextRoundAt)
        return;
    m_nextRoundAt = 0;
    scheduleNextRound();
}

void ClockDriver::tickGuarded(AnimationClock *clock)
{
    const QPointer<AnimationClock> alive(clock);
    QString error;
    try {
        clock->progress();
        return;
    } catch (const std::exception &ex) {
        error = QString::fromUtf8(ex.what());
    } catch (...) {
        error = QStringLiteral("Unknown error");
    }
    // Stop the clock before the message box: the box's own event loop would
    // otherwise tick an idle clock again and raise the same error anew.
    if (alive)
        clock->setEnabled(false);
    if (g_errorHandler)
        g_errorHandler(error);
    else
        qWarning("Animation step failed: %s", qUtf8Printable(error));
}

void ClockDriver::idleTick()
{
    AnimationClock *clock = g_idleClock;
    if (clock && clock->isEnabled() && clock->m_progressDepth == 0)
        tickGuarded(clock);
}

// ---------------------------------------------------------------- clock

AnimationClock::AnimationClock(QObject *owner) : QObject(owner)
{
    m_tickInterval = g_displayFrameInterval;
    m_timeReference = CounterTime;
    m_downTime = rawTime();
    m_originTime = m_downTime;
    m_timeMultiplier = 1.0;
    m_sleepLength = -1;
    m_mode = AsSoonAsPossibleMode;
}

AnimationClock::~AnimationClock()
{
    detach();
}

double AnimationClock::rawTime() const
{
    switch (m_timeReference) {
    case ExternalTime:
        return m_currentTime;
    case CounterTime:
        if (g_rawTimeForTesting)
            return g_rawTimeForTesting();
        if (hasCounter())
            return counterSeconds();
        return wallClockSeconds();
    case WallClockTime:
        break;
    }
    return g_rawTimeForTesting ? g_rawTimeForTesting() : wallClockSeconds();
}

double AnimationClock::computeCurrentTime()
{
    m_currentTime = (rawTime() - m_originTime) * m_timeMultiplier;
    return m_currentTime;
}

void AnimationClock::setEnabled(bool value)
{
    if (m_enabled == value)
        return;
    m_enabled = value;
    if (value)
        m_originTime += rawTime() - m_downTime; // the pause does not count
    else
        m_downTime = rawTime();
    updateAttachment();
}

void AnimationClock::setMode(ClockMode value)
{
    if (m_mode == value)
        return;
    if (m_mode != ManualMode)
        detach();
    m_mode = value;
    updateAttachment();
}

void AnimationClock::setTimeMultiplier(double value)
{
    if (value == m_timeMultiplier)
        return;
    if (value == 0) {
        m_lastMultiplier = m_timeMultiplier;
        setEnabled(false);
    } else {
        double m = m_timeMultiplier;
        if (m_timeMultiplier == 0) {
            setEnabled(true);
            m = m_lastMultiplier;
        }
        // Keep the clock time continuous across the change of rate.
        const double r = rawTime();
        m_originTime = r - (r - m_originTime) * m / value;
    }
    m_timeMultiplier = value;
}

void AnimationClock::updateAttachment()
{
    if (m_enabled && (m_mode == AsSoonAsPossibleMode || m_mode == IdleMode))
        attach();
    else
        detach();
}

void AnimationClock::attach()
{
    if (m_mode == AsSoonAsPossibleMode) {
        if (!g_asapList)
            g_asapList = std::make_unique<std::vector<AnimationClock *>>();
        if (!inList(this)) {
            g_asapList->push_back(this);
            if (!g_driver)
                g_driver = new ClockDriver; // posts the first tick
            else
                g_driver->intervalsChanged();
        }
    } else if (m_mode == IdleMode) {
        // A later idle clock replaces an earlier one.
        g_idleClock = this;
        if (!g_idleTimer) {
            g_idleTimer = new QTimer(QCoreApplication::instance());
            g_idleTimer->setTimerType(Qt::PreciseTimer);
            QObject::connect(g_idleTimer, &QTimer::timeout, &ClockDriver::idleTick);
        }
        g_idleTimer->setInterval(waitMilliseconds(qint64(m_tickInterval * 1e9)));
        g_idleTimer->start();
    }
}

void AnimationClock::setTickInterval(double seconds)
{
    m_tickInterval = std::max(0.0, seconds);
    if (g_idleClock == this && g_idleTimer)
        g_idleTimer->setInterval(waitMilliseconds(qint64(m_tickInterval * 1e9)));
    if (g_driver && inList(this))
        g_driver->intervalsChanged();
}

double AnimationClock::displayFrameInterval()
{
    return g_displayFrameInterval;
}

void AnimationClock::setDisplayFrameInterval(double seconds)
{
    if (seconds > 0)
        g_displayFrameInterval = seconds;
}

void AnimationClock::detach()
{
    if (g_asapList) {
        for (AnimationClock *&entry : *g_asapList)
            if (entry == this)
                entry = nullptr; // removed after the round, see ClockDriver::round
    }
    // Only the clock that owns the idle hook clears it: a replaced idle clock
    // being stopped must not stop the one that replaced it.
    if (g_idleClock == this) {
        g_idleClock = nullptr;
        if (g_idleTimer)
            g_idleTimer->stop();
    }
}

void AnimationClock::progress()
{
    // The events processed below and the step routine may both destroy this
    // clock; after either, `alive` tells whether `this` may still be touched.
    const QPointer<AnimationClock> alive(this);

    if (m_enabled) {
        if (m_sleepLength >= 0)
            QThread::msleep(ulong(m_sleepLength));
        if (m_mode == AsSoonAsPossibleMode) {
            QCoreApplication::processEvents();
            // A handler run just now may have disabled or destroyed this
            // clock: return without touching it.
            if (!alive || !inList(this))
                return;
        }
    }

    ++m_progressDepth;
    const auto lowerDepth = qScopeGuard([&] {
        if (alive)
            --m_progressDepth;
    });

    if (!m_enabled)
        return;
    double newTime = computeCurrentTime();
    double deltaTime = newTime - m_lastTime;
    // Too short a step: deliver nothing and let the time accumulate.
    if (deltaTime < m_minDeltaTime || deltaTime < m_fixedDeltaTime)
        return;
    // Too long a gap is cut, and the clock falls behind raw time for good.
    if (m_maxDeltaTime > 0 && deltaTime > m_maxDeltaTime) {
        m_originTime += (deltaTime - m_maxDeltaTime) / m_timeMultiplier;
        deltaTime = m_maxDeltaTime;
        newTime = m_lastTime + deltaTime;
    }
    double total = deltaTime;
    if (m_fixedDeltaTime > 0)
        deltaTime = m_fixedDeltaTime; // the remainder below one step carries over
    while (total >= deltaTime) {
        m_lastTime += deltaTime;
        if (onProgress) {
            // Call a copy: destroying the clock inside the step destroys
            // onProgress while it runs.
            const ClockStep step = onProgress;
            step(this, deltaTime, newTime);
            if (!alive)
                return;
        }
        if (deltaTime <= 0)
            break;
        total -= deltaTime;
    }
}

// ---------------------------------------------------------------- test hooks

void AnimationClock::setRawTimeSourceForTesting(std::function<double()> source)
{
    g_rawTimeForTesting = std::move(source);
}

void AnimationClock::setErrorHandler(ErrorHandler handler)
{
    g_errorHandler = std::move(handler);
}

void AnimationClock::setMillisecondSourceForTesting(std::function<int64_t()> source)
{
    g_millisecondsForTesting = std::move(source);
}

int AnimationClock::attachedClockCount()
{
    if (!g_asapList)
        return 0;
    return int(std::count_if(g_asapList->begin(), g_asapList->end(),
                             [](const AnimationClock *c) { return c != nullptr; }));
}

bool AnimationClock::driverExists()
{
    return !g_driver.isNull();
}

int AnimationClock::throttleWaitCount()
{
    return g_throttleWaits;
}
