#include "sim/framework/ChartCrossHair.h"

#include "sim/framework/Chart.h"

#include <QMouseEvent>

namespace {
const QPoint kNone(-1, -1);
}

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
        m_chart->xorCrossHair(position);
        m_position = position;
    }
}
