// Start-up, layout, settings, themes and shutdown of the main window.
#include "app/uWaveMain.h"

#include "app/AlignPanel.h"
#include "app/Dialogs.h"
#include "app/EmbeddedBrowser.h"
#include "app/FileLookup.h"
#include "app/Hints.h"
#include "app/MoviePlayer.h"
#include "app/SkinSplitter.h"
#include "app/Splash.h"
#include "app/Themes.h"
#include "app/ToolbarDock.h"
#include "app/uDataMod.h"
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"
#include "sim/framework/SimulationForm.h"
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

TWaveMainFrm *WaveMainFrm = nullptr;

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

TWaveMainFrm::TWaveMainFrm(ScreenInfoProvider screen)
    : QMainWindow(nullptr), m_screen(std::move(screen))
{
    WaveMainFrm = this;
    setObjectName(QStringLiteral("WaveMainFrm"));
    resize(785, 514);

    // 1. Start state.
    ActiveKind = 0;
    TextSize = 2;
    TextBackground = QStringLiteral("#FFFFFF");
    setWindowTitle(QStringLiteral("Orvanta"));

    CreateMenus();
    CreateToolbars();
    CreatePanes();
    CreateStatusBar();

    // 3. Help and the speed table.
    SetupHelp();
    Speeds = DefaultSpeeds();

    // 4. The 3D and movie controls wait hidden until a model needs them.
    Setup3D();

    // 5. The course starts at its index page.
    HtmlFolder = FileLookup::Join(FileLookup::ExeFolder(), QStringLiteral("HTML/"));
    SetupBrowser();

    // 6. The start picture in the left pane.
    const QString splash = FileLookup::Resolve(HtmlFolder + QStringLiteral("Images/Splash.png"));
    if (!splash.isEmpty()) {
        SplashImage = new TSplashImage(LeftTW);
        if (!SplashImage->LoadPicture(splash)) {
            delete SplashImage;
            SplashImage = nullptr;
        }
    }

    // 7. Graph and Speed belong to particular models.
    Graph1->menuAction()->setVisible(false);
    Speed1->menuAction()->setVisible(false);

    // 8. The user's settings.
    if (LoadSettings())
        SetLeftPaneWidth(geometry().width() / 2);
    else
        PlaceDefault();

    // Key preview: F1 reaches the window before any control.
    qApp->installEventFilter(this);
}

TWaveMainFrm::~TWaveMainFrm()
{
    // FormDestroy: the start picture and the 3D view go first.
    qApp->removeEventFilter(this);
    delete SplashImage;
    SplashImage = nullptr;
    delete GLViewer.data();
    delete GLScene1;
    GLScene1 = nullptr;
    if (WaveMainFrm == this)
        WaveMainFrm = nullptr;
}

void TWaveMainFrm::CreateMenus()
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

    File1 = bar->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    ExitBtn = add(File1, "ExitBtn", QStringLiteral("Exit"));
    connect(ExitBtn, &QAction::triggered, this, &TWaveMainFrm::ExitBtnClick);

    Edit1 = bar->addMenu(QStringLiteral("Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    SelectAll1 = add(Edit1, "SelectAll1", QStringLiteral("Select all"), QKeySequence(QStringLiteral("Ctrl+A")));
    CopyHTML1 = add(Edit1, "CopyHTML1", QStringLiteral("Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
    connect(SelectAll1, &QAction::triggered, this, &TWaveMainFrm::SelectAll1Click);
    connect(CopyHTML1, &QAction::triggered, this, &TWaveMainFrm::CopyHTML1Click);

    Toolbars1 = bar->addMenu(QStringLiteral("Toolbars"));
    Toolbars1->setObjectName(QStringLiteral("Toolbars1"));
    auto *dockGroup = new QActionGroup(this);
    Top1 = add(Toolbars1, "Top1", QStringLiteral("Toolbars at top"));
    Bottom1 = add(Toolbars1, "Bottom1", QStringLiteral("Toolbars at bottom"));
    for (QAction *a : {Top1, Bottom1}) {
        a->setCheckable(true);
        dockGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { Top1Click(a); });
    }
    Top1->setChecked(true);
    Large1 = add(Toolbars1, "Large1", QStringLiteral("Use large buttons"));
    Large1->setCheckable(true);
    connect(Large1, &QAction::triggered, this, &TWaveMainFrm::Large1Click);

    Graph1 = bar->addMenu(QStringLiteral("Graph"));
    Graph1->setObjectName(QStringLiteral("Graph1"));
    connect(Graph1, &QMenu::aboutToShow, this, &TWaveMainFrm::Graph1Click);
    TimeScale1 = Graph1->addMenu(QStringLiteral("Time axis"));
    TimeScale1->setObjectName(QStringLiteral("TimeScale1"));
    auto *timeGroup = new QActionGroup(this);
    const struct { QAction **slot; const char *name; const char *caption; int tag; } times[] = {
        {&T5, "T5", "5 seconds", 5}, {&T10, "T10", "10 seconds", 10},
        {&T15, "T15", "15 seconds", 15}, {&T20, "T20", "20 seconds", 20}};
    for (const auto &t : times) {
        QAction *a = add(TimeScale1, t.name, QLatin1String(t.caption));
        a->setCheckable(true);
        a->setData(t.tag);
        timeGroup->addAction(a);
        // The handler decides about the check mark itself.
        connect(a, &QAction::triggered, this, [this, a] { T5Click(a); });
        *t.slot = a;
    }
    timeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    T10->setChecked(true);
    m_timeAxis = T10;
    CopyGraph1 = add(Graph1, "CopyGraph1", QStringLiteral("Copy graph"));
    XHair1 = add(Graph1, "XHair1", QStringLiteral("Show X hair cursor"));
    XHair1->setCheckable(true);
    PrintGraph1 = add(Graph1, "PrintGraph1", QStringLiteral("Print graph"));
    connect(CopyGraph1, &QAction::triggered, this, &TWaveMainFrm::CopyGraph1Click);
    connect(XHair1, &QAction::triggered, this, &TWaveMainFrm::XHair1Click);
    connect(PrintGraph1, &QAction::triggered, this, &TWaveMainFrm::PrintGraph1Click);

    Speed1 = bar->addMenu(QStringLiteral("Speed"));
    Speed1->setObjectName(QStringLiteral("Speed1"));
    Speed2 = add(Speed1, "Speed2", QStringLiteral("Set animation speed"));
    connect(Speed2, &QAction::triggered, this, &TWaveMainFrm::Speed2Click);

    Themes = bar->addMenu(QStringLiteral("Appearance"));
    Themes->setObjectName(QStringLiteral("Themes"));
    SpTBXSkinGroupItem1 = new QActionGroup(this);
    SpTBXSkinGroupItem1->setObjectName(QStringLiteral("SpTBXSkinGroupItem1"));
    for (const QString &name : Themes::Names()) {
        QAction *a = Themes->addAction(name);
        a->setCheckable(true);
        a->setData(name);
        SpTBXSkinGroupItem1->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { SpTBXSkinGroupItem1SkinChange(name); });
    }

    Help1 = bar->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Contents1 = add(Help1, "Contents1", QStringLiteral("Contents"));
    Search1 = add(Help1, "Search1", QStringLiteral("Search for help on"));
    Help1->addSeparator();
    About1 = add(Help1, "About1", QStringLiteral("About"));
    connect(Contents1, &QAction::triggered, this, [this] { Contents1Click(Contents1); });
    connect(Search1, &QAction::triggered, this, [this] { Contents1Click(Search1); });
    connect(About1, &QAction::triggered, this, &TWaveMainFrm::About1Click);
}

void TWaveMainFrm::CreateToolbars()
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
        QAction *a = AddToolButton(tb, caption, image, hint);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        return a;
    };

    GLToolbar = makeBar("GLToolbar", QStringLiteral("3D animation"));
    StartBtn = button(GLToolbar, "StartBtn", QString(), QStringLiteral("Start animation"), biStart);
    StopBtn = button(GLToolbar, "StopBtn", QString(), QStringLiteral("Stop animation"), biStop);
    StopBtn->setEnabled(false);
    ZoomInBtn = button(GLToolbar, "ZoomInBtn", QString(), QStringLiteral("Zoom in"), biZoomIn);
    ZoomOutBtn = button(GLToolbar, "ZoomOutBtn", QString(), QStringLiteral("Zoom out"), biZoomOut);
    GLToolbar->addSeparator();
    PolarBtn = button(GLToolbar, "PolarBtn", QStringLiteral("Polar"), QStringLiteral("Show polarised light"), biPolarised);
    RandomBtn = button(GLToolbar, "RandomBtn", QStringLiteral("Random"), QStringLiteral("Show unpolarised light"), biUnpolarised);
    PolarBtn->setCheckable(true);
    RandomBtn->setCheckable(true);
    PolarBtn->setChecked(true);
    connect(StartBtn, &QAction::triggered, this, [this] { GLStartBtnClick(StartBtn); });
    connect(StopBtn, &QAction::triggered, this, [this] { GLStartBtnClick(StopBtn); });
    connect(ZoomInBtn, &QAction::triggered, this, [this] { ZoomInBtnClick(ZoomInBtn); });
    connect(ZoomOutBtn, &QAction::triggered, this, [this] { ZoomInBtnClick(ZoomOutBtn); });
    connect(PolarBtn, &QAction::triggered, this, [this] { RandomBtnClick(PolarBtn); });
    connect(RandomBtn, &QAction::triggered, this, [this] { RandomBtnClick(RandomBtn); });

    HTMLToolbar = makeBar("HTMLToolbar", QStringLiteral("Page"));
    HTMLToolbarGap = new QWidget(HTMLToolbar);
    HTMLToolbarGap->setObjectName(QStringLiteral("HTMLToolbarGap"));
    HTMLToolbarGap->setFixedSize(0, 1);
    HTMLToolbar->addWidget(HTMLToolbarGap);
    IndexBtn = button(HTMLToolbar, "IndexBtn", QStringLiteral("Index"), QStringLiteral("Main index"), biIndex,
                      QKeySequence(QStringLiteral("Ctrl+I")));
    BackBtn = button(HTMLToolbar, "BackBtn", QStringLiteral("Back"), QStringLiteral("Move back"), biBack,
                     QKeySequence(QStringLiteral("Ctrl+B")));
    FwdBtn = button(HTMLToolbar, "FwdBtn", QStringLiteral("Forward"), QStringLiteral("Move forward"), biForward,
                    QKeySequence(QStringLiteral("Ctrl+F")));
    BackBtn->setEnabled(false);
    FwdBtn->setEnabled(false);
    connect(IndexBtn, &QAction::triggered, this, &TWaveMainFrm::IndexBtnClick);
    connect(BackBtn, &QAction::triggered, this, [this] { FwdBtnClick(BackBtn); });
    connect(FwdBtn, &QAction::triggered, this, [this] { FwdBtnClick(FwdBtn); });

    FontMenu = new QMenu(this);
    FontMenu->setObjectName(QStringLiteral("FontMenu"));
    const char *sizeNames[] = {"Size0", "Size1", "Size2", "Size3", "Size4"};
    const char *sizeCaptions[] = {"Smallest", "Small", "Medium", "Large", "Largest"};
    QAction **sizeSlots[] = {&Size0, &Size1, &Size2, &Size3, &Size4};
    for (int i = 0; i < 5; ++i) {
        QAction *a = FontMenu->addAction(QLatin1String(sizeCaptions[i]));
        a->setObjectName(QLatin1String(sizeNames[i]));
        a->setCheckable(true);
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, a] { N10PointClick(a); });
        *sizeSlots[i] = a;
    }
    connect(FontMenu, &QMenu::aboutToShow, this, &TWaveMainFrm::FontBtnClick);
    FontBtn = button(HTMLToolbar, "FontBtn", QStringLiteral("Font"), QStringLiteral("Set the font and/or size"), biFont);
    FontBtn->setMenu(FontMenu);

    ColourMenu = new QMenu(this);
    ColourMenu->setObjectName(QStringLiteral("ColourMenu"));
    const struct { QAction **slot; const char *name; const char *caption; const char *colour; } colours[] = {
        {&White2, "White2", "White", "#FFFFFF"},
        {&Blue2, "Blue2", "Pale blue", "#D9EAFF"},
        {&Yellow2, "Yellow2", "Pale yellow", "#FFFFE0"}};
    for (const auto &c : colours) {
        QAction *a = ColourMenu->addAction(QLatin1String(c.caption));
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setData(QLatin1String(c.colour));
        connect(a, &QAction::triggered, this, [this, a] { White2Click(a); });
        *c.slot = a;
    }
    connect(ColourMenu, &QMenu::aboutToShow, this, &TWaveMainFrm::TextBackColorBtnClick);
    TextBackColorBtn = button(HTMLToolbar, "TextBackColorBtn", QStringLiteral("Colour"),
                              QStringLiteral("Text background colour"), biPageColour);
    TextBackColorBtn->setMenu(ColourMenu);
    for (QAction *a : {FontBtn, TextBackColorBtn})
        if (auto *b = qobject_cast<QToolButton *>(HTMLToolbar->widgetForAction(a)))
            b->setPopupMode(QToolButton::InstantPopup);

    PicPopUp = new QMenu(this);
    PicPopUp->setObjectName(QStringLiteral("PicPopUp"));
    CopyImage1 = PicPopUp->addAction(QStringLiteral("Copy picture to clipboard"));
    CopyImage1->setObjectName(QStringLiteral("CopyImage1"));
    connect(CopyImage1, &QAction::triggered, this, &TWaveMainFrm::CopyImage1Click);

    TDataMod *dm = TDataMod::Instance();
    ApplyImageList(GLToolbar, dm->Buttons24);
    ApplyImageList(HTMLToolbar, dm->Buttons24);

    addToolBar(Qt::TopToolBarArea, GLToolbar);
    addToolBar(Qt::TopToolBarArea, HTMLToolbar);
}

void TWaveMainFrm::CreatePanes()
{
    Splitter = new TSkinSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setOpaqueResize(true);

    LeftTW = new TAlignPanel(Splitter);
    LeftTW->setObjectName(QStringLiteral("LeftTW"));
    LeftTW->setFrameShape(QFrame::NoFrame);
    LeftTW->setMinimumWidth(30);
    LeftTW->resize(389, LeftTW->height());
    connect(LeftTW, &TAlignPanel::Resized, this, &TWaveMainFrm::SplashTWResize);
    connect(LeftTW, &TAlignPanel::Resized, this, &TWaveMainFrm::AlignPageToolbar);
    LeftTW->installEventFilter(this);

    auto *right = new QFrame(Splitter);
    right->setObjectName(QStringLiteral("EWBPanel"));
    right->setFrameShape(QFrame::StyledPanel);
    right->setFrameShadow(QFrame::Plain);
    EWBPanel = right;
    auto *rightLayout = new QHBoxLayout(EWBPanel);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    EWB = new TEmbeddedBrowser(EWBPanel);
    EWB->setObjectName(QStringLiteral("EWB"));
    rightLayout->addWidget(EWB);

    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->installEventFilter(this);
    setCentralWidget(Splitter);
}

void TWaveMainFrm::CreateStatusBar()
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
        SetHint(b, hint);
        group->addButton(b);
        sb->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, b] { NormalSplitBtnClick(b); });
        return b;
    };
    // The split pictures (list SplitImages): 2 right pane, 0 normal, 1 left pane.
    MaxRightBtn = makeSplit("MaxRightBtn", QStringLiteral("Maximize the right pane"),
                            QStringLiteral(":/resources/icons/split_2_maxright.svg"));
    NormalSplitBtn = makeSplit("NormalSplitBtn", QStringLiteral("Normal window split"),
                               QStringLiteral(":/resources/icons/split_0_normal.svg"));
    MaxLeftBtn = makeSplit("MaxLeftBtn", QStringLiteral("Maximize the left pane"),
                           QStringLiteral(":/resources/icons/split_1_maxleft.svg"));
    NormalSplitBtn->setChecked(true);

    HintLabel = new QLabel(sb);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));
    HintLabel->setMinimumHeight(22);
    HintLabel->setIndent(6);
    sb->addWidget(HintLabel, 1);
}

// ======================================================================
// Layout helpers
// ======================================================================

ScreenInfo TWaveMainFrm::Screen() const
{
    return m_screen ? m_screen() : realScreen();
}

int TWaveMainFrm::LeftPaneWidth() const
{
    return m_pendingLeftWidth.value_or(LeftTW->width());
}

void TWaveMainFrm::SetLeftPaneWidth(int width)
{
    width = qMax(0, width);
    // Until the splitter has its real width the wish is kept and applied on
    // its next resize, so the pane gets exactly this width.
    m_pendingLeftWidth = width;
    const int total = Splitter->width() - Splitter->handleWidth();
    if (Splitter->isVisible() && total > 0) {
        Splitter->setSizes({width, qMax(0, total - width)});
        m_pendingLeftWidth.reset();
    }
    LeftTW->resize(width, LeftTW->height());
}

void TWaveMainFrm::AlignPageToolbar()
{
    if (m_aligningPageToolbar || !HTMLToolbarGap)
        return;
    m_aligningPageToolbar = true;
    int gap = 0;
    if (!HTMLToolbar->isFloating() && LeftTW->isVisibleTo(this)) {
        const int paneEdge = LeftPaneWidth() + Splitter->handleWidth();
        gap = qMax(0, paneEdge - (HTMLToolbar->x() + HTMLToolbarGap->x()));
    }
    if (HTMLToolbarGap->width() != gap)
        HTMLToolbarGap->setFixedWidth(gap);
    m_aligningPageToolbar = false;
}

// ======================================================================
// Settings
// ======================================================================

bool TWaveMainFrm::LoadSettings()
{
    QSettings s(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
    // 1. No stored settings: the default theme and the first-run placement.
    if (s.allKeys().isEmpty()) {
        SpTBXSkinGroupItem1SkinChange(Themes::DefaultName());
        return false;
    }
    // 2.
    if (const auto v = readString(s, QStringLiteral("textbgnd")); v && QColor::isValidColorName(*v))
        TextBackground = *v;
    // 3.
    if (const auto v = readInt(s, QStringLiteral("zoom"))) {
        // The browser has five sizes; keeping a stored 9 would leave no size
        // chosen in the Font menu and save the 9 back.
        TextSize = qBound(0, *v, 4);
        EWB->SetTextSize(TextSize);
    }
    // 4.
    if (const auto v = readBool(s, QStringLiteral("TBTop")); v && !*v)
        Top1Click(Bottom1);
    // 5.
    if (const auto v = readInt(s, QStringLiteral("GLColor"))) {
        GLColor = static_cast<quint32>(*v) & 0x00FFFFFF;
        if (GLViewer)
            GLViewer->SetBackgroundColor(GLColor);
    }
    // 6. Only the check mark; the pictures follow at the first show.
    if (const auto v = readBool(s, QStringLiteral("Large")); v && *v)
        Large1->setChecked(true);
    // 7. At most 72 bytes, laid over the table; a longer value is not ours.
    if (const auto v = readBytes(s, QStringLiteral("Speeds")); v && v->size() <= 72) {
        QByteArray raw = packInt32s(QList<qint32>(Speeds.begin(), Speeds.end()));
        raw.replace(0, v->size(), *v);
        for (int k = 0; k < kKindCount; ++k)
            Speeds[k] = int32At(raw, k);
    }
    // 8.
    const auto skin = readString(s, QStringLiteral("Skin"));
    if (!skin || Themes::Canonical(*skin).isEmpty())
        SpTBXSkinGroupItem1SkinChange(Themes::DefaultName());
    else
        SpTBXSkinGroupItem1SkinChange(*skin);
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

void TWaveMainFrm::SaveSettings()
{
    QSettings s(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
    s.setValue(QStringLiteral("textbgnd"), TextBackground);
    s.setValue(QStringLiteral("zoom"), TextSize);
    s.setValue(QStringLiteral("TBTop"), Top1->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("GLColor"), static_cast<qint32>(GLViewer ? GLViewer->BackgroundColor() : GLColor));
    s.setValue(QStringLiteral("Large"), Large1->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("Speeds"), packInt32s(QList<qint32>(Speeds.begin(), Speeds.end())));
    const QRect g = geometry();
    s.setValue(QStringLiteral("position"),
               packInt32s({g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}));
    s.setValue(QStringLiteral("Skin"), ThemeName.isEmpty() ? Themes::DefaultName() : ThemeName);
    // A store that cannot be written keeps nothing and says nothing.
    writeThrough(s);
}

void TWaveMainFrm::PlaceDefault()
{
    const ScreenInfo scr = Screen();
    const float r = scr.size.height() > 0 ? float(scr.size.width()) / float(scr.size.height()) : 1.0f;
    if (!scr.workArea) {
        setWindowState(windowState() | Qt::WindowMaximized);
        SetLeftPaneWidth(scr.size.width() / 2);
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
        SetLeftPaneWidth((right - left) / 2);
    }
    AlignPageToolbar();
}

// ======================================================================
// Showing, the start picture, themes
// ======================================================================

void TWaveMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TWaveMainFrm::FormShow()
{
    QApplication::restoreOverrideCursor();
    FreeSplash();
    if (Large1->isChecked())
        ApplyImageList(HTMLToolbar, TDataMod::Instance()->Buttons48);
    if (m_pendingLeftWidth)
        SetLeftPaneWidth(*m_pendingLeftWidth);
    AlignPageToolbar();
    SplashTWResize();
}

void TWaveMainFrm::SplashTWResize()
{
    if (!SplashImage || SplashImage->Picture().isNull())
        return;
    const int W = LeftTW->width(), H = LeftTW->height();
    const QImage &pic = SplashImage->Picture();
    QRect r;
    if (pic.width() > W) {
        const int w = qMax(0, W - 10);
        const int h = static_cast<int>(std::nearbyint(float(w) * float(pic.height()) / float(pic.width())));
        r = QRect(0, 0, w, h);
        SplashImage->SetAutoSize(false);
    } else {
        SplashImage->SetAutoSize(true);
        r = QRect(0, 0, SplashImage->width(), SplashImage->height());
    }
    r.translate((W - r.width()) / 2, (H - r.height()) / 2);
    SplashImage->setGeometry(r);
    SplashImage->show();
    LeftTW->update();
}

void TWaveMainFrm::SpTBXSkinGroupItem1SkinChange(const QString &themeName)
{
    QString name = Themes::Canonical(themeName);
    if (name.isEmpty())
        name = Themes::Canonical(Themes::DefaultName());
    Themes::Apply(name);
    ThemeName = name;
    for (QAction *a : SpTBXSkinGroupItem1->actions())
        a->setChecked(a->data().toString() == name);
    Splitter->update();
    if (Splitter->count() > 1 && Splitter->handle(1))
        Splitter->handle(1)->update();
}

// ======================================================================
// Shutdown
// ======================================================================

void TWaveMainFrm::ExitBtnClick()
{
    close();
}

bool TWaveMainFrm::FormCloseQuery()
{
    return Dialogs::AskYesNo(this, QStringLiteral("Close program"));
}

void TWaveMainFrm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TWaveMainFrm::FormClose()
{
    m_closing = true;
    SaveSettings();
    StopSceneClock();
    ReleaseSimulationWindows();
}

// ======================================================================
// Events
// ======================================================================

bool TWaveMainFrm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // The hint of the control under the mouse goes to HintLabel, not to
        // the status bar's message area.
        HintLabel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TWaveMainFrm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_F1 && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == this) {
            FormKeyDown(Qt::Key_F1);
            return true;
        }
        break;
    }
    case QEvent::Close: {
        // A floating toolbar cannot be closed: it goes back to its dock.
        auto *tb = qobject_cast<QToolBar *>(watched);
        if (tb && (tb == HTMLToolbar || tb == GLToolbar)) {
            event->ignore();
            if (tb->isFloating())
                addToolBar(toolBarArea(tb) == Qt::NoToolBarArea ? ChosenDock() : toolBarArea(tb), tb);
            return true;
        }
        break;
    }
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == HTMLToolbar || watched == LeftTW)
            AlignPageToolbar();
        break;
    case QEvent::Resize:
        if (watched == Splitter) {
            if (m_pendingLeftWidth && Splitter->isVisible())
                SetLeftPaneWidth(*m_pendingLeftWidth);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
