// Program entry: names and icon of the application, the command line,
// splash screen, main window, the shared button icons, event loop.
#include "app/CommandLine.h"
#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/SplashScreen.h"
#include "sim/framework/IconLibrary.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {
void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quillon"));
    QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}
} // namespace

int main(int argc, char *argv[])
{
    // Help and version are answered without a window system, so they work
    // on a machine without a display too.
    if (CommandLine::asksForTextOnly(argumentList(argc, argv))) {
        QCoreApplication app(argc, argv);
        nameApplication();
        return CommandLine::parse(QCoreApplication::arguments()).print();
    }

    QApplication app(argc, argv);
    nameApplication();
    // The desktop matches the windows to the launcher and its icon by this
    // name (the installed .desktop file's).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillon.Orvanta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/orvanta.svg")));

    const CommandLine commandLine = CommandLine::parse(QCoreApplication::arguments());
    if (commandLine.action != CommandLine::Action::Run)
        return commandLine.print();

    // The hourglass stays until the main window is first shown.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    splashScreen = new SplashScreen;
    splashScreen->show();
    splashScreen->repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta"));
    MainWindow window;
    IconLibrary::instance();
    if (!commandLine.page.isEmpty() && !window.coursePane()->showPage(commandLine.page)) {
        const QByteArray message =
            QStringLiteral("orvanta: there is no course page \"%1\"; the course opens at its index.\n")
                .arg(commandLine.page)
                .toLocal8Bit();
        std::fputs(message.constData(), stderr);
    }
    window.show();
    return app.exec();
}
