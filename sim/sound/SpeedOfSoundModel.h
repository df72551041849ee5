#pragma once
// The speed-of-sound model apart from its window: the oscilloscope's two
// traces (generator and microphone, with the microphone's phase lag
// 2*pi*f*x/v and its fall with distance) and the geometry of the bench,
// all in pixels about the picture's centre, lengths in units of u.
#include <QPointF>
#include <QRectF>
#include <QVector>

constexpr float kSpeedOfSound = 330.0f;       // m/s
constexpr float kTwoPi = 6.28318530717958647f; // as a 32-bit float
// The bench scale runs from the loudspeaker (0) to 200 cm. The microphone
// stays on it: beyond its end the microphone would leave the picture and
// the glass would show no scale to read. 200 cm holds a whole wavelength
// at every frequency the generator offers (1.65 m at 200 Hz).
constexpr float kBenchLength = 200.0f; // cm
// The scroll bar moves the microphone in steps of 1 mm.
constexpr int kMicrophoneStepsPerCm = 10;
constexpr int kMicrophoneMaxPosition = int(kBenchLength) * kMicrophoneStepsPerCm;

// u: the smaller side of the picture over 21.
float soundUnit(int width, int height);

// Sample points after the first: round(0.2 f), halves to even. The screen
// spans 1/180 s.
int scopeSampleCount(float frequency);
// Phase lag of the microphone x cm from the loudspeaker.
float microphonePhaseLag(float x, float frequency);
// Amplitude of the microphone trace on a screen `screenHeight` high.
float microphoneAmplitude(float x, float gain, float screenHeight);
// Vertical offset (upwards) of the microphone trace for a Y shift.
float microphoneOffset(float shift, float screenHeight);

// The screen inside the oscilloscope's case (X, Y, Wo, Ho).
QRectF scopeScreen(const QRectF &scope);

struct ScopeTraces {
    QVector<QPointF> generator;  // blue; ignores gain and shift
    QVector<QPointF> microphone; // red; may leave the screen (clipped when drawn)
};
ScopeTraces scopeTraces(const QRectF &screen, float frequency, float gain, float shift, float x);

// Rectangles of the picture's parts.
QRectF centimetreScaleRect(float u);
QRectF oscilloscopeRect(float u);
QRectF signalGeneratorRect(float u);
QRectF microphoneGlassSquare(float u);
// The microphone's cone edge on the bench for position x cm (0 on the
// scale's zero, 200 on its end).
float microphoneBenchX(float x, float u);

// The generator dial's pointer for frequency f: one turn per 1200 Hz.
struct DialPointer {
    QPointF centre;
    float hubRadius = 0;
    QPointF p0, p1, p2; // P1 is the tip
};
DialPointer dialPointer(const QRectF &generator, float frequency);
