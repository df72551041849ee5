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

// The clock that the idle hook ticks, and the zero-interval timer standing
// in for the hook (it fires when the event loop has nothing else to do).
AnimationClock *g_idleClock = nullptr;
QPointer<QTimer> g_idleTimer;

bool inList(const AnimationClock *clock)
{
    return g_asapList && std::find(g_asapList->begin(), g_asapList->end(), clock) != g_asapList->end();
}

} // namespace

// ---------------------------------------------------------------- driver

// One hidden object drives all AsSoonAsPossibleMode clocks: each round ticks them and
// posts the next tick event to itself, so the event loop turns over (paint
// and input included) between rounds.
class ClockDriver : public QObject
{
public:
    ClockDriver() : QObject(QCoreApplication::instance()) { postTick(); }

    // Ticks one clock. An error escaping its step routine stops that clock
    // and is reported once; the other clocks keep running.
    static void tickGuarded(AnimationClock *clock);
    // The idle hook: one tick of the idle clock each time the loop is idle.
    static void idleTick();

protected:
    bool event(QEvent *e) override;

private:
    void postTick() { QCoreApplication::postEvent(this, new TickEvent); }
    void round();

    int m_tooFast = 0;  // consecutive ticks handled in the millisecond they were posted
    int m_timerId = 0;  // the 1 ms throttle timer; 0 = none
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
        postTick();
    } else {
        // No clock left: free the list and the driver, so that the idle
        // application does no work at all. The next clock to attach creates
        // them again.
        g_asapList.reset();
        g_driver = nullptr;
        deleteLater();
    }
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
        }
    } else if (m_mode == IdleMode) {
        // A later idle clock replaces an earlier one.
        g_idleClock = this;
        if (!g_idleTimer) {
            g_idleTimer = new QTimer(QCoreApplication::instance());
            g_idleTimer->setInterval(0);
            QObject::connect(g_idleTimer, &QTimer::timeout, &ClockDriver::idleTick);
        }
        g_idleTimer->start();
    }
}

void AnimationClock::detach()
{
    if (g_asapList) {
        for (AnimationClock *&entry : *g_asapList)
            if (entry == this)
                entry = nullptr; // removed after the round, see ClockDriver::Round
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
