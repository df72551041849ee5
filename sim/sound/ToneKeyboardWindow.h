#pragma once
// The tone keyboard: press a key with the mouse and its tone sounds until
// the button is released; sliding onto another key changes the tone. The
// toolbar sets the strengths of the fundamental and of four harmonics; the
// upper picture shows the resulting waveform over 2/262 s. Static: it
// redraws when a strength or the sounding key changes.
#include "sim/framework/SimulationWindow.h"
#include "sim/sound/ToneKeyboardModel.h"

#include <array>

class PaintBox;
class ToolbarLabel;
class ToolbarSpinBox;
class TonePlayer;

class ToneKeyboardWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit ToneKeyboardWindow(QWidget *parent = nullptr);
    ~ToneKeyboardWindow() override;

    // ---- controls
    ToolbarLabel *amplitudeLabel() const { return m_amplitudeLabel; }
    ToolbarLabel *harmonicsLabel() const { return m_harmonicsLabel; }
    // 0: the fundamental ("Amplitude"), 1 to 4: the harmonics 2f to 5f.
    ToolbarSpinBox *strengthSpinBox(int index) const { return m_strengthSpinBoxes[size_t(index)]; }
    PaintBox *waveformPicture() const { return m_waveformPicture; }
    PaintBox *keyboardPicture() const { return m_keyboardPicture; }

    // ---- state
    const ToneKeyboardModel &model() const { return m_model; }
    // The player, once the first key has sounded (null before).
    const TonePlayer *player() const { return m_player; }
    // What the window said about the sound output (empty while all is well).
    QString soundMessage() const { return m_soundMessage; }
    static const QString noSoundMessage;

    // ---- handlers
    void layoutPanes();
    void strengthsEdited();
    void keyPressed(QPoint position);
    void keyMoved(QPoint position);
    void keyReleased();

    void drawWaveform();
    void drawKeyboard();

    bool closeQuery() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void playSound(ToneKeyboardModel::Sound sound);
    void reportNoSound();

    ToneKeyboardModel m_model;
    TonePlayer *m_player = nullptr; // made when the first key sounds
    QString m_soundMessage;

    ToolbarLabel *m_amplitudeLabel = nullptr;
    ToolbarLabel *m_harmonicsLabel = nullptr;
    std::array<ToolbarSpinBox *, 5> m_strengthSpinBoxes{};
    PaintBox *m_waveformPicture = nullptr;
    PaintBox *m_keyboardPicture = nullptr;
};
