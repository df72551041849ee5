#include "sim/sound/output/AudioSinkToneOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

AudioSinkToneOutput::AudioSinkToneOutput() = default;

AudioSinkToneOutput::~AudioSinkToneOutput()
{
    stop();
}

bool AudioSinkToneOutput::start(QIODevice *source, int sampleRate, int channelCount, int bufferMicroseconds)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channelCount);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!format.isValid())
        return false;

    if (m_sink && m_sink->format() != format)
        m_sink.reset();
    if (!m_sink) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        m_sink = std::make_unique<QAudioSink>(device, format);
        connect(m_sink.get(), &QAudioSink::stateChanged, this, [this] {
            if (!checkSink() && m_failureHandler)
                m_failureHandler();
        });
    }
    // Asked for before every start: some outputs grant less than asked and
    // would otherwise be asked for that smaller size next time, until the
    // tone breaks up.
    m_sink->setBufferSize(format.bytesForDuration(bufferMicroseconds));
    m_sink->start(source);
    return checkSink();
}

void AudioSinkToneOutput::stop()
{
    if (!m_sink)
        return;
    // Drop what is buffered rather than let it play out.
    m_sink->reset();
    m_sink->stop();
}

bool AudioSinkToneOutput::checkSink()
{
    if (!m_sink)
        return false;
    switch (m_sink->error()) {
    case QAudio::OpenError:
    case QAudio::IOError:
    case QAudio::FatalError:
        // Deleted later: this may run inside the sink's own signal.
        m_sink->disconnect(this);
        m_sink.release()->deleteLater();
        return false;
    case QAudio::NoError:
    case QAudio::UnderrunError:
        break;
    }
    return true;
}
