// Movies, video links, the picture magnifier, help and the About box.
#include "app/MainWindow.h"

#include "app/PictureMagnifier.h"
#include "sim/framework/Dialogs.h"
#include "core/FileLookup.h"
#include "app/MoviePlayer.h"

#include <QAction>

void MainWindow::setupHelp()
{
    const bool available = FileLookup::fileExists(
        FileLookup::join(FileLookup::exeFolder(), QStringLiteral("Help/Tessel.qhc")));
    helpContentsAction->setEnabled(available);
    helpSearchAction->setEnabled(available);
}

void MainWindow::sendMovieAngle(float angle)
{
    moviePlayer->setVariable(QStringLiteral("_root.angle"), QString::number(static_cast<int>(angle)));
    moviePlayer->callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
}

bool MainWindow::playVideoLink(const QString &) { return false; }
void MainWindow::showMagnifier(const QString &file)
{
    PictureMagnifier magnifier(this);
    magnifier.load(file);
    // Centred on the main window.
    magnifier.move(geometry().center() - QPoint(magnifier.width() / 2, magnifier.height() / 2));
    Dialogs::runModal(magnifier);
}
void MainWindow::showHelp(QAction *) {}
void MainWindow::showAbout() {}
void MainWindow::keyPressed(int) {}
