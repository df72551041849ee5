// Writing exported pictures and data: the CSV layout and number format, PNG
// and SVG output, and failures that leave no file behind.
#include "TestSupport.h"
#include "sim/framework/ExportFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

class TestExportFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void csvLayout_data();
    void csvLayout();
    void numbersIgnoreTheLocale();
    void picturesAtTheRequestedSize_data();
    void picturesAtTheRequestedSize();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();
};

void TestExportFiles::csvLayout_data()
{
    QTest::addColumn<std::vector<DataSeries>>("series");
    QTest::addColumn<QString>("csv");

    QTest::newRow("one series") << std::vector<DataSeries>{{QStringLiteral("time (s)"), QStringLiteral("x (units)"),
                                                            {{0, 1.5}, {0.02, -0.25}}}}
                                << QStringLiteral("time (s),x (units)\n0,1.5\n0.02,-0.25\n");
    QTest::newRow("shared x values, one x column")
        << std::vector<DataSeries>{{QStringLiteral("t"), QStringLiteral("a"), {{0, 1}, {1, 2}}},
                                   {QStringLiteral("t"), QStringLiteral("b"), {{0, 3}, {1, 4}}}}
        << QStringLiteral("t,a,b\n0,1,3\n1,2,4\n");
    QTest::newRow("different x values, column pairs padded")
        << std::vector<DataSeries>{{QStringLiteral("t"), QStringLiteral("a"), {{0, 1}, {1, 2}, {2, 3}}},
                                   {QStringLiteral("t"), QStringLiteral("b"), {{0.5, 7}}}}
        << QStringLiteral("t,a,t,b\n0,1,0.5,7\n1,2,,\n2,3,,\n");
    QTest::newRow("headers with commas and quotes are quoted")
        << std::vector<DataSeries>{{QStringLiteral("angle, degrees"), QStringLiteral("the \"pattern\""), {{1, 2}}}}
        << QStringLiteral("\"angle, degrees\",\"the \"\"pattern\"\"\"\n1,2\n");
    QTest::newRow("no series") << std::vector<DataSeries>{} << QString();
}

void TestExportFiles::csvLayout()
{
    QFETCH(std::vector<DataSeries>, series);
    QFETCH(QString, csv);
    QCOMPARE(ExportFiles::csvText(series), csv);
}

void TestExportFiles::numbersIgnoreTheLocale()
{
    // A German locale writes 1.234,5; the file must not.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = ExportFiles::csvText({{QStringLiteral("x"), QStringLiteral("y"),
                                                {{1234.5, -0.1}, {1e-7, 12345678.0}}}});
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("x,y\n1234.5,-0.1\n1e-07,12345678\n"));

    // Every double reads back exactly, and a 32-bit float's value is kept.
    for (double v : {0.1, 1.0 / 3.0, double(3.14159274f), -2.5e-300, 9.87654321e12}) {
        bool ok = false;
        QCOMPARE(ExportFiles::csvNumber(v).toDouble(&ok), v);
        QVERIFY(ok);
    }
}

void TestExportFiles::picturesAtTheRequestedSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("png") << QStringLiteral("picture.png");
    QTest::newRow("svg") << QStringLiteral("picture.svg");
    QTest::newRow("svg, upper-case suffix") << QStringLiteral("PICTURE.SVG");
}

void TestExportFiles::picturesAtTheRequestedSize()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    const QSize size(321, 123);
    QRectF painted;
    QString error;
    QVERIFY(ExportFiles::writePicture(path, size, [&painted](QPainter &p, const QRectF &target) {
        painted = target;
        p.fillRect(QRectF(target.topLeft(), target.size() / 2), Qt::red);
        p.drawLine(target.topLeft(), target.bottomRight());
    }, &error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(painted, QRectF(0, 0, 321, 123));

    if (ExportFiles::isSvgPath(path)) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        bool sawSvg = false;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("svg"))
                sawSvg = true;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(sawSvg);
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox().size(), size);
        QImage drawn(size, QImage::Format_ARGB32);
        drawn.fill(Qt::white);
        QPainter p(&drawn);
        svg.render(&p);
        p.end();
        QCOMPARE(drawn.pixelColor(40, 20), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(300, 20), QColor(Qt::white));
    } else {
        QImage image(path, "png");
        QCOMPARE(image.size(), size);
        QCOMPARE(image.pixelColor(40, 20), QColor(Qt::red));
        QCOMPARE(image.pixelColor(300, 20), QColor(Qt::white));
    }
}

void TestExportFiles::failuresLeaveNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("where"); // relative to a fresh folder
    QTest::addColumn<QSize>("size");
    QTest::newRow("csv into a missing folder") << "csv" << "missing/data.csv" << QSize();
    QTest::newRow("csv onto a folder") << "csv" << "folder" << QSize();
    QTest::newRow("png into a missing folder") << "png" << "missing/picture.png" << QSize(10, 10);
    QTest::newRow("png onto a folder") << "png" << "folder" << QSize(10, 10);
    QTest::newRow("svg into a missing folder") << "svg" << "missing/picture.svg" << QSize(10, 10);
    QTest::newRow("png of no size") << "png" << "picture.png" << QSize(0, 10);
}

void TestExportFiles::failuresLeaveNoFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, where);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = dir.filePath(where);
    QString error;
    bool ok;
    if (kind == QLatin1String("csv"))
        ok = ExportFiles::writeCsv(path, {{QStringLiteral("x"), QStringLiteral("y"), {{1, 2}}}}, &error);
    else
        ok = ExportFiles::writePicture(path, size, [](QPainter &p, const QRectF &r) { p.fillRect(r, Qt::blue); }, &error);
    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    // Nothing new appears: only the folder made above.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("folder")});
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
}

QTEST_MAIN(TestExportFiles)
#include "tst_exportfiles.moc"
