#include "sim/mechanics/SumWaveModel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

QString TSineInfo::FormulaText() const
{
    if (amplitude == 0.0f)
        return QStringLiteral("y = 0");
    QString text = QStringLiteral("y = ");
    if (amplitude != 1.0f)
        text += FormatFixed2(amplitude);
    text += QLatin1String("sin(");
    if (frequency != 1.0f)
        text += FormatFixed2(frequency);
    if (phase > 0)
        text += QStringLiteral("x + %1)").arg(phase);
    else if (phase < 0)
        text += QStringLiteral("x %1)").arg(phase);
    else
        text += QLatin1String("x)");
    return text;
}

double PhaseTerm(int phase)
{
    return -double(phase) * kPi / 180.0;
}

QRectF WavePlotRect(float width, float u)
{
    return QRectF(u, 0.5 * u, width - 1.5 * u, 9.0 * u);
}

int WaveSegmentCount(float frequency)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(15.0f * frequency)) + 50;
}

QVector<QPointF> WavePoints(const QRectF &plot, float frequency, float amplitude, int phase)
{
    const int n = WaveSegmentCount(frequency);
    const double g = plot.height() / 10.0;
    const double ym = plot.top() + plot.height() / 2.0;
    const double p = PhaseTerm(phase);
    QVector<QPointF> points(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double x = plot.left() + i * plot.width() / n;
        const double y = ym - (g * amplitude * 0.5) * std::sin(i * 2.0 * kPi * frequency / n + p);
        points[i] = QPointF(x, y);
    }
    return points;
}

QRectF SumPlotRect(float width, float us)
{
    return QRectF(us, 0.75 * us, width - 1.5 * us, 9.0 * us);
}

TSumCurve SumCurve(const QRectF &plot, const std::vector<TSumEntry> &entries, int scale, int segments)
{
    TSumCurve curve;
    const double ym = plot.top() + plot.height() / 2.0;
    const double g = plot.height() / 10.0;
    if (entries.empty()) {
        curve.Points = {QPointF(plot.left(), ym), QPointF(plot.right(), ym)};
        curve.Straight = true;
        return curve;
    }

    const int N = std::max(1, segments);
    std::vector<double> sum(N + 1, 0.0);
    double m = 0.0;
    float total = 0.0f;
    for (const TSumEntry &e : entries) {
        if (!e.checked)
            continue;
        const double k = scale * 2.0 * kPi * e.info.frequency / N;
        const double p = PhaseTerm(e.info.phase);
        for (int i = 0; i <= N; ++i) {
            sum[i] += (e.info.amplitude * 0.5) * std::sin(i * k + p);
            m = std::max(m, std::abs(sum[i]));
        }
        total += e.info.amplitude;
    }

    const double factor = m != 0.0 ? 5.0 / m : 1.0;
    curve.Points.resize(N + 1);
    for (int i = 0; i <= N; ++i)
        curve.Points[i] = QPointF(plot.left() + i * plot.width() / N, ym - g * sum[i] * factor);
    curve.Total = total;
    curve.RunningMax = float(m);
    return curve;
}

QVector<TAxisNumber> AxisNumbers(const QRectF &plot, int periods)
{
    const int count = 4 * periods;
    QVector<TAxisNumber> numbers;
    numbers.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const float x = float(plot.left() + i * (plot.width() * 0.25 / periods));
        numbers.append({x, QString::number(i * 90), i > 0 && i < count});
    }
    return numbers;
}

std::vector<TSineInfo> ExampleComponents(TSumExample example)
{
    std::vector<TSineInfo> c;
    switch (example) {
    case TSumExample::SquareWave:
        for (int k = 1; k <= 19; k += 2)
            c.emplace_back(0, float(k), 10.0f / float(k));
        break;
    case TSumExample::TriangularWave: {
        float sign = 1.0f;
        for (int k = 1; k <= 9; k += 2) {
            c.emplace_back(0, float(k), sign * 10.0f / float(k * k));
            sign = -sign;
        }
        break;
    }
    case TSumExample::Beats:
        c.emplace_back(0, 10.0f, 5.0f);
        c.emplace_back(0, 11.0f, 5.0f);
        break;
    case TSumExample::AmplitudeModulation:
        c.emplace_back(0, 19.0f, 8.0f);
        c.emplace_back(0, 20.0f, 2.0f);
        c.emplace_back(0, 18.0f, 2.0f);
        break;
    }
    return c;
}
