#pragma once
// The driven oscillator apart from its window: the steady-state amplitude
// of a mass between two springs, natural frequency 5 Hz, driven at a chosen
// frequency; the resonance curve for the chosen damping with its marker at
// the driving frequency; the model time the animation advances; and the
// geometry of the two-spring picture.
//
// There is no transient: the mass always moves with the steady-state
// amplitude of the driving frequency set at that moment. A parameter change
// moves the curve and the marker at once but not the mass, which follows at
// the next tick; the model time is never reset, so Stop then Start carries
// on where it stopped.
#include <QPointF>
#include <vector>

constexpr int kResonanceCurveSteps = 100; // 101 points, 0 to 10 Hz in 0.1 Hz steps

// The steady-state amplitude at angular frequency `omega` (rad/s) for the
// damping rate c (per second):
//     A = 1500 / sqrt((w0^2 - omega^2)^2 + 4 (c omega)^2),
// w0 = 10 pi (5 Hz) as a 32-bit float, squared at full precision. The root
// and the result are 32-bit floats; a zero denominator gives 0.
float resonanceAmplitude(float dampingRate, float omega);

// The 101 points (f in Hz, amplitude) of the resonance curve.
std::vector<QPointF> resonanceCurve(float dampingRate);

// The picture for displacement x on a surface `width` wide with `unit`
// pixels per displacement unit (the picture is 24 units high, the middle of
// the mass 12 - x units from the top). Springs are in pixels, before
// rounding to the raster's fixed point.
struct ResonatorPicture {
    std::vector<QPointF> upperSpring; // 31 points, top edge to the top of the mass
    std::vector<QPointF> lowerSpring; // 31 points, bottom edge (24 units) to the bottom of the mass
    // The mass, half a unit high, right and bottom exclusive.
    int massLeft = 0;
    int massTop = 0;
    int massRight = 0;
    int massBottom = 0;
};
ResonatorPicture resonatorPicture(int width, float unit, float displacement);

class ResonanceModel
{
public:
    ResonanceModel();

    // ---- parameters, as the spin edits set them
    float damping() const { return m_damping; }         // kg/s, 0.25 to 2.0
    float dampingRate() const { return m_c; }           // c = 10 x the damping setting
    float drivingFrequency() const { return m_fd; }     // Hz, 0.1 to 10.0

    // ---- state
    float time() const { return m_t; }                 // model time, advanced by the clock
    float displacement() const { return m_x; }         // shown by the mass; positive is up
    bool isRunning() const { return m_running; }
    const std::vector<QPointF> &curve() const { return m_curve; }
    QPointF marker() const { return m_marker; }        // (fd, A at fd)
    // The amplitude the mass swings with now.
    float drivingAmplitude() const { return float(m_marker.y()); }

    // ---- what the user and the clock do
    // Both spin edits' values: curve and marker follow; the mass and the
    // model time stay.
    void setParameters(float damping, float drivingFrequency);
    void start() { m_running = true; }
    void stop() { m_running = false; }
    // One clock tick: the model time is now `time`; the mass moves to
    // sin(t fd) x A(2 pi fd). Ignored while stopped. Returns whether the
    // mass moved.
    bool tick(float time);

    // The model time grows by speed x seconds x this.
    static constexpr double kTimeFactor = 0.02;

private:
    float m_damping = 1.0f;
    float m_c = 10.0f;
    float m_fd = 5.0f;
    float m_t = 0.0f;
    float m_x = 0.0f;
    bool m_running = false;
    std::vector<QPointF> m_curve;
    QPointF m_marker;
};
