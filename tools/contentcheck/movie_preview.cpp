// Plays one QML movie the way the program's movie player does (stage scaled
// to fit keeping its aspect ratio, bands in the movie's colour, movie
// variables as the context property "movieVariables", "_root.X" variables,
// labels called on named clips, the command signal) and runs a timed script
// against it: grab frames, set variables, call labels, click. Any QML warning
// makes the exit code 1, so a movie that loads with warnings fails.
//
//   movie_preview MOVIE.qml OUTDIR WxH [--vars "a=1&b=2"] ACTION...
//   ACTION is TIME:grab:NAME | TIME:set:_root.X=VALUE | TIME:get:_root.X
//             | TIME:call:TARGET:LABEL
//             (LABEL "DoRotate" runs the function doRotate(), as in the player)
//             | TIME:click:X,Y | TIME:dblclick:X,Y   (X,Y in stage pixels)
//   The run ends one second after the last action.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlProperty>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <cstdio>

namespace {

int g_warnings = 0;

void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++g_warnings;
    std::fprintf(stderr, "%s\n", qPrintable(msg));
}

const char *kHost = R"(import QtQuick
Rectangle {
    id: host
    property url movieUrl
    readonly property Item movie: loader.item
    readonly property real stageScale: movie && movie.width > 0 && movie.height > 0
        ? Math.min(width / movie.width, height / movie.height) : 1
    readonly property real stageX: movie ? (width - movie.width * stageScale) / 2 : 0
    readonly property real stageY: movie ? (height - movie.height * stageScale) / 2 : 0
    color: movie && movie.color !== undefined ? movie.color : "black"
    clip: true
    Loader {
        id: loader
        source: host.movieUrl
        x: host.stageX
        y: host.stageY
        scale: host.stageScale
        transformOrigin: Item.TopLeft
    }
}
)";

class Receiver : public QObject
{
    Q_OBJECT
public slots:
    void command(const QString &name, const QString &args)
    {
        std::printf("command(\"%s\", \"%s\")\n", qPrintable(name), qPrintable(args));
        std::fflush(stdout);
    }
};

QObject *clipOf(QObject *root, const QString &path)
{
    // "_root" is the movie itself, "_root.a.b" the descendant named "b".
    if (path == QLatin1String("_root"))
        return root;
    if (!path.startsWith(QLatin1String("_root.")))
        return nullptr;
    return root->findChild<QObject *>(path.section(QLatin1Char('.'), -1));
}

} // namespace

#include "movie_preview.moc"

int main(int argc, char *argv[])
{
    qInstallMessageHandler(messageHandler);
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: movie_preview MOVIE.qml OUTDIR WxH [--vars Q] ACTION...\n");
        return 2;
    }
    const QString movie = QFileInfo(args.takeFirst()).absoluteFilePath();
    const QString outDir = args.takeFirst();
    const QStringList wh = args.takeFirst().split(QLatin1Char('x'));
    QDir().mkpath(outDir);

    QVariantMap vars;
    if (args.size() >= 2 && args.first() == QLatin1String("--vars")) {
        args.removeFirst();
        const QUrlQuery q(args.takeFirst());
        for (const auto &item : q.queryItems(QUrl::FullyDecoded))
            vars.insert(item.first, item.second);
    }

    QTemporaryDir tmp;
    QFile hostFile(tmp.filePath(QStringLiteral("host.qml")));
    if (!hostFile.open(QIODevice::WriteOnly))
        return 2;
    hostFile.write(kHost);
    hostFile.close();

    QQuickWidget view;
    view.setResizeMode(QQuickWidget::SizeRootObjectToView);
    view.engine()->rootContext()->setContextProperty(QStringLiteral("movieVariables"), vars);
    view.setSource(QUrl::fromLocalFile(hostFile.fileName()));
    QQuickItem *host = view.rootObject();
    if (!host)
        return 1;
    host->setProperty("movieUrl", QUrl::fromLocalFile(movie));
    auto *root = qvariant_cast<QQuickItem *>(host->property("movie"));
    if (!root) {
        std::fprintf(stderr, "movie did not load\n");
        return 1;
    }
    Receiver receiver;
    if (root->metaObject()->indexOfSignal("command(QString,QString)") >= 0)
        QObject::connect(root, SIGNAL(command(QString,QString)), &receiver,
                         SLOT(command(QString,QString)));
    view.resize(wh.value(0).toInt(), wh.value(1).toInt());
    view.show();

    auto toWidget = [&](const QString &xy) {
        const double s = host->property("stageScale").toDouble();
        return QPointF(host->property("stageX").toDouble() + xy.section(',', 0, 0).toDouble() * s,
                       host->property("stageY").toDouble() + xy.section(',', 1, 1).toDouble() * s);
    };
    auto send = [&](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, p, view.mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &e);
    };

    double last = 0;
    for (const QString &action : args) {
        const QStringList part = action.split(QLatin1Char(':'));
        const double t = part.value(0).toDouble();
        last = qMax(last, t);
        const QString kind = part.value(1);
        QTimer::singleShot(int(t * 1000), &app, [=, &view, &root]() {
            if (kind == QLatin1String("grab")) {
                const QString file = outDir + QLatin1Char('/') + part.value(2) + QStringLiteral(".png");
                view.grabFramebuffer().save(file);
                std::printf("%.2f s: grabbed %s\n", t, qPrintable(file));
            } else if (kind == QLatin1String("set")) {
                const QString name = part.value(2).section(QLatin1Char('='), 0, 0);
                const QString value = part.mid(2).join(QLatin1Char(':')).section(QLatin1Char('='), 1);
                QObject *obj = clipOf(root, name.section(QLatin1Char('.'), 0, -2));
                if (obj)
                    QQmlProperty(obj, name.section(QLatin1Char('.'), -1)).write(value);
                std::printf("%.2f s: set %s = \"%s\"%s\n", t, qPrintable(name), qPrintable(value),
                            obj ? "" : " (no such clip)");
            } else if (kind == QLatin1String("get")) {
                const QString name = part.value(2);
                QObject *obj = clipOf(root, name.section(QLatin1Char('.'), 0, -2));
                const QVariant v = obj ? QQmlProperty(obj, name.section(QLatin1Char('.'), -1)).read() : QVariant();
                std::printf("%.2f s: %s = %s\n", t, qPrintable(name),
                            obj ? qPrintable(v.toString()) : "(no such clip)");
            } else if (kind == QLatin1String("call")) {
                QObject *obj = clipOf(root, part.value(2));
                // QML function names start in lower case: "DoRotate" runs doRotate().
                QByteArray label = part.value(3).toUtf8();
                if (obj && obj->metaObject()->indexOfMethod(label + "()") < 0 && !label.isEmpty())
                    label[0] = QChar::toLower(label.at(0));
                const bool ok = obj && obj->metaObject()->indexOfMethod(label + "()") >= 0
                    && QMetaObject::invokeMethod(obj, label.constData());
                std::printf("%.2f s: call %s in %s%s\n", t, label.constData(),
                            qPrintable(part.value(2)), ok ? "" : " (nothing there)");
            } else if (kind == QLatin1String("click") || kind == QLatin1String("dblclick")) {
                const QPointF p = toWidget(part.value(2));
                send(QEvent::MouseButtonPress, p, Qt::LeftButton);
                send(QEvent::MouseButtonRelease, p, Qt::NoButton);
                if (kind == QLatin1String("dblclick")) {
                    send(QEvent::MouseButtonDblClick, p, Qt::LeftButton);
                    send(QEvent::MouseButtonRelease, p, Qt::NoButton);
                }
                std::printf("%.2f s: %s at %s\n", t, qPrintable(kind), qPrintable(part.value(2)));
            }
            std::fflush(stdout);
        });
    }
    QTimer::singleShot(int((last + 1) * 1000), &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%d warning(s)\n", g_warnings);
    return g_warnings ? 1 : 0;
}
