#include "sim/mechanics/SuperpositionModel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

QString SineComponent::formulaText() const
{
    if (amplitude == 0.0f)
        return QStringLiteral("y = 0");
    QString text = QStringLiteral("y = ");
    if (amplitude != 1.0f)
        text += formatFixed2(amplitude);
    text += QLatin1String("sin(");
    if (frequency != 1.0f)
        text += formatFixed2(frequency);
    if (phase > 0)
        text += QStringLiteral("x + %1)").arg(phase);
    else if (phase < 0)
        text += QStringLiteral("x %1)").arg(phase);
    else
        text += QLatin1String("x)");
    return text;
}

double phaseTerm(int phase)
{
    return double(phase) * kPi / 180.0;
}

QRectF wavePlotRect(float width, float u)
{
    return QRectF(u, 0.5 * u, width - 1.5 * u, 9.0 * u);
}

int waveSegmentCount(float frequency)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(15.0f * frequency)) + 50;
}

QVector<QPointF> wavePoints(const QRectF &plot, float frequency, float amplitude, int phase)
{
    const int n = waveSegmentCount(frequency);
    const double g = plot.height() / 10.0;
    const double ym = plot.top() + plot.height() / 2.0;
    const double p = phaseTerm(phase);
    QVector<QPointF> points(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double x = plot.left() + i * plot.width() / n;
        const double y = ym - (g * amplitude * 0.5) * std::sin(i * 2.0 * kPi * frequency / n + p);
        points[i] = QPointF(x, y);
    }
    return points;
}

QRectF sumPlotRect(float width, float us)
{
    return QRectF(us, 0.75 * us, width - 1.5 * us, 9.0 * us);
}

SumCurve sumCurve(const QRectF &plot, const std::vector<SumEntry> &entries, int scale, int segments)
{
    SumCurve curve;
    const double ym = plot.top() + plot.height() / 2.0;
    const double g = plot.height() / 10.0;
    if (entries.empty()) {
        curve.points = {QPointF(plot.left(), ym), QPointF(plot.right(), ym)};
        curve.straight = true;
        return curve;
    }

    const int N = std::max(1, segments);
    std::vector<double> sum(N + 1, 0.0);
    double m = 0.0;
    float total = 0.0f;
    for (const SumEntry &e : entries) {
        if (!e.checked)
            continue;
        const double k = scale * 2.0 * kPi * e.info.frequency / N;
        const double p = phaseTerm(e.info.phase);
        for (int i = 0; i <= N; ++i) {
            sum[i] += (e.info.amplitude * 0.5) * std::sin(i * k + p);
            m = std::max(m, std::abs(sum[i]));
        }
        total += e.info.amplitude;
    }

    const double factor = m != 0.0 ? 5.0 / m : 1.0;
    curve.points.resize(N + 1);
    for (int i = 0; i <= N; ++i)
        curve.points[i] = QPointF(plot.left() + i * plot.width() / N, ym - g * sum[i] * factor);
    curve.total = total;
    curve.runningMax = float(m);
    return curve;
}

QVector<AxisNumber> axisNumbers(const QRectF &plot, int periods)
{
    const int count = 4 * periods;
    QVector<AxisNumber> numbers;
    numbers.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const float x = float(plot.left() + i * (plot.width() * 0.25 / periods));
        numbers.append({x, QString::number(i * 90), i > 0 && i < count});
    }
    return numbers;
}

std::vector<SineComponent> exampleComponents(SumExample example)
{
    std::vector<SineComponent> c;
    switch (example) {
    case SumExample::SquareWave:
        for (int k = 1; k <= 19; k += 2)
            c.emplace_back(0, float(k), 10.0f / float(k));
        break;
    case SumExample::TriangularWave: {
        float sign = 1.0f;
        for (int k = 1; k <= 9; k += 2) {
            c.emplace_back(0, float(k), sign * 10.0f / float(k * k));
            sign = -sign;
        }
        break;
    }
    case SumExample::Beats:
        c.emplace_back(0, 10.0f, 5.0f);
        c.emplace_back(0, 11.0f, 5.0f);
        break;
    case SumExample::AmplitudeModulation:
        c.emplace_back(0, 19.0f, 8.0f);
        c.emplace_back(0, 20.0f, 2.0f);
        c.emplace_back(0, 18.0f, 2.0f);
        break;
    }
    return c;
}
