// Plays a video with Qt Multimedia into a video sink and reports what came
// out: the frames received, their size, the duration and any error. Exits 1
// when no frame arrives, so it answers "does this machine play this file?".
//
//   video_check FILE [SECONDS]      (QT_MEDIA_BACKEND picks the backend)
#include <QGuiApplication>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: video_check FILE [SECONDS]\n");
        return 2;
    }
    QMediaPlayer player;
    QVideoSink sink;
    player.setVideoSink(&sink);
    int frames = 0;
    QSize size;
    qint64 firstTime = -1, lastTime = -1;
    QObject::connect(&sink, &QVideoSink::videoFrameChanged, [&](const QVideoFrame &f) {
        if (!f.isValid())
            return;
        ++frames;
        size = f.size();
        if (firstTime < 0)
            firstTime = f.startTime();
        lastTime = f.startTime();
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, [&](QMediaPlayer::Error, const QString &s) {
        std::fprintf(stderr, "error: %s\n", qPrintable(s));
        app.exit(1);
    });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, [&](QMediaPlayer::MediaStatus st) {
        if (st == QMediaPlayer::EndOfMedia)
            app.quit();
        if (st == QMediaPlayer::InvalidMedia) {
            std::fprintf(stderr, "invalid media\n");
            app.exit(1);
        }
    });
    player.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    player.play();
    QTimer::singleShot(int((argc > 2 ? atof(argv[2]) : 20.0) * 1000), &app, &QCoreApplication::quit);
    app.exec();
    std::printf("frames %d, size %dx%d, duration %lld ms, frame times %lld..%lld us, video tracks %d\n",
                frames, size.width(), size.height(), (long long)player.duration(),
                (long long)firstTime, (long long)lastTime, int(player.videoTracks().size()));
    return frames > 0 ? 0 : 1;
}
