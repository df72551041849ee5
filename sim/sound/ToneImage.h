#pragma once
// A tone as the sound output plays it: one period of 16-bit mono samples at
// 44100 Hz, wrapped in a RIFF/WAVE image held in memory. Looped without a
// gap, the period sounds at 44100 / N Hz, N being its sample count.
#include <QByteArray>
#include <array>
#include <cstdint>
#include <vector>

constexpr int kToneSampleRate = 44100;
constexpr int kWaveHeaderSize = 44;
constexpr int kToneSampleLimit = 32000; // samples are clipped to +-32000
constexpr float kToneSampleScale = 1000.0f; // per unit of strength

// Strengths of the fundamental f and of the harmonics 2f to 5f, 0 to 32.
using ToneStrengths = std::array<float, 5>;

// The 44-byte RIFF/WAVE header of a PCM image, little-endian, with the data
// size sampleBytes x channels.
QByteArray buildWaveHeader(uint32_t sampleBytes, int bitsPerSample, int channels, int sampleRate);

// Samples in one period of the tone of frequency f (Hz): N = 360 / sigma
// rounded, sigma = f x 360 / 44100 degrees per sample; each sample is the sum
// of the five partials, 1000 x strength each, rounded and clipped; the last
// sample is 0. Empty when f is not positive.
int toneSampleCount(float frequency);
std::vector<int16_t> toneSamples(const ToneStrengths &strengths, float frequency);

// The header followed by the samples: 44 + 2N bytes (empty when f is not
// positive).
QByteArray buildToneImage(const ToneStrengths &strengths, float frequency);
