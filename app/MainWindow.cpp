#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/CoursePane.h"
#include "app/ExportActions.h"
#include "app/HelpViewer.h"
#include "app/MenuItems.h"
#include "app/PictureMagnifier.h"
#include "core/PluginLoader.h"
#include "app/SimulationHost.h"
#include "app/SplashScreen.h"
#include "app/VideoWindow.h"
#include "app/View3DControls.h"
#include "core/AnimationClock.h"
#include "core/FileLookup.h"
#include "core/SettingsCodec.h"
#include "core/SimulationKind.h"
#include "core/VideoLink.h"
#include "core/WindowBounds.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/Dialogs.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/Themes.h"
#include "sim/framework/ThemedSplitter.h"
#include "sim/framework/ToolbarDock.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

using namespace SettingsCodec;

namespace {

ScreenInfo realScreen()
{
    ScreenInfo info;
    QScreen *scr = QGuiApplication::primaryScreen();
    if (!scr) {
        info.size = QSize(1024, 768);
        return info;
    }
    info.size = scr->size();
    info.workArea = scr->availableGeometry();
    info.pixelsPerInch = qRound(scr->logicalDotsPerInch());
    for (const QScreen *each : QGuiApplication::screens())
        info.allWorkAreas << each->availableGeometry();
    return info;
}

QSettings::Status writeThrough(QSettings &s) // makes write errors visible
{
    s.sync();
    return s.status();
}

} // namespace

// ======================================================================
// Start-up
// ======================================================================

MainWindow::MainWindow(ScreenInfoProvider screen) : QMainWindow(nullptr), m_screen(std::move(screen))
{
    setObjectName(QStringLiteral("mainWindow"));
    resize(785, 514);
    setActiveKind(0);
    setWindowTitle(QStringLiteral("Orvanta"));
    m_htmlFolder = FileLookup::join(FileLookup::contentFolder(), QStringLiteral("HTML/"));
    // Animations tick, and pictures repaint, once a frame of this display.
    if (const QScreen *scr = QGuiApplication::primaryScreen(); scr && scr->refreshRate() >= 20)
        AnimationClock::setDisplayFrameInterval(1.0 / scr->refreshRate());

    // Projector mode is this window's setting: off until the settings say on.
    ProjectorMode::setOn(false);
    createPanes();
    createMenus();
    createToolbars();
    createStatusBar();

    setupHelp();
    animationSpeeds() = defaultAnimationSpeeds();
    // A model's step that fails stops its clock and says why, once.
    AnimationClock::setErrorHandler([](const QString &message) { Dialogs::showError(nullptr, message); });

    // The course starts at its index page; the left pane shows the start
    // picture until a model page opens.
    m_coursePane->showIndex();

    if (loadSettings())
        setLeftPaneWidth(geometry().width() / 2);
    else
        placeDefault();

    // Key preview: F1 reaches the window before any control.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    AnimationClock::setErrorHandler({});
    // The 3D view (and its scene) goes before the panes it lives in.
    delete m_view3D;
    m_view3D = nullptr;
}

void MainWindow::createPanes()
{
    m_splitter = new ThemedSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setOpaqueResize(true);

    m_leftPane = new AlignPanel(m_splitter);
    m_leftPane->setObjectName(QStringLiteral("leftPane"));
    m_leftPane->setFrameShape(QFrame::NoFrame);
    m_leftPane->setMinimumWidth(30);
    m_leftPane->resize(389, m_leftPane->height());
    m_leftPane->installEventFilter(this);

    m_coursePane = new CoursePane(m_htmlFolder, this, m_splitter);
    m_view3D = new View3DControls(this, m_leftPane, [this] { return screenInfo().size.height(); });
    m_host = new SimulationHost(this, m_leftPane, m_view3D,
                                FileLookup::resolve(m_htmlFolder + QStringLiteral("Images/Splash.png")));

    connect(m_leftPane, &AlignPanel::resized, m_host, &SimulationHost::placeStartPicture);
    connect(m_leftPane, &AlignPanel::resized, this, &MainWindow::arrangeToolbars);
    connect(m_host, &SimulationHost::simulationShown, this, &MainWindow::arrangeToolbars);
    connect(m_view3D, &View3DControls::polarisationAngleScrolled, m_host, &SimulationHost::sendMovieAngle);
    connect(m_coursePane, &CoursePane::simulationRequested, m_host, &SimulationHost::showSimulation);
    connect(m_coursePane, &CoursePane::pageCommand, m_host, &SimulationHost::routePageCommand);
    connect(m_coursePane, &CoursePane::pictureRequested, this, &MainWindow::showMagnifier);
    connect(m_coursePane, &CoursePane::videoRequested, this, &MainWindow::playVideoLink);

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->installEventFilter(this);
    setCentralWidget(m_splitter);
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    m_fileMenu = addNamedMenu(bar, "fileMenu", QStringLiteral("File"));
    m_export = new ExportActions(this, m_host, m_view3D);
    m_export->addTo(m_fileMenu);
    m_exitAction = addNamedAction(m_fileMenu, "exitAction", QStringLiteral("Exit"));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    m_coursePane->createEditMenu(bar);

    m_toolbarsMenu = addNamedMenu(bar, "toolbarsMenu", QStringLiteral("Toolbars"));
    auto *dockGroup = new QActionGroup(this);
    m_toolbarsAtTopAction = addNamedAction(m_toolbarsMenu, "toolbarsAtTopAction", QStringLiteral("Toolbars at top"));
    m_toolbarsAtBottomAction = addNamedAction(m_toolbarsMenu, "toolbarsAtBottomAction", QStringLiteral("Toolbars at bottom"));
    for (QAction *a : {m_toolbarsAtTopAction, m_toolbarsAtBottomAction}) {
        a->setCheckable(true);
        dockGroup->addAction(a);
    }
    connect(m_toolbarsAtTopAction, &QAction::triggered, this, [this] { setToolbarsAtBottom(false); });
    connect(m_toolbarsAtBottomAction, &QAction::triggered, this, [this] { setToolbarsAtBottom(true); });
    m_toolbarsAtTopAction->setChecked(true);
    m_largeButtonsAction = addNamedAction(m_toolbarsMenu, "largeButtonsAction", QStringLiteral("Use large buttons"));
    m_largeButtonsAction->setCheckable(true);
    connect(m_largeButtonsAction, &QAction::triggered, this, &MainWindow::setLargeButtons);

    m_host->createMenus(bar);

    m_appearanceMenu = addNamedMenu(bar, "appearanceMenu", QStringLiteral("Appearance"));
    m_themeGroup = new QActionGroup(this);
    m_themeGroup->setObjectName(QStringLiteral("themeGroup"));
    for (const QString &name : Themes::names()) {
        QAction *a = m_appearanceMenu->addAction(name);
        a->setCheckable(true);
        a->setData(name);
        m_themeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { applyTheme(name); });
    }
    m_appearanceMenu->addSeparator();
    m_projectorModeAction = addNamedAction(m_appearanceMenu, "projectorModeAction", QStringLiteral("Projector mode"));
    m_projectorModeAction->setCheckable(true);
    m_projectorModeAction->setShortcut(QKeySequence(Qt::Key_F11));
    connect(m_projectorModeAction, &QAction::triggered, this, &MainWindow::setProjectorMode);

    m_helpMenu = addNamedMenu(bar, "helpMenu", QStringLiteral("Help"));
    m_helpContentsAction = addNamedAction(m_helpMenu, "helpContentsAction", QStringLiteral("Contents"));
    m_helpSearchAction = addNamedAction(m_helpMenu, "helpSearchAction", QStringLiteral("Search for help on"));
    m_helpMenu->addSeparator();
    m_aboutAction = addNamedAction(m_helpMenu, "aboutAction", QStringLiteral("About"));
    connect(m_helpContentsAction, &QAction::triggered, this, [this] { showHelp(m_helpContentsAction); });
    connect(m_helpSearchAction, &QAction::triggered, this, [this] { showHelp(m_helpSearchAction); });
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createToolbars()
{
    // Neither toolbar can be closed; the page toolbar follows its place.
    for (QToolBar *tb : {m_view3D->toolbar(), m_coursePane->pageToolbar()}) {
        tb->installEventFilter(this);
        // Floated or docked again by the reader: the rows are laid out anew.
        connect(tb, &QToolBar::topLevelChanged, this, [this] {
            m_toolbarRows.clear();
            arrangeToolbars();
        });
    }
    for (QToolBar *tb : {m_view3D->toolbar(), m_coursePane->pageToolbarGap(), m_coursePane->pageToolbar()})
        addToolBar(Qt::TopToolBarArea, tb);
}

void MainWindow::createStatusBar()
{
    QStatusBar *sb = statusBar();
    sb->setObjectName(QStringLiteral("statusBar"));
    sb->setSizeGripEnabled(true);
    sb->setMinimumHeight(26);

    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    auto makeSplit = [&](const char *name, const QString &hint, const QString &icon) {
        auto *b = new QToolButton(sb);
        b->setObjectName(QLatin1String(name));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(QIcon(icon));
        b->setIconSize(QSize(16, 16));
        setHint(b, hint);
        group->addButton(b);
        sb->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, b] { splitButtonClicked(b); });
        return b;
    };
    // The split pictures (the split icons): 2 right pane, 0 normal, 1 left pane.
    m_maxRightButton = makeSplit("maxRightButton", QStringLiteral("Maximize the right pane"),
                            QStringLiteral(":/resources/icons/split_2_maxright.svg"));
    m_normalSplitButton = makeSplit("normalSplitButton", QStringLiteral("Normal window split"),
                               QStringLiteral(":/resources/icons/split_0_normal.svg"));
    m_maxLeftButton = makeSplit("maxLeftButton", QStringLiteral("Maximize the left pane"),
                           QStringLiteral(":/resources/icons/split_1_maxleft.svg"));
    m_normalSplitButton->setChecked(true);

    m_hintLabel = new QLabel(sb);
    m_hintLabel->setObjectName(QStringLiteral("hintLabel"));
    m_hintLabel->setMinimumHeight(22);
    m_hintLabel->setIndent(6);
    sb->addWidget(m_hintLabel, 1);
}

// ======================================================================
// Layout
// ======================================================================

ScreenInfo MainWindow::screenInfo() const
{
    return m_screen ? m_screen() : realScreen();
}

int MainWindow::leftPaneWidth() const
{
    return m_pendingLeftWidth.value_or(m_leftPane->width());
}

void MainWindow::setLeftPaneWidth(int width)
{
    width = qMax(0, width);
    // Until the splitter has its real width the wish is kept and applied on
    // its next resize, so the pane gets exactly this width.
    m_pendingLeftWidth = width;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (m_splitter->isVisible() && total > 0) {
        m_splitter->setSizes({width, qMax(0, total - width)});
        m_pendingLeftWidth.reset();
    }
    m_leftPane->resize(width, m_leftPane->height());
}

void MainWindow::arrangeToolbars()
{
    if (m_arrangingToolbars || m_toolbarPressed || !m_coursePane || !m_host)
        return;
    m_arrangingToolbars = true;
    QToolBar *model = m_host->windowToolbar();
    QToolBar *view3D = m_view3D->toolbar();
    QToolBar *gap = m_coursePane->pageToolbarGap();
    QToolBar *page = m_coursePane->pageToolbar();
    auto docked = [](QToolBar *tb) { return tb && !tb->isFloating(); };
    auto shown = [&](QToolBar *tb) { return docked(tb) && !tb->isHidden(); };
    auto wanted = [&](QToolBar *tb) { return shown(tb) ? tb->sizeHint().width() : 0; };

    // Measured with every caption showing.
    for (QToolBar *tb : {model, view3D, page})
        ToolbarDock::setCompact(tb, false);
    const int room = width();
    int lead = wanted(model) + wanted(view3D);
    int pageWidth = wanted(page);
    const bool oneRow = lead == 0 || pageWidth == 0 || lead + pageWidth <= room;

    QList<QList<QPointer<QToolBar>>> rows;
    QList<QPointer<QToolBar>> first, second;
    for (QToolBar *tb : {model, view3D})
        if (docked(tb))
            first << tb;
    if (docked(page))
        (oneRow ? first : second) << gap << page;
    rows << first;
    if (!second.isEmpty())
        rows << second;
    const Qt::ToolBarArea area = chosenDock();
    if (rows != m_toolbarRows || area != m_toolbarRowsArea) {
        QList<QList<QToolBar *>> plain;
        for (const auto &row : rows) {
            QList<QToolBar *> r;
            for (const QPointer<QToolBar> &tb : row)
                r << tb.data();
            plain << r;
        }
        ToolbarDock::placeRows(this, area, plain);
        m_toolbarRows = rows;
        m_toolbarRowsArea = area;
    }

    // A row still too wide: pictures without captions, the lead first.
    if (oneRow ? lead + pageWidth > room : lead > room) {
        ToolbarDock::setCompact(model, true);
        ToolbarDock::setCompact(view3D, true);
        lead = wanted(model) + wanted(view3D);
    }
    if (oneRow ? lead + pageWidth > room : pageWidth > room) {
        ToolbarDock::setCompact(page, true);
        pageWidth = wanted(page);
    }

    // The gap puts the page toolbar at the right pane's edge, as far as
    // its row has room.
    int gapWidth = 0;
    if (shown(page) && m_leftPane->isVisibleTo(this)) {
        const int rowStart = oneRow ? lead : 0;
        const int paneEdge = leftPaneWidth() + m_splitter->handleWidth();
        gapWidth = qBound(0, paneEdge - rowStart, qMax(0, room - rowStart - pageWidth));
    }
    if (gap->width() != gapWidth || gap->minimumWidth() != gapWidth)
        gap->setFixedWidth(gapWidth);
    m_arrangingToolbars = false;
}

Qt::ToolBarArea MainWindow::chosenDock() const
{
    return m_toolbarsAtTopAction->isChecked() ? Qt::TopToolBarArea : Qt::BottomToolBarArea;
}

void MainWindow::setToolbarsAtBottom(bool bottom)
{
    // The radio group may already have moved the check; compare with where
    // the toolbars are.
    (bottom ? m_toolbarsAtBottomAction : m_toolbarsAtTopAction)->setChecked(true);
    if (bottom == m_toolbarsBottom)
        return;
    m_toolbarsBottom = bottom;
    m_host->setToolbarArea(bottom ? Qt::BottomToolBarArea : Qt::TopToolBarArea);
    arrangeToolbars(); // every toolbar of the dock moves
}

void MainWindow::setLargeButtons(bool large)
{
    m_largeButtonsAction->setChecked(large);
    applyButtonSize(large || ProjectorMode::isOn());
}

void MainWindow::setProjectorMode(bool on)
{
    m_projectorModeAction->setChecked(on);
    // The stored choice of button size stays as it is; projector mode
    // overrides it while on.
    m_largeButtonsAction->setEnabled(!on);
    ProjectorMode::setOn(on);
    for (QWidget *w : QList<QWidget *>{menuBar(), statusBar()})
        ProjectorMode::applyToWidgetFonts(w);
    for (QMenu *m : menuBar()->findChildren<QMenu *>())
        ProjectorMode::applyToWidgetFonts(m);
    m_coursePane->setProjectorMode(on);
    applyButtonSize(m_largeButtonsAction->isChecked() || on);
}

void MainWindow::applyButtonSize(bool large)
{
    QToolBar *view3D = m_view3D->toolbar();
    view3D->setUpdatesEnabled(false);
    IconLibrary *icons = IconLibrary::instance();
    applyIconList(view3D, large ? icons->largeIcons() : icons->smallIcons());
    view3D->setUpdatesEnabled(true);
    m_coursePane->setLargeButtons(large);
    m_host->setLargeButtons(large);
    arrangeToolbars();
}

void MainWindow::splitButtonClicked(QToolButton *button)
{
    button->setChecked(true);
    QWidget *handle = m_splitter->handle(1);
    QToolBar *pageToolbar = m_coursePane->pageToolbar();
    if (button == m_normalSplitButton) {
        m_leftPane->show();
        setLeftPaneWidth(screenInfo().size.width() / 2);
        if (handle)
            handle->show();
        m_coursePane->show();
        pageToolbar->show();
        m_host->setWindowToolbarVisible(true);
        if (activeKind() == 0)
            m_leftPane->repaint();
    } else if (button == m_maxLeftButton) {
        m_coursePane->hide();
        if (handle)
            handle->hide();
        m_leftPane->show();
        pageToolbar->hide();
        m_host->setWindowToolbarVisible(true);
        if (activeKind() == 0)
            m_leftPane->repaint();
    } else if (button == m_maxRightButton) {
        m_coursePane->show();
        if (handle)
            handle->hide();
        m_leftPane->hide();
        pageToolbar->show();
        m_host->setWindowToolbarVisible(false);
    }
    arrangeToolbars();
}

// ======================================================================
// Settings
// ======================================================================

bool MainWindow::loadSettings()
{
    QSettings s(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
    // 1. No stored settings: the default theme and the first-run placement.
    if (s.allKeys().isEmpty()) {
        applyTheme(Themes::defaultName());
        return false;
    }
    // 2.
    if (const auto v = readString(s, QStringLiteral("textbgnd")); v && QColor::isValidColorName(*v))
        m_coursePane->setStoredPageBackground(*v);
    // 3.
    if (const auto v = readInt(s, QStringLiteral("zoom")))
        m_coursePane->setTextSize(*v); // clamped to the five sizes
    // 4.
    if (const auto v = readBool(s, QStringLiteral("TBTop")); v && !*v)
        setToolbarsAtBottom(true);
    // 5.
    if (const auto v = readInt(s, QStringLiteral("GLColor")))
        m_view3D->setBackgroundColor(static_cast<quint32>(*v) & 0x00FFFFFF);
    // 6. Only the check mark; the pictures follow at the first show.
    if (const auto v = readBool(s, QStringLiteral("Large")); v && *v)
        m_largeButtonsAction->setChecked(true);
    // Anything but a stored true (a corrupt value too) is off.
    if (const auto v = readBool(s, QStringLiteral("Projector")); v && *v)
        setProjectorMode(true);
    SpeedTable &speeds = animationSpeeds();
    // 7. At most 72 bytes, laid over the table; a longer value is not ours.
    if (const auto v = readBytes(s, QStringLiteral("Speeds")); v && v->size() <= 72) {
        QByteArray raw = packInt32s(QList<qint32>(speeds.begin(), speeds.end()));
        raw.replace(0, v->size(), *v);
        for (int k = 0; k < kKindCount; ++k)
            speeds[k] = int32At(raw, k);
    }
    // 8.
    const auto skin = readString(s, QStringLiteral("Skin"));
    if (!skin || Themes::canonical(*skin).isEmpty())
        applyTheme(Themes::defaultName());
    else
        applyTheme(*skin);
    // 9. Four little-endian integers: left, top, right, bottom.
    if (const auto v = readBytes(s, QStringLiteral("position")); v && v->size() == 16) {
        // Only where it fits the screens there are now: a corrupt or stale
        // rectangle could otherwise ask for a window of any size.
        const ScreenInfo scr = screenInfo();
        QList<QRect> workAreas = scr.allWorkAreas;
        if (workAreas.isEmpty())
            workAreas << scr.workArea.value_or(QRect(QPoint(0, 0), scr.size));
        if (const auto bounds = WindowBounds::restore(int32At(*v, 0), int32At(*v, 1), int32At(*v, 2),
                                                      int32At(*v, 3), workAreas, minimumSizeHint())) {
            setGeometry(*bounds);
            return true;
        }
    }
    return false;
}

void MainWindow::saveSettings()
{
    QSettings s(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
    s.setValue(QStringLiteral("textbgnd"), m_coursePane->pageBackground());
    s.setValue(QStringLiteral("zoom"), m_coursePane->textSize());
    s.setValue(QStringLiteral("TBTop"), m_toolbarsAtTopAction->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("GLColor"), static_cast<qint32>(m_view3D->backgroundColor()));
    s.setValue(QStringLiteral("Large"), m_largeButtonsAction->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("Projector"), m_projectorModeAction->isChecked() ? 1 : 0);
    const SpeedTable &speeds = animationSpeeds();
    s.setValue(QStringLiteral("Speeds"), packInt32s(QList<qint32>(speeds.begin(), speeds.end())));
    const QRect g = geometry();
    s.setValue(QStringLiteral("position"),
               packInt32s({g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}));
    s.setValue(QStringLiteral("Skin"), m_themeName.isEmpty() ? Themes::defaultName() : m_themeName);
    // A store that cannot be written keeps nothing and says nothing.
    writeThrough(s);
}

void MainWindow::placeDefault()
{
    const ScreenInfo scr = screenInfo();
    const float r = scr.size.height() > 0 ? float(scr.size.width()) / float(scr.size.height()) : 1.0f;
    if (!scr.workArea) {
        setWindowState(windowState() | Qt::WindowMaximized);
        setLeftPaneWidth(scr.size.width() / 2);
    } else {
        // Work with right and bottom exclusive, as the rectangle is stored.
        int left = scr.workArea->left(), top = scr.workArea->top();
        int right = left + scr.workArea->width(), bottom = top + scr.workArea->height();
        if (r > 1.4f) {
            right = left + static_cast<int>(std::nearbyint(float(bottom - top) * 4.0f / 3.0f));
            const int shift = (scr.size.width() - (right - left)) / 2;
            left += shift;
            right += shift;
        }
        setGeometry(QRect(QPoint(left, top), QSize(right - left, bottom - top)));
        setLeftPaneWidth((right - left) / 2);
    }
    arrangeToolbars();
}

// ======================================================================
// Showing, themes
// ======================================================================

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        firstShow();
    }
}

void MainWindow::firstShow()
{
    QApplication::restoreOverrideCursor();
    closeSplashScreen();
    if (m_largeButtonsAction->isChecked() || ProjectorMode::isOn())
        applyIconList(m_coursePane->pageToolbar(), IconLibrary::instance()->largeIcons());
    if (m_pendingLeftWidth)
        setLeftPaneWidth(*m_pendingLeftWidth);
    arrangeToolbars();
    m_host->placeStartPicture();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    arrangeToolbars();
}

void MainWindow::applyTheme(const QString &themeName)
{
    QString name = Themes::canonical(themeName);
    if (name.isEmpty())
        name = Themes::canonical(Themes::defaultName());
    Themes::apply(name);
    m_themeName = name;
    for (QAction *a : m_themeGroup->actions())
        a->setChecked(a->data().toString() == name);
    m_splitter->update();
    if (m_splitter->count() > 1 && m_splitter->handle(1))
        m_splitter->handle(1)->update();
}

// ======================================================================
// Magnifier, movies and videos, help, About
// ======================================================================

QString MainWindow::helpCollection() const
{
    return FileLookup::resolveFile(FileLookup::join(FileLookup::contentFolder(), QStringLiteral("Help/Tessel.qhc")));
}

void MainWindow::setupHelp()
{
    const bool available = !helpCollection().isEmpty();
    m_helpContentsAction->setEnabled(available);
    m_helpSearchAction->setEnabled(available);
}

void MainWindow::showMagnifier(const QString &file, const QString &description)
{
    PictureMagnifier magnifier(this);
    const QRect room = screen() ? screen()->availableGeometry() : QRect();
    if (room.isValid())
        magnifier.setAvailableArea(room);
    magnifier.load(file, description);
    // Centred on the main window, and kept on the screen.
    QPoint at = geometry().center() - QPoint(magnifier.width() / 2, magnifier.height() / 2);
    if (room.isValid()) {
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - magnifier.width())));
        at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - magnifier.height())));
    }
    magnifier.move(at);
    Dialogs::runModal(magnifier);
}

bool MainWindow::playVideoLink(const QString &segment)
{
    VideoLink link = VideoLink::parse(segment);
    // The film and the loader that plays it, as they are on disk; a missing
    // one is named with the path it was looked for at.
    auto find = [this](const QString &relative) {
        const QString written = FileLookup::join(FileLookup::contentFolder(), relative);
        const QString file = FileLookup::resolveFile(written);
        if (file.isEmpty())
            Dialogs::showInformation(this, QStringLiteral("Unable to find file ") + QDir::toNativeSeparators(written));
        return file;
    };
    const QString file = find(QStringLiteral("flv/") + link.fileName);
    if (file.isEmpty())
        return false;
    const QString loader = find(QStringLiteral("flv/dflv_loader.qml"));
    if (loader.isEmpty())
        return false;
    // The loader looks for the video beside itself, by the name on disk.
    link.fileName = QFileInfo(file).fileName();
    VideoWindow window(link, loader, this);
    Dialogs::runModal(window);
    return true;
}

HelpViewer *MainWindow::helpViewer()
{
    if (m_helpViewer)
        return m_helpViewer;
    const QString collection = helpCollection();
    if (collection.isEmpty())
        return nullptr;
    // Qt Help is loaded now, on the first request.
    auto *factory = PluginLoader::instance<HelpViewerFactory>(QStringLiteral("orvanta_helpviewer"));
    if (!factory) {
        Dialogs::showError(this, QStringLiteral("The help viewer could not be loaded."));
        return nullptr;
    }
    m_helpViewer = factory->createHelpViewer(collection, this);
    return m_helpViewer;
}

void MainWindow::showHelp(QAction *sender)
{
    HelpViewer *help = helpViewer();
    if (!help)
        return;
    if (sender == m_helpSearchAction)
        help->showIndex(QString());
    else
        help->showContents();
}

void MainWindow::showAbout()
{
    AboutDialog about(FileLookup::resolveFile(m_htmlFolder + QStringLiteral("images/Splash.png")),
                      QStringLiteral(ORVANTA_HOMEPAGE), this);
    Dialogs::runModal(about);
}

void MainWindow::keyPressed(int key)
{
    // F1 asks for the contents, unless help is unavailable.
    if (key == Qt::Key_F1 && m_helpContentsAction->isEnabled())
        showHelp(m_helpContentsAction);
}

// ======================================================================
// Shutdown
// ======================================================================

bool MainWindow::closeQuery()
{
    return Dialogs::askYesNo(this, QStringLiteral("Close program"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closeQuery()) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

void MainWindow::shutDown()
{
    saveSettings();
    m_view3D->stopClock();
    m_host->releaseWindows();
}

// ======================================================================
// Events
// ======================================================================

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // The hint of the control under the mouse goes to m_hintLabel, not to
        // the status bar's message area.
        m_hintLabel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_F1 && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == this) {
            keyPressed(Qt::Key_F1);
            return true;
        }
        break;
    }
    case QEvent::Close: {
        // A floating toolbar cannot be closed: it goes back to its dock.
        auto *tb = qobject_cast<QToolBar *>(watched);
        if (tb && (tb == m_coursePane->pageToolbar() || tb == m_view3D->toolbar())) {
            event->ignore();
            if (tb->isFloating()) {
                addToolBar(toolBarArea(tb) == Qt::NoToolBarArea ? chosenDock() : toolBarArea(tb), tb);
                m_toolbarRows.clear();
                arrangeToolbars();
            }
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
        // A toolbar of this window is being dragged by its handle: the
        // panes change size under the drag, but rearranging now would pull
        // the dragged toolbar out of the layout the drag still works on.
        if (auto *tb = qobject_cast<QToolBar *>(watched); tb && tb->parentWidget() == this)
            m_toolbarPressed = true;
        break;
    case QEvent::MouseButtonRelease:
        if (m_toolbarPressed) {
            m_toolbarPressed = false;
            QTimer::singleShot(0, this, &MainWindow::arrangeToolbars);
        }
        break;
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == m_coursePane->pageToolbar() || watched == m_leftPane)
            arrangeToolbars();
        break;
    case QEvent::Resize:
        if (watched == m_splitter) {
            if (m_pendingLeftWidth && m_splitter->isVisible())
                setLeftPaneWidth(*m_pendingLeftWidth);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
