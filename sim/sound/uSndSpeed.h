#pragma once
// The speed-of-sound window: a signal generator drives a loudspeaker at the
// start of a 200 cm bench; a microphone stands on the bench; an oscilloscope
// shows both signals. Moving the microphone by one wavelength brings the
// traces back into step. Static: it redraws when an input changes.
#include "sim/framework/SimulationForm.h"
#include "sim/sound/SndSpeedModel.h"

class DrawingContext;
class TPaintBox32;
class TScrollBarEx;
class TSpinEdit;
class TToolbarLabel;

class TSndSpeedFrm : public TSimulationForm
{
    Q_OBJECT
public:
    explicit TSndSpeedFrm(QWidget *parent = nullptr);
    ~TSndSpeedFrm() override;

    // ---- controls
    TToolbarLabel *FreqLabel = nullptr;
    TSpinEdit *FrequencySE = nullptr;
    TToolbarLabel *YGainLabel = nullptr;
    TSpinEdit *YGainSE = nullptr;
    TToolbarLabel *YShiftLabel = nullptr;
    TSpinEdit *YShiftSE = nullptr;
    TScrollBarEx *XHsb = nullptr;
    TPaintBox32 *Pic = nullptr;

    // ---- state
    float Frequency() const { return m_f; }
    float Gain() const { return m_gain; }
    float Shift() const { return m_shift; }
    float MicrophoneX() const { return m_x; } // cm
    float Unit() const { return m_u; }
    // The oscilloscope's screen in picture pixels, as last drawn.
    QRectF ScreenInPicture() const;

    // ---- handlers
    void picResize();
    void XHsbScroll(int position);
    void FrequencySEValueChange();

    void DrawSoundBench();

private:
    void DrawCentimetreScale(DrawingContext &dc, const QRectF &r);
    void DrawOscilloscope(DrawingContext &dc, const QRectF &r);
    void DrawSignalGenerator(DrawingContext &dc, const QRectF &r);

    float m_u = 0;
    float m_f = 200.0f;
    float m_gain = 0.5f;
    float m_shift = 0.0f;
    float m_x = 50.0f;
};
