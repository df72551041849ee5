// Start-up, layout, settings, themes and shutdown of the main window.
#include "app/MainWindow.h"

#include "sim/framework/AlignPanel.h"
#include "sim/framework/Dialogs.h"
#include "app/PageBrowser.h"
#include "core/FileLookup.h"
#include "sim/framework/Hints.h"
#include "app/MoviePlayer.h"
#include "sim/framework/ThemedSplitter.h"
#include "app/SplashScreen.h"
#include "sim/framework/Themes.h"
#include "sim/framework/ToolbarDock.h"
#include "sim/framework/IconLibrary.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>

MainWindow *mainWindowInstance = nullptr;

namespace {

// ---- reading settings values with their type checked. A value of the
// wrong type counts as absent, so only that value falls back to its default.

std::optional<QString> readString(const QSettings &s, const QString &name)
{
    const QVariant v = s.value(name);
    if (!v.isValid() || v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString();
}

std::optional<qint32> readInt(const QSettings &s, const QString &name)
{
    const QVariant v = s.value(name);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    qlonglong n = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        n = v.toLongLong(&ok);
        break;
    case QMetaType::QString:
        n = v.toString().trimmed().toLongLong(&ok, 0);
        break;
    default:
        return std::nullopt;
    }
    // 32-bit values only; colours written as unsigned numbers still fit.
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(n));
}

std::optional<bool> readBool(const QSettings &s, const QString &name)
{
    const QVariant v = s.value(name);
    if (!v.isValid())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        if (t == "true")
            return true;
        if (t == "false")
            return false;
    }
    if (const auto n = readInt(s, name); n && (*n == 0 || *n == 1))
        return *n == 1;
    return std::nullopt;
}

// "Speeds" and "position" are stored as little-endian 32-bit integers.
QByteArray packInt32s(const QList<qint32> &values)
{
    QByteArray raw(4 * values.size(), '\0');
    for (int k = 0; k < values.size(); ++k)
        qToLittleEndian<qint32>(values[k], raw.data() + 4 * k);
    return raw;
}

qint32 int32At(const QByteArray &raw, int index)
{
    return qFromLittleEndian<qint32>(raw.constData() + 4 * index);
}

std::optional<QByteArray> readBytes(const QSettings &s, const QString &name)
{
    const QVariant v = s.value(name);
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return v.toByteArray();
}

QSettings::Status writeThrough(QSettings &s) // makes write errors visible
{
    s.sync();
    return s.status();
}

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
    return info;
}

} // namespace

// ======================================================================
// FormCreate
// ======================================================================

MainWindow::MainWindow(ScreenInfoProvider screen)
    : QMainWindow(nullptr), m_screen(std::move(screen))
{
    mainWindowInstance = this;
    setObjectName(QStringLiteral("WaveMainFrm"));
    resize(785, 514);

    // 1. Start state.
    setActiveKind(0);
    textSize = 2;
    textBackground = QStringLiteral("#FFFFFF");
    setWindowTitle(QStringLiteral("Orvanta"));

    createMenus();
    createToolbars();
    createPanes();
    createStatusBar();

    // 3. Help and the speed table.
    setupHelp();
    animationSpeeds() = defaultAnimationSpeeds();

    // 4. The 3D and movie controls wait hidden until a model needs them.
    setup3D();

    // 5. The course starts at its index page.
    htmlFolder = FileLookup::join(FileLookup::exeFolder(), QStringLiteral("HTML/"));
    setupBrowser();

    // 6. The start picture in the left pane.
    const QString splash = FileLookup::resolve(htmlFolder + QStringLiteral("Images/Splash.png"));
    if (!splash.isEmpty()) {
        startPicture = new StartPicture(leftPane);
        if (!startPicture->loadPicture(splash)) {
            delete startPicture;
            startPicture = nullptr;
        }
    }

    // 7. Graph and Speed belong to particular models.
    graphMenu->menuAction()->setVisible(false);
    speedMenu->menuAction()->setVisible(false);

    // 8. The user's settings.
    if (loadSettings())
        setLeftPaneWidth(geometry().width() / 2);
    else
        placeDefault();

    // Key preview: F1 reaches the window before any control.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // FormDestroy: the start picture and the 3D view go first.
    qApp->removeEventFilter(this);
    delete startPicture;
    startPicture = nullptr;
    delete viewer.data();
    delete scene;
    scene = nullptr;
    if (mainWindowInstance == this)
        mainWindowInstance = nullptr;
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuToolbar"));

    auto add = [this](QMenu *menu, const char *name, const QString &caption,
                      const QKeySequence &key = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };

    fileMenu = bar->addMenu(QStringLiteral("File"));
    fileMenu->setObjectName(QStringLiteral("File1"));
    exitAction = add(fileMenu, "ExitBtn", QStringLiteral("Exit"));
    connect(exitAction, &QAction::triggered, this, &MainWindow::exitProgram);

    editMenu = bar->addMenu(QStringLiteral("Edit"));
    editMenu->setObjectName(QStringLiteral("Edit1"));
    selectAllAction = add(editMenu, "SelectAll1", QStringLiteral("Select all"), QKeySequence(QStringLiteral("Ctrl+A")));
    copyPageAction = add(editMenu, "CopyHTML1", QStringLiteral("Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
    connect(selectAllAction, &QAction::triggered, this, &MainWindow::selectAll);
    connect(copyPageAction, &QAction::triggered, this, &MainWindow::copyPage);

    toolbarsMenu = bar->addMenu(QStringLiteral("Toolbars"));
    toolbarsMenu->setObjectName(QStringLiteral("Toolbars1"));
    auto *dockGroup = new QActionGroup(this);
    toolbarsAtTopAction = add(toolbarsMenu, "Top1", QStringLiteral("Toolbars at top"));
    toolbarsAtBottomAction = add(toolbarsMenu, "Bottom1", QStringLiteral("Toolbars at bottom"));
    for (QAction *a : {toolbarsAtTopAction, toolbarsAtBottomAction}) {
        a->setCheckable(true);
        dockGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { toolbarPlaceChosen(a); });
    }
    toolbarsAtTopAction->setChecked(true);
    largeButtonsAction = add(toolbarsMenu, "Large1", QStringLiteral("Use large buttons"));
    largeButtonsAction->setCheckable(true);
    connect(largeButtonsAction, &QAction::triggered, this, &MainWindow::largeButtonsToggled);

    graphMenu = bar->addMenu(QStringLiteral("Graph"));
    graphMenu->setObjectName(QStringLiteral("Graph1"));
    connect(graphMenu, &QMenu::aboutToShow, this, &MainWindow::updateGraphMenu);
    timeAxisMenu = graphMenu->addMenu(QStringLiteral("Time axis"));
    timeAxisMenu->setObjectName(QStringLiteral("TimeScale1"));
    auto *timeGroup = new QActionGroup(this);
    const struct { QAction **slot; const char *name; const char *caption; int tag; } times[] = {
        {&timeAxis5Action, "T5", "5 seconds", 5}, {&timeAxis10Action, "T10", "10 seconds", 10},
        {&timeAxis15Action, "T15", "15 seconds", 15}, {&timeAxis20Action, "T20", "20 seconds", 20}};
    for (const auto &t : times) {
        QAction *a = add(timeAxisMenu, t.name, QLatin1String(t.caption));
        a->setCheckable(true);
        a->setData(t.tag);
        timeGroup->addAction(a);
        // The handler decides about the check mark itself.
        connect(a, &QAction::triggered, this, [this, a] { timeAxisChosen(a); });
        *t.slot = a;
    }
    timeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    timeAxis10Action->setChecked(true);
    m_timeAxis = timeAxis10Action;
    copyGraphAction = add(graphMenu, "CopyGraph1", QStringLiteral("Copy graph"));
    crossHairAction = add(graphMenu, "XHair1", QStringLiteral("Show X hair cursor"));
    crossHairAction->setCheckable(true);
    printGraphAction = add(graphMenu, "PrintGraph1", QStringLiteral("Print graph"));
    connect(copyGraphAction, &QAction::triggered, this, &MainWindow::copyGraphClicked);
    connect(crossHairAction, &QAction::triggered, this, &MainWindow::crossHairToggled);
    connect(printGraphAction, &QAction::triggered, this, &MainWindow::printGraphClicked);

    speedMenu = bar->addMenu(QStringLiteral("Speed"));
    speedMenu->setObjectName(QStringLiteral("Speed1"));
    setSpeedAction = add(speedMenu, "Speed2", QStringLiteral("Set animation speed"));
    connect(setSpeedAction, &QAction::triggered, this, &MainWindow::editSpeed);

    appearanceMenu = bar->addMenu(QStringLiteral("Appearance"));
    appearanceMenu->setObjectName(QStringLiteral("Themes"));
    themeGroup = new QActionGroup(this);
    themeGroup->setObjectName(QStringLiteral("SpTBXSkinGroupItem1"));
    for (const QString &name : Themes::names()) {
        QAction *a = appearanceMenu->addAction(name);
        a->setCheckable(true);
        a->setData(name);
        themeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { applyTheme(name); });
    }

    helpMenu = bar->addMenu(QStringLiteral("Help"));
    helpMenu->setObjectName(QStringLiteral("Help1"));
    helpContentsAction = add(helpMenu, "Contents1", QStringLiteral("Contents"));
    helpSearchAction = add(helpMenu, "Search1", QStringLiteral("Search for help on"));
    helpMenu->addSeparator();
    aboutAction = add(helpMenu, "About1", QStringLiteral("About"));
    connect(helpContentsAction, &QAction::triggered, this, [this] { showHelp(helpContentsAction); });
    connect(helpSearchAction, &QAction::triggered, this, [this] { showHelp(helpSearchAction); });
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createToolbars()
{
    auto makeBar = [this](const char *name, const QString &title) {
        auto *tb = new QToolBar(title, this);
        tb->setObjectName(QLatin1String(name));
        tb->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        tb->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
        tb->installEventFilter(this); // cannot be closed; the page toolbar follows its place
        return tb;
    };
    auto button = [](QToolBar *tb, const char *name, const QString &caption, const QString &hint,
                     int image, const QKeySequence &key = {}) {
        QAction *a = addToolButton(tb, caption, image, hint);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        return a;
    };

    view3DToolbar = makeBar("GLToolbar", QStringLiteral("3D animation"));
    startAction = button(view3DToolbar, "StartBtn", QString(), QStringLiteral("Start animation"), StartIcon);
    stopAction = button(view3DToolbar, "StopBtn", QString(), QStringLiteral("Stop animation"), StopIcon);
    stopAction->setEnabled(false);
    zoomInAction = button(view3DToolbar, "ZoomInBtn", QString(), QStringLiteral("Zoom in"), ZoomInIcon);
    zoomOutAction = button(view3DToolbar, "ZoomOutBtn", QString(), QStringLiteral("Zoom out"), ZoomOutIcon);
    view3DToolbar->addSeparator();
    polarAction = button(view3DToolbar, "PolarBtn", QStringLiteral("Polar"), QStringLiteral("Show polarised light"), PolarisedIcon);
    randomAction = button(view3DToolbar, "RandomBtn", QStringLiteral("Random"), QStringLiteral("Show unpolarised light"), UnpolarisedIcon);
    polarAction->setCheckable(true);
    randomAction->setCheckable(true);
    polarAction->setChecked(true);
    connect(startAction, &QAction::triggered, this, [this] { sceneRunButtonClicked(startAction); });
    connect(stopAction, &QAction::triggered, this, [this] { sceneRunButtonClicked(stopAction); });
    connect(zoomInAction, &QAction::triggered, this, [this] { zoomButtonClicked(zoomInAction); });
    connect(zoomOutAction, &QAction::triggered, this, [this] { zoomButtonClicked(zoomOutAction); });
    connect(polarAction, &QAction::triggered, this, [this] { polarisationModeChosen(polarAction); });
    connect(randomAction, &QAction::triggered, this, [this] { polarisationModeChosen(randomAction); });

    pageToolbar = makeBar("HTMLToolbar", QStringLiteral("Page"));
    pageToolbarGap = new QWidget(pageToolbar);
    pageToolbarGap->setObjectName(QStringLiteral("HTMLToolbarGap"));
    pageToolbarGap->setFixedSize(0, 1);
    pageToolbar->addWidget(pageToolbarGap);
    indexAction = button(pageToolbar, "IndexBtn", QStringLiteral("Index"), QStringLiteral("Main index"), IndexIcon,
                      QKeySequence(QStringLiteral("Ctrl+I")));
    backAction = button(pageToolbar, "BackBtn", QStringLiteral("Back"), QStringLiteral("Move back"), BackIcon,
                     QKeySequence(QStringLiteral("Ctrl+B")));
    forwardAction = button(pageToolbar, "FwdBtn", QStringLiteral("Forward"), QStringLiteral("Move forward"), ForwardIcon,
                    QKeySequence(QStringLiteral("Ctrl+F")));
    backAction->setEnabled(false);
    forwardAction->setEnabled(false);
    connect(indexAction, &QAction::triggered, this, &MainWindow::showIndex);
    connect(backAction, &QAction::triggered, this, [this] { historyButtonClicked(backAction); });
    connect(forwardAction, &QAction::triggered, this, [this] { historyButtonClicked(forwardAction); });

    fontMenu = new QMenu(this);
    fontMenu->setObjectName(QStringLiteral("FontMenu"));
    const char *sizeNames[] = {"Size0", "Size1", "Size2", "Size3", "Size4"};
    const char *sizeCaptions[] = {"Smallest", "Small", "Medium", "Large", "Largest"};
    QAction **sizeSlots[] = {&smallestTextAction, &smallTextAction, &mediumTextAction, &largeTextAction, &largestTextAction};
    for (int i = 0; i < 5; ++i) {
        QAction *a = fontMenu->addAction(QLatin1String(sizeCaptions[i]));
        a->setObjectName(QLatin1String(sizeNames[i]));
        a->setCheckable(true);
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, a] { textSizeChosen(a); });
        *sizeSlots[i] = a;
    }
    connect(fontMenu, &QMenu::aboutToShow, this, &MainWindow::updateFontMenu);
    fontAction = button(pageToolbar, "FontBtn", QStringLiteral("Font"), QStringLiteral("Set the font and/or size"), FontIcon);
    fontAction->setMenu(fontMenu);

    colourMenu = new QMenu(this);
    colourMenu->setObjectName(QStringLiteral("ColourMenu"));
    const struct { QAction **slot; const char *name; const char *caption; const char *colour; } colours[] = {
        {&whiteAction, "White2", "White", "#FFFFFF"},
        {&paleBlueAction, "Blue2", "Pale blue", "#D9EAFF"},
        {&paleYellowAction, "Yellow2", "Pale yellow", "#FFFFE0"}};
    for (const auto &c : colours) {
        QAction *a = colourMenu->addAction(QLatin1String(c.caption));
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setData(QLatin1String(c.colour));
        connect(a, &QAction::triggered, this, [this, a] { pageBackgroundChosen(a); });
        *c.slot = a;
    }
    connect(colourMenu, &QMenu::aboutToShow, this, &MainWindow::updateColourMenu);
    colourAction = button(pageToolbar, "TextBackColorBtn", QStringLiteral("Colour"),
                              QStringLiteral("Text background colour"), PageColourIcon);
    colourAction->setMenu(colourMenu);
    for (QAction *a : {fontAction, colourAction})
        if (auto *b = qobject_cast<QToolButton *>(pageToolbar->widgetForAction(a)))
            b->setPopupMode(QToolButton::InstantPopup);

    pictureMenu = new QMenu(this);
    pictureMenu->setObjectName(QStringLiteral("PicPopUp"));
    copyPictureAction = pictureMenu->addAction(QStringLiteral("Copy picture to clipboard"));
    copyPictureAction->setObjectName(QStringLiteral("CopyImage1"));
    connect(copyPictureAction, &QAction::triggered, this, &MainWindow::copyPictureClicked);

    IconLibrary *dm = IconLibrary::instance();
    applyIconList(view3DToolbar, dm->smallIcons());
    applyIconList(pageToolbar, dm->smallIcons());

    addToolBar(Qt::TopToolBarArea, view3DToolbar);
    addToolBar(Qt::TopToolBarArea, pageToolbar);
}

void MainWindow::createPanes()
{
    splitter = new ThemedSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->setOpaqueResize(true);

    leftPane = new AlignPanel(splitter);
    leftPane->setObjectName(QStringLiteral("LeftTW"));
    leftPane->setFrameShape(QFrame::NoFrame);
    leftPane->setMinimumWidth(30);
    leftPane->resize(389, leftPane->height());
    connect(leftPane, &AlignPanel::resized, this, &MainWindow::placeStartPicture);
    connect(leftPane, &AlignPanel::resized, this, &MainWindow::alignPageToolbar);
    leftPane->installEventFilter(this);

    auto *right = new QFrame(splitter);
    right->setObjectName(QStringLiteral("EWBPanel"));
    right->setFrameShape(QFrame::StyledPanel);
    right->setFrameShadow(QFrame::Plain);
    rightPane = right;
    auto *rightLayout = new QHBoxLayout(rightPane);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    browser = new PageBrowser(rightPane);
    browser->setObjectName(QStringLiteral("EWB"));
    rightLayout->addWidget(browser);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->installEventFilter(this);
    setCentralWidget(splitter);
}

void MainWindow::createStatusBar()
{
    QStatusBar *sb = statusBar();
    sb->setObjectName(QStringLiteral("StatusBar"));
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
    // The split pictures (list SplitImages): 2 right pane, 0 normal, 1 left pane.
    maxRightButton = makeSplit("MaxRightBtn", QStringLiteral("Maximize the right pane"),
                            QStringLiteral(":/resources/icons/split_2_maxright.svg"));
    normalSplitButton = makeSplit("NormalSplitBtn", QStringLiteral("Normal window split"),
                               QStringLiteral(":/resources/icons/split_0_normal.svg"));
    maxLeftButton = makeSplit("MaxLeftBtn", QStringLiteral("Maximize the left pane"),
                           QStringLiteral(":/resources/icons/split_1_maxleft.svg"));
    normalSplitButton->setChecked(true);

    hintLabel = new QLabel(sb);
    hintLabel->setObjectName(QStringLiteral("HintLabel"));
    hintLabel->setMinimumHeight(22);
    hintLabel->setIndent(6);
    sb->addWidget(hintLabel, 1);
}

// ======================================================================
// Layout helpers
// ======================================================================

ScreenInfo MainWindow::screenInfo() const
{
    return m_screen ? m_screen() : realScreen();
}

int MainWindow::leftPaneWidth() const
{
    return m_pendingLeftWidth.value_or(leftPane->width());
}

void MainWindow::setLeftPaneWidth(int width)
{
    width = qMax(0, width);
    // Until the splitter has its real width the wish is kept and applied on
    // its next resize, so the pane gets exactly this width.
    m_pendingLeftWidth = width;
    const int total = splitter->width() - splitter->handleWidth();
    if (splitter->isVisible() && total > 0) {
        splitter->setSizes({width, qMax(0, total - width)});
        m_pendingLeftWidth.reset();
    }
    leftPane->resize(width, leftPane->height());
}

void MainWindow::alignPageToolbar()
{
    if (m_aligningPageToolbar || !pageToolbarGap)
        return;
    m_aligningPageToolbar = true;
    int gap = 0;
    if (!pageToolbar->isFloating() && leftPane->isVisibleTo(this)) {
        const int paneEdge = leftPaneWidth() + splitter->handleWidth();
        gap = qMax(0, paneEdge - (pageToolbar->x() + pageToolbarGap->x()));
    }
    if (pageToolbarGap->width() != gap)
        pageToolbarGap->setFixedWidth(gap);
    m_aligningPageToolbar = false;
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
        textBackground = *v;
    // 3.
    if (const auto v = readInt(s, QStringLiteral("zoom"))) {
        // The browser has five sizes; keeping a stored 9 would leave no size
        // chosen in the Font menu and save the 9 back.
        textSize = qBound(0, *v, 4);
        browser->setTextSize(textSize);
    }
    // 4.
    if (const auto v = readBool(s, QStringLiteral("TBTop")); v && !*v)
        toolbarPlaceChosen(toolbarsAtBottomAction);
    // 5.
    if (const auto v = readInt(s, QStringLiteral("GLColor"))) {
        sceneBackground = static_cast<quint32>(*v) & 0x00FFFFFF;
        if (viewer)
            viewer->setBackgroundColor(sceneBackground);
    }
    // 6. Only the check mark; the pictures follow at the first show.
    if (const auto v = readBool(s, QStringLiteral("Large")); v && *v)
        largeButtonsAction->setChecked(true);
    // 7. At most 72 bytes, laid over the table; a longer value is not ours.
    if (const auto v = readBytes(s, QStringLiteral("Speeds")); v && v->size() <= 72) {
        QByteArray raw = packInt32s(QList<qint32>(animationSpeeds().begin(), animationSpeeds().end()));
        raw.replace(0, v->size(), *v);
        for (int k = 0; k < kKindCount; ++k)
            animationSpeeds()[k] = int32At(raw, k);
    }
    // 8.
    const auto skin = readString(s, QStringLiteral("Skin"));
    if (!skin || Themes::canonical(*skin).isEmpty())
        applyTheme(Themes::defaultName());
    else
        applyTheme(*skin);
    // 9. Four little-endian integers: left, top, right, bottom.
    if (const auto v = readBytes(s, QStringLiteral("position")); v && v->size() == 16) {
        const qint32 l = int32At(*v, 0), t = int32At(*v, 1), r = int32At(*v, 2), b = int32At(*v, 3);
        // A rectangle with no area cannot be a window we saved.
        if (r > l && b > t) {
            setGeometry(QRect(QPoint(l, t), QSize(r - l, b - t)));
            return true;
        }
    }
    return false;
}

void MainWindow::saveSettings()
{
    QSettings s(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
    s.setValue(QStringLiteral("textbgnd"), textBackground);
    s.setValue(QStringLiteral("zoom"), textSize);
    s.setValue(QStringLiteral("TBTop"), toolbarsAtTopAction->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("GLColor"), static_cast<qint32>(viewer ? viewer->backgroundColor() : sceneBackground));
    s.setValue(QStringLiteral("Large"), largeButtonsAction->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("Speeds"), packInt32s(QList<qint32>(animationSpeeds().begin(), animationSpeeds().end())));
    const QRect g = geometry();
    s.setValue(QStringLiteral("position"),
               packInt32s({g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}));
    s.setValue(QStringLiteral("Skin"), themeName.isEmpty() ? Themes::defaultName() : themeName);
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
    alignPageToolbar();
}

// ======================================================================
// Showing, the start picture, themes
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
    if (largeButtonsAction->isChecked())
        applyIconList(pageToolbar, IconLibrary::instance()->largeIcons());
    if (m_pendingLeftWidth)
        setLeftPaneWidth(*m_pendingLeftWidth);
    alignPageToolbar();
    placeStartPicture();
}

void MainWindow::placeStartPicture()
{
    if (!startPicture || startPicture->picture().isNull())
        return;
    const int W = leftPane->width(), H = leftPane->height();
    const QImage &pic = startPicture->picture();
    QRect r;
    if (pic.width() > W) {
        const int w = qMax(0, W - 10);
        const int h = static_cast<int>(std::nearbyint(float(w) * float(pic.height()) / float(pic.width())));
        r = QRect(0, 0, w, h);
        startPicture->setAutoSize(false);
    } else {
        startPicture->setAutoSize(true);
        r = QRect(0, 0, startPicture->width(), startPicture->height());
    }
    r.translate((W - r.width()) / 2, (H - r.height()) / 2);
    startPicture->setGeometry(r);
    startPicture->show();
    leftPane->update();
}

void MainWindow::applyTheme(const QString &themeName)
{
    QString name = Themes::canonical(themeName);
    if (name.isEmpty())
        name = Themes::canonical(Themes::defaultName());
    Themes::apply(name);
    this->themeName = name;
    for (QAction *a : themeGroup->actions())
        a->setChecked(a->data().toString() == name);
    splitter->update();
    if (splitter->count() > 1 && splitter->handle(1))
        splitter->handle(1)->update();
}

// ======================================================================
// Shutdown
// ======================================================================

void MainWindow::exitProgram()
{
    close();
}

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
    m_closing = true;
    saveSettings();
    stopSceneClock();
    releaseWindows();
}

// ======================================================================
// Events
// ======================================================================

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // The hint of the control under the mouse goes to hintLabel, not to
        // the status bar's message area.
        hintLabel->setText(static_cast<QStatusTipEvent *>(event)->tip());
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
        if (tb && (tb == pageToolbar || tb == view3DToolbar)) {
            event->ignore();
            if (tb->isFloating())
                addToolBar(toolBarArea(tb) == Qt::NoToolBarArea ? chosenDock() : toolBarArea(tb), tb);
            return true;
        }
        break;
    }
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == pageToolbar || watched == leftPane)
            alignPageToolbar();
        break;
    case QEvent::Resize:
        if (watched == splitter) {
            if (m_pendingLeftWidth && splitter->isVisible())
                setLeftPaneWidth(*m_pendingLeftWidth);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
