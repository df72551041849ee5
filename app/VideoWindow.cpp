#include "app/VideoWindow.h"

#include "app/MoviePlayer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

VideoWindow::VideoWindow(const VideoLink &link, const QString &loader, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_link(link), m_loader(loader)
{
    setObjectName(QStringLiteral("videoWindow"));
    setWindowTitle(QStringLiteral("Video"));
    m_player = new MoviePlayer(this);
    m_player->setObjectName(QStringLiteral("videoPlayer"));
    m_player->setFullScreenAllowed(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_player);
    resize(link.size);
    connect(m_player, &MoviePlayer::commandReceived, this, &VideoWindow::commandReceived);
}

void VideoWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (std::exchange(m_started, true))
        return;
    // Centred on the screen, as a new video window always opens.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The loader reads its variables when it starts, so they go first.
    m_player->setMovieVariables(m_link.movieVariables());
    m_player->setMovie(m_loader);
    // The loader takes Space, F and Escape itself. The window asks for the
    // keyboard too: not every desktop hands it to a new dialog.
    activateWindow();
    m_player->setFocus(Qt::OtherFocusReason);
}

void VideoWindow::commandReceived(const QString &command, const QString &)
{
    if (command == QLatin1String("fullscreen"))
        showMaximized();
    else
        showNormal();
}
