#pragma once
// The cross-hair cursor of a chart window: while switched on, a cross-hair
// follows the mouse over the chart's plot area. Nothing is drawn while a
// button is held (the chart zooms or pans then), and a repaint of the chart
// forgets the one drawn. The window's setCrossHairVisible() switches it.
#include <QObject>
#include <QPoint>

class Chart;

class ChartCrossHair : public QObject
{
    Q_OBJECT
public:
    explicit ChartCrossHair(Chart *chart);

    bool isVisible() const { return m_visible; }
    // Switched off, the one drawn goes too.
    void setVisible(bool on);
    // The cross-hair drawn last, (-1, -1) when none is drawn.
    QPoint position() const { return m_position; }

private:
    void mouseMoved(const QPoint &position);
    void erase();

    Chart *m_chart;
    bool m_visible = false;
    bool m_buttonHeld = false;
    QPoint m_position{-1, -1};
};
