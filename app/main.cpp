// Program entry: splash screen, main window, the shared button icons, event
// loop.
#include "app/MainWindow.h"
#include "app/SplashScreen.h"
#include "sim/framework/IconLibrary.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillon"));
    QApplication::setApplicationName(QStringLiteral("Orvanta"));

    // The hourglass stays until the main window is first shown.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    splashScreen = new SplashScreen;
    splashScreen->show();
    splashScreen->repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta"));
    MainWindow window;
    IconLibrary::instance();
    window.show();
    return app.exec();
}
