#include "sim/sound/ToneImage.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr long double kPi = 3.14159265358979323846264338327950288L;

void putU32(char *p, uint32_t v)
{
    qToLittleEndian<quint32>(v, p);
}
void putU16(char *p, uint16_t v)
{
    qToLittleEndian<quint16>(v, p);
}

// Degrees the fundamental turns per sample, as a 32-bit float.
float degreesPerSample(float frequency)
{
    return float(static_cast<long double>(frequency) * 360.0L / kToneSampleRate);
}
} // namespace

QByteArray buildWaveHeader(uint32_t sampleBytes, int bitsPerSample, int channels, int sampleRate)
{
    QByteArray h(kWaveHeaderSize, '\0');
    char *p = h.data();
    const uint32_t dataSize = sampleBytes * uint32_t(channels);
    const int bytesPerSample = bitsPerSample / 8;
    memcpy(p, "RIFF", 4);
    putU32(p + 4, 36 + dataSize);
    memcpy(p + 8, "WAVE", 4);
    memcpy(p + 12, "fmt ", 4);
    putU32(p + 16, 16);
    putU16(p + 20, 1); // PCM
    putU16(p + 22, uint16_t(channels));
    putU32(p + 24, uint32_t(sampleRate));
    putU32(p + 28, uint32_t(bytesPerSample * channels * sampleRate));
    putU16(p + 32, uint16_t(bytesPerSample * channels));
    putU16(p + 34, uint16_t(bitsPerSample));
    memcpy(p + 36, "data", 4);
    putU32(p + 40, dataSize);
    return h;
}

int toneSampleCount(float frequency)
{
    if (!(frequency > 0.0f))
        return 0;
    // Halves to even, as the default rounding mode does.
    return int(std::nearbyint(360.0L / static_cast<long double>(degreesPerSample(frequency))));
}

std::vector<int16_t> toneSamples(const ToneStrengths &strengths, float frequency)
{
    const int n = toneSampleCount(frequency);
    std::vector<int16_t> samples(size_t(std::max(n, 0)));
    const float sigma = degreesPerSample(frequency);
    for (int i = 0; i < n; ++i) {
        const float theta = float(static_cast<long double>(i) * sigma * kPi / 180.0L);
        long double v = 0;
        for (int k = 1; k <= 5; ++k)
            v += std::sin(static_cast<long double>(k) * theta) * kToneSampleScale * strengths[size_t(k - 1)];
        const long double r = std::nearbyint(v);
        samples[size_t(i)] = int16_t(std::clamp<long double>(r, -kToneSampleLimit, kToneSampleLimit));
    }
    // The period's last sample is silence.
    if (n > 0)
        samples.back() = 0;
    return samples;
}

QByteArray buildToneImage(const ToneStrengths &strengths, float frequency)
{
    const std::vector<int16_t> samples = toneSamples(strengths, frequency);
    if (samples.empty())
        return {};
    const uint32_t dataSize = uint32_t(samples.size() * 2);
    QByteArray image = buildWaveHeader(dataSize, 16, 1, kToneSampleRate);
    image.resize(kWaveHeaderSize + int(dataSize));
    char *p = image.data() + kWaveHeaderSize;
    for (int16_t s : samples) {
        qToLittleEndian<qint16>(s, p);
        p += 2;
    }
    return image;
}
