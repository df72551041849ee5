#pragma once
// The superposition model apart from its window: the sine components, their
// formula text, the sample points of the wave and sum graphs with the
// running-maximum scaling, the axis numbers and the four example sums.
//
// Phase sign: both graphs draw a component exactly as its formula text
// reads, y = A sin(f * theta + phase * pi / 180), so "y = 3.00sin(2.00x + 30)"
// is an advance: a positive phase slides the curve to the left by phase / f
// degrees, a negative one to the right. Both graphs go through phaseTerm, so
// they always agree.
#include "core/NumberText.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <vector>

// One sine component; created once and never changed.
class SineComponent
{
public:
    SineComponent(int phase, float frequency, float amplitude)
        : amplitude(amplitude), phase(phase), frequency(frequency)
    {
    }

    // The formula as the list shows it, e.g. "y = 10.00sin(x)",
    // "y = sin(3.00x + 30)", "y = sin(x -45)".
    QString formulaText() const;

    float amplitude; // display units; 10 alone fills half the wave graph
    int phase;       // whole degrees
    float frequency; // cycles per 360 degrees of the x axis
};

// The phase term of both graphs (see the note at the top).
double phaseTerm(int phase);

// ---- wave graph (one component, one 360-degree period)

// Plot rectangle of the wave graph on a surface `width` wide, unit u.
QRectF wavePlotRect(float width, float u);
// Segments of the wave curve: round(15 x frequency) + 50, halves to even.
int waveSegmentCount(float frequency);
// The n + 1 points of the component's curve in the plot rectangle.
QVector<QPointF> wavePoints(const QRectF &plot, float frequency, float amplitude, int phase);

// ---- sum graph

// Plot rectangle of the sum graph on a surface `width` wide, unit us.
QRectF sumPlotRect(float width, float us);

struct SumEntry {
    SineComponent info;
    bool checked = true;
};

struct SumCurve {
    QVector<QPointF> points;   // N + 1 points, or the two ends of the flat line
    float total = 0;           // signed sum of the checked amplitudes
    float runningMax = 0;      // largest |running sum| while adding in list order
    bool straight = false;     // the empty list's straight line (no smoothing)
};

// The normal number of segments of the sum curve, and the finer one used
// while the beats or amplitude-modulation example is shown.
constexpr int kSumSegments = 500;
constexpr int kFineSumSegments = 1000;

// The sum of the checked entries over `scale` periods, scaled so that the
// largest running magnitude m reaches 5 grid rows (a flat line when m is 0).
SumCurve sumCurve(const QRectF &plot, const std::vector<SumEntry> &entries, int scale,
                   int segments = kSumSegments);

// ---- axis numbers

struct AxisNumber {
    float x;       // position on the plot's bottom edge
    QString text;  // "0", "90", ...
    bool tick;     // a tick mark (every number but the first and the last)
};
// 4 x periods + 1 numbers, one every quarter period across the plot.
QVector<AxisNumber> axisNumbers(const QRectF &plot, int periods);

// ---- examples

enum class SumExample { SquareWave, TriangularWave, Beats, AmplitudeModulation };
// The example's components in list order, all with phase 0.
std::vector<SineComponent> exampleComponents(SumExample example);
