#pragma once
// The damped oscillator apart from its window: the closed-form
// displacement curve, the sample clock that walks a marker along it, the
// run states with the controls each one enables, and the geometry of the
// spring-and-mass picture.
//
// Every operation mirrors one thing the user or the clock does and leaves
// the model in a state the window can show as it is; what the window has to
// bring up to date is returned as a OscillatorChanges.
#include "sim/framework/RasterImage.h"

#include <QPointF>
#include <array>
#include <vector>

constexpr int kSHMLastSample = 500; // samples 0 to 500

enum class DampingCase { Undamped, UnderDamped, Critical, OverDamped };

// The case the closed form takes: b = 0 exactly; 0 < b < w0; the band
// w0 <= b < w0 + 0.01; beyond it.
DampingCase dampingCase(float naturalFrequency, float damping);

struct DisplacementCurve {
    DampingCase dampingCase = DampingCase::Undamped;
    float naturalFrequency = 0;                    // w0 = sqrt(k / m)
    std::array<double, kSHMLastSample + 1> time{}; // i x T / 500, seconds
    std::array<float, kSHMLastSample + 1> x{};     // displacement units
};

// The displacement x(t) for mass m (kg), stiffness k (N/m), damping b (the
// decay rate, per second) and starting displacement A, sampled 501 times
// over `span` seconds. Every case starts at A with zero velocity. The
// constants and each sample are rounded to 32-bit floats as they are
// computed.
DisplacementCurve displacementCurve(float mass, float stiffness, float damping, float amplitude, float span);

// The spring and the mass for displacement x on a picture `width` wide with
// `unit` pixels per displacement unit (the picture is 24 units high): a
// zig-zag of 31 points from the top edge down to the top of the mass, and
// the mass one unit high (right and bottom exclusive).
struct OscillatorPicture {
    std::vector<FixedPoint> spring;
    // The mass as a raster rectangle, right and bottom exclusive.
    int massLeft = 0;
    int massTop = 0;
    int massRight = 0;
    int massBottom = 0;
};
OscillatorPicture oscillatorPicture(int width, float unit, float displacement);

enum class OscillatorState {
    Ready,    // n = 0, clock off
    Running,  // clock on
    Paused,   // stopped part-way, inputs enabled
    Finished, // the last sample passed; the spin edits wait for Reset
};

// What an operation changed, for the window to show.
struct OscillatorChanges {
    bool curve = false;   // the curve was recomputed (the marker went with it)
    bool marker = false;  // the marker moved
    bool picture = false; // the displacement shown in the picture changed
    bool inputs = false;  // the parameters were set by the model (page command)
    bool controls = false; // which controls are enabled may have changed

    OscillatorChanges &operator|=(const OscillatorChanges &o)
    {
        curve |= o.curve;
        marker |= o.marker;
        picture |= o.picture;
        inputs |= o.inputs;
        controls |= o.controls;
        return *this;
    }
};

class DampedOscillatorModel
{
public:
    DampedOscillatorModel();

    // ---- parameters
    float mass() const { return m_mass; }           // kg
    float stiffness() const { return m_stiffness; } // N/m
    float damping() const { return m_damping; }     // kg/s, used as the decay rate
    float span() const { return m_span; }           // seconds on the time axis
    float amplitude() const { return m_amplitude; } // starting displacement A

    // ---- state
    float displacement() const { return m_x; }   // x, shown in the picture
    int sample() const { return m_n; }           // n, 0 to 500
    float sampleClock() const { return m_clock; } // speed x time accumulated
    const DisplacementCurve &curve() const { return m_curve; }
    // The marker's point on the chart: (time, displacement).
    QPointF marker() const { return m_marker; }
    OscillatorState state() const;

    // The controls the state enables. Start is enabled exactly when the
    // clock is off and Stop exactly when it runs.
    bool isRunning() const { return m_running; }
    bool resetEnabled() const { return m_resetEnabled; }
    bool displacementEnabled() const { return m_displacementEnabled; }
    bool parametersEnabled() const { return m_parametersEnabled; }

    // ---- what the user and the clock do
    // Recomputes the curve from the parameters; the marker goes back to
    // sample 0 while n stays (also run when the picture is resized).
    OscillatorChanges computeGraph();
    OscillatorChanges start();
    OscillatorChanges stop();
    OscillatorChanges reset();
    // The three spin edits' values.
    OscillatorChanges setParameters(float mass, float stiffness, float damping);
    // The displacement scroll bar at `position` (-100 top to 100 bottom).
    OscillatorChanges setDisplacementPosition(int position);
    // 5, 10, 15 or 20 seconds; the span already set changes nothing.
    OscillatorChanges setTimeAxis(float seconds);
    // The critical-damping example of the course: m 1, k 25, b 5, A 9.
    OscillatorChanges loadCriticalExample();
    static constexpr int kCriticalExamplePosition = -90;
    // One clock tick: the sample clock is now `sampleClock`. At most one
    // sample advances; after the last one the run finishes.
    OscillatorChanges tick(float sampleClock);

private:
    void backToStart(OscillatorChanges &changes);
    // After a parameter or the time axis changed: back to the start, the
    // curve again.
    OscillatorChanges recompute();
    // Not running; the inputs open again.
    void setStopped(bool resetEnabled);

    float m_mass = 0.5f;
    float m_stiffness = 40.0f;
    float m_damping = 0.2f;
    float m_span = 10.0f;
    float m_amplitude = 5.0f;
    float m_x = 5.0f;
    int m_n = 0;
    float m_clock = 0.0f;
    DisplacementCurve m_curve;
    QPointF m_marker;

    bool m_running = false;
    bool m_resetEnabled = false;
    bool m_displacementEnabled = true;
    bool m_parametersEnabled = true;
};
