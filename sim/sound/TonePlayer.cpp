#include "sim/sound/TonePlayer.h"

#include "core/PluginLoader.h"
#include "sim/sound/LoopingPcmDevice.h"
#include "sim/sound/ToneOutput.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {
struct PcmImage {
    int sampleRate = 0;
    int channelCount = 0;
    QByteArray samples;
    bool valid() const { return sampleRate > 0; }
};

// The format and samples of a PCM RIFF/WAVE image with the plain 44-byte
// header; not valid when the image is not one.
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
    result.sampleRate = int(rate);
    result.channelCount = channels;
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

const QString TonePlayer::defaultOutputPlugin = QStringLiteral("orvanta_toneoutput");

TonePlayer::TonePlayer(QObject *parent, const QString &outputPlugin)
    : QObject(parent), m_outputPlugin(outputPlugin)
{
}

TonePlayer::~TonePlayer()
{
    stop();
    // The output may report while it closes; this player is no longer there
    // to hear it.
    if (m_output)
        m_output->setFailureHandler({});
    m_output.reset();
}

bool TonePlayer::play(const QByteArray &waveImage)
{
    stop();
    if (!m_available)
        return false;
    const PcmImage pcm = parseWaveImage(waveImage);
    if (!pcm.valid())
        return false;

    if (!m_output) {
        auto *factory = PluginLoader::instance<ToneOutputFactory>(m_outputPlugin);
        if (!factory) {
            // The loader has said why on the error stream.
            markUnavailable();
            return false;
        }
        m_output.reset(factory->createToneOutput());
        m_output->setFailureHandler([this] { markUnavailable(); });
    }
    if (!m_source) {
        m_source = new LoopingPcmDevice(this);
        // Unbuffered: a new period must not follow bytes of the old one read
        // ahead into a buffer.
        m_source->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    m_source->setPeriod(pcm.samples);
    m_playing = true;
    // About a fifth of a second buffered keeps the loop whole on a busy
    // machine and still answers a key at once.
    if (!m_output->start(m_source, pcm.sampleRate, pcm.channelCount, 200000))
        markUnavailable();
    return m_playing;
}

void TonePlayer::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    if (m_output)
        m_output->stop();
}

bool TonePlayer::isPlaying() const
{
    return m_playing;
}

void TonePlayer::markUnavailable()
{
    const bool first = m_available;
    m_available = false;
    m_playing = false;
    if (first)
        Q_EMIT unavailable();
}
