#pragma once
// The transverse and longitudinal waves window: a row of particles carrying
// a wave, as discs moving up and down or as lines moving to and fro, with
// the middle particle marked on request. The clock turns the phase; the
// scroll bar under the row follows it and sets it by hand.
//
// The model (TransverseLongitudinalModel.h) holds the phase, the amplitude
// and where each particle is; the handlers pass each user action to it and
// redraw.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/TransverseLongitudinalModel.h"

class DropDownButton;
class PaintBox;
class ToolbarLabel;
class ToolbarScrollBar;

class TransverseLongitudinalWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit TransverseLongitudinalWindow(QWidget *parent = nullptr);
    ~TransverseLongitudinalWindow() override;

    // ---- controls
    ToolbarLabel *amplitudeLabel() const { return m_amplitudeLabel; }
    ToolbarScrollBar *amplitudeScrollBar() const { return m_amplitudeScrollBar; }
    DropDownButton *optionsButton() const { return m_optionsButton; }
    QAction *transverseAction() const { return m_transverseAction; }
    QAction *longitudinalAction() const { return m_longitudinalAction; }
    QAction *markerAction() const { return m_markerAction; }
    PaintBox *picture() const { return m_picture; }
    ToolbarScrollBar *phaseScrollBar() const { return m_phaseScrollBar; }

    const TransverseLongitudinalModel &model() const { return m_model; }

    // The clock's callback: turns the phase and moves the scroll bar along.
    void step(double deltaTime) override;

    // ---- handlers
    void pictureResized();
    void phaseScrolled(int position);
    void amplitudeScrolled(int position);
    void motionChosen(QAction *item, bool wasChecked);
    void markerToggled();

    void drawWaveRow();

private:
    void describeAmplitude();
    void describePhase();

    TransverseLongitudinalModel m_model;
    ToolbarLabel *m_amplitudeLabel = nullptr;
    ToolbarScrollBar *m_amplitudeScrollBar = nullptr;
    DropDownButton *m_optionsButton = nullptr;
    QAction *m_transverseAction = nullptr;
    QAction *m_longitudinalAction = nullptr;
    QAction *m_markerAction = nullptr;
    PaintBox *m_picture = nullptr;
    ToolbarScrollBar *m_phaseScrollBar = nullptr;
};
