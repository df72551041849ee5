// The simulation host: which model the left pane shows, the docks its
// toolbar goes into, the Graph and Speed menus, and the pane split.
#include "app/MainWindow.h"

#include "sim/framework/AlignPanel.h"
#include "sim/framework/Dialogs.h"
#include "core/FileLookup.h"
#include "app/MoviePlayer.h"
#include "app/KindsTable.h"
#include "app/SplashScreen.h"
#include "sim/framework/ToolbarDock.h"
#include "sim/framework/IconLibrary.h"
#include "app/SpeedDialog.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/SimulationWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

namespace {
const char *kReleasedProperty = "orvantaReleased";
}

Qt::ToolBarArea MainWindow::chosenDock() const
{
    return toolbarsAtTopAction->isChecked() ? Qt::TopToolBarArea : Qt::BottomToolBarArea;
}

void MainWindow::showSimulation(int kind)
{
    const KindEntry *info = findKind(kind);
    if (!info)
        return;

    stopSceneClock();                                  // 1
    closeSplashScreen();                                      // 2
    delete startPicture;
    startPicture = nullptr;
    const Qt::ToolBarArea dock = chosenDock();         // 3
    setActiveKind(kind);                                 // 4
    setUpdatesEnabled(false);                          // 5: one relayout, at the end
    clearScene();                                    // 6
    updateView3DButtons(kind);                             // 7
    graphMenu->menuAction()->setVisible(hasGraphMenu(kind)); // 8
    updateSpeedMenu(kind);                             // 9
    setPaneMode(kind);                             // 10
    sceneAngle = 0.0f;                                    // 11
    releaseWindows();                        // 12
    // 13: every toolbar of a dock shares its one row, pageToolbar included.

    switch (info->mode) {                              // 14
    case PaneMode::Window:
        if (SimulationWindow *w = info->createWindow ? info->createWindow() : nullptr) {
            w->hide();
            w->setWindowFlags(Qt::Widget);
            w->setParent(leftPane);
            AlignPanel::setAlign(w, PanelAlign::Client);
            w->setMinimumWidth(30);
            if (w->toolbar()) {
                w->toolbar()->setUpdatesEnabled(false);
                ToolbarDock::dockFirst(this, w->toolbar(), dock);
                w->toolbar()->setUpdatesEnabled(true);
            }
            w->setLargeButtons(largeButtonsAction->isChecked());
            w->show();
            if (w->toolbar())
                w->toolbar()->show();
            leftPane->realign();
        }
        break;
    case PaneMode::Movie: {
        const QString file = FileLookup::resolveBesideExe(info->movie);
        if (!file.isEmpty())
            moviePlayer->loadMovie(0, file);
        break;
    }
    case PaneMode::View3D:
        resetCamera();
        angleScrollBar->setValue(0);
        angleScrollBar->setMinimum(0);
        angleScrollBar->setMaximum(360);
        buildScene(kind);
        break;
    case PaneMode::MovieOver3D: {
        const QString file = FileLookup::resolveBesideExe(info->movie);
        if (!file.isEmpty())
            moviePlayer->loadMovie(0, file);
        resetCamera();
        angleScrollBar->setValue(0);
        angleScrollBar->setMaximum(90);
        angleScrollBar->setMinimum(-90);
        buildScene(kind);
        sendMovieAngle(0.0f);
        break;
    }
    }

    alignPageToolbar();
    setUpdatesEnabled(true);                           // 15
}

void MainWindow::setPaneMode(int kind)
{
    const KindEntry *info = findKind(kind);
    const PaneMode mode = info ? info->mode : PaneMode::Window;
    const bool movie = mode == PaneMode::Movie || mode == PaneMode::MovieOver3D;
    const bool view3d = mode == PaneMode::View3D || mode == PaneMode::MovieOver3D;

    leftPane->setFrameShape(mode == PaneMode::Window ? QFrame::NoFrame : QFrame::Box);
    leftPane->setLineWidth(1);
    if (mode == PaneMode::MovieOver3D) {
        AlignPanel::setAlign(moviePlayer, PanelAlign::Top);
        moviePlayer->resize(moviePlayer->width(), leftPane->height() / 2);
    } else {
        AlignPanel::setAlign(moviePlayer, PanelAlign::Client);
    }
    moviePlayer->setVisible(movie);
    if (viewer)
        viewer->setVisible(view3d);
    if (noOpenGLMessage) // stands where the viewer would be without OpenGL
        noOpenGLMessage->setVisible(view3d);
    view3DToolbar->setVisible(view3d);
    angleScrollBar->setVisible(view3d);
    leftPane->realign();
}

SimulationWindow *MainWindow::activeWindow() const
{
    for (QObject *o : leftPane->children()) {
        auto *w = qobject_cast<SimulationWindow *>(o);
        if (w && !w->property(kReleasedProperty).toBool())
            return w;
    }
    return nullptr;
}

void MainWindow::releaseWindows()
{
    // Deferred destruction: the window goes when the current event is done,
    // without its close query or close event. It is hidden at once, with its
    // toolbar, so the new window's toolbar takes its place cleanly.
    for (QObject *o : leftPane->children()) {
        auto *w = qobject_cast<SimulationWindow *>(o);
        if (!w || w->property(kReleasedProperty).toBool())
            continue;
        w->setProperty(kReleasedProperty, true);
        if (w->toolbar()) {
            removeToolBar(w->toolbar());
            w->toolbar()->hide();
        }
        w->hide();
        w->deleteLater();
    }
}

void MainWindow::routePageCommand(const QString &text)
{
    if (activeKind() != SuperpositionKind && activeKind() != DampedOscillatorKind)
        return;
    if (SimulationWindow *w = activeWindow())
        w->handlePageCommand(text);
}

void MainWindow::setWindowToolbarVisible(bool visible)
{
    if (!isWindowKind(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow(); w && w->toolbar())
        w->toolbar()->setVisible(visible);
}

void MainWindow::placeToolbars(bool bottom)
{
    const Qt::ToolBarArea area = bottom ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
    const bool glVisible = !view3DToolbar->isHidden();
    const bool htmlVisible = !pageToolbar->isHidden();
    addToolBar(area, view3DToolbar);
    addToolBar(area, pageToolbar);
    if (isWindowKind(activeKind()))
        if (SimulationWindow *w = activeWindow(); w && w->toolbar()) {
            const bool simVisible = !w->toolbar()->isHidden();
            ToolbarDock::dockFirst(this, w->toolbar(), area);
            w->toolbar()->setVisible(simVisible);
        }
    // Moving a toolbar shows it; keep what was hidden hidden.
    view3DToolbar->setVisible(glVisible);
    pageToolbar->setVisible(htmlVisible);
    alignPageToolbar();
}

void MainWindow::applyButtonSize(bool large)
{
    view3DToolbar->setUpdatesEnabled(false);
    pageToolbar->setUpdatesEnabled(false);
    IconLibrary *dm = IconLibrary::instance();
    const IconList &list = large ? dm->largeIcons() : dm->smallIcons();
    applyIconList(view3DToolbar, list);
    applyIconList(pageToolbar, list);
    const QFont f = large ? largeButtonFont(QApplication::font()) : QApplication::font();
    for (QMenu *m : {fontMenu, colourMenu}) {
        for (QAction *a : m->actions())
            a->setFont(f);
    }
    view3DToolbar->setUpdatesEnabled(true);
    pageToolbar->setUpdatesEnabled(true);
    if (isWindowKind(activeKind()))
        if (SimulationWindow *w = activeWindow())
            w->setLargeButtons(large);
}

void MainWindow::updateView3DButtons(int kind)
{
    view3DToolbar->setUpdatesEnabled(false);
    const bool em = kind == EmWaveKind;
    for (QAction *a : {startAction, stopAction, randomAction, polarAction})
        a->setVisible(em);
    view3DToolbar->setUpdatesEnabled(true);
}

void MainWindow::updateSpeedMenu(int kind)
{
    speedMenu->menuAction()->setVisible(hasSpeedMenu(kind));
}

// ---------------------------------------------------------------- pane split

void MainWindow::splitButtonClicked(QToolButton *sender)
{
    sender->setChecked(true);
    QWidget *handle = splitter->handle(1);
    if (sender == normalSplitButton) {
        leftPane->show();
        setLeftPaneWidth(screenInfo().size.width() / 2);
        if (handle)
            handle->show();
        rightPane->show();
        pageToolbar->show();
        setWindowToolbarVisible(true);
        if (activeKind() == 0)
            leftPane->repaint();
    } else if (sender == maxLeftButton) {
        rightPane->hide();
        if (handle)
            handle->hide();
        leftPane->show();
        pageToolbar->hide();
        setWindowToolbarVisible(true);
        if (activeKind() == 0)
            leftPane->repaint();
    } else if (sender == maxRightButton) {
        rightPane->show();
        if (handle)
            handle->hide();
        leftPane->hide();
        pageToolbar->show();
        setWindowToolbarVisible(false);
    }
}

// ---------------------------------------------------------------- Toolbars menu

void MainWindow::toolbarPlaceChosen(QAction *sender)
{
    const bool bottom = sender == toolbarsAtBottomAction;
    // The radio group has already moved the check; compare with where the
    // toolbars are.
    sender->setChecked(true);
    if (bottom == m_toolbarsBottom)
        return;
    m_toolbarsBottom = bottom;
    placeToolbars(bottom);
}

void MainWindow::largeButtonsToggled()
{
    applyButtonSize(largeButtonsAction->isChecked());
}

// ---------------------------------------------------------------- Graph menu

void MainWindow::updateGraphMenu()
{
    if (activeKind() == DampedOscillatorKind) {
        crossHairAction->setVisible(true);
        SimulationWindow *w = activeWindow();
        timeAxisMenu->menuAction()->setVisible(w && !w->isClockRunning());
    } else {
        crossHairAction->setVisible(false);
        timeAxisMenu->menuAction()->setVisible(false);
    }
}

void MainWindow::timeAxisChosen(QAction *sender)
{
    QAction *checked = m_timeAxis ? m_timeAxis : timeAxis10Action;
    SimulationWindow *w = activeWindow();
    if (sender == checked || !w) {
        for (QAction *a : {timeAxis5Action, timeAxis10Action, timeAxis15Action, timeAxis20Action})
            a->setChecked(a == checked);
        return;
    }
    for (QAction *a : {timeAxis5Action, timeAxis10Action, timeAxis15Action, timeAxis20Action})
        a->setChecked(a == sender);
    m_timeAxis = sender;
    w->setTimeAxis(float(sender->data().toInt()));
}

void MainWindow::copyGraphClicked()
{
    if (!hasGraphMenu(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow())
        w->copyGraph();
}

void MainWindow::printGraphClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::runPrintDialog(this, printer))
        return;
    if (!hasGraphMenu(activeKind()))
        return;
    if (SimulationWindow *w = activeWindow())
        w->printGraph(printer);
}

void MainWindow::crossHairToggled()
{
    if (activeKind() != DampedOscillatorKind)
        return;
    if (SimulationWindow *w = activeWindow())
        w->setCrossHairVisible(crossHairAction->isChecked());
}

// ---------------------------------------------------------------- Speed menu

void MainWindow::editSpeed()
{
    SpeedDialog dlg(this);
    dlg.setSpeed(animationSpeeds()[activeKind()]);
    if (Dialogs::runModal(dlg) == QDialog::Accepted)
        animationSpeeds()[activeKind()] = dlg.speed();
}
