#include "sim/mechanics/DampedOscillatorModel.h"

#include <cmath>

DampingCase dampingCase(float naturalFrequency, float damping)
{
    if (damping == 0.0f)
        return DampingCase::Undamped;
    if (damping < naturalFrequency)
        return DampingCase::UnderDamped;
    // A narrow band at w0 counts as critical, so that a damping typed as
    // w0 (5 for m 1, k 25) is not split by the float rounding of w0.
    if (double(damping) < double(naturalFrequency) + 0.01)
        return DampingCase::Critical;
    return DampingCase::OverDamped;
}

DisplacementCurve displacementCurve(float mass, float stiffness, float damping, float amplitude, float span)
{
    DisplacementCurve c;
    const double A = amplitude;
    const double b = damping;
    const float w0 = float(std::sqrt(double(stiffness) / double(mass)));
    c.naturalFrequency = w0;
    c.dampingCase = dampingCase(w0, damping);
    const double dt = double(span) / kSHMLastSample;
    for (int i = 0; i <= kSHMLastSample; ++i)
        c.time[size_t(i)] = i * dt;

    auto fill = [&](auto x) {
        for (size_t i = 0; i < c.x.size(); ++i)
            c.x[i] = float(x(c.time[i]));
    };
    switch (c.dampingCase) {
    case DampingCase::Undamped:
        fill([&](double t) { return A * std::cos(double(w0) * t); });
        break;
    case DampingCase::UnderDamped: {
        const float wd = float(std::sqrt(double(w0) * w0 - b * b));
        const float phi = float(std::atan(double(wd) / b));
        const double scale = A / std::sin(double(phi));
        fill([&](double t) { return std::exp(-b * t) * scale * std::sin(double(wd) * t + double(phi)); });
        break;
    }
    case DampingCase::Critical:
        fill([&](double t) { return std::exp(-b * t) * (1.0 + b * t) * A; });
        break;
    case DampingCase::OverDamped: {
        const float q = float(std::sqrt(b * b - double(w0) * w0));
        const float r1 = float(b + q);
        const float r2 = float(b - q);
        const double ratio = double(r1) / double(r2);
        const float K = float(A / (1.0 - ratio));
        fill([&](double t) { return double(K) * (std::exp(-double(r1) * t) - ratio * std::exp(-double(r2) * t)); });
        break;
    }
    }
    return c;
}

OscillatorPicture oscillatorPicture(int width, float unit, float displacement)
{
    OscillatorPicture p;
    const int a = int(std::nearbyint(width * 0.25));
    const float L = 12.0f - displacement; // units from the top edge to the mass
    const double s = unit;
    const double pitch = double(L) / 30.0;
    p.spring.reserve(31);
    for (int i = 0; i < 30; ++i)
        p.spring.push_back(fixedPoint(i % 2 == 0 ? a : 3 * a, i * pitch * s));
    p.spring.push_back(fixedPoint(2 * a, double(L) * s));
    p.massLeft = a;
    p.massRight = 3 * a;
    p.massTop = int(std::nearbyint(double(L) * s));
    p.massBottom = int(std::nearbyint(double(L) * s + s));
    return p;
}

// ---------------------------------------------------------------- model

DampedOscillatorModel::DampedOscillatorModel()
{
    computeGraph();
}

OscillatorState DampedOscillatorModel::state() const
{
    if (m_running)
        return OscillatorState::Running;
    if (m_n == 0)
        return OscillatorState::Ready;
    return m_parametersEnabled ? OscillatorState::Paused : OscillatorState::Finished;
}

OscillatorChanges DampedOscillatorModel::computeGraph()
{
    m_curve = displacementCurve(m_mass, m_stiffness, m_damping, m_amplitude, m_span);
    m_marker = QPointF(0.0, m_curve.x[0]);
    OscillatorChanges c;
    c.curve = c.marker = true;
    return c;
}

void DampedOscillatorModel::backToStart(OscillatorChanges &changes)
{
    if (m_n == 0)
        return;
    m_x = m_amplitude;
    m_n = 0;
    m_clock = 0.0f;
    changes.picture = true;
}

void DampedOscillatorModel::setStopped(bool resetEnabled)
{
    m_running = false;
    m_resetEnabled = resetEnabled;
    m_displacementEnabled = true;
    m_parametersEnabled = true;
}

OscillatorChanges DampedOscillatorModel::start()
{
    // A finished run starts again from the beginning of the same curve.
    if (m_n == kSHMLastSample)
        m_n = 0;
    m_running = true;
    m_resetEnabled = false;
    m_displacementEnabled = false;
    m_parametersEnabled = false;
    m_clock = float(m_n);
    OscillatorChanges c;
    c.controls = true;
    return c;
}

OscillatorChanges DampedOscillatorModel::stop()
{
    setStopped(m_n > 0);
    m_clock = float(m_n);
    OscillatorChanges c;
    c.controls = true;
    return c;
}

OscillatorChanges DampedOscillatorModel::reset()
{
    m_n = 0;
    setStopped(false);
    m_x = m_amplitude;
    m_marker = QPointF(0.0, m_x);
    m_clock = 0.0f;
    OscillatorChanges c;
    c.marker = c.picture = c.controls = true;
    return c;
}

OscillatorChanges DampedOscillatorModel::setParameters(float mass, float stiffness, float damping)
{
    m_mass = mass;
    m_stiffness = stiffness;
    m_damping = damping;
    return recompute();
}

OscillatorChanges DampedOscillatorModel::setDisplacementPosition(int position)
{
    m_amplitude = float(position * -0.1); // top (-100) is +10
    m_x = m_amplitude;
    m_n = 0;
    OscillatorChanges c = computeGraph();
    m_marker = QPointF(0.0, m_x);
    c.picture = c.controls = true;
    m_resetEnabled = false;
    m_clock = 0.0f;
    return c;
}

OscillatorChanges DampedOscillatorModel::setTimeAxis(float seconds)
{
    if (seconds == m_span)
        return {};
    m_span = seconds;
    return recompute();
}

OscillatorChanges DampedOscillatorModel::recompute()
{
    OscillatorChanges c;
    backToStart(c);
    c |= computeGraph();
    m_marker = QPointF(m_curve.time[size_t(m_n)], m_x);
    m_resetEnabled = m_n > 0;
    c.controls = true;
    return c;
}

OscillatorChanges DampedOscillatorModel::loadCriticalExample()
{
    m_mass = 1.0f;
    m_stiffness = 25.0f;
    m_damping = 5.0f;
    m_amplitude = 9.0f;
    m_n = 0;
    setStopped(false);
    m_x = m_amplitude;
    OscillatorChanges c = computeGraph();
    m_marker = QPointF(m_curve.time[0], m_x);
    c.picture = c.inputs = c.controls = true;
    return c;
}

OscillatorChanges DampedOscillatorModel::tick(float sampleClock)
{
    if (!m_running)
        return {};
    m_clock = sampleClock;
    if (double(m_clock) - m_n < 1.0)
        return {};
    ++m_n;
    if (m_n <= kSHMLastSample) {
        m_x = m_curve.x[size_t(m_n)];
        m_marker = QPointF(m_curve.time[size_t(m_n)], m_x);
        OscillatorChanges c;
        c.marker = c.picture = true;
        return c;
    }
    // The run is over; the spin edits stay disabled until Reset.
    m_running = false;
    m_resetEnabled = true;
    m_displacementEnabled = true;
    m_n = kSHMLastSample;
    OscillatorChanges c;
    c.controls = true;
    return c;
}
