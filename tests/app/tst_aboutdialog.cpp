// The About box: the version text, the framed start picture, the link that
// is only a link when there is a page to open, and the layout of the box.
#include "AppTestSupport.h"
#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "core/FileVersion.h"
#include "sim/framework/Dialogs.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class TestAboutDialog : public QObject
{
    Q_OBJECT
private slots:
    void versionText_data();
    void versionText();
    void framedPicture();
    void layout();
    void missingPictureKeepsTheVersion();
    void openedFromTheMenu();
};

void TestAboutDialog::versionText_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four numbers") << "3.1.1.26" << "version 3.1.1.26";
    QTest::newRow("two numbers") << "3.1" << "version 3.1.0.0";
    QTest::newRow("largest numbers") << "65535.0.0.65535" << "version 65535.0.0.65535";
    QTest::newRow("a number too large") << "65536.0.0.1" << "version ";
    QTest::newRow("five numbers") << "1.2.3.4.5" << "version ";
    QTest::newRow("not a version") << "one.two" << "version ";
    QTest::newRow("empty") << "" << "version ";
}

void TestAboutDialog::versionText()
{
    QFETCH(QString, version);
    QFETCH(QString, shown);
    QCOMPARE(AboutDialog::versionText(version), shown);
}

void TestAboutDialog::framedPicture()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("start.png"));
    QImage source(60, 40, QImage::Format_ARGB32);
    source.fill(QColor(10, 80, 160));
    QVERIFY(source.save(file));

    const QImage framed = AboutDialog::framedPicture(file);
    QCOMPARE(framed.size(), source.size());
    const QRgb inner = QColor(10, 80, 160).rgba();
    // White bands 10 pixels wide inside all four edges, the picture within.
    for (const QPoint p : {QPoint(0, 0), QPoint(9, 20), QPoint(50, 20), QPoint(30, 9), QPoint(59, 30), QPoint(30, 38)})
        QCOMPARE(framed.pixel(p), 0xFFFFFFFFu);
    for (const QPoint p : {QPoint(10, 10), QPoint(49, 29), QPoint(30, 20)})
        QCOMPARE(framed.pixel(p), inner);
    // The grey line along the whole bottom row, over the white band.
    for (int x : {0, 30, 59})
        QCOMPARE(framed.pixel(x, 39), 0xFF7F7F7Fu);

    QVERIFY(AboutDialog::framedPicture(dir.filePath(QStringLiteral("none.png"))).isNull());

    // A larger picture is shrunk into the box's picture area first, so its
    // frame stays whole.
    const QString large = dir.filePath(QStringLiteral("large.png"));
    QImage big(640, 370, QImage::Format_ARGB32);
    big.fill(QColor(10, 80, 160));
    QVERIFY(big.save(large));
    const QImage fitted = AboutDialog::framedPicture(large);
    QCOMPARE(fitted.size(), QSize(500, 289));
    QCOMPARE(fitted.pixel(495, 100), 0xFFFFFFFFu);
    QCOMPARE(fitted.pixel(250, 288), 0xFF7F7F7Fu);
    QCOMPARE(fitted.pixel(250, 100), inner);
}

void TestAboutDialog::layout()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("start.png"));
    QImage source(500, 332, QImage::Format_ARGB32);
    source.fill(Qt::darkCyan);
    QVERIFY(source.save(file));

    AboutDialog box(file, QStringLiteral("https://example.org/orvanta"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), QSize(499, 410));
    QCOMPARE(box.picture()->geometry(), QRect(0, 0, 500, 332));
    QCOMPARE(box.picture()->pixmap().size(), QSize(500, 332));
    QCOMPARE(box.linkLabel()->pos(), QPoint(12, 338));
    QCOMPARE(box.linkLabel()->text(), QStringLiteral("https://example.org/orvanta"));
    QVERIFY(box.linkLabel()->font().underline());
    QCOMPARE(box.linkLabel()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(box.contactLabel()->pos(), QPoint(11, 356));
    QCOMPARE(box.contactLabel()->text().count(QLatin1Char('\n')), 1);
    QCOMPARE(box.versionLabel()->pos(), QPoint(373, 336));
    QCOMPARE(box.versionLabel()->text(), QStringLiteral("version ") + fileVersionText());
    QCOMPARE(box.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(box.okButton()->geometry(), QRect(368, 361, 93, 33));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.okButton(), Qt::LeftButton);
    QCOMPARE(box.result(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());

    // Without a page to open the label is plain text.
    AboutDialog plain(file, QString());
    QVERIFY(!plain.linkLabel()->font().underline());
    QVERIFY(!plain.linkLabel()->text().isEmpty());
}

void TestAboutDialog::missingPictureKeepsTheVersion()
{
    AboutDialog box(QStringLiteral("/nonexistent/Splash.png"), QString());
    QVERIFY(box.picture()->pixmap().isNull());
    // The build's version, four numbers.
    QVERIFY(fileVersionText().count(QLatin1Char('.')) == 3);
    QCOMPARE(box.versionLabel()->text(), QStringLiteral("version ") + fileVersionText());
}

void TestAboutDialog::openedFromTheMenu()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    QStringList opened;
    Dialogs::setModalHandler([&](QDialog &dialog) {
        auto *about = qobject_cast<AboutDialog *>(&dialog);
        opened << (about ? about->versionLabel()->text() : dialog.objectName());
        if (about)
            opened << QString::number(!about->picture()->pixmap().isNull());
        return int(QDialog::Accepted);
    });
    MainWindow w(fixedScreen());
    w.aboutAction()->trigger();
    Dialogs::setModalHandler({});
    // The built program folder holds the start picture.
    QCOMPARE(opened, (QStringList{QStringLiteral("version ") + fileVersionText(), QStringLiteral("1")}));
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
