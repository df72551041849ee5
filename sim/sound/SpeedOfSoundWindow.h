#pragma once
// The speed-of-sound window: a signal generator drives a loudspeaker at the
// start of a 200 cm bench; a microphone stands on the bench; an oscilloscope
// shows both signals. Moving the microphone by one wavelength brings the
// traces back into step. Static: it redraws when an input changes.
#include "sim/framework/SimulationWindow.h"
#include "sim/sound/SpeedOfSoundModel.h"

class DrawingContext;
class PaintBox;
class ToolbarScrollBar;
class ToolbarSpinBox;
class ToolbarLabel;

class SpeedOfSoundWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit SpeedOfSoundWindow(QWidget *parent = nullptr);
    ~SpeedOfSoundWindow() override;

    // ---- controls
    ToolbarLabel *frequencyLabel() const { return m_frequencyLabel; }
    ToolbarSpinBox *frequencySpinBox() const { return m_frequencySpinBox; }
    ToolbarLabel *gainLabel() const { return m_gainLabel; }
    ToolbarSpinBox *gainSpinBox() const { return m_gainSpinBox; }
    ToolbarLabel *shiftLabel() const { return m_shiftLabel; }
    ToolbarSpinBox *shiftSpinBox() const { return m_shiftSpinBox; }
    ToolbarScrollBar *microphoneScrollBar() const { return m_microphoneScrollBar; }
    PaintBox *picture() const { return m_picture; }

    // ---- state
    float frequency() const { return m_f; }
    float gain() const { return m_gain; }
    float shift() const { return m_shift; }
    float microphoneX() const { return m_x; } // cm
    float unit() const { return m_u; }
    // The oscilloscope's screen in picture pixels, as last drawn.
    QRectF screenInPicture() const;

    // ---- handlers
    void pictureResized();
    void microphoneScrolled(int position);
    void settingsEdited();

    void drawSoundBench();

private:
    void drawCentimetreScale(DrawingContext &dc, const QRectF &r);
    void drawOscilloscope(DrawingContext &dc, const QRectF &r);
    void drawSignalGenerator(DrawingContext &dc, const QRectF &r);

    float m_u = 0;
    float m_f = 200.0f;
    float m_gain = 0.5f;
    float m_shift = 0.0f;
    float m_x = 50.0f;

    ToolbarLabel *m_frequencyLabel = nullptr;
    ToolbarSpinBox *m_frequencySpinBox = nullptr;
    ToolbarLabel *m_gainLabel = nullptr;
    ToolbarSpinBox *m_gainSpinBox = nullptr;
    ToolbarLabel *m_shiftLabel = nullptr;
    ToolbarSpinBox *m_shiftSpinBox = nullptr;
    ToolbarScrollBar *m_microphoneScrollBar = nullptr;
    PaintBox *m_picture = nullptr;
};
