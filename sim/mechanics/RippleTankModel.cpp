#include "sim/mechanics/RippleTankModel.h"

#include <algorithm>
#include <cmath>

namespace {
int roundPixel(double v)
{
    return int(std::nearbyint(v));
}
} // namespace

int RippleTankModel::lastCircularCrest()
{
    // From the slit (mid-height, 6 cells in) to a far corner: 15 cells up or
    // down and 24 across.
    const double half = kTankCells / 2.0;
    const double behind = kTankCells - kBarrierCells;
    return roundPixel(std::sqrt(half * half + behind * behind) / kWavelength);
}

void RippleTankModel::setSliderPosition(int position)
{
    m_time = float(position * 0.05);
}

int RippleTankModel::sliderPosition() const
{
    return roundPixel(20.0 * double(m_time));
}

float RippleTankModel::advance(float cell) const
{
    return (m_time - std::trunc(m_time)) * cell;
}

bool RippleTankModel::setMode(SlitMode mode)
{
    if (mode == m_mode)
        return false;
    m_mode = mode;
    return true;
}

void RippleTankModel::setSlits(double width, double separation)
{
    m_width = int(width);
    m_separation = int(separation);
}

RippleLayout RippleTankModel::layout(int width, int height, int sliderHeight)
{
    RippleLayout l;
    // A window smaller than the slider leaves no tank rather than a negative
    // one.
    const int room = std::max(0, std::min(width, height - sliderHeight));
    l.cell = float(room) / float(kTankCells);
    const int side = roundPixel(double(kTankCells) * double(l.cell));
    const int left = (width - side) / 2;
    const int top = (height - sliderHeight - side) / 2;
    l.tank = QRect(left, top, side, side);
    l.slider = QRect(left, top + side, side, sliderHeight);
    return l;
}

RipplePicture RippleTankModel::picture(float cell, int side) const
{
    RipplePicture p;
    const double c = cell;
    const double H = side;
    const double ym = H / 2;
    const double phi = advance(cell);
    const double barrier = kBarrierCells * c;

    for (int i = 0; i < kIncidentCrests; ++i) {
        const int x = roundPixel(i * c + phi);
        p.incident.append(QLineF(x, 0, x, H));
    }

    const int last = lastCircularCrest();
    auto radius = [&](int h) { return roundPixel(h * c + phi); };
    // Half circles right of the barrier, from the top point clockwise to
    // the bottom point.
    auto halfCircles = [&](double yc, RippleSource source) {
        for (int h = 0; h <= last; ++h)
            p.arcs.append({QPointF(barrier, yc), radius(h), 270.0f, 180.0f, source});
    };
    // Blocks 10 pixels wide centred on the barrier line.
    auto block = [&](double top, double bottom) { p.barrier.append(QRectF(barrier - 5, top, 10, bottom - top)); };

    if (m_mode == SlitMode::Single) {
        const double yt = ym - m_width * c / 2;
        const double yb = ym + m_width * c / 2;
        if (phi == 0)
            p.incident.append(QLineF(roundPixel(barrier), yt, roundPixel(barrier), yb));
        if (m_width == kWavelength) {
            halfCircles(ym, RippleSource::Slit);
        } else {
            // Flat across the beam, bending round both edges of the slit.
            for (int h = 0; h <= last; ++h) {
                const int r = radius(h);
                p.arcs.append({QPointF(barrier, yb), r, 0.0f, 90.0f, RippleSource::Slit});
                p.arcs.append({QPointF(barrier, yt), r, 0.0f, -90.0f, RippleSource::Slit});
                p.flat.append(QLineF(barrier + r, yt, barrier + r, yb));
            }
        }
        block(0, yt);
        block(yb, H);
    } else {
        const double yu = ym - m_separation * c / 2;
        const double yl = ym + m_separation * c / 2;
        if (phi == 0)
            p.incident.append(QLineF(roundPixel(barrier), 0, roundPixel(barrier), H));
        halfCircles(yu, RippleSource::UpperSlit);
        halfCircles(yl, RippleSource::LowerSlit);
        // Each slit is one cell high.
        block(0, yu - c / 2);
        block(yu + c / 2, yl - c / 2);
        block(yl + c / 2, H);
    }
    return p;
}
