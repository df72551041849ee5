#pragma once
// Standing waves apart from their window: two equal waves travelling in
// opposite directions and their sum, sampled for the two graphs, with the
// harmonic number and the phase the user sets.
//
// The sum A sin(kx - p) + A sin(kx + p) = 2A sin(kx) cos(p) stays in place:
// f + 1 nodes, the ends included, and antinodes that swing between +-2A.
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

// Both graphs, in pixels relative to the picture's centre (y downwards).
struct StandingWavePicture {
    QRectF upper;     // the two travelling waves
    QRectF lower;     // their sum
    float gridStep = 0;
    QVector<QLineF> upperGrid; // inner grid lines and the middle line
    QVector<QLineF> lowerGrid;
    int samples = 0;           // n: the curves have n + 1 points
    QVector<QPointF> rightward; // blue, A sin(ik - p)
    QVector<QPointF> leftward;  // red, A sin(ik + p)
    QVector<QPointF> sum;       // green, in the lower graph
    QString frequencyCaption;   // "Frequency = 2"
};

class StandingWavesModel
{
public:
    static constexpr int kMinFrequency = 1;
    static constexpr int kMaxFrequency = 10;

    // The harmonic number: how many half-wavelengths span the graph.
    float frequency() const { return m_frequency; }
    void setFrequency(int value) { m_frequency = float(value); }

    // Degrees, 0 to 360; from the clock (already wrapped) or the scroll bar.
    float phase() const { return m_phase; }
    void setPhase(float degrees) { m_phase = degrees; }
    // Where the scroll bar goes when the animation stops: whole degrees,
    // cut towards zero.
    int stoppedPosition() const { return int(m_phase); }

    // Pixels per unit: a tenth of the picture's smaller side.
    static float unit(int width, int height);
    // n = 50 f, halves to even.
    static int sampleCount(float frequency);

    StandingWavePicture picture(float unit) const;

private:
    float m_frequency = 2.0f;
    float m_phase = 0.0f;
};

// The grid inside r with square cells of `step`: the 19 inner vertical lines
// of a graph 20 steps wide, the middle line, and as many horizontal lines
// above and below it as fit in half the height.
QVector<QLineF> graphGrid(const QRectF &r, float step);
