#include "app/media/QuickMovieSurface.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QUrl>
#include <QWidget>

QuickMovieSurface::QuickMovieSurface(QWidget *parent) : QObject(parent)
{
    m_view = new QQuickView;
    m_view->setColor(Qt::white);
    // The container owns the view and goes with the player.
    m_container = QWidget::createWindowContainer(m_view, parent);
    m_container->setObjectName(QStringLiteral("MovieView"));
    m_container->setFocusPolicy(Qt::StrongFocus);
    QQuickItem *stage = m_view->contentItem();
    connect(stage, &QQuickItem::widthChanged, this, &QuickMovieSurface::relayout);
    connect(stage, &QQuickItem::heightChanged, this, &QuickMovieSurface::relayout);
    // A movie that quits (Qt.quit()) must not end the program.
    connect(m_view->engine(), &QQmlEngine::quit, this, [] {});
}

QuickMovieSurface::~QuickMovieSurface()
{
    clear();
}

void QuickMovieSurface::clear()
{
    delete m_movie.data();
    delete m_component;
    m_component = nullptr;
    delete m_context;
    m_context = nullptr;
    m_stage = QSizeF();
    m_view->setColor(Qt::white);
}

bool QuickMovieSurface::load(const QString &file, const QVariantMap &movieVariables)
{
    clear();
    QQmlEngine *engine = m_view->engine();
    // Each movie gets a fresh context, so nothing of the last one lingers.
    m_context = new QQmlContext(engine->rootContext(), this);
    m_context->setContextProperty(QStringLiteral("movieVariables"), movieVariables);
    m_component = new QQmlComponent(engine, QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()),
                                    QQmlComponent::PreferSynchronous, this);
    if (m_component->isError()) {
        qWarning().noquote() << m_component->errorString();
        clear();
        return false;
    }
    QObject *object = m_component->create(m_context);
    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item) {
        if (m_component->isError())
            qWarning().noquote() << m_component->errorString();
        else
            qWarning().noquote() << file << "is not a movie: its root is not a visual item";
        delete object;
        clear();
        return false;
    }
    m_movie = item;
    m_stage = QSizeF(item->width(), item->height());
    const QColor background = item->property("color").value<QColor>();
    m_view->setColor(background.isValid() ? background : QColor(Qt::white));
    if (item->metaObject()->indexOfSignal("command(QString,QString)") >= 0)
        connect(item, SIGNAL(command(QString,QString)), this, SLOT(relayCommand(QString,QString)));
    item->setTransformOrigin(QQuickItem::TopLeft);
    item->setParentItem(m_view->contentItem());
    relayout();
    return true;
}

void QuickMovieSurface::relayout()
{
    if (!m_movie)
        return;
    const QQuickItem *stage = m_view->contentItem();
    const qreal w = stage->width(), h = stage->height();
    if (m_stage.isEmpty()) {
        // A movie without a stage size simply fills the view.
        m_movie->setPosition(QPointF(0, 0));
        m_movie->setSize(QSizeF(w, h));
        return;
    }
    const qreal scale = std::min(w / m_stage.width(), h / m_stage.height());
    m_movie->setScale(scale);
    m_movie->setPosition(QPointF((w - m_stage.width() * scale) / 2, (h - m_stage.height() * scale) / 2));
}

QObject *QuickMovieSurface::movieRoot() const
{
    return m_movie.data();
}

QImage QuickMovieSurface::grab()
{
    return m_view->grabWindow();
}

void QuickMovieSurface::setCommandHandler(std::function<void(const QString &, const QString &)> handler)
{
    m_commandHandler = std::move(handler);
}

void QuickMovieSurface::relayCommand(const QString &name, const QString &args)
{
    if (m_commandHandler)
        m_commandHandler(name, args);
}
