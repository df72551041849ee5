#include "app/media/QuickMovieSurface.h"

#include <QColor>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QUrl>
#include <QWidget>

QuickMovieSurface::QuickMovieSurface(QWidget *parent) : QObject(parent)
{
    // The widget goes with the player, its parent.
    m_view = new QQuickWidget(parent);
    m_view->setObjectName(QStringLiteral("MovieView"));
    m_view->setClearColor(Qt::white);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->installEventFilter(this);
    // A movie that quits (Qt.quit()) must not end the program.
    connect(m_view->engine(), &QQmlEngine::quit, this, [] {});
}

QuickMovieSurface::~QuickMovieSurface()
{
    clear();
}

QWidget *QuickMovieSurface::widget()
{
    return m_view;
}

void QuickMovieSurface::clear()
{
    delete m_movie.data();
    delete m_component;
    m_component = nullptr;
    delete m_context;
    m_context = nullptr;
    m_stage = QSizeF();
    m_view->setClearColor(Qt::white);
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
    m_view->setClearColor(background.isValid() ? background : QColor(Qt::white));
    if (item->metaObject()->indexOfSignal("command(QString,QString)") >= 0)
        connect(item, SIGNAL(command(QString,QString)), this, SLOT(relayCommand(QString,QString)));
    item->setTransformOrigin(QQuickItem::TopLeft);
    item->setParentItem(m_view->quickWindow()->contentItem());
    // A movie that asks for the keys (focus: true) gets them.
    if (item->hasFocus())
        item->forceActiveFocus(Qt::OtherFocusReason);
    relayout();
    return true;
}

void QuickMovieSurface::relayout()
{
    if (!m_movie)
        return;
    const qreal w = m_view->width(), h = m_view->height();
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

bool QuickMovieSurface::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        relayout();
    return QObject::eventFilter(watched, event);
}

QObject *QuickMovieSurface::movieRoot() const
{
    return m_movie.data();
}

QImage QuickMovieSurface::grab()
{
    return m_view->grabFramebuffer();
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
