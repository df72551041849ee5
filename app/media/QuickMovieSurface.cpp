#include "app/media/QuickMovieSurface.h"

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QOpenGLContext>
#include <QQuickView>
#include <QUrl>
#include <QWidget>

namespace {
// Qt Quick draws through OpenGL by default and stops the program when it
// cannot. Where the display offers no OpenGL, movies are drawn in software.
void chooseGraphicsOnce()
{
    static const bool chosen = [] {
        if (QQuickWindow::graphicsApi() == QSGRendererInterface::OpenGL) {
            QOpenGLContext probe;
            if (!probe.create())
                QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        }
        return true;
    }();
    Q_UNUSED(chosen);
}
} // namespace

QuickMovieSurface::QuickMovieSurface(QWidget *parent) : QObject(parent)
{
    chooseGraphicsOnce();
    // A native window of its own in a container: a Qt Quick widget would make
    // the whole main window compose through OpenGL from the first movie on,
    // and every 2D picture would pay for it. The container goes with the
    // player, its parent, and takes the window with it.
    m_window = new QQuickView;
    m_window->setColor(Qt::white);
    // Said, not fatal: the player then shows nothing.
    connect(m_window, &QQuickWindow::sceneGraphError, this, [](QQuickWindow::SceneGraphError, const QString &message) {
        qWarning().noquote() << "The movie cannot be drawn:" << message;
    });
    // The keyboard stays with the widgets (so the player can hold the focus
    // in its window like any widget); the container hands the keys on.
    m_window->setFlag(Qt::WindowDoesNotAcceptFocus);
    m_window->installEventFilter(this);
    m_view = QWidget::createWindowContainer(m_window, parent);
    m_view->setObjectName(QStringLiteral("MovieView"));
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->installEventFilter(this);
    // A movie that quits (Qt.quit()) must not end the program.
    connect(m_window->engine(), &QQmlEngine::quit, this, [] {});
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
    m_window->setColor(Qt::white);
}

bool QuickMovieSurface::load(const QString &file, const QVariantMap &movieVariables)
{
    clear();
    QQmlEngine *engine = m_window->engine();
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
    m_window->setColor(background.isValid() ? background : QColor(Qt::white));
    if (item->metaObject()->indexOfSignal("command(QString,QString)") >= 0)
        connect(item, SIGNAL(command(QString,QString)), this, SLOT(relayCommand(QString,QString)));
    item->setTransformOrigin(QQuickItem::TopLeft);
    item->setParentItem(m_window->contentItem());
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
    if (watched == m_window) {
        // A click in the movie gives it the keys, as a click on a widget would.
        if (event->type() == QEvent::MouseButtonPress && m_view->focusPolicy() & Qt::ClickFocus)
            m_view->setFocus(Qt::MouseFocusReason);
        return false;
    }
    if (watched != m_view)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        relayout();
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        // What the movie does not take goes on to the widgets as usual.
        QCoreApplication::sendEvent(m_window, event);
        return event->isAccepted();
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        QCoreApplication::sendEvent(m_window, event);
        break;
    default:
        break;
    }
    return false;
}

QObject *QuickMovieSurface::movieRoot() const
{
    return m_movie.data();
}

QImage QuickMovieSurface::grab()
{
    return m_window->grabWindow();
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
