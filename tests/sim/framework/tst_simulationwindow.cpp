// The window contract: button sizes, toolbar and form close queries, the
// run-button convention, the clock wiring and the step helper; the toolbar
// items; the drawing surfaces.
#include "WidgetTestSupport.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/ToolbarDock.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarItems.h"

#include <QtTest>
#include <QMainWindow>
#include <QPainter>
#include <QMenu>
#include <QToolButton>

namespace {

// A window with one of each toolbar item, described for setLargeButtons.
class LookWindow : public SimulationWindow
{
public:
    LookWindow()
    {
        addRunButton(RunButton::Start, QStringLiteral("Start"));
        addRunButton(RunButton::Stop, QStringLiteral("Stop"));
        addRunButton(RunButton::Reset, QString(), QStringLiteral("Reset to start"));
        m_toolbar->addSeparator();
        massLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Mass (kg) "));
        massSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.1, .max = 1.0, .step = 0.1, .value = 0.5, .decimals = 1,
                                         .hint = QStringLiteral("Set the mass"), .width = 55});
        boldLabel = new ToolbarLabel(m_toolbar, QStringLiteral("Bold"));
        QFont bold = boldLabel->font();
        bold.setBold(true);
        boldLabel->setFont(bold);
        absorberSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0, .max = 10, .step = 0.1, .value = 5, .decimals = 1,
                                             .suffix = QStringLiteral(" mm")});
        amplitudeScrollBar = new ToolbarScrollBar(m_toolbar, {.min = 0, .max = 50, .position = 25, .hint = QStringLiteral("Set the amplitude")},
                                  QSize(121, 20));
        colourButton = new DropDownButton(m_toolbar, QStringLiteral("Colour"), ColourIcon);
        red = colourButton->addItem(QStringLiteral("Red"), 1, 0xFF0000, true);
        green = colourButton->addItem(QStringLiteral("Green"), 1, 0x66CC33);
        colourButton->setItemPainter([](QAction *item, QPainter &p, const QRect &r) {
            p.fillRect(r, QColor::fromRgb(QRgb(item->data().toUInt())));
        }, 20, 40);

        m_buttonSizes.switchImages = true;
        m_buttonSizes.spinEdit(massSpinBox, 70, 55);
        m_buttonSizes.spinEdit(absorberSpinBox, 100, 70);
        m_buttonSizes.font(massLabel);
        m_buttonSizes.font(boldLabel);
        m_buttonSizes.height(amplitudeScrollBar, 25, 20);
        m_buttonSizes.menu(colourButton);
        m_buttonSizes.custom([this](bool) { ++customCalls; });
        createClock();
    }
    void step(double dt) override { steps << dt; }

    ToolbarLabel *massLabel, *boldLabel;
    ToolbarSpinBox *massSpinBox, *absorberSpinBox;
    ToolbarScrollBar *amplitudeScrollBar;
    DropDownButton *colourButton;
    QAction *red, *green;
    int customCalls = 0;
    QList<double> steps;
    bool keeps() const { return m_keepsButtonState; }
    void setKeeps(bool k) { m_keepsButtonState = k; }
};

QString describeFont(const QFont &f)
{
    return f.toString();
}

// Everything a user sees of the toolbar's look.
QStringList look(QToolBar *tb)
{
    QStringList out;
    out << QStringLiteral("icons %1x%2").arg(tb->iconSize().width()).arg(tb->iconSize().height());
    for (QAction *a : tb->actions()) {
        QString line = a->text() + QLatin1Char('|') + describeFont(a->font()) + QLatin1Char('|')
                       + QString::number(a->icon().cacheKey());
        if (QWidget *w = tb->widgetForAction(a)) {
            line += QStringLiteral("|%1 min %2x%3 max %4x%5 font %6 set %7 size %8x%9")
                        .arg(QLatin1String(w->metaObject()->className()))
                        .arg(w->minimumWidth()).arg(w->minimumHeight())
                        .arg(w->maximumWidth()).arg(w->maximumHeight())
                        .arg(describeFont(w->font()))
                        .arg(w->testAttribute(Qt::WA_SetFont))
                        .arg(w->width()).arg(w->height());
        }
        if (QMenu *m = a->menu())
            for (QAction *item : m->actions())
                line += QStringLiteral("|item %1 %2 %3").arg(item->text(), describeFont(item->font()))
                            .arg(item->icon().actualSize(QSize(64, 64)).width());
        out << line;
    }
    return out;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Floats a docked toolbar as its own drag does: it becomes a tool window
// of its main window.
void floatToolbar(QToolBar *tb)
{
    tb->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    tb->show();
    settle();
}
} // namespace

class TestSimulationWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { setActiveKind(NoKind); animationSpeeds() = defaultAnimationSpeeds(); }
    void largeButtonsTwiceRestoresTheDesignLook();
    void largeButtonsStateRule();
    void floatingToolbarCloseDocksItAgain();
    void formCloseQuerySetsFlagAndStopsClock();
    void runButtonConvention();
    void clockCallsStepUntilClosing();
    void runningClockTicksStepAndDiesWithTheWindow();
    void advance_data();
    void advance();
    void spinEditSignalsOnlyUserChanges();
    void scrollBarSignalsOnlyUserMoves();
    void keysGoToTheControlInFocus();
    void dropDownRadioItems();
    void labelsShowNoHint();
    void paintBoxFollowsItsSize();
    void imageKeepsItsBitmapAndLayersPaintOver();
};

void TestSimulationWindow::largeButtonsTwiceRestoresTheDesignLook()
{
    QMainWindow mw;
    QFont mainFont = mw.font();
    mainFont.setPointSize(9);
    mw.setFont(mainFont);
    mw.setCentralWidget(new QWidget);
    auto *w = new LookWindow;
    w->setParent(mw.centralWidget());
    ToolbarDock::dockFirst(&mw, w->toolbar(), Qt::TopToolBarArea);
    mw.resize(1200, 400);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    settle();
    const QStringList design = look(w->toolbar());
    QCOMPARE(w->toolbar()->iconSize(), QSize(24, 24));

    w->setLargeButtons(false); // the state it has: nothing changes
    settle();
    QCOMPARE(look(w->toolbar()), design);
    QCOMPARE(w->customCalls, 0);

    w->setLargeButtons(true);
    settle();
    QCOMPARE(w->toolbar()->iconSize(), QSize(48, 48));
    QCOMPARE(w->startAction()->icon().cacheKey(), IconLibrary::instance()->largeIcons().icon(StartIcon).cacheKey());
    QCOMPARE(w->massSpinBox->width(), 70);
    QCOMPARE(w->absorberSpinBox->width(), 100);
    QCOMPARE(w->amplitudeScrollBar->height(), 25);
    QCOMPARE(w->amplitudeScrollBar->width(), 121);
    QCOMPARE(w->massLabel->font().pointSizeF(), 13.5); // inherited 9 points, 150 percent
    QCOMPARE(w->massSpinBox->font().pointSizeF(), 13.5);
    QVERIFY(w->boldLabel->font().bold());
    QCOMPARE(w->red->font().pointSizeF(), w->toolbar()->font().pointSizeF() * 1.5);
    QCOMPARE(w->colourButton->button()->font().pointSizeF(), 13.5);
    QCOMPARE(w->colourButton->itemPictureSize(), 40);
    QCOMPARE(w->red->icon().actualSize(QSize(64, 64)), QSize(40, 40));
    const QStringList large = look(w->toolbar());
    QVERIFY(large != design);

    w->setLargeButtons(true);
    settle();
    QCOMPARE(look(w->toolbar()), large);

    w->setLargeButtons(false);
    settle();
    QCOMPARE(look(w->toolbar()), design);
    QVERIFY(!w->massLabel->testAttribute(Qt::WA_SetFont)); // inherits again
    QVERIFY(w->boldLabel->testAttribute(Qt::WA_SetFont));  // its own font back
    QCOMPARE(w->customCalls, 2);

    // A second round trip ends in the same place.
    w->setLargeButtons(true);
    w->setLargeButtons(false);
    settle();
    QCOMPARE(look(w->toolbar()), design);
    delete w;
}

void TestSimulationWindow::largeButtonsStateRule()
{
    LookWindow keeps;
    QVERIFY(keeps.keeps());
    keeps.setLargeButtons(false);
    keeps.setLargeButtons(true);
    keeps.setLargeButtons(true);
    QCOMPARE(keeps.customCalls, 1);
    QVERIFY(keeps.largeButtons());

    // A window that keeps no state applies the rule on every call.
    LookWindow always;
    always.setKeeps(false);
    always.setLargeButtons(false);
    always.setLargeButtons(false);
    QCOMPARE(always.customCalls, 2);
    QCOMPARE(always.massSpinBox->width(), 55);
    always.setLargeButtons(true);
    QCOMPARE(always.massSpinBox->width(), 70);
}

void TestSimulationWindow::floatingToolbarCloseDocksItAgain()
{
    QMainWindow mw;
    mw.setCentralWidget(new QWidget);
    auto *other = new QToolBar(QStringLiteral("Other"), &mw);
    other->setObjectName(QStringLiteral("Other"));
    other->addAction(QStringLiteral("x"));
    mw.addToolBar(Qt::BottomToolBarArea, other);
    auto *w = new LookWindow;
    w->setParent(mw.centralWidget());
    ToolbarDock::dockFirst(&mw, w->toolbar(), Qt::BottomToolBarArea);
    mw.resize(1000, 500);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    settle();
    QCOMPARE(mw.toolBarArea(w->toolbar()), Qt::BottomToolBarArea);

    // Docked, a close request is refused and nothing moves.
    w->toolbar()->close();
    settle();
    QVERIFY(w->toolbar()->isVisible());
    QCOMPARE(mw.toolBarArea(w->toolbar()), Qt::BottomToolBarArea);

    floatToolbar(w->toolbar());
    QVERIFY(w->toolbar()->isFloating());
    QVERIFY(!w->toolbar()->close()); // refused
    settle();
    QVERIFY(!w->toolbar()->isFloating());
    QVERIFY(w->toolbar()->isVisible());
    QCOMPARE(w->toolbar()->parentWidget(), &mw);
    QCOMPARE(mw.toolBarArea(w->toolbar()), Qt::BottomToolBarArea);
    QTRY_VERIFY(w->toolbar()->x() < other->x() || w->toolbar()->y() != other->y());

    bool canClose = true;
    w->toolbarCloseQuery(w->toolbar(), canClose);
    QVERIFY(!canClose);
    delete w;
}

void TestSimulationWindow::formCloseQuerySetsFlagAndStopsClock()
{
    LookWindow w;
    w.clock()->setEnabled(true);
    QVERIFY(w.isClockRunning());
    QVERIFY(!w.isClosing());
    QVERIFY(w.closeQuery()); // never refuses
    QVERIFY(w.isClosing());
    QVERIFY(!w.isClockRunning());

    // Closing the window runs the query too.
    LookWindow v;
    v.clock()->setEnabled(true);
    showOffscreen(&v, QSize(300, 200));
    QVERIFY(v.close());
    QVERIFY(v.isClosing());
    QVERIFY(!v.clock()->isEnabled());
}

void TestSimulationWindow::runButtonConvention()
{
    LookWindow w;
    QCOMPARE(w.startAction()->icon().cacheKey(), IconLibrary::instance()->smallIcons().icon(StartIcon).cacheKey());
    QCOMPARE(w.stopAction()->icon().cacheKey(), IconLibrary::instance()->smallIcons().icon(StopIcon).cacheKey());
    QCOMPARE(w.resetAction()->icon().cacheKey(), IconLibrary::instance()->smallIcons().icon(ResetIcon).cacheKey());
    QCOMPARE(w.resetAction()->statusTip(), QStringLiteral("Reset to start"));
    QCOMPARE(w.resetAction()->toolTip(), QStringLiteral("Reset to start (Ctrl+R)"));
    QCOMPARE(w.resetAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(w.runButtonOf(w.stopAction()), SimulationWindow::RunButton::Stop);
    QCOMPARE(w.runButtonOf(w.massSpinBox), SimulationWindow::RunButton::None);

    w.showStopped(false); // the created state of most animated windows
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());

    w.startAction()->trigger();
    QVERIFY(!w.startAction()->isEnabled() && w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());
    QVERIFY(w.isClockRunning());

    w.stopAction()->trigger();
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled());
    QVERIFY(!w.isClockRunning());

    w.showStopped(true);
    QVERIFY(w.resetAction()->isEnabled());
    w.resetAction()->trigger();
    QVERIFY(!w.resetAction()->isEnabled() && w.startAction()->isEnabled() && !w.isClockRunning());
}

void TestSimulationWindow::clockCallsStepUntilClosing()
{
    auto *w = new LookWindow;
    QVERIFY(w->clock());
    QVERIFY(!w->clock()->isEnabled()); // created disabled
    QCOMPARE(w->clock()->parent(), w);
    QVERIFY(w->clock()->onProgress);
    w->clock()->onProgress(w->clock(), 0.25, 1.0);
    QCOMPARE(w->steps, QList<double>({0.25}));
    w->closeQuery();
    w->clock()->onProgress(w->clock(), 0.5, 1.5); // a tick after closing
    QCOMPARE(w->steps.size(), 1);
    QPointer<AnimationClock> clock = w->clock();
    delete w;
    QVERIFY(clock.isNull()); // destroyed with its window
}

void TestSimulationWindow::runningClockTicksStepAndDiesWithTheWindow()
{
    TestSupport::ScopedClockTime clock(100.0);
    double &now = clock.now;
    auto *w = new LookWindow;
    QCoreApplication::processEvents();
    QVERIFY(w->steps.isEmpty()); // created disabled: no ticks
    w->startAction()->trigger();
    now += 0.25;
    auto sum = [&] {
        double s = 0;
        for (double d : w->steps)
            s += d;
        return s;
    };
    QTRY_VERIFY(sum() > 0.249);
    QVERIFY(sum() < 0.251);
    w->stopAction()->trigger();
    const int calls = w->steps.size();
    now += 5.0; // a pause does not count
    QCoreApplication::processEvents();
    QCOMPARE(w->steps.size(), calls);
    w->startAction()->trigger();
    now += 0.5;
    QTRY_VERIFY(sum() > 0.749);
    QVERIFY(sum() < 0.751);

    // Released while running: the clock goes with the window.
    w->deleteLater();
    QTRY_COMPARE(AnimationClock::attachedClockCount(), 0);
    QCoreApplication::processEvents();
}

void TestSimulationWindow::advance_data()
{
    QTest::addColumn<float>("acc");
    QTest::addColumn<double>("dt");
    QTest::addColumn<double>("factor");
    QTest::addColumn<float>("wrap");
    QTest::addColumn<int>("speed");
    QTest::addColumn<float>("expected");
    QTest::newRow("phase wraps once") << 350.0f << 0.1 << 1.0 << 360.0f << 200 << 10.0f;
    QTest::newRow("exactly the wrap stays") << 340.0f << 0.1 << 1.0 << 360.0f << 200 << 360.0f;
    QTest::newRow("ripple time") << 4.99f << 0.02 << 0.05 << 5.0f << 50 << float(4.99f + 0.05) - 5.0f;
    QTest::newRow("resonance, no wrap") << 1000.0f << 0.5 << 0.02 << 0.0f << 100 << 1001.0f;
    QTest::newRow("frequency factor") << 0.0f << 0.1 << 2.0 << 360.0f << 50 << 10.0f;
    QTest::newRow("negative speed") << 5.0f << 1.0 << 1.0 << 360.0f << -3 << 2.0f;
}

void TestSimulationWindow::advance()
{
    QFETCH(float, acc);
    QFETCH(double, dt);
    QFETCH(double, factor);
    QFETCH(float, wrap);
    QFETCH(int, speed);
    QFETCH(float, expected);
    QCOMPARE(SimulationWindow::advance(acc, dt, factor, wrap, speed), expected);
    // Without a speed, the shown kind's entry of animationSpeeds().
    setActiveKind(TransverseLongitudinalKind);
    animationSpeeds()[TransverseLongitudinalKind] = speed;
    QCOMPARE(SimulationWindow::advance(acc, dt, factor, wrap), expected);
}

void TestSimulationWindow::spinEditSignalsOnlyUserChanges()
{
    QToolBar tb;
    ToolbarSpinBox se(&tb, {.min = 0.01, .max = 0.1, .step = 0.01, .value = 0.05, .decimals = 2,
                       .suffix = QStringLiteral(" mm"), .hint = QStringLiteral("Set the slit separation"), .width = 80});
    QSignalSpy spy(&se, &ToolbarSpinBox::valueEdited);
    QCOMPARE(se.value(), 0.05);
    QCOMPARE(se.text(), QLocale().toString(0.05, 'f', 2) + QStringLiteral(" mm"));
    QCOMPARE(se.toolTip(), QStringLiteral("Set the slit separation"));
    QCOMPARE(se.width(), 80);
    QVERIFY(tb.actions().contains(se.action()));

    se.setValueQuietly(0.08);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(se.value(), 0.08);
    se.setValueQuietly(5); // clamped
    QCOMPARE(se.value(), 0.1);
    se.stepDown();  // as the arrow does
    QCOMPARE(spy.count(), 1);
    QVERIFY(std::abs(se.value() - 0.09) < 1e-9);

    ToolbarSpinBox integer(&tb, {.min = 1, .max = 60, .step = 1, .value = 40});
    QCOMPARE(integer.text(), QStringLiteral("40"));
    integer.setValueQuietly(12.7);
    QCOMPARE(integer.value(), 13.0);

    se.setItemVisible(false);
    QVERIFY(!se.action()->isVisible());
}

void TestSimulationWindow::scrollBarSignalsOnlyUserMoves()
{
    ToolbarScrollBar bar({.min = 500, .max = 3000, .position = 1500, .hint = QStringLiteral("h")});
    QSignalSpy spy(&bar, &ToolbarScrollBar::scrolled);
    bar.setPosition(2000);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(bar.position(), 2000);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toInt(), 2001);
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(spy.last().first().toInt(), 3000);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // already at the end
    QCOMPARE(spy.count(), 2);
}

// A scroll bar that sets a model quantity takes the focus when clicked and
// answers the arrow and Page keys; a click on the picture takes the focus
// from a spin box. Keys meant for the picture never change a spin box.
void TestSimulationWindow::keysGoToTheControlInFocus()
{
    QMainWindow mw;
    auto *w = new LookWindow;
    auto *bar = new ToolbarScrollBar({.min = 0, .max = 2000, .position = 500, .smallStep = 1, .pageStep = 10}, w);
    bar->setFixedHeight(20);
    AlignPanel::setAlign(bar, PanelAlign::Bottom);
    auto *picture = new PaintBox(w);
    AlignPanel::setAlign(picture, PanelAlign::Client);
    mw.setCentralWidget(w);
    ToolbarDock::dockFirst(&mw, w->toolbar(), Qt::TopToolBarArea);
    mw.resize(900, 500);
    mw.show();
    mw.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mw));
    settle();
    auto press = [](Qt::Key key) { QTest::keyClick(static_cast<QWidget *>(nullptr), key); }; // to the focus
    const double mass = w->massSpinBox->value();

    // The reader typed into a spin box, then clicked the bar along the
    // bottom and pressed Page Down.
    w->massSpinBox->setFocus();
    QTRY_VERIFY(w->massSpinBox->hasFocus());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
    QTRY_VERIFY(bar->hasFocus());
    const int at = bar->value();
    press(Qt::Key_PageDown);
    QCOMPARE(bar->value(), at + 10);
    // The arrows follow the thumb: Left towards the bar's start.
    press(Qt::Key_Left);
    QCOMPARE(bar->value(), at + 9);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(bar->value(), at + 11);
    QCOMPARE(w->massSpinBox->value(), mass);

    // A click on the picture leaves no spin box listening.
    w->massSpinBox->setFocus();
    QTRY_VERIFY(w->massSpinBox->hasFocus());
    QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
    QVERIFY(!w->massSpinBox->hasFocus());
    press(Qt::Key_PageUp);
    press(Qt::Key_Up);
    QCOMPARE(w->massSpinBox->value(), mass);

    // The toolbar's own scroll bar takes the focus the same way.
    QTest::mouseClick(w->amplitudeScrollBar, Qt::LeftButton, {}, QPoint(3 * w->amplitudeScrollBar->width() / 4, 10));
    QTRY_VERIFY(w->amplitudeScrollBar->hasFocus());
}

void TestSimulationWindow::dropDownRadioItems()
{
    QToolBar tb;
    DropDownButton scale(&tb, QStringLiteral("Scale"), ZoomInIcon, QStringLiteral("Set the graph X axis scale"));
    QAction *n360 = scale.addItem(QStringLiteral("360 degrees"), 1, 1, true);
    QAction *n720 = scale.addItem(QStringLiteral("2 x 360 degrees"), 1, 2);
    QAction *n1080 = scale.addItem(QStringLiteral("3 x 360 degrees"), 1, 3);
    QAction *marker = scale.addCheckItem(QStringLiteral("Show marker"));
    QAction *plain = scale.addItem(QStringLiteral("Square wave"));
    QCOMPARE(scale.button()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(scale.button()->popupMode(), QToolButton::InstantPopup);
    QCOMPARE(scale.action()->toolTip(), QStringLiteral("Set the graph X axis scale"));

    QList<QPair<QAction *, bool>> clicks;
    connect(&scale, &DropDownButton::itemClicked, this, [&](QAction *a, bool was) { clicks << qMakePair(a, was); });

    n720->trigger();
    QVERIFY(!n360->isChecked() && n720->isChecked() && !n1080->isChecked());
    n720->trigger(); // chosen again: stays checked, reported as already checked
    QVERIFY(n720->isChecked());
    QCOMPARE(clicks, (QList<QPair<QAction *, bool>>{{n720, false}, {n720, true}}));
    QCOMPARE(n720->data().toInt(), 2);

    scale.check(n1080); // from code: no click
    QVERIFY(!n720->isChecked() && n1080->isChecked());
    QCOMPARE(clicks.size(), 2);

    marker->trigger();
    QVERIFY(marker->isChecked());
    marker->trigger();
    QVERIFY(!marker->isChecked());
    QVERIFY(n1080->isChecked()); // not in the radio group
    plain->trigger();
    QVERIFY(!plain->isChecked());
    QCOMPARE(clicks.size(), 5);
    QCOMPARE(clicks.last(), qMakePair(plain, false));

    DropDownButton options(&tb, QStringLiteral("Options"));
    QCOMPARE(options.button()->toolButtonStyle(), Qt::ToolButtonTextOnly);
}

void TestSimulationWindow::labelsShowNoHint()
{
    QToolBar tb;
    ToolbarLabel label(&tb, QStringLiteral(" Damping (kg/s) "));
    QCOMPARE(label.text(), QStringLiteral(" Damping (kg/s) "));
    QVERIFY(label.toolTip().isEmpty());
    QVERIFY(label.statusTip().isEmpty());
    label.setItemVisible(false);
    QVERIFY(!label.action()->isVisible());
}

void TestSimulationWindow::paintBoxFollowsItsSize()
{
    PaintBox pic;
    QList<QSize> atResize;
    connect(&pic, &DrawingSurface::resized, this, [&] { atResize << QSize(pic.bitmap().width(), pic.bitmap().height()); });
    showOffscreen(&pic, QSize(80, 60));
    QCOMPARE(atResize, QList<QSize>({QSize(80, 60)}));
    pic.resize(120, 30);
    settle();
    QCOMPARE(atResize.last(), QSize(120, 30)); // resized before pictureResized() runs
    QCOMPARE(pic.bitmap().devicePixelRatio(), pic.devicePixelRatioF());

    pic.beginUpdate();
    pic.bitmap().clear(0xFFFFFFFF);
    pic.bitmap().fillRect(10, 10, 20, 20, 0xFFFF0000);
    pic.endUpdate();
    const QImage shot = pic.snapshot();
    QCOMPARE(shot.pixel(15, 15), QRgb(0xFFFF0000));
    QCOMPARE(pic.grab().toImage().pixel(15, 15), QRgb(0xFFFF0000)); // what the screen gets

    // Nested updates repaint once, at the outermost end.
    int changes = 0;
    pic.bitmap().onChanged = [&] { ++changes; };
    pic.beginUpdate();
    pic.beginUpdate();
    pic.endUpdate();
    QCOMPARE(changes, 0);
    pic.endUpdate();
    QCOMPARE(changes, 1);
}

void TestSimulationWindow::imageKeepsItsBitmapAndLayersPaintOver()
{
    ImageSurface pic;
    int resizes = 0;
    connect(&pic, &DrawingSurface::resized, this, [&] { ++resizes; pic.fitBitmapToSize(); });
    showOffscreen(&pic, QSize(50, 40));
    QCOMPARE(resizes, 1);
    QCOMPARE(pic.bitmap().width(), 50);
    pic.bitmap().clear(0xFFFFFFFF);
    pic.bitmap().fillRect(0, 0, 10, 10, 0xFF0000FF);

    // Set up again at a new size, without clearing.
    pic.resize(70, 30);
    settle();
    QCOMPARE(pic.bitmap().width(), 70);
    QCOMPARE(pic.bitmap().pixel(5, 5), Color32(0xFF0000FF));

    OverlayLayer *marker = pic.addLayer();
    QList<QRectF> painted;
    marker->onPaint = [&](RasterImage &frame, const QRectF &loc) {
        painted << loc;
        frame.verticalLine(qRound(loc.left()), qRound(loc.top()), qRound(loc.bottom()), 0xFF000000);
    };
    QImage shot = pic.snapshot();
    QVERIFY(painted.isEmpty()); // hidden
    marker->setLocation(QRectF(20, 2, 1, 20));
    marker->setVisible(true);
    shot = pic.snapshot();
    QCOMPARE(shot.pixel(20, 10), QRgb(0xFF000000));
    QCOMPARE(pic.bitmap().pixel(20, 10), Color32(0xFFFFFFFF)); // the bitmap is untouched
    QCOMPARE(pic.grab().toImage().pixel(20, 10), QRgb(0xFF000000));
    marker->setLocation(QRectF(30, 2, 1, 20));
    shot = pic.snapshot();
    QCOMPARE(shot.pixel(30, 10), QRgb(0xFF000000));
    QCOMPARE(shot.pixel(20, 10), QRgb(0xFFFFFFFF));
    marker->setVisible(false);
    QCOMPARE(pic.snapshot().pixel(30, 10), QRgb(0xFFFFFFFF));
}

QTEST_MAIN(TestSimulationWindow)
#include "tst_simulationwindow.moc"
