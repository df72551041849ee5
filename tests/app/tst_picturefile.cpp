// Reading the program's own pictures: a PNG is read without loading any
// image plugin, and whatever else a file holds is still read as before.
#include "app/PictureFile.h"
#include "core/FileLookup.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage sample()
{
    QImage img(7, 5, QImage::Format_ARGB32);
    img.fill(QColor(10, 200, 30, 255));
    img.setPixelColor(3, 2, QColor(250, 0, 0, 128));
    return img;
}
} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // First, while this process has read no picture yet.
    void pngLoadsNoImagePlugin()
    {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("needs /proc to see which libraries are loaded");
        QVERIFY(!imagePluginLoaded());
        const QString splash = FileLookup::resolveContent(QStringLiteral("HTML/images/Splash.png"));
        QVERIFY(!splash.isEmpty());
        const QImage img = PictureFile::read(splash);
        QVERIFY(!img.isNull());
        QVERIFY(!imagePluginLoaded());
    }

    void readsWhatTheFileHolds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format"); // written as; empty: no file
        QTest::addColumn<bool>("readable");
        QTest::newRow("png") << "a.png" << QByteArray("png") << true;
        QTest::newRow("PNG in capitals") << "b.PNG" << QByteArray("png") << true;
        QTest::newRow("bmp") << "c.bmp" << QByteArray("bmp") << true;
        QTest::newRow("a bmp named .png") << "d.png" << QByteArray("bmp") << true;
        QTest::newRow("missing") << "e.png" << QByteArray() << false;
        QTest::newRow("not a picture") << "f.png" << QByteArray("text") << false;
        QTest::newRow("no file name") << "" << QByteArray() << false;
    }
    void readsWhatTheFileHolds()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = name.isEmpty() ? QString() : dir.filePath(name);
        if (format == "text") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a picture\n");
        } else if (!format.isEmpty()) {
            QImageWriter writer(file, format);
            QVERIFY2(writer.write(sample()), qPrintable(writer.errorString()));
        }
        const QImage img = PictureFile::read(file);
        QCOMPARE(!img.isNull(), readable);
        if (readable) {
            QCOMPARE(img.size(), QSize(7, 5));
            QCOMPARE(img.pixelColor(0, 0).rgb(), QColor(10, 200, 30).rgb());
        }
    }
};

QTEST_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
