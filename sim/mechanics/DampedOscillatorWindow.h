#pragma once
// The damped-oscillator window: a mass hanging on a spring beside the
// displacement-time graph of its motion. The whole curve is computed in
// closed form when a parameter changes; a run walks a marker along it while
// the picture stretches the spring to the current displacement, and stops
// by itself after the last sample.
//
// The model (SHMModel.h) holds the physics, the sample clock and the run
// states; the handlers here pass each user action to it and show what it
// reports as changed.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/DampedOscillatorModel.h"

#include <QPoint>

class QLineSeries;
class QScatterSeries;
class Chart;
class ChartCrossHair;
class PaintBox;
class ToolbarScrollBar;
class ToolbarSpinBox;
class ToolbarLabel;

class DampedOscillatorWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit DampedOscillatorWindow(QWidget *parent = nullptr);
    ~DampedOscillatorWindow() override;

    // File > Export data...: the 501 samples of the curve.
    std::vector<DataSeries> exportData() const override;

    static const QString printTitle; // "Displacement - time graph for damped S.H.M."

    // ---- controls
    ToolbarLabel *massLabel() const { return m_massLabel; }
    ToolbarSpinBox *massSpinBox() const { return m_massSpinBox; }
    ToolbarLabel *stiffnessLabel() const { return m_stiffnessLabel; }
    ToolbarSpinBox *stiffnessSpinBox() const { return m_stiffnessSpinBox; }
    ToolbarLabel *dampingLabel() const { return m_dampingLabel; }
    ToolbarSpinBox *dampingSpinBox() const { return m_dampingSpinBox; }
    ToolbarScrollBar *displacementScrollBar() const { return m_displacementScrollBar; }
    PaintBox *picture() const { return m_picture; }
    Chart *chart() const { return m_chart; }
    QLineSeries *curveSeries() const { return m_curveSeries; }  // the 501 samples
    QScatterSeries *markerSeries() const { return m_markerSeries; }  // the current sample

    // ---- state
    const DampedOscillatorModel &model() const { return m_model; }
    float unit() const { return m_s; } // picture pixels per displacement unit
    bool isCrossHairVisible() const override;
    float timeAxis() const override { return m_model.span(); }
    // The cross-hair drawn last, (-1, -1) when none is drawn.
    QPoint crossHairPosition() const;

    // ---- operations of the host (Graph menu, page commands, clock)
    void copyGraph() override;
    void printGraph(QPrinter &printer) override;
    void setTimeAxis(float seconds) override;
    void setCrossHairVisible(bool on) override;
    // Only "+CD" does something: it loads the critical-damping example.
    void handlePageCommand(const QString &text) override;
    void runButtonClicked(QObject *sender) override;
    // The clock's callback: advances at most one sample.
    void step(double deltaTime) override;

    // ---- handlers
    void pictureResized();
    void parametersEdited();
    void displacementScrolled(int position);

    void drawOscillator();

private:
    // Brings the controls, the chart and the picture up to what the model
    // reports as changed.
    void showChanges(const OscillatorChanges &changes);
    void showControls();
    void showInputs();
    void showCurve();
    // Ticks often enough for the speed in force.
    void fitTickInterval();

    DampedOscillatorModel m_model;
    float m_s = 0;              // picture unit
    ChartCrossHair *m_crossHair = nullptr;

    ToolbarLabel *m_massLabel = nullptr;
    ToolbarSpinBox *m_massSpinBox = nullptr;
    ToolbarLabel *m_stiffnessLabel = nullptr;
    ToolbarSpinBox *m_stiffnessSpinBox = nullptr;
    ToolbarLabel *m_dampingLabel = nullptr;
    ToolbarSpinBox *m_dampingSpinBox = nullptr;
    ToolbarScrollBar *m_displacementScrollBar = nullptr;
    PaintBox *m_picture = nullptr;
    Chart *m_chart = nullptr;
    QLineSeries *m_curveSeries = nullptr; // the 501 samples
    QScatterSeries *m_markerSeries = nullptr; // the current sample
};
