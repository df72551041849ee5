#include "sim/sound/GammaAbsorptionModel.h"

#include "core/RandomNumbers.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kRulerTop = 150.0f; // bench y of the ruler's top edge
constexpr float kBarStep = 0.1f;    // cm per scroll step
} // namespace

float expectedCountRate(float thickness, float detector, bool sourceShown)
{
    if (!sourceShown)
        return kBackgroundRate;
    const float distance = 10.0f * detector;
    const float r = kSourceStrength * std::exp(-kAttenuation * thickness) * (1.0f / (distance * distance));
    return std::min(r, kRateCap);
}

QString counterText(float counts)
{
    return QString::asprintf("%.5lld", static_cast<long long>(std::nearbyint(counts)));
}

QString stopClockText(float elapsed)
{
    return QString::asprintf("%.2lld.00", static_cast<long long>(std::nearbyint(elapsed)));
}

QPolygonF sourcePot(const QRectF &square)
{
    const double A = square.x(), B = square.y(), C = square.width();
    const double f = 0.15 * C, k = C / 30.0;
    return QPolygonF({{A + C - f, B + C / 2 - k}, {A + C - f, B + f}, {A + f, B + f}, {A + f, B + C - f},
                      {A + C - f, B + C - f}, {A + C - f, B + C / 2 + k}, {A + C, B + C / 2 + k}, {A + C, B + C},
                      {A, B + C}, {A, B}, {A + C, B}, {A + C, B + C / 2 - k}});
}

QRectF radiationSign(const QRectF &square)
{
    const double r = 0.18 * square.width();
    return QRectF(square.x() + r, square.y() + r, square.width() - 2 * r, square.width() - 2 * r);
}

GammaAbsorptionModel::GammaAbsorptionModel(GaussSource gauss) : m_gauss(gauss ? std::move(gauss) : GaussSource(gaussRandom)) {}

void GammaAbsorptionModel::setPictureSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    float s = float(width) / 400.0f;
    if (s * 340.0f > float(height))
        s = float(height) / 340.0f;
    m_s = s;
    m_x0 = 0.5f * float(width) / s - 150.0f;
}

GammaBench GammaAbsorptionModel::bench() const
{
    const float s = m_s, x0 = m_x0;
    auto rect = [s](float x, float y, float w, float h) { return QRectF(x * s, y * s, w * s, h * s); };
    auto point = [s](float x, float y) { return QPointF(x * s, y * s); };

    GammaBench b;
    b.ruler = rect(x0, kRulerTop, 300, 20);
    for (int i = 1; i <= 29; ++i) {
        RulerTick t;
        t.x = (x0 + 10.0f * float(i)) * s;
        t.top = kRulerTop * s;
        if (i % 5 == 0) {
            t.bottom = (kRulerTop + (i % 10 == 0 ? 8.0f : 6.0f)) * s;
            t.label = QString::number(10 * i);
            t.labelTop = (kRulerTop + 8.0f) * s;
        } else {
            t.bottom = (kRulerTop + 4.0f) * s;
        }
        b.ticks.push_back(t);
    }
    b.counter = rect(x0 + 200, 10, 100, 60);
    b.counterWindow = rect(x0 + 210, 20, 80, 24);
    b.stopClock = rect(x0, 10, 100, 60);
    b.source = rect(x0 - 40, 110, 40, 40).translated(-1, 0);
    if (m_t > 0)
        b.absorberPlate = rect(x0 + m_a, 110, 2, 40);
    b.detector = rect(x0 + m_d, 120, 30, 20);
    b.cableDot = point(x0 + 280, 60);
    b.cable = QPolygonF({point(x0 + m_d + 30, 130), point(x0 + 340, 130), point(x0 + 340, 60), point(x0 + 280, 60)});
    b.detectorGlass = rect(x0 + 180, 200, 120, 120);
    b.absorberGlass = rect(x0, 200, 120, 120);
    b.counterCaption = point(x0 + 230, 72);
    b.stopClockCaption = point(x0 + 30, 72);
    b.fontSize = 10.0f * s;
    return b;
}

bool GammaAbsorptionModel::setThickness(float mm)
{
    if (mm == m_t)
        return false;
    m_t = mm;
    return true;
}

void GammaAbsorptionModel::setAbsorberBar(int position)
{
    m_absorberBar = std::clamp(position, kAbsorberBarMin, kAbsorberBarMax);
    m_a = float(m_absorberBar) * kBarStep;
    if (m_absorberBar >= m_detectorBar - kBarGap) {
        m_detectorBar = m_absorberBar + kBarGap;
        m_d = float(m_detectorBar) * kBarStep;
    }
}

void GammaAbsorptionModel::setDetectorBar(int position)
{
    m_detectorBar = std::clamp(position, kDetectorBarMin, kDetectorBarMax);
    m_d = float(m_detectorBar) * kBarStep;
    if (m_detectorBar < m_absorberBar + kBarGap) {
        m_absorberBar = m_detectorBar - kBarGap;
        m_a = float(m_absorberBar) * kBarStep;
    }
}

void GammaAbsorptionModel::setSourceShown(bool shown)
{
    m_sourceShown = shown;
    m_rate = newCountRate();
}

bool GammaAbsorptionModel::setMultiplier(int multiplier)
{
    if (multiplier == m_multiplier)
        return false;
    m_multiplier = multiplier;
    return true;
}

GammaAbsorptionModel::State GammaAbsorptionModel::state() const
{
    if (m_running)
        return State::Counting;
    if (m_elapsed >= kCountingTime)
        return State::Finished;
    return m_elapsed > 0 ? State::Stopped : State::Ready;
}

float GammaAbsorptionModel::newCountRate()
{
    const float r = expectedCountRate(m_t, m_d, m_sourceShown);
    // A count rate is never negative, however far out the error falls.
    return std::max(0.0f, m_gauss(r, kRateError * r));
}

void GammaAbsorptionModel::start()
{
    m_rate = newCountRate();
    if (m_elapsed >= kCountingTime) {
        m_elapsed = 0;
        m_counts = 0;
    }
    m_running = true;
    m_resetEnabled = false;
}

void GammaAbsorptionModel::stop()
{
    m_running = false;
    m_resetEnabled = m_elapsed > 0;
}

void GammaAbsorptionModel::reset()
{
    m_running = false;
    m_resetEnabled = false;
    m_elapsed = 0;
    m_counts = 0;
}

bool GammaAbsorptionModel::step(double deltaTime)
{
    if (!m_running)
        return false;
    m_elapsed = float(m_elapsed + m_multiplier * deltaTime);
    bool finished = false;
    if (m_elapsed >= kCountingTime) {
        m_elapsed = kCountingTime;
        m_running = false;
        m_resetEnabled = true;
        finished = true;
    }
    m_counts = m_elapsed * m_rate;
    return finished;
}
