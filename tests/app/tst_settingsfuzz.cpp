// Settings stores corrupted from a fixed seed, the way an editor, a full
// disk or a half-written file leaves them: every start places the window
// inside the screen, takes every value that is still valid, and keeps it
// when the settings are saved again. ORVANTA_SOAK=<factor> runs more stores.
#include "AppTestSupport.h"
#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/View3DControls.h"
#include "core/SettingsCodec.h"
#include "core/SimulationKind.h"
#include "sim/framework/Themes.h"

#include <QAction>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>
#include <limits>

using namespace TestSupport;

namespace {

constexpr quint32 kSeed = 140014;
constexpr int kStores = 300;
// Every 25th start is shown on the screen, as the program shows it.
constexpr int kShowEvery = 25;
const QRect kWork(0, 0, 1600, 960);
const QStringList kKeys = {QStringLiteral("textbgnd"), QStringLiteral("zoom"), QStringLiteral("TBTop"),
                           QStringLiteral("GLColor"), QStringLiteral("Large"), QStringLiteral("Speeds"),
                           QStringLiteral("position"), QStringLiteral("Skin")};

QSettings store()
{
    return QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
}

// What the store says, read afresh from the file.
QMap<QString, QVariant> readBack()
{
    QSettings s = store();
    QMap<QString, QVariant> values;
    for (const QString &k : kKeys)
        if (s.contains(k))
            values.insert(k, s.value(k));
    return values;
}

// A valid store, different in each round.
struct Good {
    QString background;
    int zoom = 2;
    bool top = true;
    qint32 glColour = 0xFFFFFF;
    bool large = false;
    SpeedTable speeds{};
    QRect position;
    QString skin;

    explicit Good(QRandomGenerator &rng, QSize minimum)
    {
        const QStringList colours{QStringLiteral("#FFFFFF"), QStringLiteral("#D9EAFF"), QStringLiteral("#FFFFE0")};
        background = colours.at(rng.bounded(colours.size()));
        zoom = rng.bounded(5);
        top = rng.bounded(2);
        glColour = qint32(rng.bounded(0x1000000));
        large = rng.bounded(2);
        for (int32_t &v : speeds)
            v = rng.bounded(1, 1000);
        const int w = rng.bounded(minimum.width(), kWork.width() + 1);
        const int h = rng.bounded(minimum.height(), kWork.height() + 1);
        position = QRect(rng.bounded(kWork.width() - w + 1), rng.bounded(kWork.height() - h + 1), w, h);
        skin = Themes::names().at(rng.bounded(Themes::names().size()));
    }
    void write() const
    {
        QSettings s = store();
        s.setValue(QStringLiteral("textbgnd"), background);
        s.setValue(QStringLiteral("zoom"), zoom);
        s.setValue(QStringLiteral("TBTop"), top ? 1 : 0);
        s.setValue(QStringLiteral("GLColor"), glColour);
        s.setValue(QStringLiteral("Large"), large ? 1 : 0);
        s.setValue(QStringLiteral("Speeds"), SettingsCodec::packInt32s(QList<qint32>(speeds.begin(), speeds.end())));
        s.setValue(QStringLiteral("position"),
                   SettingsCodec::packInt32s({position.left(), position.top(), position.left() + position.width(),
                                              position.top() + position.height()}));
        s.setValue(QStringLiteral("Skin"), skin);
        s.sync();
    }
};

QByteArray randomBytes(QRandomGenerator &rng, int size)
{
    QByteArray b(size, Qt::Uninitialized);
    for (char &c : b)
        c = char(rng.bounded(256));
    return b;
}

qint32 extremeInt(QRandomGenerator &rng)
{
    const qint32 pool[] = {0, -1, 1, 32767, 32768, 65535, 1000000, -1000000, std::numeric_limits<qint32>::max(),
                           std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max() - 1};
    return rng.bounded(3) == 0 ? qint32(rng.generate()) : pool[rng.bounded(int(std::size(pool)))];
}

// A value of the wrong type, size or range for `key`.
QVariant corruptValue(QRandomGenerator &rng, const QString &key)
{
    switch (rng.bounded(7)) {
    case 0: { // text of any characters
        QString t;
        for (int i = rng.bounded(24); i > 0; --i)
            t += QChar(char16_t(rng.bounded(1, 0xD7FF)));
        return t;
    }
    case 1:
        return extremeInt(rng);
    case 2:
        return randomBytes(rng, rng.bounded(90));
    case 3: // the right size for a packed value, any contents
        if (key == QLatin1String("position"))
            return SettingsCodec::packInt32s({extremeInt(rng), extremeInt(rng), extremeInt(rng), extremeInt(rng)});
        return randomBytes(rng, key == QLatin1String("Speeds") ? 72 : 4);
    case 4:
        return QStringList{QStringLiteral("1"), QStringLiteral("two")};
    case 5:
        return rng.bounded(2) ? std::numeric_limits<double>::quiet_NaN() : 1e300;
    default:
        return QStringLiteral("%1").arg(extremeInt(rng));
    }
}

// Damage to the file itself: bytes changed, cut short, garbage put in,
// lines lost or repeated.
QByteArray damageFile(QRandomGenerator &rng, QByteArray file)
{
    if (file.isEmpty())
        return file;
    switch (rng.bounded(5)) {
    case 0:
        for (int i = rng.bounded(1, 9); i > 0; --i)
            file[rng.bounded(file.size())] = char(rng.bounded(256));
        break;
    case 1:
        file.truncate(rng.bounded(file.size()));
        break;
    case 2:
        file.insert(rng.bounded(file.size() + 1), randomBytes(rng, rng.bounded(1, 41)));
        break;
    case 3: {
        const int from = rng.bounded(file.size());
        file.remove(from, rng.bounded(1, 60));
        break;
    }
    default: {
        QList<QByteArray> lines = file.split('\n');
        const int i = rng.bounded(lines.size());
        if (rng.bounded(2))
            lines.insert(rng.bounded(lines.size() + 1), lines.at(i));
        else
            lines.removeAt(i);
        file = lines.join('\n');
        break;
    }
    }
    return file;
}

} // namespace

class TestSettingsFuzz : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { Themes::apply(Themes::defaultName()); }
    void corruptStores();
};

void TestSettingsFuzz::corruptStores()
{
    ScopedDialogAnswers answers(false);
    QSize minimum;
    {
        ScopedSettings empty;
        MainWindow w(fixedScreen());
        minimum = w.minimumSizeHint().expandedTo(QSize(300, 200));
    }
    QVERIFY(minimum.width() < kWork.width() && minimum.height() < kWork.height());

    QRandomGenerator rng(kSeed);
    const int stores = kStores * soakFactor();
    int damagedFiles = 0, keysKept = 0, keysLost = 0;
    for (int round = 0; round < stores; ++round) {
        ScopedSettings settings;
        const Good good(rng, minimum);
        good.write();
        const QMap<QString, QVariant> written = readBack();
        QCOMPARE(written.size(), kKeys.size());

        // Damage the values or the file.
        if (rng.bounded(2)) {
            QSettings s = store();
            for (int i = rng.bounded(1, 4); i > 0; --i) {
                const QString key = kKeys.at(rng.bounded(kKeys.size()));
                if (rng.bounded(6) == 0)
                    s.remove(key);
                else
                    s.setValue(key, corruptValue(rng, key));
            }
        } else {
            const QString file = settings.folder() + QStringLiteral("/Quillon/Orvanta.conf");
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            const QByteArray damaged = damageFile(rng, f.readAll());
            QVERIFY(f.resize(0) && f.seek(0));
            QCOMPARE(f.write(damaged), qint64(damaged.size()));
            ++damagedFiles;
        }
        // The keys that still read back as written are the valid ones.
        const QMap<QString, QVariant> before = readBack();
        QStringList intact;
        for (const QString &k : kKeys)
            if (before.value(k) == written.value(k))
                intact << k;

        animationSpeeds() = defaultAnimationSpeeds();
        MainWindow w(fixedScreen());
        const QString where = QStringLiteral("store %1, intact %2").arg(round).arg(intact.join(' '));
        QVERIFY2(kWork.contains(w.geometry()), qPrintable(where));
        auto kept = [&](const QString &key, bool same) {
            if (!intact.contains(key))
                return true;
            return same;
        };
        QVERIFY2(kept("textbgnd", w.coursePane()->pageBackground() == good.background), qPrintable(where));
        QVERIFY2(kept("zoom", w.coursePane()->textSize() == good.zoom), qPrintable(where));
        QVERIFY2(kept("TBTop", w.toolbarsAtTopAction()->isChecked() == good.top), qPrintable(where));
        QVERIFY2(kept("GLColor", w.view3D()->backgroundColor() == quint32(good.glColour)), qPrintable(where));
        QVERIFY2(kept("Large", w.largeButtonsAction()->isChecked() == good.large), qPrintable(where));
        QVERIFY2(kept("Speeds", animationSpeeds() == good.speeds), qPrintable(where));
        QVERIFY2(kept("position", w.geometry() == good.position), qPrintable(where));
        QVERIFY2(kept("Skin", Themes::current() == good.skin), qPrintable(where));
        // Whatever came back is a value the program can work with.
        QVERIFY(w.coursePane()->textSize() >= 0 && w.coursePane()->textSize() <= 4);
        QVERIFY(!Themes::current().isEmpty());

        if (round % kShowEvery == 0) {
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY2(kWork.contains(w.geometry()), qPrintable(where));
        }

        // Saving again keeps every valid value as it was.
        w.saveSettings();
        const QMap<QString, QVariant> after = readBack();
        for (const QString &k : intact) {
            QVERIFY2(after.value(k) == written.value(k), qPrintable(where + QStringLiteral(": lost ") + k));
            ++keysKept;
        }
        keysLost += int(kKeys.size() - intact.size());
    }
    qInfo("%d stores (%d damaged files): %d valid values kept, %d damaged values replaced", stores, damagedFiles,
          keysKept, keysLost);
    // The damage reached the program: the rounds above were not all clean.
    QVERIFY(keysLost > stores / 2);
}

QTEST_MAIN(TestSettingsFuzz)
#include "tst_settingsfuzz.moc"
