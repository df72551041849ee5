// The main window's start-up, settings, placement, start picture, themes,
// menus and shutdown question.
#include "AppTestSupport.h"
#include "app/StartPicture.h"
#include "app/CoursePane.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "core/SimulationKind.h"

#include "sim/framework/AlignPanel.h"
#include "app/PageBrowser.h"
#include "app/SplashScreen.h"
#include "sim/framework/Themes.h"
#include "sim/framework/IconLibrary.h"
#include "app/MainWindow.h"
#include "scene3d/SceneViewer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>
#include <limits>

using namespace TestSupport;

namespace {

QByteArray ints(std::initializer_list<qint32> values)
{
    QByteArray b;
    for (qint32 v : values) {
        char raw[4];
        qToLittleEndian(v, raw);
        b.append(raw, 4);
    }
    return b;
}

QSettings store()
{
    return QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
}

// A program folder with only a start picture of the given size.
class ExeWithSplash
{
public:
    explicit ExeWithSplash(QSize pictureSize)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("HTML/images"));
        QImage img(pictureSize, QImage::Format_ARGB32);
        img.fill(Qt::darkCyan);
        img.save(m_dir.path() + QStringLiteral("/HTML/images/Splash.png"));
        m_exe = std::make_unique<ScopedExeFolder>(m_dir.path());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedExeFolder> m_exe;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { animationSpeeds() = defaultAnimationSpeeds(); }

    void firstRunPlacement_data();
    void firstRunPlacement();
    void settingsRoundTrip();
    void corruptValuesFallBackAlone_data();
    void corruptValuesFallBackAlone();
    void zoomOutsideTheFiveSizes_data();
    void zoomOutsideTheFiveSizes();
    void storedPositionGivesHalfPane();
    void storedPositionFitsTheScreens_data();
    void storedPositionFitsTheScreens();
    void bottomToolbarsBeforeFirstShow();
    void largeButtonsOnlyPageToolbarAtFirstShow();
    void everyToolbarButtonShows_data();
    void everyToolbarButtonShows();
    void toolbarsDraggedByTheirHandles_data();
    void toolbarsDraggedByTheirHandles();
    void unwritableStoreSavesNothingQuietly();
    void closeQuestion();
    void startPicture_data();
    void startPicture();
    void menuTree();
    void themesMatchedIgnoringCase();
    void hintGoesToHintLabel();
};

void TestMainWindow::firstRunPlacement_data()
{
    QTest::addColumn<QSize>("screenSize");
    QTest::addColumn<QRect>("work");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<int>("leftPane");
    // 1920 x 1040 work area on a wide screen: a 4:3 window as tall as the
    // work area (1040 x 4/3 = 1386.67, rounded 1387), centred.
    QTest::newRow("wide") << QSize(1920, 1080) << QRect(0, 0, 1920, 1040)
                          << QRect(266, 0, 1387, 1040) << 693;
    // A 4:3 screen keeps the whole work area.
    QTest::newRow("4:3") << QSize(1024, 768) << QRect(0, 0, 1024, 728) << QRect(0, 0, 1024, 728) << 512;
    // A work area not at the origin (task bar at the left) still centres on
    // the screen.
    QTest::newRow("wide, bar left") << QSize(1600, 900) << QRect(60, 0, 1540, 900)
                                    << QRect(60 + (1600 - 1200) / 2, 0, 1200, 900) << 600;
}

void TestMainWindow::firstRunPlacement()
{
    QFETCH(QSize, screenSize);
    QFETCH(QRect, work);
    QFETCH(QRect, expected);
    QFETCH(int, leftPane);
    ScopedSettings settings;
    MainWindow w(fixedScreen(screenSize, work));
    QCOMPARE(w.geometry(), expected);
    QCOMPARE(w.leftPaneWidth(), leftPane);
    QCOMPARE(Themes::current(), QStringLiteral("Office 2007 Blue"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.leftPane()->width(), leftPane);
}

void TestMainWindow::settingsRoundTrip()
{
    ScopedSettings settings;
    {
        MainWindow w(fixedScreen());
        w.coursePane()->setStoredPageBackground(QStringLiteral("#D9EAFF"));
        w.coursePane()->setTextSize(4);
        w.setToolbarsAtBottom(true);
        w.view3D()->setBackgroundColor(0x00102030);
        w.largeButtonsAction()->setChecked(true);
        animationSpeeds()[9] = 77;
        animationSpeeds()[17] = -5; // stored entries are kept as they are
        w.applyTheme(QStringLiteral("Dream"));
        w.setGeometry(QRect(40, 50, 900, 700));
        w.saveSettings();
    }
    QSettings s = store();
    QCOMPARE(s.value("Speeds").toByteArray().size(), 72);
    QCOMPARE(s.value("position").toByteArray(), ints({40, 50, 940, 750}));

    animationSpeeds() = defaultAnimationSpeeds();
    MainWindow w(fixedScreen());
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#D9EAFF"));
    QCOMPARE(w.coursePane()->textSize(), 4);
    QCOMPARE(w.coursePane()->browser()->textSize(), 4);
    QVERIFY(w.toolbarsAtBottomAction()->isChecked());
    QCOMPARE(w.view3D()->backgroundColor(), 0x00102030u);
    QVERIFY(w.largeButtonsAction()->isChecked());
    QCOMPARE(animationSpeeds()[9], 77);
    QCOMPARE(animationSpeeds()[17], -5);
    QCOMPARE(animationSpeeds()[4], 200);
    QCOMPARE(Themes::current(), QStringLiteral("Dream"));
    QCOMPARE(w.geometry(), QRect(40, 50, 900, 700));
    w.applyTheme(Themes::defaultName());
}

void TestMainWindow::corruptValuesFallBackAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("zoom not a number") << "zoom" << QVariant(QStringLiteral("big"));
    QTest::newRow("textbgnd not a colour") << "textbgnd" << QVariant(QStringLiteral("blue-ish!"));
    QTest::newRow("Speeds as text") << "Speeds" << QVariant(QStringLiteral("fast"));
    QTest::newRow("Speeds too long") << "Speeds" << QVariant(QByteArray(80, '\x07'));
    QTest::newRow("position too long") << "position" << QVariant(ints({1, 2, 300, 400, 5}));
    QTest::newRow("position too short") << "position" << QVariant(ints({1, 2, 300}));
    QTest::newRow("position as text") << "position" << QVariant(QStringLiteral("1,2,3,4"));
    QTest::newRow("position empty rectangle") << "position" << QVariant(ints({100, 100, 100, 50}));
    QTest::newRow("TBTop not a flag") << "TBTop" << QVariant(QStringLiteral("sideways"));
    QTest::newRow("Large not a flag") << "Large" << QVariant(7);
    QTest::newRow("Skin unknown") << "Skin" << QVariant(QStringLiteral("Neon"));
    QTest::newRow("GLColor as bytes") << "GLColor" << QVariant(QByteArray("\x01\x02", 2));
}

void TestMainWindow::corruptValuesFallBackAlone()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    ScopedSettings settings;
    // Good values everywhere, then one bad one.
    {
        QSettings s = store();
        s.setValue("textbgnd", "#FFFFE0");
        s.setValue("zoom", 3);
        s.setValue("TBTop", 1);
        s.setValue("GLColor", 0x00123456);
        s.setValue("Large", 0);
        s.setValue("Speeds", ints({1, 2, 3}));
        s.setValue("position", ints({10, 20, 810, 620}));
        s.setValue("Skin", "Eos");
        s.setValue(name, value);
    }
    MainWindow w(fixedScreen());
    auto expect = [&](const QString &n) { return n != name; };
    QCOMPARE(w.coursePane()->pageBackground(), expect("textbgnd") ? QStringLiteral("#FFFFE0") : QStringLiteral("#FFFFFF"));
    QCOMPARE(w.coursePane()->textSize(), expect("zoom") ? 3 : 2);
    QVERIFY(w.toolbarsAtTopAction()->isChecked());
    QCOMPARE(w.view3D()->backgroundColor(), expect("GLColor") ? 0x00123456u : 0x00FFFFFFu);
    QVERIFY(!w.largeButtonsAction()->isChecked());
    if (expect("Speeds")) {
        // A shorter value replaces only the leading entries.
        QCOMPARE(animationSpeeds()[0], 1);
        QCOMPARE(animationSpeeds()[2], 3);
        QCOMPARE(animationSpeeds()[4], 200);
    } else {
        QCOMPARE(animationSpeeds(), defaultAnimationSpeeds());
    }
    QCOMPARE(Themes::current(), expect("Skin") ? QStringLiteral("Eos") : QStringLiteral("Office 2007 Blue"));
    if (expect("position"))
        QCOMPARE(w.geometry(), QRect(10, 20, 800, 600));
    else // the first-run placement
        QCOMPARE(w.geometry(), QRect((1600 - 1280) / 2, 0, 1280, 960));
    w.applyTheme(Themes::defaultName());
}

void TestMainWindow::zoomOutsideTheFiveSizes_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("size");
    QTest::newRow("above") << 9 << 4;
    QTest::newRow("below") << -3 << 0;
}

void TestMainWindow::zoomOutsideTheFiveSizes()
{
    QFETCH(int, stored);
    QFETCH(int, size);
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    store().setValue("zoom", stored);
    MainWindow w(fixedScreen());
    QCOMPARE(w.coursePane()->textSize(), size);
    QCOMPARE(w.coursePane()->browser()->textSize(), size);
    w.coursePane()->updateFontMenu();
    int checked = -1;
    for (QAction *a : {w.coursePane()->textSizeAction(0), w.coursePane()->textSizeAction(1), w.coursePane()->textSizeAction(2), w.coursePane()->textSizeAction(3), w.coursePane()->textSizeAction(4)})
        if (a->isChecked())
            checked = a->data().toInt();
    QCOMPARE(checked, size);
    w.show();
    QVERIFY(w.close());
    QCOMPARE(store().value("zoom").toInt(), size);
}

void TestMainWindow::storedPositionGivesHalfPane()
{
    ScopedSettings settings;
    store().setValue("position", ints({0, 0, 1001, 700}));
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.leftPane()->width(), 500);
}

void TestMainWindow::storedPositionFitsTheScreens_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QList<QRect>>("screens"); // work areas; empty: the fixed screen alone
    QTest::addColumn<QRect>("expected");
    const QRect work(0, 0, 1600, 960);
    const QRect firstRun((1600 - 1280) / 2, 0, 1280, 960);
    const qint32 big = std::numeric_limits<qint32>::max(), small = std::numeric_limits<qint32>::min();
    // Too large for any screen: as large as the work area allows.
    QTest::newRow("32767 square") << ints({0, 0, 32767, 32767}) << QList<QRect>{} << work;
    QTest::newRow("a million") << ints({100, 100, 1000100, 1000100}) << QList<QRect>{} << work;
    QTest::newRow("up to INT_MAX") << ints({0, 0, big, big}) << QList<QRect>{} << work;
    // right - left overflows 32 bits.
    QTest::newRow("INT_MIN to INT_MAX") << ints({small, small, big, big}) << QList<QRect>{} << work;
    // Three bytes changed in a stored 1067 x 620 window.
    QTest::newRow("1067 x 32767") << ints({200, 100, 1267, 32867}) << QList<QRect>{} << QRect(200, 0, 1067, 960);
    // Partly beyond the edge: moved in, size kept.
    QTest::newRow("over the right edge") << ints({1200, 300, 2000, 900}) << QList<QRect>{} << QRect(800, 300, 800, 600);
    // On no screen at all (a screen that is gone): the first-run placement.
    QTest::newRow("off to the right") << ints({5000, 5000, 5800, 5600}) << QList<QRect>{} << firstRun;
    QTest::newRow("off to the left") << ints({-2000, 100, -1200, 700}) << QList<QRect>{} << firstRun;
    // A second screen to the right, taller than the first.
    const QList<QRect> two{work, QRect(1600, 0, 1280, 1024)};
    QTest::newRow("on the second screen") << ints({1700, 50, 2500, 650}) << two << QRect(1700, 50, 800, 600);
    QTest::newRow("across both screens") << ints({1000, 100, 2200, 800}) << two << QRect(1000, 100, 1200, 700);
    // Below the first screen's work area: the second screen, where it mostly
    // is, takes it whole.
    QTest::newRow("below the first screen") << ints({1000, 0, 2200, 1000}) << two << QRect(1600, 0, 1200, 1000);
}

void TestMainWindow::storedPositionFitsTheScreens()
{
    QFETCH(QByteArray, stored);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, expected);
    ScopedSettings settings;
    store().setValue("position", stored);
    MainWindow w(fixedScreen(QSize(1600, 1000), QRect(0, 0, 1600, 960), screens));
    QCOMPARE(w.geometry(), expected);
    QCOMPARE(w.leftPaneWidth(), expected.width() / 2);
}

void TestMainWindow::bottomToolbarsBeforeFirstShow()
{
    ScopedSettings settings;
    store().setValue("TBTop", 0);
    MainWindow w(fixedScreen());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.toolBarArea(w.coursePane()->pageToolbar()), Qt::BottomToolBarArea);
    QCOMPARE(w.toolBarArea(w.view3D()->toolbar()), Qt::BottomToolBarArea);
    QVERIFY(w.toolbarsAtBottomAction()->isChecked());
    QVERIFY(!w.toolbarsAtTopAction()->isChecked());
}

void TestMainWindow::largeButtonsOnlyPageToolbarAtFirstShow()
{
    ScopedSettings settings;
    store().setValue("Large", 1);
    MainWindow w(fixedScreen());
    QVERIFY(w.largeButtonsAction()->isChecked());
    QCOMPARE(w.coursePane()->pageToolbar()->iconSize(), QSize(24, 24));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.coursePane()->pageToolbar()->iconSize(), QSize(48, 48));
    QCOMPARE(w.view3D()->toolbar()->iconSize(), QSize(24, 24));
}

void TestMainWindow::everyToolbarButtonShows_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("large");
    QTest::addColumn<bool>("bottom");
    for (const QSize screen : {QSize(1280, 800), QSize(1920, 1080)})
        for (int kind : {0, int(DampedOscillatorKind), int(SuperpositionKind), int(SpeedOfSoundKind), int(DoubleSlitKind),
                         int(TransverseLongitudinalKind), int(StandingWavesKind), int(RippleTankKind), int(ToneKeyboardKind),
                         int(GammaAbsorptionKind), int(EmWaveKind)})
            for (bool large : {false, true})
                QTest::addRow("%dx%d kind %d%s", screen.width(), screen.height(), kind, large ? " large" : "")
                    << screen << kind << large << false;
    QTest::newRow("1280x800 superposition large, at the bottom")
        << QSize(1280, 800) << int(SuperpositionKind) << true << true;
}

// On a first run at 1280 x 800 and up, with small or large buttons, every
// button of every toolbar shows (nothing hides behind the overflow
// chevron), and a toolbar's grip stands beside its own buttons.
// A user drags a toolbar by its handle across the window, out of its row
// and back: the window rearranges its toolbars as the panes change size,
// and must not pull the dragged one out from under the drag.
void TestMainWindow::toolbarsDraggedByTheirHandles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("oscillator, down") << 9 << 0 << 40;
    QTest::newRow("oscillator, right and down") << 9 << 60 << 30;
    QTest::newRow("double slit, down") << 1 << 10 << 40;
    QTest::newRow("3D, down") << 15 << 0 << 40;
    QTest::newRow("index, down") << 0 << 0 << 40;
}

void TestMainWindow::toolbarsDraggedByTheirHandles()
{
    QFETCH(int, kind);
    QFETCH(int, dx);
    QFETCH(int, dy);
    ScopedSettings settings;
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (kind)
        w.host()->showSimulation(kind);
    QCoreApplication::processEvents();
    QWindow *window = w.windowHandle();
    for (QToolBar *tb : w.findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!tb->isVisible() || !tb->isMovable() || tb->isFloating())
            continue;
        QPoint at = tb->mapTo(&w, QPoint(3, tb->height() / 2)); // the handle
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        for (int i = 0; i < 6; ++i) {
            at += QPoint(dx, dy);
            QTest::mouseMove(window, at);
            QCoreApplication::processEvents();
        }
        for (int i = 0; i < 6; ++i) {
            at -= QPoint(dx, dy);
            QTest::mouseMove(window, at);
            QCoreApplication::processEvents();
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    QVERIFY(w.isVisible());
}

void TestMainWindow::everyToolbarButtonShows()
{
    QFETCH(QSize, screen);
    QFETCH(int, kind);
    QFETCH(bool, large);
    QFETCH(bool, bottom);
    ScopedSettings settings;
    MainWindow w(fixedScreen(screen, QRect(QPoint(0, 0), screen - QSize(0, 40))));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (bottom)
        w.setToolbarsAtBottom(true);
    if (large) {
        w.largeButtonsAction()->setChecked(true);
        w.setLargeButtons(true);
    }
    if (kind)
        w.host()->showSimulation(kind);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(50);
    QCoreApplication::processEvents();

    int checked = 0;
    for (QToolBar *tb : w.findChildren<QToolBar *>()) {
        if (!tb->isVisible() || tb->isFloating())
            continue;
        const QString name = tb->objectName();
        auto *chevron = tb->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY2(!chevron || !chevron->isVisible(), qPrintable(name + QStringLiteral(" overflows")));
        const QRect onWindow(tb->mapTo(&w, QPoint(0, 0)), tb->size());
        QVERIFY2(onWindow.right() < w.width(), qPrintable(name));
        QWidget *first = nullptr;
        for (QAction *a : tb->actions()) {
            QWidget *item = tb->widgetForAction(a);
            if (!a->isVisible() || a->isSeparator() || !item)
                continue;
            QVERIFY2(item->isVisible() && tb->rect().contains(item->geometry()),
                     qPrintable(name + QStringLiteral(": ") + a->text()));
            if (!first)
                first = item;
            ++checked;
        }
        // No grip stands apart from its toolbar's buttons.
        if (tb->isMovable() && first)
            QVERIFY2(first->x() <= 16, qPrintable(name + QStringLiteral(" grip apart")));
    }
    QVERIFY(checked >= 5); // the page toolbar's at least
}

void TestMainWindow::unwritableStoreSavesNothingQuietly()
{
    ScopedDialogAnswers answers(true);
    ScopedSettings settings;
    settings.makeUnwritable();
    {
        MainWindow w(fixedScreen());
        w.coursePane()->setTextSize(4);
        w.saveSettings();
    }
    QVERIFY(answers.shown().isEmpty());
    QCOMPARE(store().value("zoom").toInt(), 0);
}

void TestMainWindow::closeQuestion()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(false);
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.coursePane()->setTextSize(4);
    QVERIFY(!w.close());
    QCOMPARE(answers.shown(), QStringList{QStringLiteral("Close program")});
    QVERIFY(w.isVisible());
    QVERIFY(store().allKeys().isEmpty()); // No saves nothing

    answers.setAnswer(true);
    QVERIFY(w.close());
    QCOMPARE(store().value("zoom").toInt(), 4);
}

void TestMainWindow::startPicture_data()
{
    QTest::addColumn<QSize>("pane");
    QTest::addColumn<QRect>("expected");
    // Narrower than the 640 x 370 picture: shrunk to the pane width minus 10
    // (290 x round(290 x 370 / 640) = 290 x 168), centred.
    QTest::newRow("narrow") << QSize(300, 500) << QRect(5, (500 - 168) / 2, 290, 168);
    // Wider: natural size, centred.
    QTest::newRow("wide") << QSize(801, 600) << QRect((801 - 640) / 2, (600 - 370) / 2, 640, 370);
}

void TestMainWindow::startPicture()
{
    QFETCH(QSize, pane);
    QFETCH(QRect, expected);
    ScopedSettings settings;
    ExeWithSplash exe(QSize(640, 370));
    MainWindow w(fixedScreen());
    QVERIFY(w.host()->startPicture());
    w.leftPane()->resize(pane);
    w.host()->placeStartPicture(); // what the pane's resize event runs
    QCOMPARE(w.host()->startPicture()->geometry(), expected);
    QCOMPARE(w.host()->startPicture()->autoSize(), pane.width() >= 640);
}

void TestMainWindow::menuTree()
{
    ScopedSettings settings;
    MainWindow w(fixedScreen());
    QStringList menus;
    for (QAction *a : w.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"File", "Edit", "Toolbars", "Graph", "Speed", "Appearance", "Help"}));
    QVERIFY(!w.host()->graphMenu()->menuAction()->isVisible());
    QVERIFY(!w.host()->speedMenu()->menuAction()->isVisible());

    struct Item {
        QMenu *menu;
        QStringList captions;
    };
    const Item items[] = {
        {w.fileMenu(), {"Export picture...", "Export data...", "", "Exit"}},
        {w.coursePane()->editMenu(), {"Select all", "Copy"}},
        {w.toolbarsMenu(), {"Toolbars at top", "Toolbars at bottom", "Use large buttons"}},
        {w.host()->graphMenu(), {"Time axis", "Copy graph", "Show X hair cursor", "Print graph"}},
        {w.host()->timeAxisMenu(), {"5 seconds", "10 seconds", "15 seconds", "20 seconds"}},
        {w.host()->speedMenu(), {"Set animation speed"}},
        {w.helpMenu(), {"Contents", "Search for help on", "", "About"}},
    };
    for (const Item &item : items) {
        QStringList captions;
        for (QAction *a : item.menu->actions())
            captions << a->text();
        QCOMPARE(captions, item.captions);
    }
    QCOMPARE(w.coursePane()->selectAllAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(w.coursePane()->copyPageAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    QCOMPARE(w.coursePane()->indexAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
    QCOMPARE(w.coursePane()->backAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    QCOMPARE(w.coursePane()->forwardAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QVERIFY(w.toolbarsAtTopAction()->isChecked());
    QVERIFY(w.host()->timeAxisAction(10)->isChecked());
    QCOMPARE(w.host()->timeAxisAction(5)->data().toInt(), 5);
    QCOMPARE(w.host()->timeAxisAction(20)->data().toInt(), 20);

    QStringList themes;
    for (QAction *a : w.appearanceMenu()->actions())
        if (a->actionGroup() == w.themeGroup())
            themes << a->text();
    QCOMPARE(themes, Themes::names());
    // After the themes and a separator, projector mode.
    QCOMPARE(w.appearanceMenu()->actions().size(), themes.size() + 2);
    QCOMPARE(w.appearanceMenu()->actions().last(), w.projectorModeAction());
    QCOMPARE(themes.size(), 13);
    QVERIFY(themes.contains("Office 2007 Blue"));
}

void TestMainWindow::themesMatchedIgnoringCase()
{
    ScopedSettings settings;
    store().setValue("Skin", "office 2007 BLACK");
    MainWindow w(fixedScreen());
    QCOMPARE(Themes::current(), QStringLiteral("Office 2007 Black"));
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(0x535353));
    int checked = 0;
    for (QAction *a : w.appearanceMenu()->actions())
        checked += a->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    w.applyTheme(Themes::defaultName());
    QCOMPARE(Themes::current(), QStringLiteral("Office 2007 Blue"));
}

void TestMainWindow::hintGoesToHintLabel()
{
    ScopedSettings settings;
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStatusTipEvent tip(QStringLiteral("Main index"));
    QApplication::sendEvent(w.coursePane()->pageToolbar(), &tip); // propagates to the window
    QCOMPARE(w.hintLabel()->text(), QStringLiteral("Main index"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
