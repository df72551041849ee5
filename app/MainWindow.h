#pragma once
// The main window: menus, toolbar docks, the left pane with the model of the
// page being read, the right pane with the course pages, and the status bar.
//
// The class is large because everything the pages and menus reach meets
// here; its parts live in separate files:
//   uWaveMain.cpp         start-up, layout, settings, themes, shutdown
//   uWaveMainHost.cpp     which model the left pane shows, toolbars, Graph
//                         and Speed menus, pane split
//   uWaveMainBrowser.cpp  the page browser's glue (links, page toolbar, Edit)
//   uWaveMainMedia.cpp    movies, video links, picture magnifier, help, About
//   uWaveMain3D.cpp       the 3D view's clock, mouse, zoom and scroll bar
#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "core/SimulationKind.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollBar;
class QSplitter;
class QToolBar;
class QToolButton;
class QUrl;
class AlignPanel;
class PageBrowser;
class Camera;
class Scene3D;
class SceneViewer;
class MaterialLibrary;
class MoviePlayer;
class AnimationClock;
class SceneNode;
class SimulationWindow;
class StartPicture;

// What the main window needs to know about the screen; tests inject their
// own screens.
struct ScreenInfo {
    QSize size;                    // whole screen, pixels
    std::optional<QRect> workArea; // screen minus task bars; none = unknown
    int pixelsPerInch = 96;
};
using ScreenInfoProvider = std::function<ScreenInfo()>;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window (the start-up steps that belong to the window) and
    // restores the settings. `screen` replaces the real screen for tests.
    explicit MainWindow(ScreenInfoProvider screen = {});
    ~MainWindow() override;

    // ---------------------------------------------------------- controls
    // Menu bar
    QMenu *fileMenu = nullptr, *editMenu = nullptr, *toolbarsMenu = nullptr, *graphMenu = nullptr,
          *timeAxisMenu = nullptr, *speedMenu = nullptr, *appearanceMenu = nullptr, *helpMenu = nullptr;
    QAction *exitAction = nullptr, *selectAllAction = nullptr, *copyPageAction = nullptr, *toolbarsAtTopAction = nullptr,
            *toolbarsAtBottomAction = nullptr, *largeButtonsAction = nullptr, *timeAxis5Action = nullptr, *timeAxis10Action = nullptr, *timeAxis15Action = nullptr,
            *timeAxis20Action = nullptr, *copyGraphAction = nullptr, *crossHairAction = nullptr, *printGraphAction = nullptr,
            *setSpeedAction = nullptr, *helpContentsAction = nullptr, *helpSearchAction = nullptr, *aboutAction = nullptr;
    QActionGroup *themeGroup = nullptr;

    // Page toolbar
    QToolBar *pageToolbar = nullptr;
    QAction *indexAction = nullptr, *backAction = nullptr, *forwardAction = nullptr, *fontAction = nullptr,
            *colourAction = nullptr;
    QMenu *fontMenu = nullptr, *colourMenu = nullptr;
    QAction *smallestTextAction = nullptr, *smallTextAction = nullptr, *mediumTextAction = nullptr, *largeTextAction = nullptr, *largestTextAction = nullptr;
    QAction *whiteAction = nullptr, *paleBlueAction = nullptr, *paleYellowAction = nullptr;
    QMenu *pictureMenu = nullptr;
    QAction *copyPictureAction = nullptr;

    // 3D toolbar
    QToolBar *view3DToolbar = nullptr;
    QAction *startAction = nullptr, *stopAction = nullptr, *zoomInAction = nullptr, *zoomOutAction = nullptr,
            *polarAction = nullptr, *randomAction = nullptr;

    // Panes
    AlignPanel *leftPane = nullptr;
    QSplitter *splitter = nullptr;
    QWidget *rightPane = nullptr;
    PageBrowser *browser = nullptr;
    MoviePlayer *moviePlayer = nullptr;
    QPointer<SceneViewer> viewer;
    QScrollBar *angleScrollBar = nullptr;
    QLabel *noOpenGLMessage = nullptr;              // stands in for viewer without OpenGL
    StartPicture *startPicture = nullptr;

    // 3D scene (owned by scene; the other pointers point into it)
    Scene3D *scene = nullptr;
    SceneNode *origin = nullptr;
    SceneNode *sceneBase = nullptr;
    Camera *camera = nullptr;
    MaterialLibrary *materials = nullptr;
    AnimationClock *clock = nullptr;

    // Status bar
    QLabel *hintLabel = nullptr;
    QToolButton *maxRightButton = nullptr, *normalSplitButton = nullptr, *maxLeftButton = nullptr;

    // ---------------------------------------------------------- state
    QString htmlFolder;                       // executable folder + "HTML/"
    QString textBackground = QStringLiteral("#FFFFFF");
    int32_t textSize = 2;                     // 0 smallest to 4 largest
    QString picturePath;                      // picture under the last context-menu click
    quint32 sceneBackground = 0x00FFFFFF;             // 3D background, 0x00BBGGRR
    float sceneAngle = 0.0f;                     // 3D animation angle, degrees
    QPointF mouseAnchor;                    // last mouse-down or mouse-move in viewer
    QString themeName;                        // theme in force (menu spelling)

    // ---------------------------------------------------------- start-up, settings, shutdown
    bool loadSettings();
    void saveSettings();
    void placeDefault();
    void placeStartPicture();
    void applyTheme(const QString &themeName);
    void exitProgram();
    ScreenInfo screenInfo() const;
    // Width of the left pane in pixels.
    int leftPaneWidth() const;
    void setLeftPaneWidth(int width);
    // Keeps the page toolbar's buttons above the right pane: a gap at the
    // toolbar's start fills the room up to the left pane's edge.
    void alignPageToolbar();
    QWidget *pageToolbarGap = nullptr;

    // ---------------------------------------------------------- simulation host
    void showSimulation(int kind);
    SimulationWindow *activeWindow() const;
    void routePageCommand(const QString &text);
    void setWindowToolbarVisible(bool visible);
    void placeToolbars(bool bottom);
    void applyButtonSize(bool large);
    void updateView3DButtons(int kind);
    void updateSpeedMenu(int kind);
    void resetCamera();
    void splitButtonClicked(QToolButton *sender);
    void toolbarPlaceChosen(QAction *sender);
    void largeButtonsToggled();
    void updateGraphMenu();
    void timeAxisChosen(QAction *sender);
    void copyGraphClicked();
    void printGraphClicked();
    void crossHairToggled();
    void editSpeed();
    Qt::ToolBarArea chosenDock() const;

    // ---------------------------------------------------------- topic browser
    void beforeNavigate(const QUrl &url, bool &cancel);
    void documentComplete();
    void commandStateChanged(int command, bool enabled);
    void showContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                            bool &handled);
    void showIndex();
    void historyButtonClicked(QAction *sender);
    void updateFontMenu();
    void textSizeChosen(QAction *sender);
    void updateColourMenu();
    void pageBackgroundChosen(QAction *sender);
    void selectAll();
    void copyPage();
    void copyPictureClicked();

    // ---------------------------------------------------------- media, help, About
    void setupHelp();
    void sendMovieAngle(float angle);
    bool playVideoLink(const QString &segment);
    void showMagnifier(const QString &file);
    void showHelp(QAction *sender);
    void showAbout();
    void keyPressed(int key);

    // ---------------------------------------------------------- 3D view
    void stopSceneClock();
    void sceneRunButtonClicked(QAction *sender);
    void advanceScene(double deltaTime, double newTime);
    void angleScrolled(int position);
    void polarisationModeChosen(QAction *sender);
    void zoomButtonClicked(QAction *sender);
    void viewerMousePressed(Qt::MouseButton button, QPointF pos);
    void viewerMouseMoved(Qt::MouseButtons buttons, QPointF pos);
    void viewerWheelTurned(int delta);
    void viewerClicked();
    // In "Random" mode, a new plane at each multiple of 60 degrees.
    void randomPlaneAt(int degrees);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void firstShow();
    bool closeQuery();
    void shutDown();
    void createMenus();
    void createToolbars();
    void createPanes();
    void createStatusBar();
    void setPaneMode(int kind);
    void setupBrowser();
    void setup3D();
    void clearScene();
    void buildScene(int kind);
    void releaseWindows();

    ScreenInfoProvider m_screen;
    bool m_shown = false;
    bool m_closing = false;
    // A left-pane width asked for before the splitter had its real width;
    // applied on its next resize.
    std::optional<int> m_pendingLeftWidth;
    bool m_aligningPageToolbar = false; // the gap's own resize moves nothing
    bool m_toolbarsBottom = false;      // where PlaceToolbars last put them
    QAction *m_timeAxis = nullptr;      // the time axis in force (timeAxis10Action at start)
};

// The running program's main window (null in tests that build none).
extern MainWindow *mainWindowInstance;
