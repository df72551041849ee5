#include "sim/optics/GratingModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Picture layout, in units of u (a tenth of the smaller side).
constexpr float kTableCentreY = 6.5f;
constexpr float kTableRadius = 2.4f;
constexpr float kTelescopeStart = 1.9f; // the tube's near end from the centre
constexpr float kTelescopeLength = 1.5f;
constexpr float kTubeHalfWidth = 0.2f;

double toRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}
} // namespace

double GratingOrder::degrees() const
{
    return radians * 180.0 / std::numbers::pi;
}

// ---------------------------------------------------------------- layout

SpectrometerLayout SpectrometerLayout::forSize(int width, int height)
{
    SpectrometerLayout l;
    const float u = 0.1f * float(std::min(width, height));
    const float cx = 0.5f * float(width);
    l.unit = u;
    l.centreX = cx;
    l.tableCentre = QPointF(cx, kTableCentreY * u);
    l.tableRadius = kTableRadius * u;
    // The collimator's lower end stands 1.9u above the centre, as far as the
    // telescope's near end below it.
    l.collimator = QRectF(cx - 0.2f * u, 3.1f * u, 0.4f * u, 1.5f * u);
    l.grating = QRectF(cx - u, 6.45f * u, 2 * u, 0.1f * u);
    l.angleScale = QRectF(cx - 4 * u, 2 * u, 8 * u, u);
    l.telescopeView = QRectF(cx - 4.8f * u, 0.25f * u, 9.6f * u, 1.5f * u);
    return l;
}

QPolygonF SpectrometerLayout::telescope(float degrees) const
{
    const double a = toRadians(degrees);
    const QPointF along(std::sin(a), std::cos(a)); // outwards, y down
    const QPointF across(std::cos(a), -std::sin(a));
    const QPointF nearEnd = tableCentre + double(kTelescopeStart * unit) * along;
    const QPointF side = double(kTubeHalfWidth * unit) * across;
    const QPointF length = double(kTelescopeLength * unit) * along;
    return QPolygonF({nearEnd + side, nearEnd + side + length, nearEnd - side + length, nearEnd - side});
}

QPointF SpectrometerLayout::rayEnd(const GratingOrder &order, bool right) const
{
    const double dx = tableRadius * std::sin(order.radians);
    const double dy = tableRadius * std::cos(order.radians);
    return QPointF(tableCentre.x() + (right ? dx : -dx), tableCentre.y() + dy);
}

// ---------------------------------------------------------------- model

bool GratingModel::setLinesPerMm(double value)
{
    if (!std::isfinite(value))
        return false;
    const float lines = float(std::clamp(std::trunc(value), double(kMinLines), double(kMaxLines)));
    if (lines == m_lines)
        return false;
    m_lines = lines;
    return true;
}

void GratingModel::setWavelength(int nanometres)
{
    m_wavelength = float(std::clamp(nanometres, kMinWavelength, kMaxWavelength));
}

void GratingModel::setTelescopePosition(int position)
{
    m_telescope = float(std::clamp(position, kMinAnglePosition, kMaxAnglePosition) * 0.1);
}

float GratingModel::firstOrderSine() const
{
    return float(double(m_lines) * double(m_wavelength) * 1.0e-6);
}

int GratingModel::highestOrder() const
{
    const float sin1 = firstOrderSine();
    if (!(sin1 > 0))
        return 0;
    return int(std::trunc(float(1.0 / double(sin1))));
}

std::vector<GratingOrder> GratingModel::orders() const
{
    std::vector<GratingOrder> result;
    const float sin1 = firstOrderSine();
    const int highest = highestOrder();
    for (int m = 1; m <= highest; ++m) {
        // Rounded to a 32-bit float before the test: an order whose sine
        // rounds to 1 leaves along the grating and is not seen.
        const float sm = float(double(m) * double(sin1));
        if (!(sm < 1.0f))
            continue;
        GratingOrder o;
        o.order = m;
        o.sine = sm;
        o.radians = std::atan2(double(sm), std::sqrt(1.0 - double(sm) * double(sm)));
        result.push_back(o);
    }
    return result;
}

std::vector<float> GratingModel::viewLines(const QRectF &view) const
{
    const float mx = float(view.x() + view.width() / 2);
    const float k = float(view.width()) / kViewDegrees; // pixels per degree
    std::vector<float> xs{mx - m_telescope * k};
    for (const GratingOrder &o : orders()) {
        const float deg = float(o.degrees());
        xs.push_back(mx - (m_telescope - deg) * k);
        xs.push_back(mx - (m_telescope + deg) * k);
    }
    return xs;
}

AngleScale GratingModel::angleScale(const QRectF &rect) const
{
    const float X = float(rect.x()), Y = float(rect.y());
    const float Ws = float(rect.width()), Hs = float(rect.height());
    const float mx = X + Ws / 2, my = Y + Hs / 2;
    const float k = Ws / kViewDegrees;

    AngleScale s;
    s.fontPixels = 0.2f * Hs;
    s.mainScale = QRectF(X, my, Ws, 0.5f * Hs);
    s.vernier = QRectF(mx - 9 * k, Y, 18 * k, 0.5f * Hs);

    // The main scale moves under the fixed vernier so that the telescope's
    // angle stands at the centre: a degree i from the nearest lower ten
    // sits at mx + i k - frac(t) 10k, t being the angle in tens of degrees.
    const float t = 0.1f * m_telescope;
    const float whole = std::trunc(t);
    const float offset = (t - whole) * 10 * k;
    const int tens = int(whole);
    for (int i = -25; i <= 25; ++i) {
        const float x = mx + float(i) * k - offset;
        if (!(x > X && x < X + Ws))
            continue;
        if (i % 10 == 0) {
            s.mainTicks.push_back({x, my, my + 0.3f * Hs});
            s.labels.push_back({x, my + 0.3f * Hs, 10 * tens + i});
        } else if (i % 5 == 0) {
            s.mainTicks.push_back({x, my, my + 0.2f * Hs});
        } else {
            s.mainTicks.push_back({x, my, my + 0.1f * Hs});
        }
    }
    // Ten vernier divisions span nine degrees: the vernier tick that meets a
    // main tick gives the tenths.
    for (int i = -9; i <= 9; ++i) {
        const float x = mx + float(i) * 0.9f * k;
        s.vernierTicks.push_back({x, my - 0.1f * Hs, my});
    }
    s.vernierZero = QPointF(mx, my - 0.1f * Hs);
    return s;
}
