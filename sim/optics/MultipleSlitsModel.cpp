#include "sim/optics/MultipleSlitsModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

// s = sin|theta|, and the half phase differences across one slit (beta) and
// between neighbouring slits (gamma), each kept as a 32-bit float.
struct Phases {
    float beta;
    float gamma;
};
Phases phasesAt(float degrees, int width, int separation)
{
    const float s = float(std::sin(std::abs(double(degrees)) * kPi / 180.0));
    return {float(kPi * width * double(s)), float(kPi * separation * double(s))};
}
} // namespace

MultipleSlitsModel::MultipleSlitsModel()
{
    computePattern();
}

void MultipleSlitsModel::setParameters(int slits, int separation, int width)
{
    m_slits = std::clamp(slits, kMinValue, kMaxValue);
    m_separation = std::clamp(separation, kMinValue, kMaxValue);
    m_width = std::clamp(width, kMinValue, kMaxValue);
    computePattern();
}

float MultipleSlitsModel::singleSlitIntensity(float degrees) const
{
    const double n = m_slits, a = m_width;
    const double peak = a * n * n;
    const Phases p = phasesAt(degrees, m_width, m_separation);
    if (p.beta == 0.0f)
        return float(peak);
    const double amplitude = n * std::sin(double(p.beta)) / double(p.beta);
    const double value = a * amplitude * amplitude;
    return std::isfinite(value) ? float(value) : float(peak);
}

float MultipleSlitsModel::multiSlitIntensity(float degrees) const
{
    const double n = m_slits, a = m_width;
    const double peak = a * n * n;
    const Phases p = phasesAt(degrees, m_width, m_separation);
    const double beta = p.beta, gamma = p.gamma;
    const double numerator = std::sin(beta) * std::sin(n * gamma);
    const double denominator = std::sin(gamma) * n * beta;
    if (denominator == 0.0)
        return float(peak);
    const double amplitude = n * numerator / denominator;
    const double value = a * amplitude * amplitude;
    return std::isfinite(value) ? float(value) : float(peak);
}

void MultipleSlitsModel::computePattern()
{
    m_pattern.clear();
    m_envelope.clear();
    m_pattern.reserve(kPatternPoints + 1);
    m_envelope.reserve(kEnvelopePoints);
    float theta = -90.0f;
    while (theta < 90.0f) {
        const float i = m_slits <= 1 ? singleSlitIntensity(theta) : multiSlitIntensity(theta);
        m_pattern.append(QPointF(theta, i));
        theta = float(double(theta) + 0.1);
    }
    for (int deg = -90; deg < 90; ++deg)
        m_envelope.append(QPointF(deg, singleSlitIntensity(float(deg))));
}

std::vector<FringeBand> MultipleSlitsModel::fringeBands(const std::vector<float> &intensities, int slits, int left,
                                                        int right)
{
    std::vector<FringeBand> bands;
    const int n = int(intensities.size());
    if (n < 2 || right <= left)
        return bands;
    const float peak = *std::max_element(intensities.begin(), intensities.end());
    if (!(peak > 0))
        return bands;
    const double step = double(right - left) / n;
    int previous = left;
    for (int i = 1; i < n; ++i) {
        const int x = int(std::nearbyint(i * step)) + left;
        int e = int(std::nearbyint(double(intensities[size_t(i)]) * 255.0 / double(peak))) * slits;
        if (e > 0 && x > previous)
            bands.push_back({previous, x, std::min(e, 255)});
        previous = x;
    }
    return bands;
}

std::vector<FringeBand> MultipleSlitsModel::fringeBands(int left, int right) const
{
    std::vector<float> values;
    values.reserve(size_t(m_pattern.size()));
    for (const QPointF &p : m_pattern)
        values.push_back(float(p.y()));
    return fringeBands(values, m_slits, left, right);
}
