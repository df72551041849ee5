#pragma once
// The cross-hair cursor of a chart window: while switched on, a cross-hair
// follows the mouse over the chart's plot area. Nothing is drawn while a
// button is held (the chart zooms or pans then), and a repaint of the chart
// forgets the one drawn. The window's setCrossHairVisible() switches it.
// Beside it a read-out gives the values under its centre, named with the
// chart's quantities and units (setQuantities).
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QString>

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

    // ---- read-out
    // What the bottom (x) and left (y) axes measure, and their units; an
    // empty unit shows the number alone. Without quantities no read-out is
    // shown.
    void setQuantities(const QString &xQuantity, const QString &xUnit, const QString &yQuantity, const QString &yUnit);
    // The values under the cross-hair drawn (bottom and left axes), and the
    // read-out shown with it; empty when none is drawn.
    QPointF values() const { return m_values; }
    QString readout() const;
    // The read-out for the values (x, y): one line per axis,
    // "quantity value unit", to a precision that follows the axes' ranges.
    QString readoutFor(const QPointF &values) const;

private:
    void mouseMoved(const QPoint &position);
    void erase();

    Chart *m_chart;
    bool m_visible = false;
    bool m_buttonHeld = false;
    QPoint m_position{-1, -1};
    QPointF m_values;
    QString m_xQuantity, m_xUnit, m_yQuantity, m_yUnit;
};
