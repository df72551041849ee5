#include "sim/framework/ChartCrossHair.h"

#include "sim/framework/Chart.h"

#include <QMouseEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
const QPoint kNone(-1, -1);

// A value to about a thousandth of the axis' visible range: finer than a
// pixel of a full-size chart, and more digits as the chart is zoomed in.
QString valueText(double value, const QValueAxis *axis)
{
    const double range = std::abs(axis->max() - axis->min());
    int decimals = 2;
    if (range > 0 && std::isfinite(range))
        decimals = std::clamp(3 - int(std::floor(std::log10(range))), 0, 6);
    QString text = QString::number(value, 'f', decimals);
    // No "-0.00" just left of zero.
    if (text.toDouble() == 0)
        text = QString::number(0.0, 'f', decimals);
    return text;
}

QString line(const QString &quantity, const QString &value, const QString &unit)
{
    QString text = quantity + QLatin1Char(' ') + value;
    if (!unit.isEmpty()) {
        // A degree sign follows the number; other units stand apart.
        if (!unit.startsWith(QChar(0x00B0)))
            text += QLatin1Char(' ');
        text += unit;
    }
    return text;
}
} // namespace

ChartCrossHair::ChartCrossHair(Chart *chart) : QObject(chart), m_chart(chart)
{
    connect(chart, &Chart::mousePressed, this, [this](QMouseEvent *) { m_buttonHeld = true; });
    connect(chart, &Chart::mouseReleased, this, [this](QMouseEvent *) { m_buttonHeld = false; });
    connect(chart, &Chart::mouseMoved, this, [this](QMouseEvent *e) { mouseMoved(e->position().toPoint()); });
    // A repaint has drawn over the cross-hair.
    connect(chart, &Chart::repainted, this, [this] { m_position = kNone; });
}

void ChartCrossHair::setVisible(bool on)
{
    m_visible = on;
    if (!on)
        erase();
}

void ChartCrossHair::setQuantities(const QString &xQuantity, const QString &xUnit, const QString &yQuantity,
                                   const QString &yUnit)
{
    m_xQuantity = xQuantity;
    m_xUnit = xUnit;
    m_yQuantity = yQuantity;
    m_yUnit = yUnit;
}

QString ChartCrossHair::readoutFor(const QPointF &values) const
{
    if (m_xQuantity.isEmpty() && m_yQuantity.isEmpty())
        return QString();
    return line(m_xQuantity, valueText(values.x(), m_chart->bottomAxis()), m_xUnit) + QLatin1Char('\n')
           + line(m_yQuantity, valueText(values.y(), m_chart->leftAxis()), m_yUnit);
}

QString ChartCrossHair::readout() const
{
    return m_position == kNone ? QString() : m_chart->crossHairLabel(m_position);
}

void ChartCrossHair::erase()
{
    if (m_position != kNone) {
        m_chart->xorCrossHair(m_position); // drawn again, it is erased
        m_position = kNone;
    }
}

void ChartCrossHair::mouseMoved(const QPoint &position)
{
    if (!m_visible || m_buttonHeld)
        return;
    erase();
    if (m_chart->plotRect().contains(position)) {
        m_values = m_chart->valueAt(position);
        m_chart->xorCrossHair(position, readoutFor(m_values));
        m_position = position;
    }
}
