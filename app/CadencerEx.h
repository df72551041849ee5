#pragma once
// The animation clock. While enabled it calls its OnProgress routine again
// and again with the clock time elapsed since the previous call, as fast as
// the event loop allows. One hidden driver object ticks all clocks running
// in as-soon-as-possible mode by posting itself a tick event after each
// round; it exists only while such a clock is attached, so an application
// with no running clock uses no CPU.
#include <QObject>
#include <cstdint>
#include <functional>

class TNGLCadencer;

enum TNGLCadencerTimeReference { cmRTC, cmPerformanceCounter, cmExternal };
enum TNGLCadencerMode { cmManual, cmASAP, cmApplicationIdle };

// (Sender clock, deltaTime, newTime), times in seconds.
using TNGLProgressEvent = std::function<void(TNGLCadencer *sender, double deltaTime, double newTime)>;

class TNGLCadencer : public QObject
{
    Q_OBJECT
public:
    // Created disabled, not attached to any driver.
    explicit TNGLCadencer(QObject *owner = nullptr);
    // Detaches the clock first.
    ~TNGLCadencer() override;

    // ---- published properties
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    TNGLCadencerTimeReference TimeReference = cmPerformanceCounter;
    double TimeMultiplier() const { return m_timeMultiplier; }
    void SetTimeMultiplier(double value);
    double MaxDeltaTime = 0.0;   // 0 = no limit
    double MinDeltaTime = 0.0;
    double FixedDeltaTime = 0.0; // 0 = off
    TNGLCadencerMode Mode() const { return m_mode; }
    void SetMode(TNGLCadencerMode value);
    int32_t SleepLength = -1;    // milliseconds; -1 = no sleep
    TNGLProgressEvent OnProgress;

    // ---- operations
    // One tick (called by the driver, by the idle hook, or by the owner in
    // cmManual mode).
    void Progress();
    // (raw time - origin) x multiplier; also stored as the current time.
    double GetCurrentTime();
    // The clock time last computed. Setting it is how an outside time is
    // given in cmExternal mode.
    double CurrentTime() const { return m_currentTime; }
    void SetCurrentTime(double t) { m_currentTime = t; }

    // ---- for tests and benchmarks
    // Replaces the high-resolution counter and the wall clock (seconds);
    // an empty function restores the real ones.
    static void SetRawTimeSourceForTesting(std::function<double()> source);
    // Number of clocks (non-empty entries) attached to the driver.
    static int AttachedClockCount();
    // Whether the driver exists (only while a clock is attached).
    static bool DriverExists();
    // Replaces the millisecond tick count the driver's throttle compares
    // posting and handling times with; an empty function restores it.
    static void SetMillisecondSourceForTesting(std::function<int64_t()> source);
    // How often the driver has paused for its 1 ms timer since start-up.
    static int ThrottleWaitCount();

private:
    friend class TASAPHandler;
    double RawTime() const;
    void UpdateAttachment();
    void Attach();
    void Detach();

    bool m_enabled = false;
    double m_timeMultiplier = 1.0;
    TNGLCadencerMode m_mode = cmASAP;
    double m_lastTime = 0.0;
    double m_downTime = 0.0;
    double m_originTime = 0.0;
    double m_lastMultiplier = 1.0;
    double m_currentTime = 0.0;
    int m_progressDepth = 0;
};
