#include "sim/mechanics/TransverseLongitudinalModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int TransverseLongitudinalModel::phasePosition() const
{
    return int(std::nearbyint(double(m_phase)));
}

void TransverseLongitudinalModel::setAmplitudePosition(int position)
{
    m_amplitudePosition = position;
    m_longitudinal = float(position * 0.02);
    m_transverse = float(position * 0.1);
}

bool TransverseLongitudinalModel::setMotion(WaveMotion motion)
{
    if (motion == m_motion)
        return false;
    m_motion = motion;
    return true;
}

double TransverseLongitudinalModel::wave(int particle) const
{
    const double degrees = double(particle) * double(kRowPhaseStep) - double(m_phase);
    return std::sin(degrees * std::numbers::pi / 180.0);
}

LongitudinalRow TransverseLongitudinalModel::longitudinalRow(int width, int height) const
{
    LongitudinalRow row;
    const float amp = m_longitudinal * unit(height);
    const float dx = std::max(float(width) / float(kRowParticles - 1), 6.0f);
    // The leftmost line swings as far as amp to the left; the offset keeps it
    // 7 pixels clear of the edge, room for the block that drives the row.
    const int offset = int(std::nearbyint(double(amp) + 7.0));
    for (int i = 0; i < kRowParticles; ++i)
        row.x[size_t(i)] = int(std::nearbyint(wave(i) * double(amp) + i * double(dx))) + offset;
    row.bottom = height - 5;
    row.blockLeft = row.x[0] - 4;
    row.blockRight = row.x[0];
    return row;
}

TransverseRow TransverseLongitudinalModel::transverseRow(int width, int height) const
{
    TransverseRow row;
    const float amp = m_transverse * unit(height);
    const float dx = std::max(float(width) / float(kRowParticles - 1), 4.0f);
    const int mid = height / 2;
    // y grows downwards, so a positive displacement is below the middle.
    for (int i = 0; i < kRowParticles; ++i)
        row.centres[size_t(i)] = QPointF(i * double(dx), mid + wave(i) * double(amp));
    return row;
}
