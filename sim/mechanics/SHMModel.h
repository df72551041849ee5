#pragma once
// The damped oscillator apart from its window: the closed-form
// displacement curve, the sample clock that walks a marker along it, the
// run states with the controls each one enables, and the geometry of the
// spring-and-mass picture.
//
// Every operation mirrors one thing the user or the clock does and leaves
// the model in a state the window can show as it is; what the window has to
// bring up to date is returned as a TSHMChanges.
#include "sim/framework/Bitmap32.h"

#include <QPointF>
#include <array>
#include <vector>

constexpr int kSHMLastSample = 500; // samples 0 to 500

enum class TDampingCase { Undamped, UnderDamped, Critical, OverDamped };

// The case the closed form takes: b = 0 exactly; 0 < b < w0; the band
// w0 <= b < w0 + 0.01; beyond it.
TDampingCase DampingCase(float naturalFrequency, float damping);

struct TSHMCurve {
    TDampingCase Case = TDampingCase::Undamped;
    float NaturalFrequency = 0;                    // w0 = sqrt(k / m)
    std::array<double, kSHMLastSample + 1> Time{}; // i x T / 500, seconds
    std::array<float, kSHMLastSample + 1> X{};     // displacement units
};

// The displacement x(t) for mass m (kg), stiffness k (N/m), damping b (the
// decay rate, per second) and starting displacement A, sampled 501 times
// over `span` seconds. Every case starts at A with zero velocity. The
// constants and each sample are rounded to 32-bit floats as they are
// computed.
TSHMCurve DisplacementCurve(float mass, float stiffness, float damping, float amplitude, float span);

// The spring and the mass for displacement x on a picture `width` wide with
// `unit` pixels per displacement unit (the picture is 24 units high): a
// zig-zag of 31 points from the top edge down to the top of the mass, and
// the mass one unit high (right and bottom exclusive).
struct TOscillatorPicture {
    std::vector<TFixedPoint> Spring;
    // The mass as a raster rectangle, right and bottom exclusive.
    int MassLeft = 0;
    int MassTop = 0;
    int MassRight = 0;
    int MassBottom = 0;
};
TOscillatorPicture OscillatorPicture(int width, float unit, float displacement);

enum class TSHMState {
    Ready,    // n = 0, clock off
    Running,  // clock on
    Paused,   // stopped part-way, inputs enabled
    Finished, // the last sample passed; the spin edits wait for Reset
};

// What an operation changed, for the window to show.
struct TSHMChanges {
    bool Curve = false;   // the curve was recomputed (the marker went with it)
    bool Marker = false;  // the marker moved
    bool Picture = false; // the displacement shown in the picture changed
    bool Inputs = false;  // the parameters were set by the model (page command)
    bool Controls = false; // which controls are enabled may have changed

    TSHMChanges &operator|=(const TSHMChanges &o)
    {
        Curve |= o.Curve;
        Marker |= o.Marker;
        Picture |= o.Picture;
        Inputs |= o.Inputs;
        Controls |= o.Controls;
        return *this;
    }
};

class TSHMModel
{
public:
    TSHMModel();

    // ---- parameters
    float Mass() const { return m_mass; }           // kg
    float Stiffness() const { return m_stiffness; } // N/m
    float Damping() const { return m_damping; }     // kg/s, used as the decay rate
    float Span() const { return m_span; }           // seconds on the time axis
    float Amplitude() const { return m_amplitude; } // starting displacement A

    // ---- state
    float Displacement() const { return m_x; }   // x, shown in the picture
    int Sample() const { return m_n; }           // n, 0 to 500
    float SampleClock() const { return m_clock; } // speed x time accumulated
    const TSHMCurve &Curve() const { return m_curve; }
    // The marker's point on the chart: (time, displacement).
    QPointF Marker() const { return m_marker; }
    TSHMState State() const;

    // The controls the state enables. Start is enabled exactly when the
    // clock is off and Stop exactly when it runs.
    bool Running() const { return m_running; }
    bool ResetEnabled() const { return m_resetEnabled; }
    bool DisplacementEnabled() const { return m_displacementEnabled; }
    bool ParametersEnabled() const { return m_parametersEnabled; }

    // ---- what the user and the clock do
    // Recomputes the curve from the parameters; the marker goes back to
    // sample 0 while n stays (also run when the picture is resized).
    TSHMChanges ComputeGraph();
    TSHMChanges Start();
    TSHMChanges Stop();
    TSHMChanges Reset();
    // The three spin edits' values.
    TSHMChanges SetParameters(float mass, float stiffness, float damping);
    // The displacement scroll bar at `position` (-100 top to 100 bottom).
    TSHMChanges SetDisplacementPosition(int position);
    // 5, 10, 15 or 20 seconds; the span already set changes nothing.
    TSHMChanges SetTimeAxis(float seconds);
    // The critical-damping example of the course: m 1, k 25, b 5, A 9.
    TSHMChanges LoadCriticalExample();
    static constexpr int kCriticalExamplePosition = -90;
    // One clock tick: the sample clock is now `sampleClock`. At most one
    // sample advances; after the last one the run finishes.
    TSHMChanges Tick(float sampleClock);

private:
    void BackToStart(TSHMChanges &changes);
    // After a parameter or the time axis changed: back to the start, the
    // curve again.
    TSHMChanges Recompute();
    // Not running; the inputs open again.
    void SetStopped(bool resetEnabled);

    float m_mass = 0.5f;
    float m_stiffness = 40.0f;
    float m_damping = 0.2f;
    float m_span = 10.0f;
    float m_amplitude = 5.0f;
    float m_x = 5.0f;
    int m_n = 0;
    float m_clock = 0.0f;
    TSHMCurve m_curve;
    QPointF m_marker;

    bool m_running = false;
    bool m_resetEnabled = false;
    bool m_displacementEnabled = true;
    bool m_parametersEnabled = true;
};
