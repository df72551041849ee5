#pragma once
// Transverse and longitudinal waves apart from their window: a row of 46
// particles carrying a sine wave three wavelengths long, the phase and the
// amplitude the user sets, and where every particle is drawn in either mode.
//
// Particle i lags its left-hand neighbour by 24 degrees, so with the phase
// growing the pattern runs to the right while each particle only swings
// about its own place.
#include <QPointF>
#include <array>

enum class WaveMotion { Transverse, Longitudinal };

constexpr int kRowParticles = 46;     // numbered 0 to 45
constexpr float kRowPhaseStep = 24.0f; // 1080 / 45: three wavelengths
constexpr int kMarkedParticle = 22;   // the middle one

// The longitudinal row in whole pixels: a vertical line per particle from
// Top to Bottom (both drawn), and the grey block on the left that drives the
// row, from BlockLeft to BlockRight (right exclusive).
struct LongitudinalRow {
    std::array<int, kRowParticles> x{};
    int top = 5;
    int bottom = 0;
    int blockLeft = 0;
    int blockRight = 0;
};

// The transverse row: the centre of each particle's disc.
struct TransverseRow {
    std::array<QPointF, kRowParticles> centres{};
    static constexpr float kDiscDiameter = 10.0f;
};

class TransverseLongitudinalModel
{
public:
    // ---- phase, degrees 0 to 360
    float phase() const { return m_phase; }
    // From the clock (already wrapped) or from the phase scroll bar.
    void setPhase(float degrees) { m_phase = degrees; }
    // The scroll bar's position for the phase: whole degrees, halves to even.
    int phasePosition() const;

    // ---- amplitude, set by a scroll bar from 0 to 50
    static constexpr int kMaxAmplitudePosition = 50;
    int amplitudePosition() const { return m_amplitudePosition; }
    void setAmplitudePosition(int position);
    // In units U of a tenth of the picture's height.
    float longitudinalAmplitude() const { return m_longitudinal; } // position x 0.02
    float transverseAmplitude() const { return m_transverse; }     // position x 0.1

    // ---- what is shown
    WaveMotion motion() const { return m_motion; }
    // False (and nothing changes) when the motion is already the one shown.
    bool setMotion(WaveMotion motion);
    bool markerShown() const { return m_marker; }
    void setMarkerShown(bool shown) { m_marker = shown; }

    // ---- the picture, `width` x `height` pixels
    // Pixels per unit U.
    static float unit(int height) { return float(height * 0.1); }
    // Lines at least 6 pixels apart; the row runs past the right edge on a
    // narrow picture rather than crowding.
    LongitudinalRow longitudinalRow(int width, int height) const;
    // Discs at least 4 pixels apart, about the picture's middle line.
    TransverseRow transverseRow(int width, int height) const;

private:
    // sin((i x 24 - phase) degrees)
    double wave(int particle) const;

    float m_phase = 0.0f;
    int m_amplitudePosition = 25;
    float m_longitudinal = 0.5f;
    float m_transverse = 2.5f;
    WaveMotion m_motion = WaveMotion::Transverse;
    bool m_marker = false;
};
