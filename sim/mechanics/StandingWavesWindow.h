#pragma once
// The standing-waves window: two equal waves running in opposite
// directions above, their sum below, which swells and shrinks between nodes
// that stay put. The clock turns the phase at a rate that grows with the
// harmonic; while stopped, the scroll bar at the bottom sets it.
//
// The model (StandingWavesModel.h) holds the harmonic, the phase and the
// sampled curves; this window draws them and wires the controls.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/StandingWavesModel.h"

class ImageSurface;
class ToolbarLabel;
class ToolbarScrollBar;
class ToolbarSpinBox;

class StandingWavesWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit StandingWavesWindow(QWidget *parent = nullptr);
    ~StandingWavesWindow() override;

    // ---- controls
    ToolbarLabel *frequencyLabel() const { return m_frequencyLabel; }
    ToolbarSpinBox *frequencySpinBox() const { return m_frequencySpinBox; }
    ImageSurface *picture() const { return m_picture; }
    ToolbarScrollBar *phaseScrollBar() const { return m_phaseScrollBar; }

    const StandingWavesModel &model() const { return m_model; }
    float unit() const { return m_unit; } // a tenth of the picture's smaller side

    // Start also locks the phase scroll bar; Stop frees it at the phase
    // reached (whole degrees, cut towards zero).
    void runButtonClicked(QObject *sender) override;
    // The clock's callback.
    void step(double deltaTime) override;

    // ---- handlers
    void pictureResized();
    void phaseScrolled(int position);
    void frequencyEdited();

    void drawStandingWave();

private:
    void describePhase();

    StandingWavesModel m_model;
    float m_unit = 0;
    ToolbarLabel *m_frequencyLabel = nullptr;
    ToolbarSpinBox *m_frequencySpinBox = nullptr;
    ImageSurface *m_picture = nullptr;
    ToolbarScrollBar *m_phaseScrollBar = nullptr;
};
