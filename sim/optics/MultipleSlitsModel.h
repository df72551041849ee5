#pragma once
// N equal slits apart from their window: the far-field (Fraunhofer)
// intensity against angle, the single-slit envelope, and the fringe strip
// that shows the same pattern as red light on a screen.
//
// Distances are in wavelengths. For an angle theta, with s = sin|theta|,
// beta = pi a s and gamma = pi d s,
//     I(theta) = a (sin beta / beta)^2 (sin N gamma / sin gamma)^2,
// which peaks at a N^2 straight ahead, and the envelope is a N^2 (sin beta /
// beta)^2, the single slit scaled to meet the principal maxima. s, beta and
// gamma are kept as 32-bit floats, and so is each intensity.
#include <QList>
#include <QPointF>
#include <vector>

// One band of the fringe strip: the strip's pixels from x0 to x1 (x1
// exclusive) in red of brightness `red` (1 to 255).
struct FringeBand {
    int x0 = 0;
    int x1 = 0;
    int red = 0;
};

class MultipleSlitsModel
{
public:
    static constexpr int kMinValue = 1; // for N, d and a alike
    static constexpr int kMaxValue = 10;
    // The pattern runs from -90 degrees in steps of 0.1 while below 90.
    static constexpr int kPatternPoints = 1801;
    static constexpr int kEnvelopePoints = 180;

    MultipleSlitsModel();

    int slits() const { return m_slits; }           // N
    int separation() const { return m_separation; } // d, wavelengths
    int width() const { return m_width; }           // a, wavelengths

    // Sets all three (each held to 1 to 10) and recomputes the pattern.
    void setParameters(int slits, int separation, int width);

    // The intensity of N slits at `degrees`, and the envelope there. Where
    // the formula meets 0/0 (straight ahead) or fails, the value is a N^2.
    float multiSlitIntensity(float degrees) const;
    float singleSlitIntensity(float degrees) const;

    // (angle, intensity): the pattern from -90 in steps of 0.1 degrees, the
    // angle a 32-bit float after each step (so the points drift slightly from
    // exact tenths; the last is at about 89.998). One slit gives the
    // single-slit curve.
    const QList<QPointF> &pattern() const { return m_pattern; }
    // The envelope at -90, -89, ..., 89 degrees.
    const QList<QPointF> &envelope() const { return m_envelope; }

    // The strip between x = left and x = right for `intensities` (the
    // pattern's values in order, spread evenly across): each value after the
    // first fills the band up to its own place with red of brightness
    // round(I x 255 / peak) x N, at most 255. Multiplying by N lets the weak
    // maxima of many slits show; bright parts saturate. Dark bands are left
    // out, and so are bands that come to no whole pixel (the pattern has
    // more points than the strip has pixels).
    static std::vector<FringeBand> fringeBands(const std::vector<float> &intensities, int slits, int left, int right);
    std::vector<FringeBand> fringeBands(int left, int right) const;

private:
    void computePattern();

    int m_slits = 2;
    int m_separation = 2;
    int m_width = 1;
    QList<QPointF> m_pattern;
    QList<QPointF> m_envelope;
};
