#include "sim/sound/SpeedOfSoundModel.h"

#include <algorithm>
#include <cmath>

float soundUnit(int width, int height)
{
    return float(height < width ? height : width) / 21.0f;
}

int scopeSampleCount(float frequency)
{
    return std::max(1, int(std::nearbyint(0.2f * frequency)));
}

float microphonePhaseLag(float x, float frequency)
{
    return kTwoPi * x * 0.01f * frequency / kSpeedOfSound;
}

float microphoneAmplitude(float x, float gain, float screenHeight)
{
    return std::exp(-0.01f * x) * 0.096f * screenHeight / gain;
}

float microphoneOffset(float shift, float screenHeight)
{
    return 0.096f * screenHeight * shift;
}

QRectF scopeScreen(const QRectF &scope)
{
    const double m = 0.05 * scope.width();
    return QRectF(scope.left() + m, scope.top() + m, scope.width() - 2 * m, scope.height() - 2 * m);
}

ScopeTraces scopeTraces(const QRectF &screen, float frequency, float gain, float shift, float x)
{
    const int N = scopeSampleCount(frequency);
    const float delta = kTwoPi * frequency / (180.0f * float(N));
    const double sx = screen.left(), sw = screen.width(), sh = screen.height();
    const double cy = screen.top() + sh / 2.0;
    const float phi = microphonePhaseLag(x, frequency);
    const float A = microphoneAmplitude(x, gain, float(sh));
    const float o = microphoneOffset(shift, float(sh));

    ScopeTraces t;
    t.generator.resize(N + 1);
    t.microphone.resize(N + 1);
    for (int i = 0; i <= N; ++i) {
        const double px = sx + i * sw / N;
        const float a = float(i) * delta;
        t.generator[i] = QPointF(px, cy - std::sin(a) * 0.48 * sh);
        t.microphone[i] = QPointF(px, cy - std::sin(a - phi) * A - o);
    }
    return t;
}

QRectF centimetreScaleRect(float u)
{
    return QRectF(-9 * u, 3.2 * u, 18 * u, 1 * u);
}

QRectF oscilloscopeRect(float u)
{
    return QRectF(-3 * u, -10.3 * u, 12 * u, 10 * u);
}

QRectF signalGeneratorRect(float u)
{
    return QRectF(-9 * u, -6 * u, 4 * u, 4 * u);
}

QRectF microphoneGlassSquare(float u)
{
    return QRectF(-2.8 * u, 4.7 * u, 5.6 * u, 5.6 * u);
}

float microphoneBenchX(float x, float u)
{
    return (x * 18.0f / 200.0f - 9.0f) * u;
}

DialPointer dialPointer(const QRectF &generator, float frequency)
{
    const double X = generator.left(), Y = generator.top(), Wg = generator.width();
    const double cx = X + 0.5 * Wg, cy = Y + 0.4 * Wg;
    const double r = 0.2 * Wg;
    const double a = kTwoPi / 13.0;
    const double theta = kTwoPi * frequency / 1200.0;
    DialPointer p;
    p.centre = QPointF(cx, cy);
    p.hubRadius = float(r);
    p.p0 = QPointF(cx - r * std::cos(theta - a), cy - r * std::sin(theta - a));
    p.p1 = QPointF(cx - 0.3 * Wg * std::cos(theta), cy - 0.3 * Wg * std::sin(theta));
    p.p2 = QPointF(cx - r * std::cos(theta + a), cy - r * std::sin(theta + a));
    return p;
}
