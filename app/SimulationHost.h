#pragma once
// The host of the left pane: what happens when a model page opens.
// showSimulation(kind) switches the pane to the kind's simulation window,
// movie or 3D scene (the kinds table says which), moves the window's toolbar
// into the main window's dock, and shows the "Graph" and "Speed" menus for
// the kinds that have them. The host also routes those menus and the pages'
// commands to the window shown, and keeps the start picture until the first
// model.
#include <QObject>
#include <QPointer>

class AlignPanel;
class MoviePlayer;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class SimulationWindow;
class StartPicture;
class View3DControls;

class SimulationHost : public QObject
{
    Q_OBJECT
public:
    // `pane` is the left pane; the host fills it. `view3D` is the 3D view
    // that lives in it. `startPictureFile` is shown until the first model
    // (none when empty or unreadable).
    SimulationHost(QMainWindow *window, AlignPanel *pane, View3DControls *view3D, const QString &startPictureFile);
    ~SimulationHost() override;

    // Adds the "Graph" and "Speed" menus to the menu bar, hidden.
    void createMenus(QMenuBar *bar);

    // ---- the left pane
    // Stops the 3D clock, empties the scene, sets the active kind, shows the
    // menus and controls the kind needs, releases the window shown (deferred,
    // after the current event) and then creates the kind's window, loads its
    // movie or builds its scene. Numbers outside 1 to 17 do nothing.
    void showSimulation(int kind);
    // The simulation window shown; null for none (or one being released).
    SimulationWindow *activeWindow() const;
    // Releases the window shown, as at shutdown.
    void releaseWindows();
    // A page command ("+CD", "+beats", ...) for the window shown; only the
    // damped oscillator and the superposition take them.
    void routePageCommand(const QString &text);
    MoviePlayer *moviePlayer() const { return m_moviePlayer; }
    // The polarisation movie turns to `angle` degrees.
    void sendMovieAngle(float angle);
    StartPicture *startPicture() const { return m_startPicture; }
    // Centres the start picture in the pane, scaled down when the pane is
    // narrower than the picture.
    void placeStartPicture();

    // ---- the window's toolbar
    // Where the window's toolbar docks; re-docks the one shown.
    void setToolbarArea(Qt::ToolBarArea area);
    Qt::ToolBarArea toolbarArea() const { return m_toolbarArea; }
    // The toolbar of the window shown; null when no window is shown.
    QToolBar *windowToolbar() const;
    void setLargeButtons(bool large);
    void setWindowToolbarVisible(bool visible);

    // ---- the Graph menu (chart windows) and the Speed menu
    QMenu *graphMenu() const { return m_graphMenu; }
    QMenu *timeAxisMenu() const { return m_timeAxisMenu; }
    QAction *timeAxisAction(int seconds) const;
    QAction *copyGraphAction() const { return m_copyGraphAction; }
    QAction *crossHairAction() const { return m_crossHairAction; }
    QAction *printGraphAction() const { return m_printGraphAction; }
    QMenu *speedMenu() const { return m_speedMenu; }
    QAction *setSpeedAction() const { return m_setSpeedAction; }
    // Before the Graph menu opens: the cross-hair and the time axis belong
    // to the damped oscillator, the time axis only while it is stopped. The
    // marks show what the window shows.
    void updateGraphMenu();
    // Puts the time-axis and cross-hair marks on what the window shown has
    // (a new window starts at its own 10 seconds with the cross-hair off).
    void showGraphState();
    void copyGraph();
    void printGraph();
    // One of the time-axis items was chosen; choosing the one the window
    // shows, or choosing with no window, changes nothing.
    void timeAxisChosen(QAction *chosen);
    void setCrossHairVisible(bool on);
    // The Speed dialog for the active kind's speed.
    void editSpeed();

Q_SIGNALS:
    // The pane has switched to `kind` (the page toolbar may need to follow
    // the pane's new layout).
    void simulationShown(int kind);

private:
    void setPaneMode(int kind);

    QMainWindow *m_window;
    AlignPanel *m_pane;
    View3DControls *m_view3D;
    MoviePlayer *m_moviePlayer = nullptr;
    StartPicture *m_startPicture = nullptr;
    Qt::ToolBarArea m_toolbarArea = Qt::TopToolBarArea;
    bool m_largeButtons = false;

    QMenu *m_graphMenu = nullptr;
    QMenu *m_timeAxisMenu = nullptr;
    QAction *m_timeAxisActions[4] = {};
    QAction *m_timeAxis = nullptr; // the time-axis item marked (10 seconds at start)
    QAction *m_copyGraphAction = nullptr;
    QAction *m_crossHairAction = nullptr;
    QAction *m_printGraphAction = nullptr;
    QMenu *m_speedMenu = nullptr;
    QAction *m_setSpeedAction = nullptr;
};
