#pragma once
// The auxiliary-circle window: a point running round a circle, its height
// projected on the vertical axis and carried across to one period of a sine
// graph; with a phase difference, a second (blue) point that far ahead with
// its own curve. Start and Stop run the point; while stopped, the scroll bar
// under the picture sets it by hand and the label above shows the angle.
//
// The model (AuxiliaryCircleModel.h) holds the position, the phase
// difference, the run state, the layout rule and the geometry; the window
// places its controls, draws and passes each user action on.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/AuxiliaryCircleModel.h"

class QLabel;
class ImageSurface;
class ToolbarLabel;
class ToolbarScrollBar;
class ToolbarSpinBox;

class AuxiliaryCircleWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit AuxiliaryCircleWindow(QWidget *parent = nullptr);
    ~AuxiliaryCircleWindow() override;

    // ---- controls
    QLabel *angleLabel() const { return m_angleLabel; }
    ToolbarLabel *phaseLabel() const { return m_phaseLabel; }
    ToolbarSpinBox *phaseSpinBox() const { return m_phaseSpinBox; }
    ImageSurface *picture() const { return m_picture; }
    ToolbarScrollBar *positionScrollBar() const { return m_positionScrollBar; }

    // ---- state
    const AuxiliaryCircleModel &model() const { return m_model; }
    float unit() const { return m_unit; } // U, pixels; the picture is 100 U by 50 U

    // ---- operations of the host and the clock
    void runButtonClicked(QObject *sender) override;
    // The clock's callback: the point moves on; the scroll bar and the
    // label stay as they are.
    void step(double deltaTime) override;

    // ---- handlers
    // Places the picture and the scroll bar for the window's size, then
    // draws.
    void layoutPanes();
    void positionScrolled(int position);
    void phaseEdited();

    void drawAuxiliaryCircle();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void describePicture();

    AuxiliaryCircleModel m_model;
    float m_unit = 0;

    QLabel *m_angleLabel = nullptr;
    ToolbarLabel *m_phaseLabel = nullptr;
    ToolbarSpinBox *m_phaseSpinBox = nullptr;
    ImageSurface *m_picture = nullptr;
    ToolbarScrollBar *m_positionScrollBar = nullptr;
};
