#pragma once
// Gamma absorption: a source in its pot at the left of a 300 cm ruler, an
// absorber plate and a detector slid along it with the two scroll bars, a
// stop clock and a counter. Start counts until the clock reaches 60 s; the
// time options run the clock 1, 10 or 50 times faster than real time.
#include "sim/framework/SimulationWindow.h"
#include "sim/sound/GammaAbsorptionModel.h"

class AlignPanel;
class DrawingContext;
class DrawPen;
class DropDownButton;
class ImageSurface;
class ToolbarLabel;
class ToolbarScrollBar;
class ToolbarSpinBox;

class GammaAbsorptionWindow : public SimulationWindow
{
    Q_OBJECT
public:
    // gauss: where the rate's random error comes from (the program's seeded
    // generator unless a test puts in its own).
    explicit GammaAbsorptionWindow(QWidget *parent = nullptr, GammaAbsorptionModel::GaussSource gauss = {});
    ~GammaAbsorptionWindow() override;

    // ---- controls
    ToolbarLabel *thicknessLabel() const { return m_thicknessLabel; }
    ToolbarSpinBox *thicknessSpinBox() const { return m_thicknessSpinBox; }
    DropDownButton *timeOptionsButton() const { return m_timeOptionsButton; }
    // The time option of a multiplier (1, 10 or 50).
    QAction *timeOption(int multiplier) const;
    QAction *sourceAction() const { return m_sourceAction; }
    ImageSurface *picture() const { return m_picture; }
    AlignPanel *barPanel() const { return m_barPanel; }
    ToolbarScrollBar *absorberScrollBar() const { return m_absorberScrollBar; }
    ToolbarScrollBar *detectorScrollBar() const { return m_detectorScrollBar; }

    // ---- state
    const GammaAbsorptionModel &model() const { return m_model; }

    // ---- handlers
    void runButtonClicked(QObject *sender) override;
    void timeOptionChosen(QAction *item, bool wasChecked);
    void sourceToggled();
    void thicknessEdited();
    void absorberScrolled(int position);
    void detectorScrolled(int position);
    void pictureResized();

    void drawBench();

protected:
    void step(double deltaTime) override;

private:
    void showControls();
    void showBarPositions();
    void drawRuler(DrawingContext &dc, const GammaBench &bench);
    void drawCounter(DrawingContext &dc, const GammaBench &bench, DrawPen &pen);
    void drawSource(DrawingContext &dc, const QRectF &square, DrawPen &pen);
    void drawGlasses(DrawingContext &dc, const GammaBench &bench, DrawPen &pen);

    GammaAbsorptionModel m_model;

    ToolbarLabel *m_thicknessLabel = nullptr;
    ToolbarSpinBox *m_thicknessSpinBox = nullptr;
    DropDownButton *m_timeOptionsButton = nullptr;
    QAction *m_sourceAction = nullptr;
    ImageSurface *m_picture = nullptr;
    AlignPanel *m_barPanel = nullptr;
    ToolbarScrollBar *m_absorberScrollBar = nullptr;
    ToolbarScrollBar *m_detectorScrollBar = nullptr;
};
