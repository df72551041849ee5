// The tone player: the looping source repeats a period byte for byte across
// any read size, and a player without a sound output plays nothing, says so
// once and never blocks, and neither does one whose output plugin is missing.
#include "sim/sound/LoopingPcmDevice.h"
#include "sim/sound/ToneImage.h"
#include "sim/sound/TonePlayer.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class TestTonePlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loopRepeatsThePeriod_data()
    {
        QTest::addColumn<int>("readSize");
        QTest::newRow("one byte") << 1;
        QTest::newRow("odd, shorter than the period") << 7;
        QTest::newRow("the period") << 10;
        QTest::newRow("longer than the period") << 23;
        QTest::newRow("many periods") << 4096;
    }
    void loopRepeatsThePeriod()
    {
        QFETCH(int, readSize);
        const QByteArray period("0123456789");
        LoopingPcmDevice device;
        QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        device.setPeriod(period);
        QVERIFY(device.bytesAvailable() > 4096);
        QByteArray got;
        while (got.size() < 5000) {
            const QByteArray chunk = device.read(readSize);
            QCOMPARE(chunk.size(), readSize);
            got += chunk;
        }
        for (qsizetype i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], period[i % period.size()]);
    }

    void newPeriodStartsAtItsFirstByte()
    {
        LoopingPcmDevice device;
        QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        device.setPeriod("abcdef");
        QCOMPARE(device.read(4), QByteArray("abcd"));
        device.setPeriod("XYZ");
        QCOMPARE(device.read(7), QByteArray("XYZXYZX"));
        device.setPeriod({});
        QCOMPARE(device.read(5), QByteArray());
    }

    void malformedImagesPlayNothing_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray good = buildToneImage({16, 0, 0, 0, 0}, 262.0f);
        QByteArray notRiff = good;
        notRiff[0] = 'X';
        QByteArray eightBit = good;
        eightBit[34] = 8;
        QByteArray tooLong = good;
        tooLong[41] = 0x7F; // data size beyond the image
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only, cut") << good.left(30);
        QTest::newRow("not RIFF") << notRiff;
        QTest::newRow("8 bits") << eightBit;
        QTest::newRow("data size beyond the image") << tooLong;
    }
    void malformedImagesPlayNothing()
    {
        QFETCH(QByteArray, image);
        TonePlayer player;
        QSignalSpy unavailable(&player, &TonePlayer::unavailable);
        QVERIFY(!player.play(image));
        QVERIFY(!player.isPlaying());
        // Not the output's fault: nothing is said about it.
        QCOMPARE(unavailable.count(), 0);
        QVERIFY(player.available());
    }

    // No sound server to talk to: the player finds no output.
    void withoutOutputNothingPlays()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/orvanta-test");
        if (!QMediaDevices::defaultAudioOutput().isNull())
            QSKIP("this machine offers a sound output without a sound server");
        TonePlayer player;
        QSignalSpy unavailable(&player, &TonePlayer::unavailable);
        QElapsedTimer timer;
        timer.start();
        for (int key : {0, 5, 26}) {
            QVERIFY(!player.play(buildToneImage({16, 0, 0, 0, 0}, 262.0f + 20.0f * key)));
            QVERIFY(!player.isPlaying());
            player.stop();
        }
        QCOMPARE(unavailable.count(), 1);
        QVERIFY(!player.available());
        // Generous: it must merely not hang.
        QVERIFY(timer.elapsed() < 10000);
    }

    // The output's plugin is not beside the executable: the loader says so,
    // and the player behaves as without a sound output.
    void missingOutputPluginPlaysNothing()
    {
        TonePlayer player(nullptr, QStringLiteral("orvanta_no_such_output"));
        QSignalSpy unavailable(&player, &TonePlayer::unavailable);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot load orvanta_no_such_output: ")));
        for (int key : {0, 5}) {
            QVERIFY(!player.play(buildToneImage({16, 0, 0, 0, 0}, 262.0f + 20.0f * key)));
            QVERIFY(!player.isPlaying());
            player.stop();
        }
        QCOMPARE(unavailable.count(), 1);
        QVERIFY(!player.available());
    }
};

QTEST_GUILESS_MAIN(TestTonePlayer)
#include "tst_toneplayer.moc"
