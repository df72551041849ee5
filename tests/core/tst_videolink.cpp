// Reading the video links of the course pages.
#include "core/VideoLink.h"

#include <QTest>

class TestVideoLink : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestVideoLink::parse_data()
{
    QTest::addColumn<QString>("segment");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("fullScreen");
    QTest::addColumn<QString>("loop");
    QTest::addColumn<QString>("file");

    QTest::newRow("all fields") << "640,480,1,0,ripples.flv" << QSize(640, 480) << "1" << "0" << "ripples.flv";
    QTest::newRow("the course's link") << "640,480,0,0,ripples.flv" << QSize(640, 480) << "0" << "0" << "ripples.flv";
    QTest::newRow("file name only") << "ripples.flv" << QSize(640, 520) << "0" << "0" << "ripples.flv";
    QTest::newRow("spaces anywhere") << " 6 40 , 48 0,1 , 1,rip ples .flv " << QSize(640, 480) << "1" << "1"
                                     << "ripples.flv";
    QTest::newRow("empty field gives its slot to the next") << "640,,480,1,0,a.flv" << QSize(640, 480) << "1"
                                                            << "0" << "a.flv";
    QTest::newRow("only sizes") << "320,240,a.flv" << QSize(320, 240) << "0" << "0" << "a.flv";
    QTest::newRow("fields beyond four dropped") << "1,2,3,4,5,6,a.flv" << QSize(1, 2) << "3" << "4" << "a.flv";
    QTest::newRow("unreadable width: both fall back") << "wide,480,1,1,a.flv" << QSize(640, 520) << "1" << "1"
                                                      << "a.flv";
    QTest::newRow("unreadable height") << "640,4x0,0,1,a.flv" << QSize(640, 520) << "0" << "1" << "a.flv";
    QTest::newRow("zero size cannot be shown") << "0,480,0,0,a.flv" << QSize(640, 520) << "0" << "0" << "a.flv";
    QTest::newRow("negative size") << "640,-480,0,0,a.flv" << QSize(640, 520) << "0" << "0" << "a.flv";
    QTest::newRow("all empty") << ",,,,a.flv" << QSize(640, 520) << "0" << "0" << "a.flv";
    QTest::newRow("no file name") << "640,480,0,0," << QSize(640, 480) << "0" << "0" << "";
    QTest::newRow("empty") << "" << QSize(640, 520) << "0" << "0" << "";
}

void TestVideoLink::parse()
{
    QFETCH(QString, segment);
    QFETCH(QSize, size);
    QFETCH(QString, fullScreen);
    QFETCH(QString, loop);
    QFETCH(QString, file);
    const VideoLink link = VideoLink::parse(segment);
    QCOMPARE(link.size, size);
    QCOMPARE(link.fullScreen, fullScreen);
    QCOMPARE(link.loop, loop);
    QCOMPARE(link.fileName, file);
    QCOMPARE(link.movieVariables(),
             QStringLiteral("video=%1&loop=%2&fullscreen=%3").arg(file, loop, fullScreen));
}

QTEST_APPLESS_MAIN(TestVideoLink)
#include "tst_videolink.moc"
