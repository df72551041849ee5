#pragma once
// The grating spectrometer from above: light from the collimator falls on a
// grating at the centre of a round table and leaves in coloured orders; a
// telescope swings round the table, an angle scale with a vernier reads its
// angle, and the strip at the top shows what it sees, with cross-hairs.
// Static: it redraws when an input changes.
#include "sim/framework/SimulationWindow.h"
#include "sim/optics/GratingModel.h"

class DrawingContext;
class PaintBox;
class ToolbarLabel;
class ToolbarScrollBar;
class ToolbarSpinBox;

class GratingWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit GratingWindow(QWidget *parent = nullptr);
    ~GratingWindow() override;

    // ---- controls
    ToolbarLabel *linesLabel() const { return m_linesLabel; }
    ToolbarSpinBox *linesSpinBox() const { return m_linesSpinBox; }
    ToolbarLabel *wavelengthLabel() const { return m_wavelengthLabel; }
    ToolbarScrollBar *wavelengthScrollBar() const { return m_wavelengthScrollBar; }
    ToolbarScrollBar *angleScrollBar() const { return m_angleScrollBar; }
    PaintBox *picture() const { return m_picture; }

    // ---- state
    const GratingModel &model() const { return m_model; }
    // The picture's layout for its current size.
    const SpectrometerLayout &layout() const { return m_layout; }

    // ---- handlers
    void pictureResized();
    void angleScrolled(int position);
    void wavelengthScrolled(int position);
    void linesEdited();

    void drawSpectrometer();

private:
    void drawAngleScale(DrawingContext &dc, const QRectF &rect);
    void drawRays(DrawingContext &dc);
    void drawTelescopeView(DrawingContext &dc, const QRectF &rect);
    // What the controls and the picture say to assistive technology.
    void describe();

    GratingModel m_model;
    SpectrometerLayout m_layout;

    ToolbarLabel *m_linesLabel = nullptr;
    ToolbarSpinBox *m_linesSpinBox = nullptr;
    ToolbarLabel *m_wavelengthLabel = nullptr;
    ToolbarScrollBar *m_wavelengthScrollBar = nullptr;
    ToolbarScrollBar *m_angleScrollBar = nullptr;
    PaintBox *m_picture = nullptr;
};
