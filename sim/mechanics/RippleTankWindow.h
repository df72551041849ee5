#pragma once
// The ripple-tank window: the tank seen from above as a wavefront diagram,
// straight crests arriving from the left and spreading behind a barrier
// with one slit or two. The clock moves the crests; the time slider under
// the tank follows it and sets it by hand. The Options menu switches
// between one and two slits, each with its own editor in the toolbar.
//
// The model (RippleTankModel.h) holds the time, the slits, the layout and
// every crest; this window draws them and wires the controls.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/RippleTankModel.h"

class DropDownButton;
class PaintBox;
class ToolbarLabel;
class ToolbarScrollBar;
class ToolbarSpinBox;

class RippleTankWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit RippleTankWindow(QWidget *parent = nullptr);
    ~RippleTankWindow() override;

    // ---- controls
    ToolbarLabel *slitWidthLabel() const { return m_slitWidthLabel; }
    ToolbarSpinBox *slitWidthSpinBox() const { return m_slitWidthSpinBox; }
    ToolbarLabel *separationLabel() const { return m_separationLabel; }
    ToolbarSpinBox *separationSpinBox() const { return m_separationSpinBox; }
    DropDownButton *optionsButton() const { return m_optionsButton; }
    QAction *singleSlitAction() const { return m_singleSlitAction; }
    QAction *doubleSlitAction() const { return m_doubleSlitAction; }
    PaintBox *picture() const { return m_picture; }
    ToolbarScrollBar *timeScrollBar() const { return m_timeScrollBar; }

    const RippleTankModel &model() const { return m_model; }
    float cell() const { return m_cell; } // pixels per cell (per wavelength)

    // The clock's callback: moves the crests and the slider along.
    void step(double deltaTime) override;

    // ---- handlers
    void layoutPanes();
    void timeScrolled(int position);
    void slitsEdited();
    void slitModeChosen(QAction *item, bool wasChecked);

    void drawTank();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void describeTime();

    RippleTankModel m_model;
    float m_cell = 0;
    ToolbarLabel *m_slitWidthLabel = nullptr;
    ToolbarSpinBox *m_slitWidthSpinBox = nullptr;
    ToolbarLabel *m_separationLabel = nullptr;
    ToolbarSpinBox *m_separationSpinBox = nullptr;
    DropDownButton *m_optionsButton = nullptr;
    QAction *m_singleSlitAction = nullptr;
    QAction *m_doubleSlitAction = nullptr;
    PaintBox *m_picture = nullptr;
    ToolbarScrollBar *m_timeScrollBar = nullptr;
};
