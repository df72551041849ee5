// Where the program finds its content: beside the executable (the build
// tree) first, then in share/orvanta of the prefix it was installed to.
#include "core/FileLookup.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::ScopedExeFolder;

class TestFileLookup : public QObject
{
    Q_OBJECT

private slots:
    void contentFolder_data()
    {
        QTest::addColumn<QStringList>("made"); // folders and files under a fresh root
        QTest::addColumn<QString>("exe");      // the executable's folder
        QTest::addColumn<QString>("expected"); // the content folder
        QTest::newRow("build tree") << QStringList{"build/bin/HTML/index.htm"} << "build/bin"
                                    << "build/bin";
        QTest::newRow("installed") << QStringList{"usr/bin/", "usr/share/orvanta/HTML/index.htm"} << "usr/bin"
                                   << "usr/share/orvanta";
        QTest::newRow("installed, other letter case")
            << QStringList{"opt/o/bin/", "opt/o/share/orvanta/html/index.htm"} << "opt/o/bin"
            << "opt/o/share/orvanta";
        QTest::newRow("beside the executable wins")
            << QStringList{"p/bin/HTML/index.htm", "p/share/orvanta/HTML/index.htm"} << "p/bin" << "p/bin";
        QTest::newRow("installed without pages") << QStringList{"p/bin/", "p/share/orvanta/Flash/"} << "p/bin"
                                                 << "p/bin";
        QTest::newRow("HTML is a file, not a folder")
            << QStringList{"p/bin/", "p/share/orvanta/HTML"} << "p/bin" << "p/bin";
        QTest::newRow("nothing anywhere") << QStringList{"p/bin/"} << "p/bin" << "p/bin";
    }
    void contentFolder()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, exe);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        for (const QString &path : made) {
            const QString full = root.filePath(path);
            if (path.endsWith('/')) {
                QVERIFY(QDir().mkpath(full));
            } else {
                QVERIFY(QDir().mkpath(QFileInfo(full).path()));
                QFile f(full);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        ScopedExeFolder folder(root.filePath(exe));
        QCOMPARE(FileLookup::contentFolder(), root.filePath(expected) + '/');
    }

    // Files are found in the installed content without regard to case, and
    // a missing one stays missing.
    void resolveContent()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir().mkpath(root.filePath("bin")));
        QVERIFY(QDir().mkpath(root.filePath("share/orvanta/HTML/images")));
        QFile f(root.filePath("share/orvanta/HTML/images/Splash.png"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        ScopedExeFolder folder(root.filePath("bin"));
        QCOMPARE(FileLookup::resolveContent("html/Images/splash.png"),
                 root.filePath("share/orvanta/HTML/images/Splash.png"));
        QCOMPARE(FileLookup::resolveContent("HTML\\images\\Splash.png"),
                 root.filePath("share/orvanta/HTML/images/Splash.png"));
        QVERIFY(FileLookup::resolveContent("HTML/images/none.png").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileLookup)
#include "tst_filelookup.moc"
