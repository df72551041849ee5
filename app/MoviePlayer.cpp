#include "app/MoviePlayer.h"

#include "app/MovieSurface.h"
#include "core/PluginLoader.h"

#include <QFileInfo>
#include <QImage>
#include <QMetaMethod>
#include <QUrlQuery>
#include <QVBoxLayout>

MoviePlayer::MoviePlayer(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setAccessibleName(tr("Movie"));
}

MoviePlayer::~MoviePlayer() = default;

bool MoviePlayer::ensureSurface()
{
    if (m_surface)
        return true;
    if (m_surfaceFailed)
        return false;
    auto *factory = PluginLoader::instance<MovieSurfaceFactory>(QStringLiteral("orvanta_movies"));
    if (!factory) {
        m_surfaceFailed = true; // said once by the loader
        return false;
    }
    m_surface.reset(factory->createMovieSurface(this));
    layout()->addWidget(m_surface->widget());
    layout()->activate();
    // Shown now rather than by the layout later, so it can take the focus
    // at once.
    m_surface->widget()->show();
    // Keys typed into the player go to the movie.
    setFocusProxy(m_surface->widget());
    m_surface->setCommandHandler([this](const QString &name, const QString &args) {
        if (name == QLatin1String("fullscreen") && !m_fullScreenAllowed)
            return;
        Q_EMIT commandReceived(name, args);
    });
    return true;
}

bool MoviePlayer::loadMovie(int layer, const QString &file)
{
    if (layer != 0)
        return false;
    if (!QFileInfo(file).isFile()) {
        // No engine is started just to show nothing.
        if (m_surface)
            m_surface->clear();
        return false;
    }
    if (!ensureSurface() || !m_surface->load(file, m_movieVariables))
        return false;
    // Screen readers call the player by the movie's own title, where it has one.
    const QString title = movieRoot() ? movieRoot()->property("title").toString() : QString();
    const QString name = title.isEmpty() ? tr("Movie") : title;
    for (QWidget *w : {static_cast<QWidget *>(this), m_surface->widget()}) {
        w->setAccessibleName(name);
        w->setAccessibleDescription(name);
    }
    return true;
}

bool MoviePlayer::setMovie(const QString &file)
{
    return loadMovie(0, file);
}

void MoviePlayer::setMovieVariables(const QString &query)
{
    m_movieVariables.clear();
    const QUrlQuery q(query);
    for (const auto &[name, value] : q.queryItems(QUrl::FullyDecoded))
        m_movieVariables.insert(name, value);
}

QObject *MoviePlayer::movieRoot() const
{
    return m_surface ? m_surface->movieRoot() : nullptr;
}

QImage MoviePlayer::grabMovie() const
{
    return m_surface ? m_surface->grab() : QImage();
}

QObject *MoviePlayer::resolve(const QStringList &path) const
{
    QObject *object = movieRoot();
    if (!object || path.isEmpty() || path.first() != QLatin1String("_root"))
        return nullptr;
    for (qsizetype i = 1; i < path.size() && object; ++i)
        object = object->findChild<QObject *>(path.at(i));
    return object;
}

void MoviePlayer::setVariable(const QString &name, const QString &value)
{
    QStringList path = name.split(QLatin1Char('.'));
    if (path.size() < 2)
        return;
    const QByteArray property = path.takeLast().toUtf8();
    QObject *object = resolve(path);
    // Only declared properties: never add a dynamic one by a typo.
    if (object && object->metaObject()->indexOfProperty(property.constData()) >= 0)
        object->setProperty(property.constData(), value);
}

void MoviePlayer::callLabel(const QString &target, const QString &label)
{
    QObject *object = resolve(target.split(QLatin1Char('.')));
    if (!object || label.isEmpty())
        return;
    // QML function names cannot begin with a capital, so a label "DoRotate"
    // is also looked for as "doRotate".
    QString lowered = label;
    lowered[0] = lowered.at(0).toLower();
    for (const QString &name : {label, lowered}) {
        const QByteArray signature = name.toUtf8() + "()";
        const int index = object->metaObject()->indexOfMethod(signature.constData());
        if (index >= 0) {
            object->metaObject()->method(index).invoke(object, Qt::DirectConnection);
            return;
        }
    }
}
