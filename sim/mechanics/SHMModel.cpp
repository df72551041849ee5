#include "sim/mechanics/SHMModel.h"

#include <cmath>

TDampingCase DampingCase(float naturalFrequency, float damping)
{
    if (damping == 0.0f)
        return TDampingCase::Undamped;
    if (damping < naturalFrequency)
        return TDampingCase::UnderDamped;
    // A narrow band at w0 counts as critical, so that a damping typed as
    // w0 (5 for m 1, k 25) is not split by the float rounding of w0.
    if (double(damping) < double(naturalFrequency) + 0.01)
        return TDampingCase::Critical;
    return TDampingCase::OverDamped;
}

TSHMCurve DisplacementCurve(float mass, float stiffness, float damping, float amplitude, float span)
{
    TSHMCurve c;
    const double A = amplitude;
    const double b = damping;
    const float w0 = float(std::sqrt(double(stiffness) / double(mass)));
    c.NaturalFrequency = w0;
    c.Case = DampingCase(w0, damping);
    const double dt = double(span) / kSHMLastSample;
    for (int i = 0; i <= kSHMLastSample; ++i)
        c.Time[size_t(i)] = i * dt;

    auto fill = [&](auto x) {
        for (size_t i = 0; i < c.X.size(); ++i)
            c.X[i] = float(x(c.Time[i]));
    };
    switch (c.Case) {
    case TDampingCase::Undamped:
        fill([&](double t) { return A * std::cos(double(w0) * t); });
        break;
    case TDampingCase::UnderDamped: {
        const float wd = float(std::sqrt(double(w0) * w0 - b * b));
        const float phi = float(std::atan(double(wd) / b));
        const double scale = A / std::sin(double(phi));
        fill([&](double t) { return std::exp(-b * t) * scale * std::sin(double(wd) * t + double(phi)); });
        break;
    }
    case TDampingCase::Critical:
        fill([&](double t) { return std::exp(-b * t) * (1.0 + b * t) * A; });
        break;
    case TDampingCase::OverDamped: {
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

TOscillatorPicture OscillatorPicture(int width, float unit, float displacement)
{
    TOscillatorPicture p;
    const int a = int(std::nearbyint(width * 0.25));
    const float L = 12.0f - displacement; // units from the top edge to the mass
    const double s = unit;
    const double pitch = double(L) / 30.0;
    p.Spring.reserve(31);
    for (int i = 0; i < 30; ++i)
        p.Spring.push_back(FixedPoint(i % 2 == 0 ? a : 3 * a, i * pitch * s));
    p.Spring.push_back(FixedPoint(2 * a, double(L) * s));
    p.MassLeft = a;
    p.MassRight = 3 * a;
    p.MassTop = int(std::nearbyint(double(L) * s));
    p.MassBottom = int(std::nearbyint(double(L) * s + s));
    return p;
}

// ---------------------------------------------------------------- model

TSHMModel::TSHMModel()
{
    ComputeGraph();
}

TSHMState TSHMModel::State() const
{
    if (m_running)
        return TSHMState::Running;
    if (m_n == 0)
        return TSHMState::Ready;
    return m_parametersEnabled ? TSHMState::Paused : TSHMState::Finished;
}

TSHMChanges TSHMModel::ComputeGraph()
{
    m_curve = DisplacementCurve(m_mass, m_stiffness, m_damping, m_amplitude, m_span);
    m_marker = QPointF(0.0, m_curve.X[0]);
    TSHMChanges c;
    c.Curve = c.Marker = true;
    return c;
}

void TSHMModel::BackToStart(TSHMChanges &changes)
{
    if (m_n == 0)
        return;
    m_x = m_amplitude;
    m_n = 0;
    m_clock = 0.0f;
    changes.Picture = true;
}

void TSHMModel::SetStopped(bool resetEnabled)
{
    m_running = false;
    m_resetEnabled = resetEnabled;
    m_displacementEnabled = true;
    m_parametersEnabled = true;
}

TSHMChanges TSHMModel::Start()
{
    // A finished run starts again from the beginning of the same curve.
    if (m_n == kSHMLastSample)
        m_n = 0;
    m_running = true;
    m_resetEnabled = false;
    m_displacementEnabled = false;
    m_parametersEnabled = false;
    m_clock = float(m_n);
    TSHMChanges c;
    c.Controls = true;
    return c;
}

TSHMChanges TSHMModel::Stop()
{
    SetStopped(m_n > 0);
    m_clock = float(m_n);
    TSHMChanges c;
    c.Controls = true;
    return c;
}

TSHMChanges TSHMModel::Reset()
{
    m_n = 0;
    SetStopped(false);
    m_x = m_amplitude;
    m_marker = QPointF(0.0, m_x);
    m_clock = 0.0f;
    TSHMChanges c;
    c.Marker = c.Picture = c.Controls = true;
    return c;
}

TSHMChanges TSHMModel::SetParameters(float mass, float stiffness, float damping)
{
    m_mass = mass;
    m_stiffness = stiffness;
    m_damping = damping;
    return Recompute();
}

TSHMChanges TSHMModel::SetDisplacementPosition(int position)
{
    m_amplitude = float(position * -0.1); // top (-100) is +10
    m_x = m_amplitude;
    m_n = 0;
    TSHMChanges c = ComputeGraph();
    m_marker = QPointF(0.0, m_x);
    c.Picture = c.Controls = true;
    m_resetEnabled = false;
    m_clock = 0.0f;
    return c;
}

TSHMChanges TSHMModel::SetTimeAxis(float seconds)
{
    if (seconds == m_span)
        return {};
    m_span = seconds;
    return Recompute();
}

TSHMChanges TSHMModel::Recompute()
{
    TSHMChanges c;
    BackToStart(c);
    c |= ComputeGraph();
    m_marker = QPointF(m_curve.Time[size_t(m_n)], m_x);
    m_resetEnabled = m_n > 0;
    c.Controls = true;
    return c;
}

TSHMChanges TSHMModel::LoadCriticalExample()
{
    m_mass = 1.0f;
    m_stiffness = 25.0f;
    m_damping = 5.0f;
    m_amplitude = 9.0f;
    m_n = 0;
    SetStopped(false);
    m_x = m_amplitude;
    TSHMChanges c = ComputeGraph();
    m_marker = QPointF(m_curve.Time[0], m_x);
    c.Picture = c.Inputs = c.Controls = true;
    return c;
}

TSHMChanges TSHMModel::Tick(float sampleClock)
{
    if (!m_running)
        return {};
    m_clock = sampleClock;
    if (double(m_clock) - m_n < 1.0)
        return {};
    ++m_n;
    if (m_n <= kSHMLastSample) {
        m_x = m_curve.X[size_t(m_n)];
        m_marker = QPointF(m_curve.Time[size_t(m_n)], m_x);
        TSHMChanges c;
        c.Marker = c.Picture = true;
        return c;
    }
    // The run is over; the spin edits stay disabled until Reset.
    m_running = false;
    m_resetEnabled = true;
    m_displacementEnabled = true;
    m_n = kSHMLastSample;
    TSHMChanges c;
    c.Controls = true;
    return c;
}
