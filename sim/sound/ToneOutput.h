#pragma once
// What the tone player needs from the sound output. The output (Qt
// Multimedia) lives in a plugin loaded when the first tone sounds, so a
// session that never presses a key of the tone keyboard never loads it.
// Only the player and the plugin include this header.
#include <QtPlugin>
#include <functional>

class QIODevice;

class ToneOutput
{
public:
    virtual ~ToneOutput() = default;

    // Starts pulling native-endian 16-bit samples of the given rate and
    // channel count from source (which stays the caller's), with about
    // bufferMicroseconds of them buffered ahead, replacing what was playing.
    // False when there is no sound output or it failed at once.
    virtual bool start(QIODevice *source, int sampleRate, int channelCount, int bufferMicroseconds) = 0;
    // Stops at once, dropping what is buffered rather than letting it play
    // out; nothing happens when nothing plays.
    virtual void stop() = 0;
    // Called when the output fails while it plays (possibly from inside the
    // output's own signal).
    virtual void setFailureHandler(std::function<void()> handler) = 0;
};

class ToneOutputFactory
{
public:
    virtual ~ToneOutputFactory() = default;
    virtual ToneOutput *createToneOutput() = 0;
};

#define ToneOutputFactory_iid "org.orvanta.ToneOutputFactory/1.0"
Q_DECLARE_INTERFACE(ToneOutputFactory, ToneOutputFactory_iid)
