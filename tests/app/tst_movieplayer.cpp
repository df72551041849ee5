// The movie player: movies load on first use, fill the player keeping their
// stage's shape with their colour in the bands, and take variables, labels
// and movie variables from their host; they raise commands towards it.
#include "app/MoviePlayer.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kBackground(0x20, 0x30, 0x40);
const QColor kBlock(0xe0, 0x40, 0x10);

QString movie(const char *name)
{
    return QFINDTESTDATA("app/movies") + QLatin1Char('/') + QLatin1String(name);
}

bool close(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2
           && std::abs(a.blue() - b.blue()) <= 2;
}

bool quickLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains("libQt6Quick.so");
}

QObject *caller(const MoviePlayer &p)
{
    return p.movieRoot() ? p.movieRoot()->findChild<QObject *>(QStringLiteral("caller_mc")) : nullptr;
}

} // namespace

class TestMoviePlayer : public QObject
{
    Q_OBJECT
private slots:
    void quickLoadsWithTheFirstMovieOnly();
    void scalesToFitWithBands_data();
    void scalesToFitWithBands();
    void variablesAndLabels();
    void movieVariables();
    void commands();
    void reloadingStartsAgain();
    void missingMovieLeavesThePlayerEmptyAndSilent();
    void brokenMoviesLeaveThePlayerEmpty();
};

void TestMoviePlayer::quickLoadsWithTheFirstMovieOnly()
{
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        QSKIP("needs /proc to see which libraries are loaded");
    QVERIFY(!quickLoaded());
    MoviePlayer player;
    player.resize(400, 200);
    player.show();
    player.loadMovie(0, movie("Missing.qml"));
    QVERIFY2(!quickLoaded(), "a missing movie must not start the engine");
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QVERIFY(quickLoaded());
}

void TestMoviePlayer::scalesToFitWithBands_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("stage"); // where the 400 x 200 stage must land
    QTest::newRow("wide: bands left and right") << QSize(800, 200) << QRect(200, 0, 400, 200);
    QTest::newRow("tall: bands above and below") << QSize(200, 300) << QRect(0, 100, 200, 100);
    QTest::newRow("same shape, larger") << QSize(800, 400) << QRect(0, 0, 800, 400);
}

void TestMoviePlayer::scalesToFitWithBands()
{
    QFETCH(QSize, size);
    QFETCH(QRect, stage);
    MoviePlayer player;
    player.resize(size);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QTRY_COMPARE(player.grabMovie().size(), size);
    const QImage shot = player.grabMovie();
    // The block sits in the middle quarter of the stage, 3/8 to 5/8 across.
    const QPoint centre = stage.center();
    QVERIFY2(close(shot.pixelColor(centre), kBlock), qPrintable(shot.pixelColor(centre).name()));
    const int blockHalf = stage.width() / 8;
    QVERIFY(close(shot.pixelColor(centre.x() - blockHalf - 3, centre.y()), kBackground));
    QVERIFY(close(shot.pixelColor(centre.x() + blockHalf - 3, centre.y()), kBlock));
    // The bands outside the stage show the movie's own background.
    for (const QPoint p : {QPoint(2, 2), QPoint(size.width() - 3, size.height() - 3)})
        QVERIFY2(close(shot.pixelColor(p), kBackground), qPrintable(shot.pixelColor(p).name()));
}

void TestMoviePlayer::variablesAndLabels()
{
    MoviePlayer player;
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QObject *root = player.movieRoot();
    QVERIFY(root && caller(player));

    player.setVariable(QStringLiteral("_root.angle"), QStringLiteral("-45"));
    QCOMPARE(root->property("angle").toString(), QStringLiteral("-45"));
    player.callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
    QCOMPARE(caller(player)->property("rotation").toDouble(), -45.0);
    QCOMPARE(caller(player)->property("calls").toInt(), 1);

    // A variable of a named object deeper down.
    player.setVariable(QStringLiteral("_root.caller_mc.inner.note"), QStringLiteral("hi"));
    QCOMPARE(root->findChild<QObject *>(QStringLiteral("inner"))->property("note").toString(), QStringLiteral("hi"));

    // Unknown names do nothing, and add no property to the movie.
    player.setVariable(QStringLiteral("_root.nothing"), QStringLiteral("1"));
    player.setVariable(QStringLiteral("_root.nobody.angle"), QStringLiteral("1"));
    player.setVariable(QStringLiteral("angle"), QStringLiteral("1"));
    player.setVariable(QStringLiteral("stage.angle"), QStringLiteral("1"));
    QVERIFY(root->dynamicPropertyNames().isEmpty());
    QCOMPARE(root->property("angle").toString(), QStringLiteral("-45"));
    player.callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("NoSuchLabel"));
    player.callLabel(QStringLiteral("_root.nobody"), QStringLiteral("DoRotate"));
    player.callLabel(QStringLiteral("_root.caller_mc"), QString());
    QCOMPARE(caller(player)->property("calls").toInt(), 1);

    // Without a movie everything is ignored.
    MoviePlayer empty;
    empty.setVariable(QStringLiteral("_root.angle"), QStringLiteral("3"));
    empty.callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
    QVERIFY(!empty.hasMovie());
}

void TestMoviePlayer::movieVariables()
{
    MoviePlayer player;
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QCOMPARE(player.movieRoot()->property("lastVariables").toString(), QStringLiteral("{}"));
    player.setMovieVariables(QStringLiteral("video=ripples.flv&loop=0&fullscreen=1"));
    // Given to movies loaded from now on, as texts.
    QCOMPARE(player.movieRoot()->property("lastVariables").toString(), QStringLiteral("{}"));
    QVERIFY(player.setMovie(movie("Stage.qml")));
    QCOMPARE(player.movieRoot()->property("lastVariables").toString(),
             QStringLiteral(R"({"fullscreen":"1","loop":"0","video":"ripples.flv"})"));
}

void TestMoviePlayer::commands()
{
    MoviePlayer player;
    QSignalSpy spy(&player, &MoviePlayer::commandReceived);
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QMetaObject::invokeMethod(caller(player), "sendNormal");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QVariantList{QStringLiteral("normal"), QString()}));
    // Full screen only where the host allows it.
    QMetaObject::invokeMethod(caller(player), "sendFullScreen");
    QCOMPARE(spy.count(), 1);
    player.setFullScreenAllowed(true);
    QMetaObject::invokeMethod(caller(player), "sendFullScreen");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1), (QVariantList{QStringLiteral("fullscreen"), QStringLiteral("true")}));
}

void TestMoviePlayer::reloadingStartsAgain()
{
    MoviePlayer player;
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    player.setVariable(QStringLiteral("_root.angle"), QStringLiteral("30"));
    player.callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QCOMPARE(player.movieRoot()->property("angle").toString(), QStringLiteral("0"));
    QCOMPARE(caller(player)->property("calls").toInt(), 0);
    QVERIFY(!player.loadMovie(1, movie("Stage.qml"))); // only layer 0
    QVERIFY(player.hasMovie());
}

void TestMoviePlayer::missingMovieLeavesThePlayerEmptyAndSilent()
{
    MoviePlayer player;
    player.resize(400, 200);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    // A missing movie says nothing at all; a broken one tells the
    // developer why on the error stream.
    QVERIFY(player.loadMovie(0, movie("Stage.qml")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QVERIFY(!player.loadMovie(0, movie("Missing.qml")));
    QVERIFY(!player.hasMovie());
    QTRY_COMPARE(player.grabMovie().size(), QSize(400, 200));
    const QImage empty = player.grabMovie();
    QVERIFY(!close(empty.pixelColor(200, 100), kBlock));
    QVERIFY(!close(empty.pixelColor(2, 2), kBackground));
}

void TestMoviePlayer::brokenMoviesLeaveThePlayerEmpty()
{
    MoviePlayer player;
    for (const char *name : {"Broken.qml", "NotAnItem.qml"}) {
        QVERIFY(player.loadMovie(0, movie("Stage.qml")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".")));
        QVERIFY2(!player.loadMovie(0, movie(name)), name);
        QVERIFY2(!player.hasMovie(), name);
    }
}

QTEST_MAIN(TestMoviePlayer)
#include "tst_movieplayer.moc"
