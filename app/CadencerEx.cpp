#include "app/CadencerEx.h"

#include "app/Dialogs.h"

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

class TASAPHandler;

namespace {

// ---------------------------------------------------------------- time

// The high-resolution counter, started the first time the unit needs it.
const QElapsedTimer &Counter()
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
bool HasCounter()
{
    static const bool has = QElapsedTimer::isMonotonic();
    return has;
}

std::function<double()> g_rawTimeForTesting;
std::function<int64_t()> g_millisecondsForTesting;

// Local date and time as days since 30 December 1899, the time of day being
// the fraction, in seconds.
double WallClockSeconds()
{
    static const QDate dayZero(1899, 12, 30);
    const QDateTime now = QDateTime::currentDateTime();
    return double(dayZero.daysTo(now.date())) * 86400.0
        + double(now.time().msecsSinceStartOfDay()) / 1000.0;
}

double CounterSeconds()
{
    return double(Counter().nsecsElapsed()) * 1e-9;
}

// The millisecond tick count the throttle compares against.
int64_t MillisecondTick()
{
    return g_millisecondsForTesting ? g_millisecondsForTesting() : Counter().elapsed();
}

// ---------------------------------------------------------------- tick event

// The driver's tick. A registered event type stands in for the window
// message "TickGLCadencer"; the event carries the millisecond it was posted
// in, for the throttle.
QEvent::Type TickEventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
const QEvent::Type g_tickEventTypeAtStartUp = TickEventType();

class TickEvent : public QEvent
{
public:
    TickEvent() : QEvent(g_tickEventTypeAtStartUp), PostedAt(MillisecondTick()) {}
    const int64_t PostedAt;
};

// ---------------------------------------------------------------- unit state

// Clocks attached in cmASAP mode, in order of attachment. A detached clock
// leaves an empty entry (nullptr) so that a round walking the list by index
// stays valid; the round removes the empties when it is done. The list and
// the driver exist only while a clock is attached.
std::unique_ptr<std::vector<TNGLCadencer *>> g_asapList;
QPointer<TASAPHandler> g_driver;
// Set while the driver walks the list. A step that processes events could
// otherwise start a second round inside the first.
bool g_roundInProgress = false;
int g_throttleWaits = 0;

// The clock that the idle hook ticks, and the zero-interval timer standing
// in for the hook (it fires when the event loop has nothing else to do).
TNGLCadencer *g_idleClock = nullptr;
QPointer<QTimer> g_idleTimer;

bool InList(const TNGLCadencer *clock)
{
    return g_asapList && std::find(g_asapList->begin(), g_asapList->end(), clock) != g_asapList->end();
}

} // namespace

// ---------------------------------------------------------------- driver

// One hidden object drives all cmASAP clocks: each round ticks them and
// posts the next tick event to itself, so the event loop turns over (paint
// and input included) between rounds.
class TASAPHandler : public QObject
{
public:
    TASAPHandler() : QObject(QCoreApplication::instance()) { PostTick(); }

    // Ticks one clock. An error escaping its step routine stops that clock
    // and is reported once; the other clocks keep running.
    static void TickGuarded(TNGLCadencer *clock);
    // The idle hook: one tick of the idle clock each time the loop is idle.
    static void IdleTick();

protected:
    bool event(QEvent *e) override;

private:
    void PostTick() { QCoreApplication::postEvent(this, new TickEvent); }
    void Round();

    int m_tooFast = 0;  // consecutive ticks handled in the millisecond they were posted
    int m_timerId = 0;  // the 1 ms throttle timer; 0 = none
};

bool TASAPHandler::event(QEvent *e)
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
    if (isTick && static_cast<TickEvent *>(e)->PostedAt == MillisecondTick()) {
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
    Round();
    return true;
}

void TASAPHandler::Round()
{
    g_roundInProgress = true;
    const auto clearFlag = qScopeGuard([] { g_roundInProgress = false; });

    // Last attached first. Walk by index: clocks attached during the round
    // are appended behind the start and wait for the next round; clocks
    // detached or destroyed during it leave an empty entry.
    if (g_asapList) {
        for (auto i = qsizetype(g_asapList->size()) - 1; i >= 0; --i) {
            TNGLCadencer *clock = (*g_asapList)[size_t(i)];
            // A clock still inside its own tick (its step processes events)
            // must not be ticked again.
            if (!clock || clock->Mode() != cmASAP || !clock->Enabled() || clock->m_progressDepth != 0)
                continue;
            if (QCoreApplication::closingDown())
                clock->SetEnabled(false);
            else
                TickGuarded(clock);
        }
        std::erase(*g_asapList, nullptr);
    }

    if (g_asapList && !g_asapList->empty()) {
        PostTick();
    } else {
        // No clock left: free the list and the driver, so that the idle
        // application does no work at all. The next clock to attach creates
        // them again.
        g_asapList.reset();
        g_driver = nullptr;
        deleteLater();
    }
}

void TASAPHandler::TickGuarded(TNGLCadencer *clock)
{
    const QPointer<TNGLCadencer> alive(clock);
    QString error;
    try {
        clock->Progress();
        return;
    } catch (const std::exception &ex) {
        error = QString::fromUtf8(ex.what());
    } catch (...) {
        error = QStringLiteral("Unknown error");
    }
    // Stop the clock before the message box: the box's own event loop would
    // otherwise tick an idle clock again and raise the same error anew.
    if (alive)
        clock->SetEnabled(false);
    Dialogs::ShowError(nullptr, error);
}

void TASAPHandler::IdleTick()
{
    TNGLCadencer *clock = g_idleClock;
    if (clock && clock->Enabled() && clock->m_progressDepth == 0)
        TickGuarded(clock);
}

// ---------------------------------------------------------------- clock

TNGLCadencer::TNGLCadencer(QObject *owner) : QObject(owner)
{
    TimeReference = cmPerformanceCounter;
    m_downTime = RawTime();
    m_originTime = m_downTime;
    m_timeMultiplier = 1.0;
    SleepLength = -1;
    m_mode = cmASAP;
}

TNGLCadencer::~TNGLCadencer()
{
    Detach();
}

double TNGLCadencer::RawTime() const
{
    switch (TimeReference) {
    case cmExternal:
        return m_currentTime;
    case cmPerformanceCounter:
        if (g_rawTimeForTesting)
            return g_rawTimeForTesting();
        if (HasCounter())
            return CounterSeconds();
        return WallClockSeconds();
    case cmRTC:
        break;
    }
    return g_rawTimeForTesting ? g_rawTimeForTesting() : WallClockSeconds();
}

double TNGLCadencer::GetCurrentTime()
{
    m_currentTime = (RawTime() - m_originTime) * m_timeMultiplier;
    return m_currentTime;
}

void TNGLCadencer::SetEnabled(bool value)
{
    if (m_enabled == value)
        return;
    m_enabled = value;
    if (value)
        m_originTime += RawTime() - m_downTime; // the pause does not count
    else
        m_downTime = RawTime();
    UpdateAttachment();
}

void TNGLCadencer::SetMode(TNGLCadencerMode value)
{
    if (m_mode == value)
        return;
    if (m_mode != cmManual)
        Detach();
    m_mode = value;
    UpdateAttachment();
}

void TNGLCadencer::SetTimeMultiplier(double value)
{
    if (value == m_timeMultiplier)
        return;
    if (value == 0) {
        m_lastMultiplier = m_timeMultiplier;
        SetEnabled(false);
    } else {
        double m = m_timeMultiplier;
        if (m_timeMultiplier == 0) {
            SetEnabled(true);
            m = m_lastMultiplier;
        }
        // Keep the clock time continuous across the change of rate.
        const double r = RawTime();
        m_originTime = r - (r - m_originTime) * m / value;
    }
    m_timeMultiplier = value;
}

void TNGLCadencer::UpdateAttachment()
{
    if (m_enabled && (m_mode == cmASAP || m_mode == cmApplicationIdle))
        Attach();
    else
        Detach();
}

void TNGLCadencer::Attach()
{
    if (m_mode == cmASAP) {
        if (!g_asapList)
            g_asapList = std::make_unique<std::vector<TNGLCadencer *>>();
        if (!InList(this)) {
            g_asapList->push_back(this);
            if (!g_driver)
                g_driver = new TASAPHandler; // posts the first tick
        }
    } else if (m_mode == cmApplicationIdle) {
        // A later idle clock replaces an earlier one.
        g_idleClock = this;
        if (!g_idleTimer) {
            g_idleTimer = new QTimer(QCoreApplication::instance());
            g_idleTimer->setInterval(0);
            QObject::connect(g_idleTimer, &QTimer::timeout, &TASAPHandler::IdleTick);
        }
        g_idleTimer->start();
    }
}

void TNGLCadencer::Detach()
{
    if (g_asapList) {
        for (TNGLCadencer *&entry : *g_asapList)
            if (entry == this)
                entry = nullptr; // removed after the round, see TASAPHandler::Round
    }
    // Only the clock that owns the idle hook clears it: a replaced idle clock
    // being stopped must not stop the one that replaced it.
    if (g_idleClock == this) {
        g_idleClock = nullptr;
        if (g_idleTimer)
            g_idleTimer->stop();
    }
}

void TNGLCadencer::Progress()
{
    // The events processed below and the step routine may both destroy this
    // clock; after either, `alive` tells whether `this` may still be touched.
    const QPointer<TNGLCadencer> alive(this);

    if (m_enabled) {
        if (SleepLength >= 0)
            QThread::msleep(ulong(SleepLength));
        if (m_mode == cmASAP) {
            QCoreApplication::processEvents();
            // A handler run just now may have disabled or destroyed this
            // clock: return without touching it.
            if (!alive || !InList(this))
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
    double newTime = GetCurrentTime();
    double deltaTime = newTime - m_lastTime;
    // Too short a step: deliver nothing and let the time accumulate.
    if (deltaTime < MinDeltaTime || deltaTime < FixedDeltaTime)
        return;
    // Too long a gap is cut, and the clock falls behind raw time for good.
    if (MaxDeltaTime > 0 && deltaTime > MaxDeltaTime) {
        m_originTime += (deltaTime - MaxDeltaTime) / m_timeMultiplier;
        deltaTime = MaxDeltaTime;
        newTime = m_lastTime + deltaTime;
    }
    double total = deltaTime;
    if (FixedDeltaTime > 0)
        deltaTime = FixedDeltaTime; // the remainder below one step carries over
    while (total >= deltaTime) {
        m_lastTime += deltaTime;
        if (OnProgress) {
            // Call a copy: destroying the clock inside the step destroys
            // OnProgress while it runs.
            const TNGLProgressEvent step = OnProgress;
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

void TNGLCadencer::SetRawTimeSourceForTesting(std::function<double()> source)
{
    g_rawTimeForTesting = std::move(source);
}

void TNGLCadencer::SetMillisecondSourceForTesting(std::function<int64_t()> source)
{
    g_millisecondsForTesting = std::move(source);
}

int TNGLCadencer::AttachedClockCount()
{
    if (!g_asapList)
        return 0;
    return int(std::count_if(g_asapList->begin(), g_asapList->end(),
                             [](const TNGLCadencer *c) { return c != nullptr; }));
}

bool TNGLCadencer::DriverExists()
{
    return !g_driver.isNull();
}

int TNGLCadencer::ThrottleWaitCount()
{
    return g_throttleWaits;
}
