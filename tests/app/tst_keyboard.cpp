// Keyboard operation and what screen readers announce, through the main
// window: Tab reaches every control of a model, Space starts and stops and
// Ctrl+R resets in every model with run buttons (without taking Space from a
// focused button, value box or the course page), and every widget of every
// kind has a name.
#include "AppTestSupport.h"
#include "app/CoursePane.h"
#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/MoviePlayer.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "core/SimulationKind.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarSpinBox.h"
#include "sim/mechanics/DampedOscillatorModel.h"
#include "sim/mechanics/DampedOscillatorWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <memory>

using namespace TestSupport;

namespace {

// What a screen reader reads for a widget.
QString spoken(QWidget *w, QAccessible::Text what = QAccessible::Name)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : QString();
}

// Widgets the user works with (as opposed to pictures and containers).
bool isControl(QWidget *w)
{
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
           qobject_cast<QAbstractSlider *>(w) || qobject_cast<QComboBox *>(w) ||
           qobject_cast<QAbstractItemView *>(w) || qobject_cast<QLineEdit *>(w);
}

// The toolkit's own parts of a widget, which it names itself or hides from
// screen readers: a value box's editor, a scroll area's viewport and corner,
// a toolbar's handle and overflow button.
bool isInternalPart(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (p->objectName().startsWith(QLatin1String("qt_")) || (p != w && qobject_cast<QAbstractSpinBox *>(p)))
            return true;
    }
    return false;
}

// Tab reaches an exclusive group of buttons once, through one of them (the
// toolkit keeps only one in the Tab order); the arrow keys then move within
// the group.
bool reachedByTab(QWidget *w, const QSet<QWidget *> &visited)
{
    if (visited.contains(w))
        return true;
    auto *b = qobject_cast<QAbstractButton *>(w);
    if (!b || !b->group() || !b->group()->exclusive())
        return false;
    const QList<QAbstractButton *> members = b->group()->buttons();
    return std::any_of(members.begin(), members.end(), [&](QAbstractButton *m) { return visited.contains(m); });
}

// What a screen reader passes over: separators, and plain containers that
// only lay out what is named inside them.
bool isLayoutOnly(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if ((iface && iface->role() == QAccessible::Separator) || w->inherits("QToolBarSeparator"))
        return true;
    const QMetaObject *m = w->metaObject();
    return m == &QWidget::staticMetaObject || m == &AlignPanel::staticMetaObject || qobject_cast<QSplitter *>(w);
}

void addWithChildren(QList<QWidget *> &list, QWidget *root)
{
    if (!root)
        return;
    list << root;
    list << root->findChildren<QWidget *>();
}

// The visible widgets of the model shown: its window (or the 3D view or the
// movie) and its toolbar.
QList<QWidget *> modelWidgets(MainWindow &main)
{
    QList<QWidget *> all;
    if (SimulationWindow *w = main.host()->activeWindow()) {
        addWithChildren(all, w);
        addWithChildren(all, w->toolbar());
    }
    View3DControls *v = main.view3D();
    if (v->toolbar()->isVisible()) {
        addWithChildren(all, v->toolbar());
        addWithChildren(all, v->viewer());
        addWithChildren(all, v->angleScrollBar());
        addWithChildren(all, v->noOpenGLMessage());
    }
    if (MoviePlayer *m = main.host()->moviePlayer(); m && m->isVisible())
        addWithChildren(all, m);
    QList<QWidget *> shown;
    for (QWidget *w : std::as_const(all)) {
        if (w->isVisible() && !isInternalPart(w) && !shown.contains(w))
            shown << w;
    }
    return shown;
}

QString describe(QWidget *w)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), w->objectName());
}

struct Main {
    ScopedSettings settings;
    ScopedDialogAnswers answers{true};
    ScopedClockTime clock;
    MainWindow window{fixedScreen()};
    Main()
    {
        window.resize(1400, 900);
        window.show();
        window.activateWindow();
    }
    SimulationWindow *show(int kind)
    {
        window.host()->showSimulation(kind);
        return window.host()->activeWindow();
    }
};

// Kinds whose window has Start and Stop.
QList<int> kindsWithRunButtons()
{
    QList<int> kinds;
    for (int kind = 1; kind <= 17; ++kind) {
        const KindEntry *info = findKind(kind);
        if (!info || !info->createWindow)
            continue;
        std::unique_ptr<SimulationWindow> w(info->createWindow());
        if (w && w->startAction() && w->stopAction())
            kinds << kind;
    }
    return kinds;
}

void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void init() { animationSpeeds() = defaultAnimationSpeeds(); }
    void tabWalkAndKeysOfTheDampedOscillator();
    void spaceIsLeftToWhatNeedsIt();
    void runKeysInEveryModel_data();
    void runKeysInEveryModel();
    void valueBoxesReadQuantityValueAndUnit();
    void spectrumLevelsPickedByKeys();
    void everyWidgetOfEveryKindHasAName_data();
    void everyWidgetOfEveryKindHasAName();
};

void TestKeyboard::tabWalkAndKeysOfTheDampedOscillator()
{
    Main m;
    QVERIFY(QTest::qWaitForWindowActive(&m.window));
    auto *w = dynamic_cast<DampedOscillatorWindow *>(m.show(DampedOscillatorKind));
    QVERIFY(w);
    w->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w->hasFocus());

    QSet<QWidget *> visited;
    for (int i = 0; i < 200; ++i) {
        pressKey(Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QVERIFY(visited.contains(w)); // the picture, where Space works
    // Every control of the model and of the shell around it.
    int modelControls = 0;
    const QList<QWidget *> ofModel = modelWidgets(m.window);
    QStringList missed;
    for (QWidget *c : m.window.findChildren<QWidget *>()) {
        if (!c->isVisible() || !isControl(c) || !c->isEnabled() || isInternalPart(c))
            continue;
        modelControls += ofModel.contains(c) ? 1 : 0;
        if (!reachedByTab(c, visited))
            missed << describe(c) + QStringLiteral(" (") + spoken(c) + QLatin1Char(')');
    }
    QVERIFY2(missed.isEmpty(), qPrintable(QStringLiteral("not reached by Tab: ") + missed.join(QStringLiteral(", "))));
    QVERIFY(modelControls >= 5); // Start, three value boxes, the displacement bar

    // Space from the picture starts and stops; Ctrl+R resets once stopped.
    w->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Space);
    QVERIFY(w->isClockRunning());
    QVERIFY(!w->resetAction()->isEnabled());
    pressKey(Qt::Key_R, Qt::ControlModifier); // Reset is off while running
    QVERIFY(w->isClockRunning());
    QVERIFY(m.clock.tick(w->clock(), 0.1));
    QVERIFY(w->model().sample() > 0);
    pressKey(Qt::Key_Space);
    QVERIFY(!w->isClockRunning());
    QVERIFY(w->resetAction()->isEnabled());
    pressKey(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(w->model().sample(), 0);
    QVERIFY(!w->resetAction()->isEnabled());
    QVERIFY(w->startAction()->isEnabled() && !w->stopAction()->isEnabled());

    // Ctrl+R works from the toolbar too (it is Reset's own shortcut).
    pressKey(Qt::Key_Space);
    QVERIFY(m.clock.tick(w->clock(), 0.1));
    pressKey(Qt::Key_Space);
    QVERIFY(w->model().sample() > 0);
    m.window.coursePane()->browser()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(m.window.coursePane()->browser()->hasFocus());
    pressKey(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(w->model().sample(), 0);
}

// Space belongs to a focused button (it presses it), to a value box and to
// the course page (it scrolls); the model starts only from its picture or
// the parts of its toolbar that do nothing with Space.
void TestKeyboard::spaceIsLeftToWhatNeedsIt()
{
    Main m;
    QVERIFY(QTest::qWaitForWindowActive(&m.window));
    SimulationWindow *w = m.show(DampedOscillatorKind);
    QVERIFY(w);

    auto *start = qobject_cast<QAbstractButton *>(w->toolbar()->widgetForAction(w->startAction()));
    QVERIFY(start);
    start->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(start->hasFocus());
    QSignalSpy pressed(start, &QAbstractButton::pressed);
    QSignalSpy triggered(w->startAction(), &QAction::triggered);
    pressKey(Qt::Key_Space);
    QCOMPARE(pressed.count(), 1); // the button took the key
    QCOMPARE(triggered.count(), 1);
    QVERIFY(w->isClockRunning());
    w->stopAction()->trigger();

    const QList<ToolbarSpinBox *> boxes = w->toolbar()->findChildren<ToolbarSpinBox *>();
    QVERIFY(!boxes.isEmpty());
    boxes.first()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(boxes.first()->hasFocus());
    pressKey(Qt::Key_Space);
    QVERIFY(!w->isClockRunning());

    PageBrowser *page = m.window.coursePane()->browser();
    page->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(page->hasFocus());
    pressKey(Qt::Key_Space);
    QVERIFY(!w->isClockRunning());

    // The displacement bar has no use for Space: it starts the model.
    auto *bar = w->findChild<QScrollBar *>();
    QVERIFY(bar);
    bar->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(bar->hasFocus());
    pressKey(Qt::Key_Space);
    QVERIFY(w->isClockRunning());

    // A window without run buttons leaves Space to its list: it ticks.
    SimulationWindow *waves = m.show(SuperpositionKind);
    QVERIFY(waves && !waves->startAction());
    for (QAction *a : waves->toolbar()->actions()) {
        if (a->text() == QLatin1String("Add"))
            a->trigger();
    }
    auto *list = waves->findChild<QListWidget *>();
    QVERIFY(list && list->count() > 0);
    list->setCurrentRow(0);
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(list->hasFocus());
    const Qt::CheckState before = list->item(0)->checkState();
    pressKey(Qt::Key_Space);
    QVERIFY(list->item(0)->checkState() != before);
}

void TestKeyboard::runKeysInEveryModel_data()
{
    QTest::addColumn<int>("kind");
    for (int kind : kindsWithRunButtons())
        QTest::addRow("kind %d", kind) << kind;
}

// The same keys in every window with run buttons, whether Stop begins
// disabled or enabled, and the tooltips tell them.
void TestKeyboard::runKeysInEveryModel()
{
    QFETCH(int, kind);
    Main m;
    QVERIFY(QTest::qWaitForWindowActive(&m.window));
    SimulationWindow *w = m.show(kind);
    QVERIFY(w);
    QVERIFY(w->startAction()->toolTip().contains(QStringLiteral("(Space)")));
    QVERIFY(w->stopAction()->toolTip().contains(QStringLiteral("(Space)")));
    if (w->resetAction())
        QVERIFY(w->resetAction()->toolTip().contains(QStringLiteral("(Ctrl+R)")));

    for (QWidget *place : {static_cast<QWidget *>(w), static_cast<QWidget *>(w->toolbar())}) {
        place->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(place->hasFocus() || place->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(!w->isClockRunning());
        pressKey(Qt::Key_Space);
        QVERIFY2(w->isClockRunning(), place->metaObject()->className());
        QVERIFY(!w->startAction()->isEnabled() && w->stopAction()->isEnabled());
        pressKey(Qt::Key_Space);
        QVERIFY(!w->isClockRunning());
        QVERIFY(w->startAction()->isEnabled() && !w->stopAction()->isEnabled());
    }
}

void TestKeyboard::valueBoxesReadQuantityValueAndUnit()
{
    Main m;
    SimulationWindow *w = m.show(DampedOscillatorKind);
    QVERIFY(w);
    QMap<QString, ToolbarSpinBox *> byQuantity;
    for (ToolbarSpinBox *b : w->toolbar()->findChildren<ToolbarSpinBox *>())
        byQuantity.insert(b->quantity(), b);
    ToolbarSpinBox *mass = byQuantity.value(QStringLiteral("Mass"));
    QVERIFY(mass);
    QCOMPARE(spoken(mass), QStringLiteral("Mass, 0.5 kilograms"));
    QCOMPARE(spoken(mass, QAccessible::Description), QStringLiteral("Set the mass"));
    mass->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(mass->hasFocus());
    pressKey(Qt::Key_Up);
    QCOMPARE(spoken(mass), QStringLiteral("Mass, 0.6 kilograms"));
    // A page command sets the boxes from code: the names follow.
    m.window.host()->routePageCommand(QStringLiteral("+CD"));
    ToolbarSpinBox *damping = byQuantity.value(QStringLiteral("Damping"));
    QVERIFY(damping);
    QCOMPARE(spoken(damping), QStringLiteral("Damping, 5.0 kilograms per second"));
    ToolbarSpinBox *stiffness = byQuantity.value(QStringLiteral("Stiffness"));
    QVERIFY(stiffness);
    QVERIFY(spoken(stiffness).endsWith(QStringLiteral(" newtons per metre")));
}

// The hydrogen film's levels answer number keys as they answer clicks.
void TestKeyboard::spectrumLevelsPickedByKeys()
{
    Main m;
    m.show(HydrogenSpectrumKind);
    MoviePlayer *player = m.window.host()->moviePlayer();
    QVERIFY(player && player->movieRoot());
    QCOMPARE(spoken(player), QStringLiteral("Energy levels and spectrum of hydrogen"));
    // The film makes the window's native windows anew; the test's display
    // has no window manager to activate it again.
    m.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m.window));
    player->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(player->focusProxy() && player->focusProxy()->hasFocus());
    QObject *root = player->movieRoot();
    pressKey(Qt::Key_3);
    QCOMPARE(root->property("firstPick").toInt(), 3);
    pressKey(Qt::Key_2);
    // The two picks make the jump from 3 to 2 (the film's chosen jump).
    const QVariantMap chosen = root->property("chosen").toMap();
    QCOMPARE(chosen.value(QStringLiteral("upper")).toInt(), 3);
    QCOMPARE(chosen.value(QStringLiteral("lower")).toInt(), 2);
}

void TestKeyboard::everyWidgetOfEveryKindHasAName_data()
{
    QTest::addColumn<int>("kind");
    for (int kind = 1; kind <= 17; ++kind) {
        if (findKind(kind))
            QTest::addRow("kind %d", kind) << kind;
    }
}

void TestKeyboard::everyWidgetOfEveryKindHasAName()
{
    QFETCH(int, kind);
    Main m;
    QVERIFY(QTest::qWaitForWindowExposed(&m.window));
    m.show(kind);
    const QList<QWidget *> widgets = modelWidgets(m.window);
    QVERIFY(!widgets.isEmpty());
    QStringList unnamed;
    for (QWidget *w : widgets) {
        if (isLayoutOnly(w))
            continue;
        if (spoken(w).trimmed().isEmpty())
            unnamed << describe(w) + QStringLiteral(" without a name");
        else if (isControl(w) && spoken(w, QAccessible::Description).trimmed().isEmpty())
            unnamed << describe(w) + QStringLiteral(" (") + spoken(w) + QStringLiteral(") without a description");
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
