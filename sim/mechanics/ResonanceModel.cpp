#include "sim/mechanics/ResonanceModel.h"

#include <cmath>

namespace {
// w0 = 10 pi rounded to a float (31.415926), squared in double.
constexpr double kNaturalOmegaSquared = double(31.415926f) * double(31.415926f);
constexpr double kDrivingForce = 1500.0; // per unit mass
constexpr float kTwoPi = 6.2831855f;
constexpr float kCurveStep = 0.62831855f; // 2 pi / 10: 0.1 Hz in rad/s
constexpr double kHertzPerRadian = 0.15915494;
} // namespace

float resonanceAmplitude(float dampingRate, float omega)
{
    const double w = omega;
    const double detuning = kNaturalOmegaSquared - w * w;
    const double friction = double(dampingRate) * w;
    const float root = float(std::sqrt(detuning * detuning + 4.0 * friction * friction));
    if (!(root > 0.0f) || !std::isfinite(root))
        return 0.0f;
    return float(kDrivingForce / double(root));
}

std::vector<QPointF> resonanceCurve(float dampingRate)
{
    std::vector<QPointF> points;
    points.reserve(kResonanceCurveSteps + 1);
    for (int i = 0; i <= kResonanceCurveSteps; ++i) {
        const float omega = float(i * double(kCurveStep));
        points.emplace_back(double(omega) * kHertzPerRadian, resonanceAmplitude(dampingRate, omega));
    }
    return points;
}

ResonatorPicture resonatorPicture(int width, float unit, float displacement)
{
    ResonatorPicture p;
    const int a = int(std::nearbyint(width * 0.25));
    const double s = unit;
    const double h = float(12.0f - displacement); // units from the top to the middle of the mass
    const double massTop = (h - 0.25) * s;
    const double massBottom = (h + 0.25) * s;

    const double pitch = s * h / 30.0;
    p.upperSpring.reserve(31);
    for (int i = 0; i < 30; ++i)
        p.upperSpring.emplace_back(i % 2 == 0 ? a : 3 * a, i * pitch);
    p.upperSpring.emplace_back(2 * a, massTop);

    // The lower spring hangs from the bottom of the 24-unit picture, in
    // counter-phase to the upper one.
    const double bottom = 24.0 * s;
    const double pitch2 = s * (24.0 - h) / 30.0;
    p.lowerSpring.reserve(31);
    for (int i = 0; i < 30; ++i)
        p.lowerSpring.emplace_back(i % 2 == 0 ? 3 * a : a, bottom - i * pitch2);
    p.lowerSpring.emplace_back(2 * a, massBottom);

    p.massLeft = a;
    p.massRight = 3 * a;
    p.massTop = int(std::nearbyint(massTop));
    p.massBottom = int(std::nearbyint(massBottom));
    return p;
}

// ---------------------------------------------------------------- model

ResonanceModel::ResonanceModel()
{
    setParameters(m_damping, m_fd);
}

void ResonanceModel::setParameters(float damping, float drivingFrequency)
{
    m_damping = damping;
    m_c = float(10.0 * double(damping));
    m_fd = drivingFrequency;
    m_curve = resonanceCurve(m_c);
    const float omega = float(double(kTwoPi) * double(m_fd));
    m_marker = QPointF(m_fd, resonanceAmplitude(m_c, omega));
}

bool ResonanceModel::tick(float time)
{
    if (!m_running)
        return false;
    m_t = time;
    // sin of t fd radians (not 2 pi fd t): the animation runs slow enough
    // to follow by eye.
    m_x = float(std::sin(double(m_t) * double(m_fd)) * double(drivingAmplitude()));
    return true;
}
