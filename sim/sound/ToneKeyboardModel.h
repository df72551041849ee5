#pragma once
// The tone keyboard apart from its window: 16 white and 11 black keys from
// C (262 Hz) in equal temperament, the hit test, the key a mouse press or
// drag sounds, the tone image that goes with it, the waveform picture over
// 2/262 s and the layout of the two pictures.
#include "sim/sound/ToneImage.h"

#include <QByteArray>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

constexpr int kKeyCount = 27;
constexpr float kBaseFrequency = 262.0f;
constexpr float kSemitoneRatio = 1.0594631f; // 2^(1/12) as a 32-bit float

// 262 x 1.0594631^index, as a 32-bit float.
float keyFrequency(int index);
bool isBlackKey(int index);

// The waveform above, the keyboard below, inside a window width x height.
struct ToneKeyboardLayout {
    QRect waveform;
    QRect keyboard;
};
ToneKeyboardLayout toneKeyboardLayout(int width, int height);

// The keys on a keyboard picture width x height. A white key's hit area is
// only its lower half; the black keys stand in the upper half between them.
// One more black key is drawn at the right edge, cut in half, and never
// sounds.
struct KeyboardGeometry {
    int keyHeight = 0;  // h: the black keys' height; the white keys end at 2h
    int whiteWidth = 0; // a
    int halfBlack = 0;  // b: half a black key's width
    std::array<QRect, kKeyCount> keys{};
    QRect extraBlackKey;
};
KeyboardGeometry keyboardGeometry(int width, int height);
// The first key whose area holds the point (left and top inclusive, right
// and bottom exclusive), or -1.
int keyAt(const KeyboardGeometry &geometry, QPoint point);

// The waveform picture width x height: 361 points across 2/262 s whatever
// the frequency, each strength of 32 reaching 5 pixels from the edge.
struct WaveformPicture {
    int mid = 0;                  // the time axis
    std::vector<QPointF> points;  // i = 0 to 360; ticks every 24, labels every 48
};
WaveformPicture waveformPicture(int width, int height, const ToneStrengths &strengths, float frequency);
// "Frequency %d Hz" with f cut to a whole number.
QString frequencyTitle(float frequency);

class ToneKeyboardModel
{
public:
    // What the window has to do with the sound after a mouse event.
    enum class Sound {
        Unchanged,
        Play, // redraw the waveform; play image() in a loop (replacing any tone)
        Stop,
    };

    ToneKeyboardModel();

    float frequency() const { return m_f; } // 0 after a hit test found no key
    int key() const { return m_key; }       // the sounding key, -1 after release
    bool playing() const { return m_playing; }
    const ToneStrengths &strengths() const { return m_strengths; }
    // The image of the tone that sounds; empty when none does.
    const QByteArray &image() const { return m_image; }

    void setKeyboardSize(int width, int height);
    const KeyboardGeometry &geometry() const { return m_geometry; }

    // The strengths count from the next key that sounds.
    void setStrengths(const ToneStrengths &strengths) { m_strengths = strengths; }

    Sound press(QPoint point);
    // Only while a button is down. Off the keys f reads 0 and the tone goes
    // on; onto another key the tone changes.
    Sound move(QPoint point);
    Sound release();

private:
    int hitTest(QPoint point);
    Sound sound();

    KeyboardGeometry m_geometry;
    ToneStrengths m_strengths{16, 0, 0, 0, 0};
    float m_f = kBaseFrequency;
    int m_key = 0;
    bool m_playing = false;
    QByteArray m_image;
};
