// The video window and the video links of the pages: the window takes the
// link's size and hands the loader its variables, the loader's commands
// maximise and restore it, the ripple film really plays, and a missing
// video is reported with its full path.
#include "AppTestSupport.h"
#include "app/MainWindow.h"
#include "app/MoviePlayer.h"
#include "app/VideoWindow.h"
#include "core/FileLookup.h"
#include "core/VideoLink.h"
#include "sim/framework/Dialogs.h"

#include <QDir>
#include <QMediaPlayer>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>

using namespace TestSupport;

namespace {

QString loader()
{
    return QDir(builtProgramFolder()).filePath(QStringLiteral("flv/dflv_loader.qml"));
}

} // namespace

class TestVideoWindow : public QObject
{
    Q_OBJECT
private slots:
    void windowTakesTheLink_data();
    void windowTakesTheLink();
    void commandsMaximiseAndRestore();
    void theRippleFilmPlays();
    void videoLinks_data();
    void videoLinks();
};

void TestVideoWindow::windowTakesTheLink_data()
{
    QTest::addColumn<QString>("segment");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("variables");
    QTest::newRow("all four fields") << "640,480,1,0,ripples.flv" << QSize(640, 480)
                                     << "fullscreen=1 loop=0 video=ripples.flv";
    QTest::newRow("file name only") << "ripples.flv" << QSize(640, 520) << "fullscreen=0 loop=0 video=ripples.flv";
    QTest::newRow("spaces everywhere") << " 320 , 2 40,0, 1 , rip ples.flv " << QSize(320, 240)
                                       << "fullscreen=0 loop=1 video=ripples.flv";
}

void TestVideoWindow::windowTakesTheLink()
{
    QFETCH(QString, segment);
    QFETCH(QSize, size);
    QFETCH(QString, variables);
    VideoWindow window(VideoLink::parse(segment), loader());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), size); // the client area
    QVERIFY(window.player()->hasMovie());
    QStringList given;
    const QVariantMap vars = window.player()->movieVariables();
    for (auto it = vars.begin(); it != vars.end(); ++it)
        given << it.key() + QLatin1Char('=') + it.value().toString();
    QCOMPARE(given.join(QLatin1Char(' ')), variables);
    // The movie has the keyboard (Space pauses, F goes full screen).
    QWidget *focus = window.focusWidget();
    QVERIFY(focus && (focus == window.player() || window.player()->isAncestorOf(focus)));
}

void TestVideoWindow::commandsMaximiseAndRestore()
{
    VideoWindow window(VideoLink::parse(QStringLiteral("400,300,0,0,ripples.flv")), loader());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QObject *movie = window.player()->movieRoot();
    QVERIFY(movie);
    QMetaObject::invokeMethod(movie, "command", Q_ARG(QString, QStringLiteral("fullscreen")), Q_ARG(QString, QStringLiteral("true")));
    QTRY_VERIFY(window.isMaximized());
    QMetaObject::invokeMethod(movie, "command", Q_ARG(QString, QStringLiteral("anything else")), Q_ARG(QString, QString()));
    QTRY_VERIFY(!window.isMaximized());
    // The loader's own full-screen switch goes the same way.
    QMetaObject::invokeMethod(movie, "setFullScreen", Q_ARG(QVariant, true));
    QTRY_VERIFY(window.isMaximized());
    // Escape leaves full screen first, then closes the window.
    QWidget *keys = window.focusWidget();
    QVERIFY(keys);
    QTest::keyClick(keys, Qt::Key_Escape);
    QTRY_VERIFY(!window.isMaximized());
    QVERIFY(window.isVisible());
    QTest::keyClick(keys, Qt::Key_Escape);
    QTRY_VERIFY(!window.isVisible());
}

void TestVideoWindow::theRippleFilmPlays()
{
    VideoWindow window(VideoLink::parse(QStringLiteral("640,480,0,0,ripples.flv")), loader());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *player = window.player()->movieRoot()->findChild<QMediaPlayer *>(QStringLiteral("player"));
    QVERIFY(player);
    QVERIFY(player->videoSink());
    int frames = 0;
    QSize frameSize;
    connect(player->videoSink(), &QVideoSink::videoFrameChanged, this, [&](const QVideoFrame &frame) {
        if (frame.isValid()) {
            ++frames;
            frameSize = frame.size();
        }
    });
    // GStreamer may report a late resource error on a loaded machine once the
    // frames have come; what counts is that none came before the film played.
    QString errorBeforeFrames;
    connect(player, &QMediaPlayer::errorOccurred, this, [&](QMediaPlayer::Error, const QString &text) {
        if (frames < 10 && errorBeforeFrames.isEmpty())
            errorBeforeFrames = text.isEmpty() ? QStringLiteral("error") : text;
    });
    QTRY_VERIFY2_WITH_TIMEOUT(frames >= 10 || !errorBeforeFrames.isEmpty(),
                              qPrintable(player->errorString()), 20000);
    QVERIFY2(errorBeforeFrames.isEmpty(), qPrintable(errorBeforeFrames));
    QVERIFY(!frameSize.isEmpty());
}

void TestVideoWindow::videoLinks_data()
{
    QTest::addColumn<QString>("segment");
    QTest::addColumn<QString>("message"); // empty: the window opens
    QTest::newRow("the ripple film") << "640,480,0,0,ripples.flv" << "";
    QTest::newRow("missing film") << "640,480,0,0,nothing.flv" << "Unable to find file %1";
}

void TestVideoWindow::videoLinks()
{
    QFETCH(QString, segment);
    QFETCH(QString, message);
    ScopedSettings settings;
    ScopedExeFolder exe(builtProgramFolder());
    ScopedDialogAnswers answers(true);
    QStringList opened;
    Dialogs::setModalHandler([&](QDialog &dialog) {
        auto *video = qobject_cast<VideoWindow *>(&dialog);
        opened << (video ? video->link().fileName : dialog.objectName());
        return int(QDialog::Accepted);
    });
    MainWindow w(fixedScreen());
    const bool played = w.playVideoLink(segment);
    Dialogs::setModalHandler({});
    QCOMPARE(played, message.isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(opened, QStringList{QStringLiteral("ripples.flv")});
        QVERIFY(answers.shown().isEmpty());
    } else {
        QVERIFY(opened.isEmpty());
        const QString path = QDir::toNativeSeparators(
            FileLookup::join(FileLookup::exeFolder(), QStringLiteral("flv/") + VideoLink::parse(segment).fileName));
        QCOMPARE(answers.shown(), QStringList{message.arg(path)});
    }
}

QTEST_MAIN(TestVideoWindow)
#include "tst_videowindow.moc"
