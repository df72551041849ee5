#include "sim/optics/DoubleSlitModel.h"

#include <algorithm>
#include <cmath>

const std::array<LightChoice, 6> &lightChoices()
{
    static const std::array<LightChoice, 6> choices{{
        {"Red", 0xFFFF0000, 700.0f, 0xFF0000},
        {"Orange", 0xFFFF8000, 620.0f, 0xFF794B},
        {"Yellow", 0xFFFFFF00, 580.0f, 0xFFFF00},
        {"Green", 0xFF008000, 520.0f, 0x66CC33},
        {"Blue", 0xFF0000FF, 450.0f, 0x0000FF},
        {"Violet", 0xFFFF00FF, 400.0f, 0xFF00FF},
    }};
    return choices;
}

float wavelengthOf(LightColor color)
{
    for (const LightChoice &c : lightChoices())
        if (c.light == color)
            return c.wavelength;
    return 400.0f;
}

float fringeSpacingDivisions(float lambda, float D, float d)
{
    return lambda * D / (1.0e6f * d);
}

FringeLayout fringeLayout(float screenWidth, float lambda, float D, float d)
{
    FringeLayout f;
    float s = (screenWidth / float(kScreenDivisions)) * lambda * D / (1.0e6f * d);
    if (!(s >= 1.0f))
        s = 1.0f;
    f.spacing = s;
    f.orders = int(std::trunc(0.5f * screenWidth / s));
    f.alphaStep = s >= 2.0f ? int(std::nearbyint(510.0f / s)) : 255;
    f.halfWidth = int(std::nearbyint(s / 2.0f));
    return f;
}

std::vector<int> fringeLineAlphas(const FringeLayout &layout)
{
    std::vector<int> alphas;
    const int h = std::max(1, layout.alphaStep);
    int alpha = 255;
    for (int j = 0; j <= layout.halfWidth; ++j) {
        alphas.push_back(alpha);
        if (alpha > h)
            alpha -= h;
        else
            break;
    }
    return alphas;
}

float pictureUnit(int width, int height)
{
    return 0.01f * float(std::min(width, height));
}

QRectF screenRect(float u)
{
    return QRectF(-49 * u, -49 * u, 98 * u, 10 * u);
}

QRectF screenScaleRect(float u)
{
    return QRectF(-49 * u, -38 * u, 98 * u, 5 * u);
}

QRectF benchScaleRect(float u)
{
    return QRectF(-35 * u, 44 * u, 84 * u, 5 * u);
}

float benchScreenX(float D, float u)
{
    return (D * 8.4f / 31.0f - 35.0f) * u;
}

float benchTickX(int i, float u)
{
    const QRectF r = benchScaleRect(u);
    return float(r.left() + i * r.width() / 31.0);
}

QRectF magnifierSquare(float u)
{
    return QRectF(-15 * u, -20 * u, 30 * u, 30 * u);
}

QRect markerArea(int width, int height)
{
    const float u = pictureUnit(width, height);
    const float w2 = float(width) / 2, h2 = float(height) / 2;
    const int left = int(std::nearbyint(w2 - 49 * u));
    const int top = int(std::nearbyint(h2 - 49 * u));
    const int right = int(std::nearbyint(w2 + 49 * u));
    const int bottom = int(std::nearbyint(h2 - 33 * u));
    return QRect(left, top, right - left, bottom - top);
}

double screenPositionMm(double x, int width, int height)
{
    const double division = screenRect(pictureUnit(width, height)).width() / kScreenDivisions;
    if (division <= 0)
        return 0;
    return (x - width / 2.0) / division * 10.0;
}

QString screenReading(double millimetres)
{
    QString text = QString::number(millimetres, 'f', 1);
    if (text.toDouble() == 0) // no "-0.0"
        text = QStringLiteral("0.0");
    return text + QStringLiteral(" mm");
}
