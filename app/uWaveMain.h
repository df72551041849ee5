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

#include "app/SimGlobals.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollBar;
class QSplitter;
class QToolBar;
class QToolButton;
class QUrl;
class TAlignPanel;
class TEmbeddedBrowser;
class TGLCamera;
class TGLScene;
class TGLViewer;
class TMaterialLibrary;
class TMoviePlayer;
class TNGLCadencer;
class TSceneNode;
class TSimulationForm;
class TSplashImage;

// What the main window needs to know about the screen; tests inject their
// own screens.
struct ScreenInfo {
    QSize size;                    // whole screen, pixels
    std::optional<QRect> workArea; // screen minus task bars; none = unknown
    int pixelsPerInch = 96;
};
using ScreenInfoProvider = std::function<ScreenInfo()>;

class TWaveMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window (the start-up steps that belong to the window) and
    // restores the settings. `screen` replaces the real screen for tests.
    explicit TWaveMainFrm(ScreenInfoProvider screen = {});
    ~TWaveMainFrm() override;

    // ---------------------------------------------------------- controls
    // Menu bar
    QMenu *File1 = nullptr, *Edit1 = nullptr, *Toolbars1 = nullptr, *Graph1 = nullptr,
          *TimeScale1 = nullptr, *Speed1 = nullptr, *Themes = nullptr, *Help1 = nullptr;
    QAction *ExitBtn = nullptr, *SelectAll1 = nullptr, *CopyHTML1 = nullptr, *Top1 = nullptr,
            *Bottom1 = nullptr, *Large1 = nullptr, *T5 = nullptr, *T10 = nullptr, *T15 = nullptr,
            *T20 = nullptr, *CopyGraph1 = nullptr, *XHair1 = nullptr, *PrintGraph1 = nullptr,
            *Speed2 = nullptr, *Contents1 = nullptr, *Search1 = nullptr, *About1 = nullptr;
    QActionGroup *SpTBXSkinGroupItem1 = nullptr;

    // Page toolbar
    QToolBar *HTMLToolbar = nullptr;
    QAction *IndexBtn = nullptr, *BackBtn = nullptr, *FwdBtn = nullptr, *FontBtn = nullptr,
            *TextBackColorBtn = nullptr;
    QMenu *FontMenu = nullptr, *ColourMenu = nullptr;
    QAction *Size0 = nullptr, *Size1 = nullptr, *Size2 = nullptr, *Size3 = nullptr, *Size4 = nullptr;
    QAction *White2 = nullptr, *Blue2 = nullptr, *Yellow2 = nullptr;
    QMenu *PicPopUp = nullptr;
    QAction *CopyImage1 = nullptr;

    // 3D toolbar
    QToolBar *GLToolbar = nullptr;
    QAction *StartBtn = nullptr, *StopBtn = nullptr, *ZoomInBtn = nullptr, *ZoomOutBtn = nullptr,
            *PolarBtn = nullptr, *RandomBtn = nullptr;

    // Panes
    TAlignPanel *LeftTW = nullptr;
    QSplitter *Splitter = nullptr;
    QWidget *EWBPanel = nullptr;
    TEmbeddedBrowser *EWB = nullptr;
    TMoviePlayer *Flash = nullptr;
    QPointer<TGLViewer> GLViewer;
    QScrollBar *GLhsb = nullptr;
    QLabel *GLMessage = nullptr;              // stands in for GLViewer without OpenGL
    TSplashImage *SplashImage = nullptr;

    // 3D scene (owned by GLScene1; the other pointers point into it)
    TGLScene *GLScene1 = nullptr;
    TSceneNode *RootDC = nullptr;
    TSceneNode *SceneBase = nullptr;
    TGLCamera *GLCamera = nullptr;
    TMaterialLibrary *MatLib = nullptr;
    TNGLCadencer *GLCadencer = nullptr;

    // Status bar
    QLabel *HintLabel = nullptr;
    QToolButton *MaxRightBtn = nullptr, *NormalSplitBtn = nullptr, *MaxLeftBtn = nullptr;

    // ---------------------------------------------------------- state
    QString HtmlFolder;                       // executable folder + "HTML/"
    QString TextBackground = QStringLiteral("#FFFFFF");
    int32_t TextSize = 2;                     // 0 smallest to 4 largest
    QString PicturePath;                      // picture under the last context-menu click
    quint32 GLColor = 0x00FFFFFF;             // 3D background, 0x00BBGGRR
    float GLAngle = 0.0f;                     // 3D animation angle, degrees
    QPointF GLMouseAnchor;                    // last mouse-down or mouse-move in GLViewer
    QString ThemeName;                        // theme in force (menu spelling)

    // ---------------------------------------------------------- start-up, settings, shutdown
    bool LoadSettings();
    void SaveSettings();
    void PlaceDefault();
    void SplashTWResize();
    void SpTBXSkinGroupItem1SkinChange(const QString &themeName);
    void ExitBtnClick();
    ScreenInfo Screen() const;
    // Width of the left pane in pixels.
    int LeftPaneWidth() const;
    void SetLeftPaneWidth(int width);
    // Keeps the page toolbar's buttons above the right pane: a gap at the
    // toolbar's start fills the room up to the left pane's edge.
    void AlignPageToolbar();
    QWidget *HTMLToolbarGap = nullptr;

    // ---------------------------------------------------------- simulation host
    void ShowSimulation(int kind);
    TSimulationForm *ActiveSimulationWindow() const;
    void RoutePageCommand(const QString &text);
    void SetSimToolbarVisible(bool visible);
    void PlaceToolbars(bool bottom);
    void ApplyButtonSize(bool large);
    void UpdateGLButtons(int kind);
    void UpdateSpeedMenu(int kind);
    void ResetCamera();
    void NormalSplitBtnClick(QToolButton *sender);
    void Top1Click(QAction *sender);
    void Large1Click();
    void Graph1Click();
    void T5Click(QAction *sender);
    void CopyGraph1Click();
    void PrintGraph1Click();
    void XHair1Click();
    void Speed2Click();
    Qt::ToolBarArea ChosenDock() const;

    // ---------------------------------------------------------- topic browser
    void EWBBeforeNavigate2(const QUrl &url, bool &cancel);
    void EWBDocumentComplete();
    void EWBCommandStateChange(int command, bool enabled);
    void EWBShowContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                            bool &handled);
    void IndexBtnClick();
    void FwdBtnClick(QAction *sender);
    void FontBtnClick();
    void N10PointClick(QAction *sender);
    void TextBackColorBtnClick();
    void White2Click(QAction *sender);
    void SelectAll1Click();
    void CopyHTML1Click();
    void CopyImage1Click();

    // ---------------------------------------------------------- media, help, About
    void SetupHelp();
    void SendMovieAngle(float angle);
    bool PlayVideoLink(const QString &segment);
    void ShowMagnifier(const QString &file);
    void Contents1Click(QAction *sender);
    void About1Click();
    void FormKeyDown(int key);

    // ---------------------------------------------------------- 3D view
    void StopSceneClock();
    void GLStartBtnClick(QAction *sender);
    void GLCadencerProgress(double deltaTime, double newTime);
    void GLhsbScroll(int position);
    void RandomBtnClick(QAction *sender);
    void ZoomInBtnClick(QAction *sender);
    void GLViewerMouseDown(Qt::MouseButton button, QPointF pos);
    void GLViewerMouseMove(Qt::MouseButtons buttons, QPointF pos);
    void GLViewerMouseWheel(int delta);
    void GLViewerClick();
    // In "Random" mode, a new plane at each multiple of 60 degrees.
    void RandomPlaneAt(int degrees);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void CreateMenus();
    void CreateToolbars();
    void CreatePanes();
    void CreateStatusBar();
    void SetLeftPaneMode(int kind);
    void SetupBrowser();
    void Setup3D();
    void ClearScene3D();
    void BuildScene3D(int kind);
    void ReleaseSimulationWindows();

    ScreenInfoProvider m_screen;
    bool m_shown = false;
    bool m_closing = false;
    // A left-pane width asked for before the splitter had its real width;
    // applied on its next resize.
    std::optional<int> m_pendingLeftWidth;
    bool m_aligningPageToolbar = false; // the gap's own resize moves nothing
    bool m_toolbarsBottom = false;      // where PlaceToolbars last put them
    QAction *m_timeAxis = nullptr;      // the time axis in force (T10 at start)
};

// The running program's main window (null in tests that build none).
extern TWaveMainFrm *WaveMainFrm;
