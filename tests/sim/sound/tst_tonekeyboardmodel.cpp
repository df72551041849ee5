// The tone keyboard: key frequencies and the samples of their tones, the
// WAVE image read back from a file, the hit test, what presses and drags
// sound, the waveform picture and the window's layout.
#include "sim/sound/ToneKeyboardModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {
// A keyboard picture 390 x 130 (the 400 x 500 window): h = 60, a = 24, b = 8.
constexpr int kWk = 390, kHk = 130;

QPoint centre(const QRect &r)
{
    return QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2);
}

// The fields of a RIFF/WAVE file, read without anything of the program's.
struct WaveFile {
    QByteArray riff, wave, fmt, data;
    quint32 riffSize = 0, fmtSize = 0, dataSize = 0;
    quint16 format = 0, channels = 0, blockAlign = 0, bits = 0;
    quint32 rate = 0, byteRate = 0;
    std::vector<qint16> samples;
};
WaveFile readWave(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    WaveFile w;
    if (b.size() < 44)
        return w;
    const uchar *p = reinterpret_cast<const uchar *>(b.constData());
    w.riff = b.mid(0, 4);
    w.riffSize = qFromLittleEndian<quint32>(p + 4);
    w.wave = b.mid(8, 4);
    w.fmt = b.mid(12, 4);
    w.fmtSize = qFromLittleEndian<quint32>(p + 16);
    w.format = qFromLittleEndian<quint16>(p + 20);
    w.channels = qFromLittleEndian<quint16>(p + 22);
    w.rate = qFromLittleEndian<quint32>(p + 24);
    w.byteRate = qFromLittleEndian<quint32>(p + 28);
    w.blockAlign = qFromLittleEndian<quint16>(p + 32);
    w.bits = qFromLittleEndian<quint16>(p + 34);
    w.data = b.mid(36, 4);
    w.dataSize = qFromLittleEndian<quint32>(p + 40);
    for (qsizetype i = 44; i + 1 < b.size(); i += 2)
        w.samples.push_back(qFromLittleEndian<qint16>(p + i));
    return w;
}
} // namespace

class TestToneKeyboardModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Frequencies as stored, samples per period and the pitch heard.
    void keys_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("samples");
        QTest::addColumn<bool>("black");
        QTest::newRow("C") << 0 << 262.00 << 168 << false;
        QTest::newRow("C sharp") << 1 << 277.58 << 159 << true;
        QTest::newRow("E") << 4 << 330.10 << 134 << false;
        QTest::newRow("F") << 5 << 349.73 << 126 << false;
        QTest::newRow("A") << 9 << 440.63 << 100 << false;
        QTest::newRow("B flat") << 10 << 466.83 << 94 << true;
        QTest::newRow("C'") << 12 << 524.00 << 84 << false;
        QTest::newRow("index 18") << 18 << 741.05 << 60 << true;
        QTest::newRow("index 23") << 23 << 989.18 << 45 << false;
        QTest::newRow("C''") << 24 << 1048.00 << 42 << false;
        QTest::newRow("last") << 26 << 1176.34 << 37 << false;
    }
    void keys()
    {
        QFETCH(int, index);
        QFETCH(double, frequency);
        QFETCH(int, samples);
        QFETCH(bool, black);
        const float f = keyFrequency(index);
        QCOMPARE(std::round(f * 100.0) / 100.0, frequency);
        QCOMPARE(toneSampleCount(f), samples);
        QCOMPARE(isBlackKey(index), black);
        // The period loops, so the pitch heard is 44100 / N, within a
        // quarter tone of the key's own frequency.
        const double heard = 44100.0 / samples;
        QVERIFY(std::abs(std::log2(heard / f)) < 1.0 / 24);
    }

    void defaultStrengths()
    {
        const std::vector<int16_t> s = toneSamples({16, 0, 0, 0, 0}, keyFrequency(0));
        QCOMPARE(int(s.size()), 168);
        QCOMPARE(*std::max_element(s.begin(), s.end()), int16_t(16000));
        // The trough falls between samples: 269.49 degrees, -15999.
        QCOMPARE(*std::min_element(s.begin(), s.end()), int16_t(-15999));
        QCOMPARE(s.front(), int16_t(0));
        QCOMPARE(s.back(), int16_t(0));
        // A pure sine: a quarter period in, the sample is near its peak.
        QVERIFY(s[42] > 15990);
    }

    void strongestToneClipsFlat()
    {
        const std::vector<int16_t> s = toneSamples({32, 32, 32, 32, 32}, keyFrequency(0));
        const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
        QCOMPARE(*hi, int16_t(32000));
        QCOMPARE(*lo, int16_t(-32000));
        // Clipped flat: several samples in a row sit at each limit.
        const auto atTop = std::count(s.begin(), s.end(), int16_t(32000));
        const auto atBottom = std::count(s.begin(), s.end(), int16_t(-32000));
        QVERIFY(atTop >= 5);
        QVERIFY(atBottom >= 5);
        // The harmonics are there: a pure fundamental at 32 x 1000 would not
        // reach 32000 at a sample 10 degrees in.
        QVERIFY(s[5] > 32000 * std::sin(10.0 * M_PI / 180.0) * 2);
    }

    void silentAndEmptyTones()
    {
        const std::vector<int16_t> silent = toneSamples({0, 0, 0, 0, 0}, keyFrequency(3));
        QCOMPARE(int(silent.size()), 142);
        QVERIFY(std::all_of(silent.begin(), silent.end(), [](int16_t v) { return v == 0; }));
        // No frequency, no tone (never a division by zero).
        QVERIFY(buildToneImage({16, 0, 0, 0, 0}, 0.0f).isEmpty());
        QVERIFY(toneSamples({16, 0, 0, 0, 0}, -5.0f).empty());
    }

    // The image written to a file and read back field by field.
    void waveImageReadBack_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("samples");
        QTest::newRow("key 0") << 0 << 168;
        QTest::newRow("key 26") << 26 << 37;
    }
    void waveImageReadBack()
    {
        QFETCH(int, index);
        QFETCH(int, samples);
        const ToneStrengths strengths{16, 8, 0, 4, 0};
        const QByteArray image = buildToneImage(strengths, keyFrequency(index));
        QCOMPARE(int(image.size()), 44 + 2 * samples);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(image), image.size());
        }
        const WaveFile w = readWave(path);
        QCOMPARE(w.riff, QByteArray("RIFF"));
        QCOMPARE(w.riffSize, quint32(36 + 2 * samples));
        QCOMPARE(w.wave, QByteArray("WAVE"));
        QCOMPARE(w.fmt, QByteArray("fmt "));
        QCOMPARE(w.fmtSize, 16u);
        QCOMPARE(w.format, quint16(1));
        QCOMPARE(w.channels, quint16(1));
        QCOMPARE(w.rate, 44100u);
        QCOMPARE(w.byteRate, 88200u);
        QCOMPARE(w.blockAlign, quint16(2));
        QCOMPARE(w.bits, quint16(16));
        QCOMPARE(w.data, QByteArray("data"));
        QCOMPARE(w.dataSize, quint32(2 * samples));
        const std::vector<int16_t> expected = toneSamples(strengths, keyFrequency(index));
        QCOMPARE(w.samples, std::vector<qint16>(expected.begin(), expected.end()));
    }

    void headerForOtherFormats()
    {
        // Stereo 8-bit at 22050 Hz, 100 sample bytes per channel.
        const QByteArray h = buildWaveHeader(100, 8, 2, 22050);
        const uchar *p = reinterpret_cast<const uchar *>(h.constData());
        QCOMPARE(h.size(), 44);
        QCOMPARE(qFromLittleEndian<quint32>(p + 4), 236u);
        QCOMPARE(qFromLittleEndian<quint32>(p + 28), 44100u);
        QCOMPARE(qFromLittleEndian<quint16>(p + 32), quint16(2));
        QCOMPARE(qFromLittleEndian<quint32>(p + 40), 200u);
    }

    void layout()
    {
        const ToneKeyboardLayout l = toneKeyboardLayout(400, 500);
        QCOMPARE(l.waveform, QRect(5, 5, 390, 130));
        QCOMPARE(l.keyboard, QRect(5, 140, 390, 130));
        // A wide, low window: the height limits both pictures.
        const ToneKeyboardLayout wide = toneKeyboardLayout(1000, 215);
        QCOMPARE(wide.waveform, QRect(5, 5, 990, 100));
        QCOMPARE(wide.keyboard, QRect(5, 110, 990, 100));
        // Too small to show anything: empty pictures, never negative sizes.
        const ToneKeyboardLayout tiny = toneKeyboardLayout(3, 4);
        QVERIFY(tiny.waveform.width() >= 0 && tiny.waveform.height() >= 0);
        QVERIFY(tiny.keyboard.width() >= 0 && tiny.keyboard.height() >= 0);
    }

    void keyboardGeometryAt390()
    {
        const KeyboardGeometry g = keyboardGeometry(kWk, kHk);
        QCOMPARE(g.keyHeight, 60);
        QCOMPARE(g.whiteWidth, 24);
        QCOMPARE(g.halfBlack, 8);
        QCOMPARE(g.keys[0], QRect(0, 60, 24, 60));   // C, lower half only
        QCOMPARE(g.keys[1], QRect(16, 0, 16, 60));   // C sharp over the boundary at 24
        QCOMPARE(g.keys[26], QRect(360, 60, 24, 60)); // the 16th white key
        QCOMPARE(g.extraBlackKey, QRect(376, 0, 16, 60));
        int white = 0;
        for (int i = 0; i < kKeyCount; ++i)
            white += isBlackKey(i) ? 0 : 1;
        QCOMPARE(white, 16);
    }

    // Where a press lands: the key, or none (f = 0).
    void hitTest_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("key");
        QTest::newRow("C, lower half") << QPoint(10, 100) << 0;
        QTest::newRow("C sharp") << QPoint(20, 30) << 1;
        QTest::newRow("black key's right edge is outside") << QPoint(32, 30) << -1;
        QTest::newRow("white key's left edge") << QPoint(24, 60) << 2;
        QTest::newRow("upper half between black keys") << QPoint(36, 30) << -1;
        QTest::newRow("upper half of E, no black key to the right") << QPoint(66, 30) << -1;
        QTest::newRow("the drawn 28th key") << QPoint(380, 30) << -1;
        QTest::newRow("right of the 16 white keys") << QPoint(386, 100) << -1;
        QTest::newRow("below the keys") << QPoint(10, 120) << -1;
        QTest::newRow("left of the keyboard") << QPoint(-1, 100) << -1;
        QTest::newRow("last white key") << QPoint(383, 119) << 26;
    }
    void hitTest()
    {
        QFETCH(QPoint, point);
        QFETCH(int, key);
        ToneKeyboardModel m;
        m.setKeyboardSize(kWk, kHk);
        QCOMPARE(keyAt(m.geometry(), point), key);
        const auto sound = m.press(point);
        QCOMPARE(m.key(), key);
        if (key < 0) {
            QCOMPARE(sound, ToneKeyboardModel::Sound::Unchanged);
            QCOMPARE(m.frequency(), 0.0f);
            QVERIFY(!m.playing());
            QVERIFY(m.image().isEmpty());
        } else {
            QCOMPARE(sound, ToneKeyboardModel::Sound::Play);
            QCOMPARE(m.frequency(), keyFrequency(key));
            QVERIFY(m.playing());
            QCOMPARE(int(m.image().size()), 44 + 2 * toneSampleCount(keyFrequency(key)));
        }
    }

    void dragging()
    {
        ToneKeyboardModel m;
        m.setKeyboardSize(kWk, kHk);
        const KeyboardGeometry &g = m.geometry();
        // Not pressed: moving sounds nothing.
        QCOMPARE(m.move(centre(g.keys[4])), ToneKeyboardModel::Sound::Unchanged);
        QCOMPARE(m.frequency(), kBaseFrequency);

        QCOMPARE(m.press(centre(g.keys[0])), ToneKeyboardModel::Sound::Play);
        const QByteArray first = m.image();
        // Within the sounding key nothing changes.
        QCOMPARE(m.move(g.keys[0].topLeft()), ToneKeyboardModel::Sound::Unchanged);
        QCOMPARE(m.image(), first);
        // Onto another key: a new tone.
        QCOMPARE(m.move(centre(g.keys[2])), ToneKeyboardModel::Sound::Play);
        QCOMPARE(m.key(), 2);
        QCOMPARE(m.frequency(), keyFrequency(2));
        QCOMPARE(int(m.image().size()), 44 + 2 * 150);
        // Off the keys: the tone goes on, f reads 0.
        QCOMPARE(m.move(QPoint(36, 30)), ToneKeyboardModel::Sound::Unchanged);
        QCOMPARE(m.frequency(), 0.0f);
        QVERIFY(m.playing());
        QCOMPARE(m.key(), 2);
        // Back onto the sounding key: f again, the same tone.
        QCOMPARE(m.move(centre(g.keys[2])), ToneKeyboardModel::Sound::Unchanged);
        QCOMPARE(m.frequency(), keyFrequency(2));
        // Off again and released there: f stays 0, the tone stops.
        m.move(QPoint(500, 500));
        QCOMPARE(m.release(), ToneKeyboardModel::Sound::Stop);
        QCOMPARE(m.frequency(), 0.0f);
        QCOMPARE(m.key(), -1);
        QVERIFY(!m.playing());
        QVERIFY(m.image().isEmpty());
    }

    void strengthsCountFromTheNextTone()
    {
        ToneKeyboardModel m;
        m.setKeyboardSize(kWk, kHk);
        const KeyboardGeometry &g = m.geometry();
        m.press(centre(g.keys[0]));
        const QByteArray first = m.image();
        m.setStrengths({0, 32, 0, 0, 0});
        QCOMPARE(m.image(), first);
        m.move(centre(g.keys[12])); // C', 84 samples: twice C's frequency
        const QByteArray octave = m.image();
        m.release();
        m.press(centre(g.keys[0]));
        // The second harmonic alone of C is C' at 32.
        QCOMPARE(m.image().mid(44, 2 * 84), buildToneImage({0, 32, 0, 0, 0}, keyFrequency(0)).mid(44, 2 * 84));
        QVERIFY(octave != first);
    }

    void waveform()
    {
        // 390 x 130: mid 65, a strength of 32 reaches 5 pixels from the edge.
        const WaveformPicture w = waveformPicture(390, 130, {32, 0, 0, 0, 0}, kBaseFrequency);
        QCOMPARE(w.mid, 65);
        QCOMPARE(int(w.points.size()), 361);
        QCOMPARE(w.points.front(), QPointF(5, 65));
        QCOMPARE(w.points.back().x(), 385.0);
        // Two periods of 262 Hz: the top at i = 45, the bottom at 135.
        QVERIFY(std::abs(w.points[45].y() - 5) < 1e-3);
        QVERIFY(std::abs(w.points[135].y() - 125) < 1e-3);
        QVERIFY(std::abs(w.points[180].y() - 65) < 1e-3);
        // Label positions: every 48 samples, 1.018 ms apart.
        QCOMPARE(w.points[48].x(), std::nearbyint(48 * 380 / 360.0) + 5);

        // Clipped to 5 ... Hs - 5 however strong.
        const WaveformPicture strong = waveformPicture(390, 130, {32, 32, 32, 32, 32}, 700);
        for (const QPointF &p : strong.points)
            QVERIFY(p.y() >= 5 && p.y() <= 125);
        // f = 0: a flat line on the axis.
        const WaveformPicture flat = waveformPicture(390, 130, {32, 32, 32, 32, 32}, 0);
        QVERIFY(std::all_of(flat.points.begin(), flat.points.end(), [](const QPointF &p) { return p.y() == 65; }));

        QCOMPARE(frequencyTitle(keyFrequency(26)), QStringLiteral("Frequency 1176 Hz"));
        QCOMPARE(frequencyTitle(0), QStringLiteral("Frequency 0 Hz"));
    }
};

QTEST_GUILESS_MAIN(TestToneKeyboardModel)
#include "tst_tonekeyboardmodel.moc"
