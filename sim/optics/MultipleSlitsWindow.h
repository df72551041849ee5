#pragma once
// N equal slits: the far-field intensity against angle on a chart, the
// single-slit envelope on request, and above the chart a strip that shows
// the pattern as red light on a screen. Static: the pattern is computed
// again only when a spin box changes; chart repaints (zoom, pan, resize)
// redraw the strip from the stored pattern, always over -90 to 90 degrees.
#include "sim/framework/SimulationWindow.h"
#include "sim/optics/MultipleSlitsModel.h"

class Chart;
class ChartCrossHair;
class PaintBox;
class QLineSeries;
class ToolbarLabel;
class ToolbarSpinBox;

class MultipleSlitsWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit MultipleSlitsWindow(QWidget *parent = nullptr);
    ~MultipleSlitsWindow() override;

    // File > Export data...: the pattern, and the envelope while it is shown.
    std::vector<DataSeries> exportData() const override;

    static const QString printTitle; // "Angular Intensity distribution graph"

    // ---- controls
    ToolbarLabel *slitsLabel() const { return m_slitsLabel; }
    ToolbarSpinBox *slitsSpinBox() const { return m_slitsSpinBox; }
    ToolbarLabel *separationLabel() const { return m_separationLabel; }
    ToolbarSpinBox *separationSpinBox() const { return m_separationSpinBox; }
    ToolbarLabel *widthLabel() const { return m_widthLabel; }
    ToolbarSpinBox *widthSpinBox() const { return m_widthSpinBox; }
    QAction *envelopeAction() const { return m_envelopeAction; }
    PaintBox *picture() const { return m_picture; } // the fringe strip
    Chart *chart() const { return m_chart; }
    QLineSeries *patternSeries() const { return m_patternSeries; }
    QLineSeries *envelopeSeries() const { return m_envelopeSeries; }

    // ---- state
    const MultipleSlitsModel &model() const { return m_model; }
    bool isCrossHairVisible() const override;
    // The cross-hair drawn last, (-1, -1) when none is drawn.
    QPoint crossHairPosition() const;
    // The strip's rectangle in the picture, as last drawn.
    QRect stripRect() const { return m_stripRect; }

    // ---- operations of the host's Graph menu
    void copyGraph() override;
    void printGraph(QPrinter &printer) override;
    void setCrossHairVisible(bool on) override;

    // ---- handlers
    // Any of the three spin boxes.
    void parametersEdited();
    void envelopeToggled(bool shown);

    void drawFringeStrip();

private:
    void showPattern();
    // What the controls and the pictures say to assistive technology.
    void describe();

    MultipleSlitsModel m_model;
    QRect m_stripRect;

    ToolbarLabel *m_slitsLabel = nullptr;
    ToolbarSpinBox *m_slitsSpinBox = nullptr;
    ToolbarLabel *m_separationLabel = nullptr;
    ToolbarSpinBox *m_separationSpinBox = nullptr;
    ToolbarLabel *m_widthLabel = nullptr;
    ToolbarSpinBox *m_widthSpinBox = nullptr;
    QAction *m_envelopeAction = nullptr;
    PaintBox *m_picture = nullptr;
    Chart *m_chart = nullptr;
    QLineSeries *m_patternSeries = nullptr;
    QLineSeries *m_envelopeSeries = nullptr;
    ChartCrossHair *m_crossHair = nullptr;
};
