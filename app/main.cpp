// Program entry: splash window, main window, data module, event loop.
#include "app/Splash.h"
#include "app/uDataMod.h"
#include "app/uWaveMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillon"));
    QApplication::setApplicationName(QStringLiteral("Orvanta"));

    // The hourglass stays until the main window is first shown.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SplashFrm = new TSplashFrm;
    SplashFrm->show();
    SplashFrm->repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta"));
    TWaveMainFrm mainForm;
    TDataMod::Instance();
    mainForm.show();
    return app.exec();
}
