#pragma once
// Plays a tone's WAVE image on the sound output in a loop, without a gap,
// until it is stopped. The output (a plugin, see ToneOutput.h) is loaded and
// opened when the first tone sounds, so the multimedia back end loads only
// for a user who presses a key. Where there is no sound output, its plugin
// is missing, or it fails, nothing plays, unavailable() is emitted once, and
// every call stays harmless.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class LoopingPcmDevice;
class ToneOutput;

class TonePlayer : public QObject
{
    Q_OBJECT
public:
    // outputPlugin: the plugin beside the executable that holds the output.
    explicit TonePlayer(QObject *parent = nullptr, const QString &outputPlugin = defaultOutputPlugin);
    ~TonePlayer() override;

    // Starts the samples of a PCM RIFF/WAVE image (header included) looping,
    // replacing any tone that sounds. The image is copied. False when nothing
    // plays: a malformed image, or no sound output.
    bool play(const QByteArray &waveImage);
    // Stops the tone at once; nothing happens when none sounds.
    void stop();
    bool isPlaying() const;
    // False once the sound output was found missing or failed.
    bool available() const { return m_available; }

    static const QString defaultOutputPlugin;

Q_SIGNALS:
    // There is no sound output (or it failed); emitted once per player.
    void unavailable();

private:
    void markUnavailable();

    QString m_outputPlugin;
    std::unique_ptr<ToneOutput> m_output;
    LoopingPcmDevice *m_source = nullptr; // owned by this player
    bool m_available = true;
    bool m_playing = false;
};
