#include "sim/mechanics/StandingWavesModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

float StandingWavesModel::unit(int width, int height)
{
    return float(0.1 * std::min(width, height));
}

int StandingWavesModel::sampleCount(float frequency)
{
    return int(std::nearbyint(50.0 * double(frequency)));
}

QVector<QLineF> graphGrid(const QRectF &r, float step)
{
    QVector<QLineF> lines;
    const double g = step;
    for (int i = 1; i <= 19; ++i) {
        const double x = r.x() + i * g;
        lines.append(QLineF(x, r.top(), x, r.bottom()));
    }
    const double ym = r.y() + r.height() / 2;
    const int m = int(float(r.height()) / 2.0f / step);
    for (int j = 1; j <= m; ++j) {
        lines.append(QLineF(r.left(), ym - j * g, r.right(), ym - j * g));
        lines.append(QLineF(r.left(), ym + j * g, r.right(), ym + j * g));
    }
    lines.append(QLineF(r.left(), ym, r.right(), ym));
    return lines;
}

StandingWavePicture StandingWavesModel::picture(float unit) const
{
    StandingWavePicture p;
    const float u = unit;
    p.upper = QRectF(-4.9f * u, -4.7f * u, 9.8f * u, 3.0f * u);
    p.lower = QRectF(-4.9f * u, -1.1f * u, 9.8f * u, 6.0f * u);
    p.gridStep = 0.05f * float(p.upper.width());
    p.upperGrid = graphGrid(p.upper, p.gridStep);
    p.lowerGrid = graphGrid(p.lower, p.gridStep);

    const int n = sampleCount(m_frequency);
    p.samples = n;
    const double k = std::numbers::pi * double(m_frequency) / n;
    const double dx = p.upper.width() / n;
    const double A = 0.45 * p.upper.height();
    const double pr = double(m_phase) * std::numbers::pi / 180.0;
    const double ym = p.upper.y() + p.upper.height() / 2;
    const double ym2 = p.lower.y() + p.lower.height() / 2;
    p.rightward.reserve(n + 1);
    p.leftward.reserve(n + 1);
    p.sum.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double x = p.upper.x() + i * dx;
        const double a = A * std::sin(i * k - pr);
        const double b = A * std::sin(i * k + pr);
        p.rightward.append(QPointF(x, ym - a));
        p.leftward.append(QPointF(x, ym - b));
        p.sum.append(QPointF(x, ym2 - (a + b)));
    }
    p.frequencyCaption = QStringLiteral("Frequency = %1").arg(int(m_frequency));
    return p;
}
