#pragma once
// The resonance window: a mass between two springs, driven at a chosen
// frequency, beside the resonance curve for the chosen damping with a
// marker at the driving frequency. The mass swings with the steady-state
// amplitude; a change of either setting moves the curve and the marker at
// once and the mass from the next tick.
//
// The model (ResonanceModel.h) holds the physics and the model time; the
// handlers here pass each user action to it and show the result.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/ResonanceModel.h"

class QLineSeries;
class QScatterSeries;
class Chart;
class ChartCrossHair;
class PaintBox;
class ToolbarLabel;
class ToolbarSpinBox;

class ResonanceWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit ResonanceWindow(QWidget *parent = nullptr);
    ~ResonanceWindow() override;

    // File > Export data...: the points of the resonance curve.
    std::vector<DataSeries> exportData() const override;

    static const QString chartTitle; // "Graph of amplitude v driving frequency"

    // ---- controls
    ToolbarLabel *dampingLabel() const { return m_dampingLabel; }
    ToolbarSpinBox *dampingSpinBox() const { return m_dampingSpinBox; }
    ToolbarLabel *drivingFrequencyLabel() const { return m_drivingFrequencyLabel; }
    ToolbarSpinBox *drivingFrequencySpinBox() const { return m_drivingFrequencySpinBox; }
    PaintBox *picture() const { return m_picture; }
    Chart *chart() const { return m_chart; }
    QLineSeries *curveSeries() const { return m_curveSeries; }      // the 101 points of the curve
    QScatterSeries *markerSeries() const { return m_markerSeries; } // the driving frequency

    // ---- state
    const ResonanceModel &model() const { return m_model; }
    float unit() const { return m_s; } // picture pixels per displacement unit
    bool isCrossHairVisible() const override;
    // The cross-hair drawn last, (-1, -1) when none is drawn.
    QPoint crossHairPosition() const;

    // ---- operations of the host (Graph menu, clock)
    void copyGraph() override;
    // The chart on the common print frame, the two settings under it.
    void printGraph(QPrinter &printer) override;
    void setCrossHairVisible(bool on) override;
    void runButtonClicked(QObject *sender) override;
    // The clock's callback: the model time goes on and the mass follows.
    void step(double deltaTime) override;

    // ---- handlers
    void pictureResized();
    // Either spin box: curve and marker follow; the picture waits for the
    // next tick.
    void parametersEdited();

    void drawResonator();

private:
    void showCurve();

    ResonanceModel m_model;
    float m_s = 0; // picture unit

    ToolbarLabel *m_dampingLabel = nullptr;
    ToolbarSpinBox *m_dampingSpinBox = nullptr;
    ToolbarLabel *m_drivingFrequencyLabel = nullptr;
    ToolbarSpinBox *m_drivingFrequencySpinBox = nullptr;
    PaintBox *m_picture = nullptr;
    Chart *m_chart = nullptr;
    QLineSeries *m_curveSeries = nullptr;
    QScatterSeries *m_markerSeries = nullptr;
    ChartCrossHair *m_crossHair = nullptr;
};
