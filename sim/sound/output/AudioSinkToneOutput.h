#pragma once
// Tones played through Qt Multimedia's audio sink on the default output.
#include "sim/sound/ToneOutput.h"

#include <QObject>
#include <memory>

class QAudioSink;

class AudioSinkToneOutput : public QObject, public ToneOutput
{
    Q_OBJECT
public:
    AudioSinkToneOutput();
    ~AudioSinkToneOutput() override;

    bool start(QIODevice *source, int sampleRate, int channelCount, int bufferMicroseconds) override;
    void stop() override;
    void setFailureHandler(std::function<void()> handler) override { m_failureHandler = std::move(handler); }

private:
    // Whether the sink has failed; drops it and says so when it has.
    bool checkSink();

    std::unique_ptr<QAudioSink> m_sink;
    std::function<void()> m_failureHandler;
};

// The plugin's entry: the tone player asks it for an output.
class AudioSinkTonePlugin : public QObject, public ToneOutputFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ToneOutputFactory_iid)
    Q_INTERFACES(ToneOutputFactory)
public:
    ToneOutput *createToneOutput() override { return new AudioSinkToneOutput; }
};
