#pragma once
// The animation clock. While enabled it calls its onProgress routine again
// and again with the clock time elapsed since the previous call, as fast as
// the event loop allows. One hidden driver object ticks all clocks running
// in as-soon-as-possible mode by posting itself a tick event after each
// round; it exists only while such a clock is attached, so an application
// with no running clock uses no CPU.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class AnimationClock;

enum ClockTimeReference { WallClockTime, CounterTime, ExternalTime };
enum ClockMode { ManualMode, AsSoonAsPossibleMode, IdleMode };

// (Sender clock, deltaTime, newTime), times in seconds.
using ClockStep = std::function<void(AnimationClock *sender, double deltaTime, double newTime)>;

class AnimationClock : public QObject
{
    Q_OBJECT
public:
    // Created disabled, not attached to any driver.
    explicit AnimationClock(QObject *owner = nullptr);
    // Detaches the clock first.
    ~AnimationClock() override;

    // ---- published properties
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool value);
    ClockTimeReference timeReference() const { return m_timeReference; }
    void setTimeReference(ClockTimeReference value) { m_timeReference = value; }
    double timeMultiplier() const { return m_timeMultiplier; }
    void setTimeMultiplier(double value);
    double maxDeltaTime() const { return m_maxDeltaTime; }  // 0 = no limit
    void setMaxDeltaTime(double value) { m_maxDeltaTime = value; }
    double minDeltaTime() const { return m_minDeltaTime; }
    void setMinDeltaTime(double value) { m_minDeltaTime = value; }
    double fixedDeltaTime() const { return m_fixedDeltaTime; }  // 0 = off
    void setFixedDeltaTime(double value) { m_fixedDeltaTime = value; }
    ClockMode mode() const { return m_mode; }
    void setMode(ClockMode value);
    int32_t sleepLength() const { return m_sleepLength; }  // milliseconds; -1 = no sleep
    void setSleepLength(int32_t value) { m_sleepLength = value; }
    ClockStep onProgress;

    // ---- operations
    // One tick (called by the driver, by the idle hook, or by the owner in
    // ManualMode mode).
    void progress();
    // (raw time - origin) x multiplier; also stored as the current time.
    double computeCurrentTime();
    // The clock time last computed. Setting it is how an outside time is
    // given in ExternalTime mode.
    double currentTime() const { return m_currentTime; }
    void setCurrentTime(double t) { m_currentTime = t; }

    // An error escaping a step routine stops that clock and is handed to
    // this handler once (the program shows it in a message box); without a
    // handler it is written as a warning.
    using ErrorHandler = std::function<void(const QString &message)>;
    static void setErrorHandler(ErrorHandler handler);

    // ---- for tests and benchmarks
    // Replaces the high-resolution counter and the wall clock (seconds);
    // an empty function restores the real ones.
    static void setRawTimeSourceForTesting(std::function<double()> source);
    // Number of clocks (non-empty entries) attached to the driver.
    static int attachedClockCount();
    // Whether the driver exists (only while a clock is attached).
    static bool driverExists();
    // Replaces the millisecond tick count the driver's throttle compares
    // posting and handling times with; an empty function restores it.
    static void setMillisecondSourceForTesting(std::function<int64_t()> source);
    // How often the driver has paused for its 1 ms timer since start-up.
    static int throttleWaitCount();

private:
    friend class ClockDriver;
    double rawTime() const;
    void updateAttachment();
    void attach();
    void detach();

    bool m_enabled = false;
    double m_timeMultiplier = 1.0;
    ClockMode m_mode = AsSoonAsPossibleMode;
    double m_lastTime = 0.0;
    double m_downTime = 0.0;
    double m_originTime = 0.0;
    double m_lastMultiplier = 1.0;
    double m_currentTime = 0.0;
    int m_progressDepth = 0;

    ClockTimeReference m_timeReference = CounterTime;
    double m_maxDeltaTime = 0.0; // 0 = no limit
    double m_minDeltaTime = 0.0;
    double m_fixedDeltaTime = 0.0; // 0 = off
    int32_t m_sleepLength = -1; // milliseconds; -1 = no sleep
};
