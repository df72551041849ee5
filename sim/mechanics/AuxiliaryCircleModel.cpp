#include "sim/mechanics/AuxiliaryCircleModel.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr double kCurveStep = 0.06283186; // 2 pi / 100: one turn in 100 steps
constexpr double kDegree = M_PI / 180.0;
constexpr int kCurveSteps = 100;
} // namespace

AuxiliaryCircleLayout auxiliaryCircleLayout(int width, int height, int scrollBarHeight)
{
    AuxiliaryCircleLayout l;
    const int w = std::max(width, 0);
    // A window lower than the scroll bar leaves no room, not a negative one.
    const int a = std::max(height - scrollBarHeight, 0);
    l.unit = w <= 2 * a ? float(0.01 * w) : float(0.02 * a);
    const int pw = int(std::nearbyint(100.0 * double(l.unit)));
    const int ph = int(std::nearbyint(50.0 * double(l.unit)));
    const int left = (w - pw) / 2;
    const int top = (a - ph) / 2;
    l.picture = QRect(left, top, pw, ph);
    l.scrollBar = QRect(left, top + ph, pw, scrollBarHeight);
    return l;
}

namespace {

AuxiliaryCirclePoint pointAt(const AuxiliaryCirclePicture &pic, double angle, double graphX)
{
    const double R = pic.radius;
    const double height = -R * std::sin(angle);
    return {QPointF(pic.centre.x() + R * std::cos(angle), height), QPointF(0.0, height), QPointF(graphX, height)};
}

std::vector<QPointF> sineCurve(double unit, double R, double shift)
{
    std::vector<QPointF> points;
    points.reserve(kCurveSteps + 1);
    for (int i = 0; i <= kCurveSteps; ++i)
        points.emplace_back(i * 0.49 * unit, -R * std::sin(i * kCurveStep + shift));
    return points;
}

} // namespace

AuxiliaryCirclePicture auxiliaryCirclePicture(float unit, float position, int phase)
{
    AuxiliaryCirclePicture pic;
    const double U = unit;
    pic.unit = unit;
    pic.radius = float(23.0 * U);
    const double R = pic.radius;
    pic.circle = QRectF(-49.0 * U, -R, 2 * R, 2 * R);
    pic.centre = pic.circle.center();
    pic.curve = sineCurve(U, R, 0.0);

    const double theta = double(kTwoPi) * 0.01 * double(position);
    const double graphX = double(position) * 0.49 * U;
    pic.point = pointAt(pic, theta, graphX);
    if (phase != 0) {
        const double shift = phase * kDegree;
        pic.shiftedCurve = sineCurve(U, R, shift);
        pic.second = pointAt(pic, theta + shift, graphX);
    }
    return pic;
}

// ---------------------------------------------------------------- model

void AuxiliaryCircleModel::start()
{
    m_running = true;
}

void AuxiliaryCircleModel::stop()
{
    m_running = false;
    m_scrollPosition = int(std::trunc(m_p));
}

void AuxiliaryCircleModel::scrollTo(int q)
{
    m_scrollPosition = q;
    m_p = float(q);
}

bool AuxiliaryCircleModel::setPhase(double value)
{
    if (std::isnan(value))
        return false;
    const double whole = std::trunc(value);
    const int v = int(std::clamp(whole, double(-kAuxiliaryCirclePhaseLimit), double(kAuxiliaryCirclePhaseLimit)));
    if (v == m_phase)
        return false;
    m_phase = v;
    return true;
}

bool AuxiliaryCircleModel::tick(float position)
{
    if (!m_running)
        return false;
    m_p = wrapPosition(position);
    return true;
}

float AuxiliaryCircleModel::wrapPosition(float position)
{
    if (!std::isfinite(position))
        return 0.0f;
    float p = position;
    if (p > kAuxiliaryCircleRevolution)
        p -= kAuxiliaryCircleRevolution;
    // A long stall, a very high speed or a negative one moves the point by
    // more than a turn in one tick; it still has to land on the circle and
    // on the graph.
    if (p > kAuxiliaryCircleRevolution || p < 0.0f) {
        p = float(std::fmod(double(p), double(kAuxiliaryCircleRevolution)));
        if (p < 0.0f)
            p += kAuxiliaryCircleRevolution;
    }
    return p;
}
