#include "sim/framework/SimulationWindow.h"

#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/AccessibleText.h"
#include "sim/framework/Chart.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ToolbarDock.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/ToolbarItems.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QShortcut>
#include <QPainter>
#include <QToolButton>

// ---------------------------------------------------------------- window

SimulationWindow::SimulationWindow(QWidget *parent) : AlignPanel(parent)
{
    QFont f(pictureFontFamily(QStringLiteral("Arial")));
    f.setPixelSize(11);
    setFont(f);
    resize(767, 504);
    // A click on the picture or anywhere else in the window takes the
    // keyboard focus from a spin box, so keys meant for the picture's
    // scroll bars or the page never change a toolbar value. Tab reaches the
    // picture too, where Space starts and stops the model.
    setFocusPolicy(Qt::StrongFocus);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->installEventFilter(this);
    connect(m_toolbar, &QToolBar::topLevelChanged, this, [this](bool floating) {
        if (!floating)
            noteDock();
    });
    connect(ProjectorMode::instance(), &ProjectorMode::changed, this, &SimulationWindow::applyProjectorMode);
}

SimulationWindow::~SimulationWindow()
{
    // The clock goes first, so no tick can reach what is being destroyed.
    if (m_clock) {
        m_clock->onProgress = nullptr;
        delete m_clock;
        m_clock = nullptr;
    }
    // The toolbar lives in the main window's dock while the window is shown;
    // it belongs to the window all the same.
    if (m_toolbar) {
        m_toolbar->removeEventFilter(this);
        delete m_toolbar;
    }
}

void SimulationWindow::setLargeButtons(bool large)
{
    if (m_keepsButtonState && large == m_largeButtons)
        return;
    m_largeButtons = large;
    m_buttonSizes.apply(m_toolbar, large);
}

void SimulationWindow::applyProjectorMode()
{
    const bool on = ProjectorMode::isOn();
    if (m_projectorApplied == on)
        return;
    // Fonts set after construction by the window itself count as the design
    // only when first seen; windows that have not been shown wait for it,
    // so their constructors have set their fonts.
    if (!m_projectorApplied && !on)
        return;
    m_projectorApplied = on;
    ProjectorMode::applyToWidgetFonts(this, {m_toolbar.data()});
    // Each picture redraws itself at its size, as after a resize.
    for (DrawingSurface *surface : findChildren<DrawingSurface *>())
        Q_EMIT surface->resized();
}

void SimulationWindow::noteDock()
{
    if (!m_toolbar || m_toolbar->isFloating())
        return;
    if (auto *mw = qobject_cast<QMainWindow *>(m_toolbar->parentWidget())) {
        const Qt::ToolBarArea area = mw->toolBarArea(m_toolbar);
        if (area != Qt::NoToolBarArea)
            m_lastDock = area;
    }
}

void SimulationWindow::toolbarCloseQuery(QObject *sender, bool &canClose)
{
    Q_UNUSED(sender);
    canClose = false;
    if (!m_toolbar || !m_toolbar->isFloating())
        return;
    if (auto *mw = qobject_cast<QMainWindow *>(m_toolbar->parentWidget())) {
        // Adding takes the toolbar out of its floating window; it then goes
        // first in its row, where the host keeps it.
        const Qt::ToolBarArea area = m_lastDock.value_or(Qt::TopToolBarArea);
        mw->addToolBar(area, m_toolbar);
        ToolbarDock::dockFirst(mw, m_toolbar, area);
        m_toolbar->show();
    }
}

bool SimulationWindow::closeQuery()
{
    m_closing = true;
    if (m_clock)
        m_clock->setEnabled(false);
    return true;
}

void SimulationWindow::closeEvent(QCloseEvent *event)
{
    if (closeQuery())
        event->accept();
    else
        event->ignore();
}

bool SimulationWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The event decides before the toolbar is looked at: while the toolbar
    // is being destroyed its buttons still send events here (child removed),
    // and a toolbar partway through its destructor is no QToolBar to
    // compare with any more.
    switch (event->type()) {
    case QEvent::Close:
        if (watched == m_toolbar) {
            bool canClose = true;
            toolbarCloseQuery(m_toolbar, canClose);
            if (!canClose) {
                event->ignore();
                return true;
            }
        }
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::ParentChange:
        if (watched == m_toolbar)
            noteDock();
        break;
    default:
        break;
    }
    return AlignPanel::eventFilter(watched, event);
}

bool SimulationWindow::isClockRunning() const
{
    return m_clock && m_clock->isEnabled();
}

QAction *SimulationWindow::addRunButton(RunButton which, const QString &caption, const QString &hint)
{
    int image = -1;
    QAction **slot = nullptr;
    switch (which) {
    case RunButton::Start:
        image = StartIcon;
        slot = &m_startAction;
        break;
    case RunButton::Stop:
        image = StopIcon;
        slot = &m_stopAction;
        break;
    case RunButton::Reset:
        image = ResetIcon;
        slot = &m_resetAction;
        break;
    case RunButton::None:
        return nullptr;
    }
    QAction *a = addToolButton(m_toolbar, caption, image, hint);
    *slot = a;
    // The tooltip tells the key; the status bar keeps the plain hint.
    const QString tip = hint.isEmpty() ? caption : hint;
    const QKeySequence key = which == RunButton::Reset ? resetKey() : runKey();
    a->setToolTip(tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    if (which == RunButton::Reset)
        a->setShortcut(key); // a disabled Reset ignores it
    connect(a, &QAction::triggered, this, [this, a] { runButtonClicked(a); });
    if (which != RunButton::Reset)
        addRunKeys();
    return a;
}

SimulationWindow::RunButton SimulationWindow::runButtonOf(QObject *sender) const
{
    if (!sender)
        return RunButton::None;
    if (sender == m_startAction)
        return RunButton::Start;
    if (sender == m_stopAction)
        return RunButton::Stop;
    if (sender == m_resetAction)
        return RunButton::Reset;
    return RunButton::None;
}

void SimulationWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        showRunning();
        break;
    case RunButton::Stop:
    case RunButton::Reset:
        showStopped(false);
        break;
    case RunButton::None:
        break;
    }
}

// ---------------------------------------------------------------- keys

QKeySequence SimulationWindow::runKey()
{
    return QKeySequence(Qt::Key_Space);
}

QKeySequence SimulationWindow::resetKey()
{
    return QKeySequence(Qt::CTRL | Qt::Key_R);
}

void SimulationWindow::addRunKeys()
{
    if (m_runKeysAdded)
        return;
    m_runKeysAdded = true;
    // One shortcut for the window and one for its toolbar, which lives in
    // the main window's dock; each only while the focus is inside it, so
    // Space keeps scrolling the course page. A shortcut of a window that is
    // not shown never acts.
    for (QWidget *scope : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_toolbar.data())}) {
        auto *space = new QShortcut(runKey(), scope, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(space, &QShortcut::activated, this, [this] { toggleRunning(); });
    }
}

bool SimulationWindow::toggleRunning()
{
    return toggleRunButtons(m_startAction, m_stopAction, isClockRunning());
}

bool SimulationWindow::toggleRunButtons(QAction *start, QAction *stop, bool running)
{
    auto usable = [](QAction *a) { return a && a->isEnabled() && a->isVisible(); };
    // Stop first while running; in windows whose Start and Stop are both
    // enabled at rest, the stopped model starts.
    if (usable(stop) && (running || !usable(start))) {
        stop->trigger();
        return true;
    }
    if (usable(start)) {
        start->trigger();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- names

void SimulationWindow::setModelTitle(const QString &title)
{
    m_modelTitle = title;
    setAccessibleText(this, title);
}

void SimulationWindow::showEvent(QShowEvent *event)
{
    nameUnnamedParts();
    AlignPanel::showEvent(event);
    applyProjectorMode();
}

void SimulationWindow::nameUnnamedParts()
{
    // Buttons and lists of the window's own keep their Space (press, tick).
    if (m_runKeysAdded) {
        for (QWidget *w : findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QComboBox *>(w))
                keepSpaceKey(w);
        }
    }
    if (m_modelTitle.isEmpty())
        return;
    if (m_toolbar && m_toolbar->accessibleName().isEmpty())
        setAccessibleText(m_toolbar, m_modelTitle + QStringLiteral(" controls"));
    // A hint, where there is one, describes the picture.
    for (DrawingSurface *picture : findChildren<DrawingSurface *>()) {
        if (picture->accessibleName().isEmpty())
            setAccessibleText(picture, m_modelTitle + QStringLiteral(" picture"), picture->toolTip());
    }
    for (Chart *chart : findChildren<Chart *>()) {
        if (chart->accessibleName().isEmpty())
            setAccessibleText(chart, m_modelTitle + QStringLiteral(" graph"), chart->toolTip());
    }
}

void SimulationWindow::showRunning()
{
    if (m_startAction)
        m_startAction->setEnabled(false);
    if (m_resetAction)
        m_resetAction->setEnabled(false);
    if (m_stopAction)
        m_stopAction->setEnabled(true);
    if (m_clock)
        m_clock->setEnabled(true);
}

void SimulationWindow::showStopped(bool resetEnabled)
{
    if (m_clock)
        m_clock->setEnabled(false);
    if (m_startAction)
        m_startAction->setEnabled(true);
    if (m_stopAction)
        m_stopAction->setEnabled(false);
    if (m_resetAction)
        m_resetAction->setEnabled(resetEnabled);
}

float SimulationWindow::advance(float accumulator, double deltaTime, double factor, float wrap)
{
    const int speed = activeSpeed();
    return advance(accumulator, deltaTime, factor, wrap, speed);
}

float SimulationWindow::advance(float accumulator, double deltaTime, double factor, float wrap, int speed)
{
    float a = float(double(accumulator) + double(speed) * deltaTime * factor);
    if (wrap > 0.0f && a > wrap)
        a -= wrap;
    return a;
}

void SimulationWindow::processEvents()
{
    QCoreApplication::processEvents();
}

AnimationClock *SimulationWindow::createClock()
{
    if (m_clock)
        return m_clock;
    m_clock = new AnimationClock(this);
    m_clock->setEnabled(false);
    m_clock->onProgress = [this](AnimationClock *, double deltaTime, double) {
        if (!m_closing)
            step(deltaTime);
    };
    return m_clock;
}

// ---------------------------------------------------------------- export

namespace {

// The window's visible pictures and charts, in the order they were made
// (which is the order they are painted in).
QList<QWidget *> pictureWidgets(const QWidget *window)
{
    QList<QWidget *> pictures;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if ((qobject_cast<DrawingSurface *>(w) || qobject_cast<Chart *>(w)) && w->isVisibleTo(window)
            && !w->size().isEmpty())
            pictures.append(w);
    }
    return pictures;
}

} // namespace

QRect SimulationWindow::exportPictureRect() const
{
    QRect all;
    for (QWidget *w : pictureWidgets(this))
        all |= QRect(w->mapTo(this, QPoint(0, 0)), w->size());
    return all;
}

void SimulationWindow::paintExportPicture(QPainter &painter, const QRectF &target)
{
    const QRect source = exportPictureRect();
    if (source.isEmpty())
        return;
    const qreal sx = target.width() / source.width();
    const qreal sy = target.height() / source.height();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The gaps between the pictures as on the screen.
    painter.fillRect(target, palette().window());
    for (QWidget *w : pictureWidgets(this)) {
        const QPointF at = w->mapTo(this, QPoint(0, 0)) - source.topLeft();
        const QRectF place(target.left() + at.x() * sx, target.top() + at.y() * sy, w->width() * sx,
                           w->height() * sy);
        if (auto *chart = qobject_cast<Chart *>(w))
            chart->renderTo(painter, place);
        else
            painter.drawImage(place, static_cast<DrawingSurface *>(w)->snapshot());
    }
    painter.restore();
}
