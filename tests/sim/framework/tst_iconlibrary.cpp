// The shared button pictures: both lists hold every picture at their size,
// in both looks, and the large list, made on first use, is made once.
#include "sim/framework/IconLibrary.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {
// Pixels that are not fully transparent.
int drawnPixels(const QIcon &icon, int size, QIcon::Mode mode)
{
    const QImage img = icon.pixmap(QSize(size, size), 1.0, mode).toImage();
    int drawn = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            drawn += qAlpha(img.pixel(x, y)) > 0;
    return drawn;
}
} // namespace

class TestIconLibrary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsHoldEveryPicture_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("size");
        QTest::newRow("small") << false << 23 << 24;
        QTest::newRow("large") << true << 21 << 48;
    }
    void listsHoldEveryPicture()
    {
        QFETCH(bool, large);
        QFETCH(int, count);
        QFETCH(int, size);
        IconLibrary library;
        const IconList &list = large ? library.largeIcons() : library.smallIcons();
        QCOMPARE(list.count(), count);
        QCOMPARE(list.size(), size);
        for (int i : {int(IndexIcon), int(StartIcon), int(ZoomOutIcon), int(PolarisedIcon)}) {
            const QIcon icon = list.icon(i);
            QCOMPARE(icon.pixmap(QSize(size, size), 1.0).size(), QSize(size, size));
            QVERIFY2(drawnPixels(icon, size, QIcon::Normal) > size, qPrintable(QString::number(i)));
            QVERIFY(drawnPixels(icon, size, QIcon::Disabled) > size);
        }
        QVERIFY(list.icon(count).isNull());
    }

    void largeListMadeOnce()
    {
        IconLibrary library;
        const qint64 key = library.largeIcons().icon(StartIcon).cacheKey();
        QCOMPARE(library.largeIcons().count(), 21);
        QCOMPARE(std::as_const(library).largeIcons().icon(StartIcon).cacheKey(), key);
        QCOMPARE(library.largeIcons().count(), 21);
    }
};

QTEST_MAIN(TestIconLibrary)
#include "tst_iconlibrary.moc"
