// The magnifier: a picture fitted to the screen with its shape kept, its
// description as a caption, a title a reader understands, and a missing
// picture that says so.
#include "WidgetTestSupport.h"
#include "app/PictureMagnifier.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

namespace {

const QString kDescription = QStringLiteral(
    "Displacement against time for three oscillators released 9 units up: light damping (solid blue) oscillates "
    "inside a dashed shrinking envelope, critical damping (thick solid red) returns fastest without overshoot, "
    "heavy damping (dashed green) creeps back slowly.");

QString savePicture(const QTemporaryDir &dir, const QString &name, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(0x3366CC));
    const QString file = dir.filePath(name);
    img.save(file);
    return file;
}

} // namespace

class TestPictureMagnifier : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitsTheScreenKeepingItsShape_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("shrunk");
        const QRect small(0, 0, 1280, 760);
        QTest::newRow("wide, 1280 x 800") << QSize(3000, 1200) << small << kDescription << true;
        QTest::newRow("tall, 1280 x 800") << QSize(900, 2400) << small << kDescription << true;
        QTest::newRow("large, no description") << QSize(2400, 1600) << small << QString() << true;
        QTest::newRow("a screen away from the origin") << QSize(2400, 1600) << QRect(1920, 0, 1280, 760)
                                                     << kDescription << true;
        QTest::newRow("fits: its own size") << QSize(640, 400) << small << kDescription << false;
        QTest::newRow("narrow, long caption") << QSize(200, 150) << small << kDescription << false;
    }
    void fitsTheScreenKeepingItsShape()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, screen);
        QFETCH(QString, description);
        QFETCH(bool, shrunk);
        QTemporaryDir dir;
        const QString file = savePicture(dir, QStringLiteral("big.png"), picture);
        PictureMagnifier m;
        m.setAvailableArea(screen);
        m.load(file, description);

        // With room for the border and title bar the window manager adds.
        QVERIFY2(m.width() + 16 <= screen.width() && m.height() + 44 <= screen.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(m.width()).arg(m.height())));
        const QSize shown = m.pictureLabel()->pixmap().deviceIndependentSize().toSize();
        QVERIFY(shown.width() <= picture.width() && shown.height() <= picture.height());
        QCOMPARE(shown != picture, shrunk);
        const double ratio = double(picture.width()) / picture.height();
        QVERIFY2(std::abs(double(shown.width()) / shown.height() - ratio) < 0.01 * ratio,
                 qPrintable(QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())));
        QCOMPARE(m.pictureLabel()->size(), shown);

        // The description under the picture, and for screen readers.
        QCOMPARE(m.captionLabel()->text(), description);
        QCOMPARE(m.captionLabel()->isVisibleTo(&m), !description.isEmpty());
        if (!description.isEmpty()) {
            QVERIFY(m.captionLabel()->wordWrap());
            QVERIFY(m.captionLabel()->y() >= m.pictureLabel()->geometry().bottom());
            QVERIFY(m.captionLabel()->geometry().bottom() < m.height());
            QVERIFY(m.captionLabel()->height() >= m.captionLabel()->heightForWidth(m.captionLabel()->width()));
        }
        QCOMPARE(m.pictureLabel()->accessibleDescription(), description);

        // Copied at its full size.
        QApplication::clipboard()->clear();
        m.copyPicture();
        QCOMPARE(QApplication::clipboard()->image().size(), picture);
    }

    // The title is the diagram's own where the course keeps its source
    // beside the picture, and a plain word otherwise; never blank.
    void titleReadersUnderstand()
    {
        QTemporaryDir dir;
        const QString withSource = savePicture(dir, QStringLiteral("beats.png"), QSize(64, 48));
        QFile svg(dir.filePath(QStringLiteral("Beats.SVG")));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"48\">"
                  "<title>Beats from two  waves</title><desc>Two waves.</desc><rect width=\"64\" height=\"48\"/></svg>");
        svg.close();
        const QString alone = savePicture(dir, QStringLiteral("photo.png"), QSize(64, 48));

        PictureMagnifier m;
        m.load(withSource, kDescription);
        QCOMPARE(m.windowTitle(), QStringLiteral("Beats from two waves"));
        QCOMPARE(m.pictureLabel()->accessibleName(), QStringLiteral("Beats from two waves"));
        PictureMagnifier n;
        n.load(alone);
        QCOMPARE(n.windowTitle(), QStringLiteral("Picture"));
    }

    // A missing picture: the window at its design size says so, and a left
    // click still closes it.
    void missingPictureSaysSo()
    {
        QTemporaryDir dir;
        PictureMagnifier m;
        m.load(dir.filePath(QStringLiteral("gone.png")), kDescription);
        QCOMPARE(m.size(), QSize(491, 326));
        QVERIFY(m.picture().isNull());
        QVERIFY(m.pictureLabel()->text().contains(QLatin1String("could not be shown")));
        QVERIFY(m.pictureLabel()->text().contains(QLatin1String("gone.png")));
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QTest::mouseClick(m.pictureLabel(), Qt::LeftButton);
        QCOMPARE(m.result(), int(QDialog::Accepted));
        QVERIFY(!m.isVisible());
    }
};

QTEST_MAIN(TestPictureMagnifier)
#include "tst_picturemagnifier.moc"
