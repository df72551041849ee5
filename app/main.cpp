// Program entry: splash window, main window, data module, event loop.
#include "app/SplashScreen.h"
#include "sim/framework/IconLibrary.h"
#include "app/MainWindow.h"

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
    MainWindow mainForm;
    IconLibrary::instance();
    mainForm.show();
    return app.exec();
}
