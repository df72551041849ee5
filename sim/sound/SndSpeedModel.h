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

// u: the smaller side of the picture over 21.
float SoundUnit(int width, int height);

// Sample points after the first: round(0.2 f), halves to even. The screen
// spans 1/180 s.
int ScopeSampleCount(float frequency);
// Phase lag of the microphone x cm from the loudspeaker.
float MicrophonePhaseLag(float x, float frequency);
// Amplitude of the microphone trace on a screen `screenHeight` high.
float MicrophoneAmplitude(float x, float gain, float screenHeight);
// Vertical offset (upwards) of the microphone trace for a Y shift.
float MicrophoneOffset(float shift, float screenHeight);

// The screen inside the oscilloscope's case (X, Y, Wo, Ho).
QRectF ScopeScreen(const QRectF &scope);

struct TScopeTraces {
    QVector<QPointF> Generator;  // blue; ignores gain and shift
    QVector<QPointF> Microphone; // red; may leave the screen (clipped when drawn)
};
TScopeTraces ScopeTraces(const QRectF &screen, float frequency, float gain, float shift, float x);

// Rectangles of the picture's parts.
QRectF CentimetreScaleRect(float u);
QRectF OscilloscopeRect(float u);
QRectF SignalGeneratorRect(float u);
QRectF MicrophoneGlassSquare(float u);
// The microphone's cone edge on the bench for position x cm (0 on the
// scale's zero, 200 on its end).
float MicrophoneBenchX(float x, float u);

// The generator dial's pointer for frequency f: one turn per 1200 Hz.
struct TDialPointer {
    QPointF Centre;
    float HubRadius = 0;
    QPointF P0, P1, P2; // P1 is the tip
};
TDialPointer DialPointer(const QRectF &generator, float frequency);
