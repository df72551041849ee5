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
#include "sim/framework/SimulationForm.h"
#include "sim/mechanics/SHMModel.h"

#include <QPoint>

class QLineSeries;
class QScatterSeries;
class TChart;
class TPaintBox32;
class TScrollBarEx;
class TSpinEdit;
class TToolbarLabel;

class TSHMFrm : public TSimulationForm
{
    Q_OBJECT
public:
    explicit TSHMFrm(QWidget *parent = nullptr);
    ~TSHMFrm() override;

    static const QString PrintTitle; // "Displacement - time graph for damped S.H.M."

    // ---- controls
    TToolbarLabel *MassLabel = nullptr;
    TSpinEdit *MassSE = nullptr;
    TToolbarLabel *StiffLabel = nullptr;
    TSpinEdit *StiffSE = nullptr;
    TToolbarLabel *DampLabel = nullptr;
    TSpinEdit *DampSE = nullptr;
    TScrollBarEx *DisplacementHsb = nullptr;
    TPaintBox32 *Pic = nullptr;
    TChart *Chart = nullptr;
    QLineSeries *Series4 = nullptr;   // the 501 samples
    QScatterSeries *Series7 = nullptr; // the current sample

    // ---- state
    const TSHMModel &Model() const { return m_model; }
    float Unit() const { return m_s; } // picture pixels per displacement unit
    bool CrossHairOn() const { return m_crossHairOn; }
    // The cross-hair drawn last, (-1, -1) when none is drawn.
    QPoint CrossHairPosition() const { return m_crossHair; }

    // ---- operations of the host (Graph menu, page commands, clock)
    void CopyGraph() override;
    void PrintGraph(QPrinter &printer) override;
    void SetTimeAxis(float seconds) override;
    void SetCrossHair(bool on) override;
    // Only "+CD" does something: it loads the critical-damping example.
    void HandlePageCommand(const QString &text) override;
    void StartBtnClick(QObject *sender) override;
    // The clock's callback: advances at most one sample.
    void Step(double deltaTime) override;

    // ---- handlers
    void picResize();
    void MassSEValueChange();
    void DisplacementHsbScroll(int position);
    void ChartMouseDown();
    void ChartMouseMove(const QPoint &position);
    void ChartMouseUp();
    void ChartAfterDraw();

    void DrawOscillator();

private:
    // Brings the controls, the chart and the picture up to what the model
    // reports as changed.
    void ShowChanges(const TSHMChanges &changes);
    void ShowControls();
    void ShowInputs();
    void ShowCurve();

    TSHMModel m_model;
    float m_s = 0;              // picture unit
    bool m_mouseDown = false;   // a button is held on the chart
    bool m_crossHairOn = false;
    QPoint m_crossHair{-1, -1};
};
