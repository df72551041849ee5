#include "sim/sound/TonePlayer.h"

#include "sim/sound/LoopingPcmDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {
struct PcmImage {
    QAudioFormat format;
    QByteArray samples;
};

// The format and samples of a PCM RIFF/WAVE image with the plain 44-byte
// header; an invalid format when the image is not one.
PcmImage parseWaveImage(const QByteArray &image)
{
    PcmImage result;
    if (image.size() < 44)
        return result;
    const char *c = image.constData();
    const uchar *p = reinterpret_cast<const uchar *>(c);
    if (memcmp(c, "RIFF", 4) != 0 || memcmp(c + 8, "WAVE", 4) != 0 || memcmp(c + 12, "fmt ", 4) != 0
        || memcmp(c + 36, "data", 4) != 0)
        return result;
    const quint16 tag = qFromLittleEndian<quint16>(p + 20);
    const quint16 channels = qFromLittleEndian<quint16>(p + 22);
    const quint32 rate = qFromLittleEndian<quint32>(p + 24);
    const quint16 bits = qFromLittleEndian<quint16>(p + 34);
    const quint32 dataSize = qFromLittleEndian<quint32>(p + 40);
    const int frame = channels * 2;
    if (tag != 1 || bits != 16 || channels == 0 || rate == 0 || dataSize == 0 || dataSize % quint32(frame) != 0
        || dataSize > quint32(image.size() - 44))
        return result;
    result.format.setSampleRate(int(rate));
    result.format.setChannelCount(channels);
    result.format.setSampleFormat(QAudioFormat::Int16);
    result.samples = image.mid(44, qsizetype(dataSize));
    // The output takes native-endian samples.
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
        char *s = result.samples.data();
        for (qsizetype i = 0; i + 1 < result.samples.size(); i += 2)
            std::swap(s[i], s[i + 1]);
    }
    return result;
}
} // namespace

TonePlayer::TonePlayer(QObject *parent) : QObject(parent) {}

TonePlayer::~TonePlayer()
{
    stop();
}

bool TonePlayer::play(const QByteArray &waveImage)
{
    stop();
    if (!m_available)
        return false;
    const PcmImage pcm = parseWaveImage(waveImage);
    if (!pcm.format.isValid())
        return false;

    if (m_sink && m_sink->format() != pcm.format)
        m_sink.reset();
    if (!m_sink) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            markUnavailable();
            return false;
        }
        m_sink = std::make_unique<QAudioSink>(device, pcm.format);
        connect(m_sink.get(), &QAudioSink::stateChanged, this, &TonePlayer::checkSink);
    }
    if (!m_source) {
        m_source = new LoopingPcmDevice(this);
        // Unbuffered: a new period must not follow bytes of the old one read
        // ahead into a buffer.
        m_source->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    m_source->setPeriod(pcm.samples);
    m_playing = true;
    // Asked for before every start: some outputs grant less than asked and
    // would otherwise be asked for that smaller size next time, until the
    // tone breaks up. About a fifth of a second keeps the loop whole on a
    // busy machine and still answers a key at once.
    m_sink->setBufferSize(pcm.format.bytesForDuration(200000));
    m_sink->start(m_source);
    checkSink();
    return m_playing;
}

void TonePlayer::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    if (m_sink) {
        // Drop what is buffered rather than let it play out.
        m_sink->reset();
        m_sink->stop();
    }
}

bool TonePlayer::isPlaying() const
{
    return m_playing;
}

void TonePlayer::checkSink()
{
    if (!m_sink)
        return;
    switch (m_sink->error()) {
    case QAudio::OpenError:
    case QAudio::IOError:
    case QAudio::FatalError:
        markUnavailable();
        break;
    case QAudio::NoError:
    case QAudio::UnderrunError:
        break;
    }
}

void TonePlayer::markUnavailable()
{
    const bool first = m_available;
    m_available = false;
    m_playing = false;
    if (m_sink) {
        // Deleted later: this may run inside the sink's own signal.
        m_sink->disconnect(this);
        m_sink.release()->deleteLater();
    }
    if (first)
        Q_EMIT unavailable();
}
