// The reference for start-up time and memory: the smallest Qt Widgets
// program with a main window, measured in the same runs as Orvanta.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Orvanta"));
    window.setCentralWidget(new QLabel(QStringLiteral("Bare Qt")));
    window.resize(1280, 960);
    window.show();
    return app.exec();
}
