#include "app/SimulationHost.h"

#include "app/KindsTable.h"
#include "app/MenuItems.h"
#include "app/MoviePlayer.h"
#include "app/SpeedDialog.h"
#include "app/SplashScreen.h"
#include "app/StartPicture.h"
#include "app/View3DControls.h"
#include "core/FileLookup.h"
#include "core/SimulationKind.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/Dialogs.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarDock.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QToolBar>

namespace {
const char *kReleasedProperty = "orvantaReleased";
}

SimulationHost::SimulationHost(QMainWindow *window, AlignPanel *pane, View3DControls *view3D,
                               const QString &startPictureFile)
    : QObject(window), m_window(window), m_pane(pane), m_view3D(view3D)
{
    m_moviePlayer = new MoviePlayer(pane);
    m_moviePlayer->setObjectName(QStringLiteral("moviePlayer"));
    m_moviePlayer->hide();
    AlignPanel::setAlign(m_moviePlayer, PanelAlign::Client);
    // A film above a 3D view keeps the upper half of the pane as the pane
    // changes size: a page opened at start is shown before the window has
    // its final size, and the film would stay a strip a few pixels high.
    connect(pane, &AlignPanel::resized, this, [this] {
        if (AlignPanel::align(m_moviePlayer) != PanelAlign::Top || m_moviePlayer->isHidden())
            return;
        const int half = m_pane->height() / 2;
        if (m_moviePlayer->height() == half)
            return;
        m_moviePlayer->resize(m_moviePlayer->width(), half);
        m_pane->realign();
    });

    if (!startPictureFile.isEmpty()) {
        m_startPicture = new StartPicture(pane);
        if (!m_startPicture->loadPicture(startPictureFile)) {
            delete m_startPicture;
            m_startPicture = nullptr;
        }
    }
}

SimulationHost::~SimulationHost() = default;

void SimulationHost::createMenus(QMenuBar *bar)
{
    m_graphMenu = addNamedMenu(bar, "graphMenu", QStringLiteral("Graph"));
    connect(m_graphMenu, &QMenu::aboutToShow, this, &SimulationHost::updateGraphMenu);
    m_timeAxisMenu = m_graphMenu->addMenu(QStringLiteral("Time axis"));
    m_timeAxisMenu->setObjectName(QStringLiteral("timeAxisMenu"));
    auto *timeGroup = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        const int seconds = 5 * (i + 1);
        QAction *a = m_timeAxisMenu->addAction(QStringLiteral("%1 seconds").arg(seconds));
        a->setObjectName(QStringLiteral("timeAxis%1Action").arg(seconds));
        a->setCheckable(true);
        a->setData(seconds);
        timeGroup->addAction(a);
        // The handler decides about the check mark itself.
        connect(a, &QAction::triggered, this, [this, a] { timeAxisChosen(a); });
        m_timeAxisActions[i] = a;
    }
    // One of four, drawn as radio items; the handler puts the mark back on
    // what the window shows when a choice cannot be carried out.
    timeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    m_timeAxis = timeAxisAction(10);
    m_timeAxis->setChecked(true);
    m_copyGraphAction = addNamedAction(m_graphMenu, "copyGraphAction", QStringLiteral("Copy graph"));
    m_crossHairAction = addNamedAction(m_graphMenu, "crossHairAction", QStringLiteral("Show X hair cursor"));
    m_crossHairAction->setCheckable(true);
    m_printGraphAction = addNamedAction(m_graphMenu, "printGraphAction", QStringLiteral("Print graph"));
    connect(m_copyGraphAction, &QAction::triggered, this, &SimulationHost::copyGraph);
    connect(m_crossHairAction, &QAction::triggered, this, &SimulationHost::setCrossHairVisible);
    connect(m_printGraphAction, &QAction::triggered, this, &SimulationHost::printGraph);

    m_speedMenu = addNamedMenu(bar, "speedMenu", QStringLiteral("Speed"));
    m_setSpeedAction = addNamedAction(m_speedMenu, "setSpeedAction", QStringLiteral("Set animation speed"));
    connect(m_setSpeedAction, &QAction::triggered, this, &SimulationHost::editSpeed);

    // Graph and Speed belong to particular models.
    m_graphMenu->menuAction()->setVisible(false);
    m_speedMenu->menuAction()->setVisible(false);
}

QAction *SimulationHost::timeAxisAction(int seconds) const
{
    for (QAction *a : m_timeAxisActions)
        if (a && a->data().toInt() == seconds)
            return a;
    return nullptr;
}

// ---------------------------------------------------------------- the left pane

void SimulationHost::showSimulation(int kind)
{
    const KindEntry *info = findKind(kind);
    if (!info)
        return;

    m_view3D->stopClock();
    closeSplashScreen();
    delete m_startPicture;
    m_startPicture = nullptr;
    setActiveKind(kind);
    m_window->setUpdatesEnabled(false); // one relayout, at the end
    m_view3D->clearScene();
    m_view3D->showButtonsFor(kind);
    m_graphMenu->menuAction()->setVisible(hasGraphMenu(kind));
    m_speedMenu->menuAction()->setVisible(hasSpeedMenu(kind));
    setPaneMode(kind);
    releaseWindows();
    // Every toolbar of a dock shares its one row, the page toolbar included.

    switch (info->mode) {
    case PaneMode::Window:
        if (SimulationWindow *w = info->createWindow ? info->createWindow() : nullptr) {
            w->hide();
            w->setWindowFlags(Qt::Widget);
            w->setParent(m_pane);
            AlignPanel::setAlign(w, PanelAlign::Client);
            w->setMinimumWidth(30);
            if (QToolBar *tb = w->toolbar()) {
                tb->setUpdatesEnabled(false);
                ToolbarDock::dockFirst(m_window, tb, m_toolbarArea);
                tb->setUpdatesEnabled(true);
            }
            w->setLargeButtons(m_largeButtons);
            w->show();
            // A new window starts with its own time axis and no cross-hair.
            showGraphState();
            if (w->toolbar())
                w->toolbar()->show();
            m_pane->realign();
        }
        break;
    case PaneMode::Movie:
        // A missing movie leaves the pane empty, and says nothing: never
        // the last model's movie beside this page.
        m_moviePlayer->loadMovie(0, FileLookup::resolveContent(info->movie));
        break;
    case PaneMode::View3D:
        m_view3D->showScene(kind, 0, 360);
        break;
    case PaneMode::MovieOver3D: {
        m_moviePlayer->loadMovie(0, FileLookup::resolveContent(info->movie));
        m_view3D->showScene(kind, -90, 90);
        sendMovieAngle(0.0f);
        break;
    }
    }

    Q_EMIT simulationShown(kind);
    m_window->setUpdatesEnabled(true);
}

void SimulationHost::setPaneMode(int kind)
{
    const KindEntry *info = findKind(kind);
    const PaneMode mode = info ? info->mode : PaneMode::Window;
    const bool movie = mode == PaneMode::Movie || mode == PaneMode::MovieOver3D;
    const bool view3d = mode == PaneMode::View3D || mode == PaneMode::MovieOver3D;

    m_pane->setFrameShape(mode == PaneMode::Window ? QFrame::NoFrame : QFrame::Box);
    m_pane->setLineWidth(1);
    if (mode == PaneMode::MovieOver3D) {
        AlignPanel::setAlign(m_moviePlayer, PanelAlign::Top);
        m_moviePlayer->resize(m_moviePlayer->width(), m_pane->height() / 2);
    } else {
        AlignPanel::setAlign(m_moviePlayer, PanelAlign::Client);
    }
    m_moviePlayer->setVisible(movie);
    m_view3D->setShown(view3d);
    m_pane->realign();
}

SimulationWindow *SimulationHost::activeWindow() const
{
    for (QObject *o : m_pane->children()) {
        auto *w = qobject_cast<SimulationWindow *>(o);
        if (w && !w->property(kReleasedProperty).toBool())
            return w;
    }
    return nullptr;
}

void SimulationHost::releaseWindows()
{
    // Deferred destruction: the window goes when the current event is done,
    // without its close query or close event. It is hidden at once, with its
    // toolbar, so the new window's toolbar takes its place cleanly.
    for (QObject *o : m_pane->children()) {
        auto *w = qobject_cast<SimulationWindow *>(o);
        if (!w || w->property(kReleasedProperty).toBool())
            continue;
        w->setProperty(kReleasedProperty, true);
        if (QToolBar *tb = w->toolbar()) {
            m_window->removeToolBar(tb);
            tb->hide();
        }
        w->hide();
        w->deleteLater();
    }
}

void SimulationHost::routePageCommand(const QString &text)
{
    if (activeKind() != SuperpositionKind && activeKind() != DampedOscillatorKind)
        return;
    if (SimulationWindow *w = activeWindow())
        w->handlePageCommand(text);
}

void SimulationHost::sendMovieAngle(float angle)
{
    m_moviePlayer->setVariable(QStringLiteral("_root.angle"), QString::number(static_cast<int>(angle)));
    m_moviePlayer->callLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
}

void SimulationHost::placeStartPicture()
{
    if (!m_startPicture || m_startPicture->picture().isNull())
        return;
    const int W = m_pane->width(), H = m_pane->height();
    const QImage &pic = m_startPicture->picture();
    QRect r;
    if (pic.width() > W) {
        const int w = qMax(0, W - 10);
        const int h = static_cast<int>(std::nearbyint(float(w) * float(pic.height()) / float(pic.width())));
        r = QRect(0, 0, w, h);
        m_startPicture->setAutoSize(false);
    } else {
        m_startPicture->setAutoSize(true);
        r = QRect(0, 0, m_startPicture->width(), m_startPicture->height());
    }
    r.translate((W - r.width()) / 2, (H - r.height()) / 2);
    m_startPicture->setGeometry(r);
    m_startPicture->show();
    m_pane->update();
}

// ---------------------------------------------------------------- the window's toolbar

void SimulationHost::setToolbarArea(Qt::ToolBarArea area)
{
    m_toolbarArea = area;
    if (!isWindowKind(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow(); w && w->toolbar()) {
        const bool visible = !w->toolbar()->isHidden();
        ToolbarDock::dockFirst(m_window, w->toolbar(), area);
        // Moving a toolbar shows it; keep what was hidden hidden.
        w->toolbar()->setVisible(visible);
    }
}

QToolBar *SimulationHost::windowToolbar() const
{
    if (!isWindowKind(activeKind()))
        return nullptr;
    const SimulationWindow *w = activeWindow();
    return w ? w->toolbar() : nullptr;
}

void SimulationHost::setLargeButtons(bool large)
{
    m_largeButtons = large;
    if (isWindowKind(activeKind()))
        if (SimulationWindow *w = activeWindow())
            w->setLargeButtons(large);
}

void SimulationHost::setWindowToolbarVisible(bool visible)
{
    if (!isWindowKind(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow(); w && w->toolbar())
        w->toolbar()->setVisible(visible);
}

// ---------------------------------------------------------------- Graph and Speed menus

void SimulationHost::showGraphState()
{
    const SimulationWindow *w = activeWindow();
    const float seconds = w ? w->timeAxis() : 0.0f;
    // Without a window that has a time axis the mark stays where it was.
    if (seconds > 0.0f)
        for (QAction *a : m_timeAxisActions)
            if (float(a->data().toInt()) == seconds)
                m_timeAxis = a;
    for (QAction *a : m_timeAxisActions)
        a->setChecked(a == m_timeAxis);
    m_crossHairAction->setChecked(w && w->isCrossHairVisible());
}

void SimulationHost::updateGraphMenu()
{
    showGraphState();
    m_crossHairAction->setVisible(hasCrossHair(activeKind()));
    if (activeKind() == DampedOscillatorKind) {
        SimulationWindow *w = activeWindow();
        m_timeAxisMenu->menuAction()->setVisible(w && !w->isClockRunning());
    } else {
        m_timeAxisMenu->menuAction()->setVisible(false);
    }
}

void SimulationHost::timeAxisChosen(QAction *chosen)
{
    // The radio group has moved the mark already; where it ends up is what
    // the window shows afterwards.
    SimulationWindow *w = activeWindow();
    const float seconds = float(chosen->data().toInt());
    if (w && w->timeAxis() > 0.0f && w->timeAxis() != seconds)
        w->setTimeAxis(seconds);
    showGraphState();
}

void SimulationHost::copyGraph()
{
    if (!hasGraphMenu(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow())
        w->copyGraph();
}

void SimulationHost::printGraph()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::runPrintDialog(m_window, printer))
        return;
    if (!hasGraphMenu(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow())
        w->printGraph(printer);
}

void SimulationHost::setCrossHairVisible(bool on)
{
    if (hasCrossHair(activeKind()))
        if (SimulationWindow *w = activeWindow())
            w->setCrossHairVisible(on);
    showGraphState();
}

void SimulationHost::editSpeed()
{
    SpeedDialog dialog(m_window);
    SpeedTable &speeds = animationSpeeds();
    dialog.setSpeed(speeds[activeKind()]);
    if (Dialogs::runModal(dialog) == QDialog::Accepted)
        speeds[activeKind()] = dialog.speed();
}
