#pragma once
// The main window: the menus, the toolbar docks, the two panes with the
// splitter between them, the status bar, the settings and shutdown. What
// the panes do lives in the parts the window owns:
//   SimulationHost   the left pane: which model is shown (showSimulation),
//                    its toolbar, the Graph and Speed menus
//   View3DControls   the 3D view in the left pane: clock, mouse, zoom,
//                    scroll bar, Polar and Random
//   CoursePane       the right pane: the course pages, the page toolbar,
//                    links, the Edit menu, text size and background
// The window wires them together and keeps what belongs to the whole
// program: the Toolbars, Appearance and Help menus, the pane split, the
// magnifier, movies and videos, and the settings.
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class AlignPanel;
class CoursePane;
class ExportActions;
class HelpViewer;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class SimulationHost;
class View3DControls;

// What the main window needs to know about the screen; tests inject their
// own screens.
struct ScreenInfo {
    QSize size;                    // whole screen, pixels
    std::optional<QRect> workArea; // screen minus task bars; none = unknown
    int pixelsPerInch = 96;
    // The work areas of every screen, where a stored window position may
    // go back to; empty = the work area above (or the whole screen) only.
    QList<QRect> allWorkAreas;
};
using ScreenInfoProvider = std::function<ScreenInfo()>;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window and restores the settings. `screen` replaces the
    // real screen for tests.
    explicit MainWindow(ScreenInfoProvider screen = {});
    ~MainWindow() override;

    // ---- parts
    SimulationHost *host() const { return m_host; }
    View3DControls *view3D() const { return m_view3D; }
    // File > Export picture... and File > Export data...
    ExportActions *exportActions() const { return m_export; }
    CoursePane *coursePane() const { return m_coursePane; }
    AlignPanel *leftPane() const { return m_leftPane; }
    QSplitter *splitter() const { return m_splitter; }

    // ---- menus and status bar
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *toolbarsMenu() const { return m_toolbarsMenu; }
    QMenu *appearanceMenu() const { return m_appearanceMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *exitAction() const { return m_exitAction; }
    QAction *toolbarsAtTopAction() const { return m_toolbarsAtTopAction; }
    QAction *toolbarsAtBottomAction() const { return m_toolbarsAtBottomAction; }
    QAction *largeButtonsAction() const { return m_largeButtonsAction; }
    QAction *projectorModeAction() const { return m_projectorModeAction; }
    QAction *helpContentsAction() const { return m_helpContentsAction; }
    QAction *helpSearchAction() const { return m_helpSearchAction; }
    QAction *aboutAction() const { return m_aboutAction; }
    QActionGroup *themeGroup() const { return m_themeGroup; }
    QLabel *hintLabel() const { return m_hintLabel; }
    QToolButton *maxRightButton() const { return m_maxRightButton; }
    QToolButton *normalSplitButton() const { return m_normalSplitButton; }
    QToolButton *maxLeftButton() const { return m_maxLeftButton; }
    // The theme in force (menu spelling).
    QString themeName() const { return m_themeName; }

    // ---- settings
    // Restores the stored settings; false when there are none, or no
    // stored position to place the window by.
    bool loadSettings();
    void saveSettings();
    // The first-run placement: the work area's height, at most 4:3 wide,
    // centred; the left pane half the width.
    void placeDefault();

    // ---- layout
    int leftPaneWidth() const;
    void setLeftPaneWidth(int width);
    // Lays out the toolbars of the chosen dock so that every button shows,
    // at any screen from 1280 x 800 up and with large buttons too: the
    // window's (or the 3D view's) toolbar and the page toolbar share one row
    // when they fit, else the page toolbar takes a second row; a row still
    // too narrow shows the buttons' pictures without captions. The page
    // toolbar's buttons stand above the right pane as far as the row has
    // room (an empty gap toolbar before it takes up the rest).
    void arrangeToolbars();
    ScreenInfo screenInfo() const;

    // ---- what the menus, the split buttons and the links do
    void applyTheme(const QString &themeName);
    void setToolbarsAtBottom(bool bottom);
    void setLargeButtons(bool large);
    // Projector mode: everything bigger at once (see ProjectorMode), the
    // large buttons included whatever "Use large buttons" says; that choice
    // is kept and comes back when the mode is left.
    void setProjectorMode(bool on);
    // The status bar's split buttons: the right pane alone, both, or the
    // left pane alone.
    void splitButtonClicked(QToolButton *button);
    // The picture `file` in the magnifier, with its description as caption.
    void showMagnifier(const QString &file, const QString &description = QString());
    bool playVideoLink(const QString &segment);
    void showHelp(QAction *sender);
    void showAbout();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanes();
    void createMenus();
    void createToolbars();
    void createStatusBar();
    void setupHelp();
    // Help/Tessel.qhc in the content folder, as it is on disk; empty when
    // there is none.
    QString helpCollection() const;
    // The help window, made on the first request; null without help.
    HelpViewer *helpViewer();
    void firstShow();
    bool closeQuery();
    void shutDown();
    void keyPressed(int key);
    Qt::ToolBarArea chosenDock() const;
    // The button size in force: large when asked for or in projector mode.
    void applyButtonSize(bool large);

    ScreenInfoProvider m_screen;
    QString m_htmlFolder; // executable folder + "HTML/"
    AlignPanel *m_leftPane = nullptr;
    QSplitter *m_splitter = nullptr;
    View3DControls *m_view3D = nullptr;
    SimulationHost *m_host = nullptr;
    ExportActions *m_export = nullptr;
    CoursePane *m_coursePane = nullptr;
    HelpViewer *m_helpViewer = nullptr; // a window of its own, owned by this one

    QMenu *m_fileMenu = nullptr;
    QMenu *m_toolbarsMenu = nullptr;
    QMenu *m_appearanceMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_toolbarsAtTopAction = nullptr;
    QAction *m_toolbarsAtBottomAction = nullptr;
    QAction *m_largeButtonsAction = nullptr;
    QAction *m_projectorModeAction = nullptr;
    QAction *m_helpContentsAction = nullptr;
    QAction *m_helpSearchAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QActionGroup *m_themeGroup = nullptr;
    QLabel *m_hintLabel = nullptr;
    QToolButton *m_maxRightButton = nullptr;
    QToolButton *m_normalSplitButton = nullptr;
    QToolButton *m_maxLeftButton = nullptr;
    QString m_themeName;

    bool m_shown = false;
    // A left-pane width asked for before the splitter had its real width;
    // applied on its next resize.
    std::optional<int> m_pendingLeftWidth;
    bool m_arrangingToolbars = false; // what the arrangement moves arranges nothing
    bool m_toolbarPressed = false;    // a toolbar is being dragged: arrange after it
    // The rows last placed, and where: placed again only when they change.
    QList<QList<QPointer<QToolBar>>> m_toolbarRows;
    Qt::ToolBarArea m_toolbarRowsArea = Qt::NoToolBarArea;
    bool m_toolbarsBottom = false;      // where the toolbars were last put
};
