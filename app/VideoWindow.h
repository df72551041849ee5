#pragma once
// The video window: plays a video of the course through the video loader (a
// movie that plays the video named in its movie variables), at the client
// size the page's link asks for. The loader asks for full screen with its
// "fullscreen" command; the window then maximises, and any other command
// brings it back to its size.
#include "core/VideoLink.h"

#include <QDialog>

class MoviePlayer;

class VideoWindow : public QDialog
{
    Q_OBJECT
public:
    // `loader` is the loader movie's file; the video is looked for beside it.
    VideoWindow(const VideoLink &link, const QString &loader, QWidget *parent = nullptr);

    MoviePlayer *player() const { return m_player; }
    const VideoLink &link() const { return m_link; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void commandReceived(const QString &command, const QString &args);

    VideoLink m_link;
    QString m_loader;
    MoviePlayer *m_player = nullptr;
    bool m_started = false;
};
