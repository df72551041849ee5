#include "sim/sound/ToneKeyboardModel.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr long double kPi = 3.14159265358979323846264338327950288L;

// The white key to the right of each black key, by chromatic index.
constexpr std::array<int, kKeyCount> kBlackBoundary = {
    -1, 1, -1, 2, -1, -1, 4, -1, 5, -1, 6, -1, -1, 8, -1, 9, -1, -1, 11, -1, 12, -1, 13, -1, -1, 15, -1};

int roundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

bool holds(const QRect &r, QPoint p)
{
    return p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() && p.y() < r.top() + r.height();
}

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
} // namespace

float keyFrequency(int index)
{
    // Repeated squaring in extended precision, then stored as a 32-bit float.
    long double power = 1.0L, base = kSemitoneRatio;
    for (unsigned n = unsigned(std::max(index, 0)); n != 0; n >>= 1) {
        if (n & 1u)
            power *= base;
        base *= base;
    }
    return float(kBaseFrequency * power);
}

bool isBlackKey(int index)
{
    return index >= 0 && index < kKeyCount && kBlackBoundary[size_t(index)] >= 0;
}

ToneKeyboardLayout toneKeyboardLayout(int width, int height)
{
    // Two thirds of the width (halves away from zero) but no taller than the
    // window allows; never negative in a window too small to show anything.
    int s = int(std::lround(double(width - 10) * 2.0 / 3.0));
    s = std::max(0, std::min(s, height - 15));
    const int half = s / 2;
    const int right = std::max(5, width - 5);
    return {fromEdges(5, 5, right, half + 5), fromEdges(5, half + 10, right, 2 * half + 10)};
}

KeyboardGeometry keyboardGeometry(int width, int height)
{
    KeyboardGeometry g;
    const int h = height / 2 - 5;
    const int a = roundHalfEven(width / 16.0);
    const int b = roundHalfEven(a / 3.0);
    g.keyHeight = h;
    g.whiteWidth = a;
    g.halfBlack = b;
    int white = 0;
    for (int i = 0; i < kKeyCount; ++i) {
        const int w = kBlackBoundary[size_t(i)];
        if (w >= 0) {
            g.keys[size_t(i)] = fromEdges(w * a - b, 0, w * a + b, h);
        } else {
            g.keys[size_t(i)] = fromEdges(white * a, h, (white + 1) * a, 2 * h);
            ++white;
        }
    }
    g.extraBlackKey = fromEdges(16 * a - b, 0, 16 * a + b, h);
    return g;
}

int keyAt(const KeyboardGeometry &geometry, QPoint point)
{
    for (int i = 0; i < kKeyCount; ++i)
        if (holds(geometry.keys[size_t(i)], point))
            return i;
    return -1;
}

WaveformPicture waveformPicture(int width, int height, const ToneStrengths &strengths, float frequency)
{
    WaveformPicture w;
    w.mid = height / 2;
    std::array<float, 5> amp{};
    for (size_t k = 0; k < 5; ++k)
        amp[k] = float(w.mid - 5) * strengths[k] / 32.0f;
    const float cycles = 2.0f * frequency / kBaseFrequency;
    const double dx = (width - 10) / 360.0;
    const double low = 5.0, high = std::max(5.0, height - 5.0);
    w.points.reserve(361);
    for (int i = 0; i <= 360; ++i) {
        const int x = roundHalfEven(i * dx) + 5;
        const float theta = float(static_cast<long double>(i) * cycles * kPi / 180.0L);
        long double y = w.mid;
        for (int k = 1; k <= 5; ++k)
            y -= amp[size_t(k - 1)] * std::sin(static_cast<long double>(k) * theta);
        w.points.emplace_back(x, std::clamp(double(y), low, high));
    }
    return w;
}

QString frequencyTitle(float frequency)
{
    return QStringLiteral("Frequency %1 Hz").arg(qint64(std::trunc(frequency)));
}

ToneKeyboardModel::ToneKeyboardModel() = default;

void ToneKeyboardModel::setKeyboardSize(int width, int height)
{
    m_geometry = keyboardGeometry(width, height);
}

int ToneKeyboardModel::hitTest(QPoint point)
{
    const int i = keyAt(m_geometry, point);
    m_f = i >= 0 ? keyFrequency(i) : 0.0f;
    return i;
}

ToneKeyboardModel::Sound ToneKeyboardModel::sound()
{
    m_image = buildToneImage(m_strengths, m_f);
    return Sound::Play;
}

ToneKeyboardModel::Sound ToneKeyboardModel::press(QPoint point)
{
    m_key = hitTest(point);
    if (m_key < 0)
        return Sound::Unchanged;
    m_playing = true;
    return sound();
}

ToneKeyboardModel::Sound ToneKeyboardModel::move(QPoint point)
{
    if (!m_playing)
        return Sound::Unchanged;
    const int i = hitTest(point);
    if (i < 0 || i == m_key)
        return Sound::Unchanged;
    m_key = i;
    return sound();
}

ToneKeyboardModel::Sound ToneKeyboardModel::release()
{
    m_image.clear();
    m_playing = false;
    m_key = -1;
    return Sound::Stop;
}
