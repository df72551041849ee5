// The window contract: button sizes, toolbar and form close queries, the
// run-button convention, the clock wiring and the step helper; the toolbar
// items; the drawing surfaces.
#include "TestSupport.h"
#include "app/CadencerEx.h"
#include "app/SimGlobals.h"
#include "app/ToolbarDock.h"
#include "app/uDataMod.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/SimulationForm.h"
#include "sim/framework/ToolbarItems.h"

#include <QtTest>
#include <QMainWindow>
#include <QPainter>
#include <QMenu>
#include <QToolButton>

namespace {

// A window with one of each toolbar item, described for SetLargeButtons.
class TLookFrm : public TSimulationForm
{
public:
    TLookFrm()
    {
        AddRunButton(TRunButton::Start, QStringLiteral("Start"));
        AddRunButton(TRunButton::Stop, QStringLiteral("Stop"));
        AddRunButton(TRunButton::Reset, QString(), QStringLiteral("Reset to start"));
        Toolbar->addSeparator();
        MassLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Mass (kg) "));
        MassSE = new TSpinEdit(Toolbar, {.Min = 0.1, .Max = 1.0, .Step = 0.1, .Value = 0.5, .Decimals = 1,
                                         .Hint = QStringLiteral("Set the mass"), .Width = 55});
        BoldLabel = new TToolbarLabel(Toolbar, QStringLiteral("Bold"));
        QFont bold = BoldLabel->font();
        bold.setBold(true);
        BoldLabel->setFont(bold);
        AbsorberSE = new TSpinEdit(Toolbar, {.Min = 0, .Max = 10, .Step = 0.1, .Value = 5, .Decimals = 1,
                                             .Suffix = QStringLiteral(" mm")});
        AmpHsb = new TScrollBarEx(Toolbar, {.Min = 0, .Max = 50, .Position = 25, .Hint = QStringLiteral("Set the amplitude")},
                                  QSize(121, 20));
        ColorBtn = new TDropDownButton(Toolbar, QStringLiteral("Colour"), biColour);
        Red = ColorBtn->AddItem(QStringLiteral("Red"), 1, 0xFF0000, true);
        Green = ColorBtn->AddItem(QStringLiteral("Green"), 1, 0x66CC33);
        ColorBtn->SetItemPainter([](QAction *item, QPainter &p, const QRect &r) {
            p.fillRect(r, QColor::fromRgb(QRgb(item->data().toUInt())));
        }, 20, 40);

        ButtonSizes.SwitchImages = true;
        ButtonSizes.SpinEdit(MassSE, 70, 55);
        ButtonSizes.SpinEdit(AbsorberSE, 100, 70);
        ButtonSizes.Font(MassLabel);
        ButtonSizes.Font(BoldLabel);
        ButtonSizes.Height(AmpHsb, 25, 20);
        ButtonSizes.Menu(ColorBtn);
        ButtonSizes.Custom([this](bool) { ++customCalls; });
        CreateClock();
    }
    void Step(double dt) override { steps << dt; }

    TToolbarLabel *MassLabel, *BoldLabel;
    TSpinEdit *MassSE, *AbsorberSE;
    TScrollBarEx *AmpHsb;
    TDropDownButton *ColorBtn;
    QAction *Red, *Green;
    int customCalls = 0;
    QList<double> steps;
    bool keeps() const { return KeepsButtonState; }
    void setKeeps(bool k) { KeepsButtonState = k; }
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

class TestSimulationForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { ActiveKind = skNone; Speeds = DefaultSpeeds(); }
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
    void dropDownRadioItems();
    void labelsShowNoHint();
    void paintBoxFollowsItsSize();
    void imageKeepsItsBitmapAndLayersPaintOver();
};

void TestSimulationForm::largeButtonsTwiceRestoresTheDesignLook()
{
    QMainWindow mw;
    QFont mainFont = mw.font();
    mainFont.setPointSize(9);
    mw.setFont(mainFont);
    mw.setCentralWidget(new QWidget);
    auto *w = new TLookFrm;
    w->setParent(mw.centralWidget());
    ToolbarDock::DockFirst(&mw, w->Toolbar, Qt::TopToolBarArea);
    mw.resize(1200, 400);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    settle();
    const QStringList design = look(w->Toolbar);
    QCOMPARE(w->Toolbar->iconSize(), QSize(24, 24));

    w->SetLargeButtons(false); // the state it has: nothing changes
    settle();
    QCOMPARE(look(w->Toolbar), design);
    QCOMPARE(w->customCalls, 0);

    w->SetLargeButtons(true);
    settle();
    QCOMPARE(w->Toolbar->iconSize(), QSize(48, 48));
    QCOMPARE(w->StartBtn->icon().cacheKey(), TDataMod::Instance()->Buttons48.Icon(biStart).cacheKey());
    QCOMPARE(w->MassSE->width(), 70);
    QCOMPARE(w->AbsorberSE->width(), 100);
    QCOMPARE(w->AmpHsb->height(), 25);
    QCOMPARE(w->AmpHsb->width(), 121);
    QCOMPARE(w->MassLabel->font().pointSizeF(), 13.5); // inherited 9 points, 150 percent
    QCOMPARE(w->MassSE->font().pointSizeF(), 13.5);
    QVERIFY(w->BoldLabel->font().bold());
    QCOMPARE(w->Red->font().pointSizeF(), w->Toolbar->font().pointSizeF() * 1.5);
    QCOMPARE(w->ColorBtn->Button()->font().pointSizeF(), 13.5);
    QCOMPARE(w->ColorBtn->ItemPictureSize(), 40);
    QCOMPARE(w->Red->icon().actualSize(QSize(64, 64)), QSize(40, 40));
    const QStringList large = look(w->Toolbar);
    QVERIFY(large != design);

    w->SetLargeButtons(true);
    settle();
    QCOMPARE(look(w->Toolbar), large);

    w->SetLargeButtons(false);
    settle();
    QCOMPARE(look(w->Toolbar), design);
    QVERIFY(!w->MassLabel->testAttribute(Qt::WA_SetFont)); // inherits again
    QVERIFY(w->BoldLabel->testAttribute(Qt::WA_SetFont));  // its own font back
    QCOMPARE(w->customCalls, 2);

    // A second round trip ends in the same place.
    w->SetLargeButtons(true);
    w->SetLargeButtons(false);
    settle();
    QCOMPARE(look(w->Toolbar), design);
    delete w;
}

void TestSimulationForm::largeButtonsStateRule()
{
    TLookFrm keeps;
    QVERIFY(keeps.keeps());
    keeps.SetLargeButtons(false);
    keeps.SetLargeButtons(true);
    keeps.SetLargeButtons(true);
    QCOMPARE(keeps.customCalls, 1);
    QVERIFY(keeps.LargeButtons());

    // A window that keeps no state applies the rule on every call.
    TLookFrm always;
    always.setKeeps(false);
    always.SetLargeButtons(false);
    always.SetLargeButtons(false);
    QCOMPARE(always.customCalls, 2);
    QCOMPARE(always.MassSE->width(), 55);
    always.SetLargeButtons(true);
    QCOMPARE(always.MassSE->width(), 70);
}

void TestSimulationForm::floatingToolbarCloseDocksItAgain()
{
    QMainWindow mw;
    mw.setCentralWidget(new QWidget);
    auto *other = new QToolBar(QStringLiteral("Other"), &mw);
    other->setObjectName(QStringLiteral("Other"));
    other->addAction(QStringLiteral("x"));
    mw.addToolBar(Qt::BottomToolBarArea, other);
    auto *w = new TLookFrm;
    w->setParent(mw.centralWidget());
    ToolbarDock::DockFirst(&mw, w->Toolbar, Qt::BottomToolBarArea);
    mw.resize(1000, 500);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    settle();
    QCOMPARE(mw.toolBarArea(w->Toolbar), Qt::BottomToolBarArea);

    // Docked, a close request is refused and nothing moves.
    w->Toolbar->close();
    settle();
    QVERIFY(w->Toolbar->isVisible());
    QCOMPARE(mw.toolBarArea(w->Toolbar), Qt::BottomToolBarArea);

    floatToolbar(w->Toolbar);
    QVERIFY(w->Toolbar->isFloating());
    QVERIFY(!w->Toolbar->close()); // refused
    settle();
    QVERIFY(!w->Toolbar->isFloating());
    QVERIFY(w->Toolbar->isVisible());
    QCOMPARE(w->Toolbar->parentWidget(), &mw);
    QCOMPARE(mw.toolBarArea(w->Toolbar), Qt::BottomToolBarArea);
    QTRY_VERIFY(w->Toolbar->x() < other->x() || w->Toolbar->y() != other->y());

    bool canClose = true;
    w->ToolbarCloseQuery(w->Toolbar, canClose);
    QVERIFY(!canClose);
    delete w;
}

void TestSimulationForm::formCloseQuerySetsFlagAndStopsClock()
{
    TLookFrm w;
    w.Clock->SetEnabled(true);
    QVERIFY(w.IsClockRunning());
    QVERIFY(!w.Closing());
    QVERIFY(w.FormCloseQuery()); // never refuses
    QVERIFY(w.Closing());
    QVERIFY(!w.IsClockRunning());

    // Closing the window runs the query too.
    TLookFrm v;
    v.Clock->SetEnabled(true);
    ShowOffscreen(&v, QSize(300, 200));
    QVERIFY(v.close());
    QVERIFY(v.Closing());
    QVERIFY(!v.Clock->Enabled());
}

void TestSimulationForm::runButtonConvention()
{
    TLookFrm w;
    QCOMPARE(w.StartBtn->icon().cacheKey(), TDataMod::Instance()->Buttons24.Icon(biStart).cacheKey());
    QCOMPARE(w.StopBtn->icon().cacheKey(), TDataMod::Instance()->Buttons24.Icon(biStop).cacheKey());
    QCOMPARE(w.ResetBtn->icon().cacheKey(), TDataMod::Instance()->Buttons24.Icon(biReset).cacheKey());
    QCOMPARE(w.ResetBtn->toolTip(), QStringLiteral("Reset to start"));
    QCOMPARE(w.RunButtonOf(w.StopBtn), TSimulationForm::TRunButton::Stop);
    QCOMPARE(w.RunButtonOf(w.MassSE), TSimulationForm::TRunButton::None);

    w.ShowStopped(false); // the created state of most animated windows
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());

    w.StartBtn->trigger();
    QVERIFY(!w.StartBtn->isEnabled() && w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());
    QVERIFY(w.IsClockRunning());

    w.StopBtn->trigger();
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled());
    QVERIFY(!w.IsClockRunning());

    w.ShowStopped(true);
    QVERIFY(w.ResetBtn->isEnabled());
    w.ResetBtn->trigger();
    QVERIFY(!w.ResetBtn->isEnabled() && w.StartBtn->isEnabled() && !w.IsClockRunning());
}

void TestSimulationForm::clockCallsStepUntilClosing()
{
    auto *w = new TLookFrm;
    QVERIFY(w->Clock);
    QVERIFY(!w->Clock->Enabled()); // created disabled
    QCOMPARE(w->Clock->parent(), w);
    QVERIFY(w->Clock->OnProgress);
    w->Clock->OnProgress(w->Clock, 0.25, 1.0);
    QCOMPARE(w->steps, QList<double>({0.25}));
    w->FormCloseQuery();
    w->Clock->OnProgress(w->Clock, 0.5, 1.5); // a tick after closing
    QCOMPARE(w->steps.size(), 1);
    QPointer<TNGLCadencer> clock = w->Clock;
    delete w;
    QVERIFY(clock.isNull()); // destroyed with its window
}

void TestSimulationForm::runningClockTicksStepAndDiesWithTheWindow()
{
    TestSupport::ScopedClockTime clock(100.0);
    double &now = clock.now;
    auto *w = new TLookFrm;
    QCoreApplication::processEvents();
    QVERIFY(w->steps.isEmpty()); // created disabled: no ticks
    w->StartBtn->trigger();
    now += 0.25;
    auto sum = [&] {
        double s = 0;
        for (double d : w->steps)
            s += d;
        return s;
    };
    QTRY_VERIFY(sum() > 0.249);
    QVERIFY(sum() < 0.251);
    w->StopBtn->trigger();
    const int calls = w->steps.size();
    now += 5.0; // a pause does not count
    QCoreApplication::processEvents();
    QCOMPARE(w->steps.size(), calls);
    w->StartBtn->trigger();
    now += 0.5;
    QTRY_VERIFY(sum() > 0.749);
    QVERIFY(sum() < 0.751);

    // Released while running: the clock goes with the window.
    w->deleteLater();
    QTRY_COMPARE(TNGLCadencer::AttachedClockCount(), 0);
    QCoreApplication::processEvents();
}

void TestSimulationForm::advance_data()
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

void TestSimulationForm::advance()
{
    QFETCH(float, acc);
    QFETCH(double, dt);
    QFETCH(double, factor);
    QFETCH(float, wrap);
    QFETCH(int, speed);
    QFETCH(float, expected);
    QCOMPARE(TSimulationForm::Advance(acc, dt, factor, wrap, speed), expected);
    // Without a speed, the shown kind's entry of Speeds.
    ActiveKind = skTransLongWaves;
    Speeds[skTransLongWaves] = speed;
    QCOMPARE(TSimulationForm::Advance(acc, dt, factor, wrap), expected);
}

void TestSimulationForm::spinEditSignalsOnlyUserChanges()
{
    QToolBar tb;
    TSpinEdit se(&tb, {.Min = 0.01, .Max = 0.1, .Step = 0.01, .Value = 0.05, .Decimals = 2,
                       .Suffix = QStringLiteral(" mm"), .Hint = QStringLiteral("Set the slit separation"), .Width = 80});
    QSignalSpy spy(&se, &TSpinEdit::ValueChange);
    QCOMPARE(se.Value(), 0.05);
    QCOMPARE(se.text(), QLocale().toString(0.05, 'f', 2) + QStringLiteral(" mm"));
    QCOMPARE(se.toolTip(), QStringLiteral("Set the slit separation"));
    QCOMPARE(se.width(), 80);
    QVERIFY(tb.actions().contains(se.Action()));

    se.SetValue(0.08);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(se.Value(), 0.08);
    se.SetValue(5); // clamped
    QCOMPARE(se.Value(), 0.1);
    se.stepDown();  // as the arrow does
    QCOMPARE(spy.count(), 1);
    QVERIFY(std::abs(se.Value() - 0.09) < 1e-9);

    TSpinEdit integer(&tb, {.Min = 1, .Max = 60, .Step = 1, .Value = 40});
    QCOMPARE(integer.text(), QStringLiteral("40"));
    integer.SetValue(12.7);
    QCOMPARE(integer.Value(), 13.0);

    se.SetVisible(false);
    QVERIFY(!se.Action()->isVisible());
}

void TestSimulationForm::scrollBarSignalsOnlyUserMoves()
{
    TScrollBarEx bar({.Min = 500, .Max = 3000, .Position = 1500, .Hint = QStringLiteral("h")});
    QSignalSpy spy(&bar, &TScrollBarEx::Scroll);
    bar.SetPosition(2000);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(bar.Position(), 2000);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toInt(), 2001);
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(spy.last().first().toInt(), 3000);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // already at the end
    QCOMPARE(spy.count(), 2);
}

void TestSimulationForm::dropDownRadioItems()
{
    QToolBar tb;
    TDropDownButton scale(&tb, QStringLiteral("Scale"), biZoomIn, QStringLiteral("Set the graph X axis scale"));
    QAction *n360 = scale.AddItem(QStringLiteral("360 degrees"), 1, 1, true);
    QAction *n720 = scale.AddItem(QStringLiteral("2 x 360 degrees"), 1, 2);
    QAction *n1080 = scale.AddItem(QStringLiteral("3 x 360 degrees"), 1, 3);
    QAction *marker = scale.AddCheckItem(QStringLiteral("Show marker"));
    QAction *plain = scale.AddItem(QStringLiteral("Square wave"));
    QCOMPARE(scale.Button()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(scale.Button()->popupMode(), QToolButton::InstantPopup);
    QCOMPARE(scale.Action()->toolTip(), QStringLiteral("Set the graph X axis scale"));

    QList<QPair<QAction *, bool>> clicks;
    connect(&scale, &TDropDownButton::ItemClick, this, [&](QAction *a, bool was) { clicks << qMakePair(a, was); });

    n720->trigger();
    QVERIFY(!n360->isChecked() && n720->isChecked() && !n1080->isChecked());
    n720->trigger(); // chosen again: stays checked, reported as already checked
    QVERIFY(n720->isChecked());
    QCOMPARE(clicks, (QList<QPair<QAction *, bool>>{{n720, false}, {n720, true}}));
    QCOMPARE(n720->data().toInt(), 2);

    scale.Check(n1080); // from code: no click
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

    TDropDownButton options(&tb, QStringLiteral("Options"));
    QCOMPARE(options.Button()->toolButtonStyle(), Qt::ToolButtonTextOnly);
}

void TestSimulationForm::labelsShowNoHint()
{
    QToolBar tb;
    TToolbarLabel label(&tb, QStringLiteral(" Damping (kg/s) "));
    QCOMPARE(label.text(), QStringLiteral(" Damping (kg/s) "));
    QVERIFY(label.toolTip().isEmpty());
    QVERIFY(label.statusTip().isEmpty());
    label.SetVisible(false);
    QVERIFY(!label.Action()->isVisible());
}

void TestSimulationForm::paintBoxFollowsItsSize()
{
    TPaintBox32 pic;
    QList<QSize> atResize;
    connect(&pic, &TDrawSurface::Resized, this, [&] { atResize << QSize(pic.Bitmap().Width(), pic.Bitmap().Height()); });
    ShowOffscreen(&pic, QSize(80, 60));
    QCOMPARE(atResize, QList<QSize>({QSize(80, 60)}));
    pic.resize(120, 30);
    settle();
    QCOMPARE(atResize.last(), QSize(120, 30)); // resized before picResize runs
    QCOMPARE(pic.Bitmap().DevicePixelRatio(), pic.devicePixelRatioF());

    pic.BeginUpdate();
    pic.Bitmap().Clear(0xFFFFFFFF);
    pic.Bitmap().FillRect(10, 10, 20, 20, 0xFFFF0000);
    pic.EndUpdate();
    const QImage shot = pic.Snapshot();
    QCOMPARE(shot.pixel(15, 15), QRgb(0xFFFF0000));
    QCOMPARE(pic.grab().toImage().pixel(15, 15), QRgb(0xFFFF0000)); // what the screen gets

    // Nested updates repaint once, at the outermost end.
    int changes = 0;
    pic.Bitmap().OnChanged = [&] { ++changes; };
    pic.BeginUpdate();
    pic.BeginUpdate();
    pic.EndUpdate();
    QCOMPARE(changes, 0);
    pic.EndUpdate();
    QCOMPARE(changes, 1);
}

void TestSimulationForm::imageKeepsItsBitmapAndLayersPaintOver()
{
    TImage32 pic;
    int resizes = 0;
    connect(&pic, &TDrawSurface::Resized, this, [&] { ++resizes; pic.SetupBitmap(); });
    ShowOffscreen(&pic, QSize(50, 40));
    QCOMPARE(resizes, 1);
    QCOMPARE(pic.Bitmap().Width(), 50);
    pic.Bitmap().Clear(0xFFFFFFFF);
    pic.Bitmap().FillRect(0, 0, 10, 10, 0xFF0000FF);

    // Set up again at a new size, without clearing.
    pic.resize(70, 30);
    settle();
    QCOMPARE(pic.Bitmap().Width(), 70);
    QCOMPARE(pic.Bitmap().Pixel(5, 5), TColor32(0xFF0000FF));

    TOverlayLayer *marker = pic.AddLayer();
    QList<QRectF> painted;
    marker->OnPaint = [&](TBitmap32 &frame, const QRectF &loc) {
        painted << loc;
        frame.VertLine(qRound(loc.left()), qRound(loc.top()), qRound(loc.bottom()), 0xFF000000);
    };
    QImage shot = pic.Snapshot();
    QVERIFY(painted.isEmpty()); // hidden
    marker->SetLocation(QRectF(20, 2, 1, 20));
    marker->SetVisible(true);
    shot = pic.Snapshot();
    QCOMPARE(shot.pixel(20, 10), QRgb(0xFF000000));
    QCOMPARE(pic.Bitmap().Pixel(20, 10), TColor32(0xFFFFFFFF)); // the bitmap is untouched
    QCOMPARE(pic.grab().toImage().pixel(20, 10), QRgb(0xFF000000));
    marker->SetLocation(QRectF(30, 2, 1, 20));
    shot = pic.Snapshot();
    QCOMPARE(shot.pixel(30, 10), QRgb(0xFF000000));
    QCOMPARE(shot.pixel(20, 10), QRgb(0xFFFFFFFF));
    marker->SetVisible(false);
    QCOMPARE(pic.Snapshot().pixel(30, 10), QRgb(0xFFFFFFFF));
}

QTEST_MAIN(TestSimulationForm)
#include "tst_simulationform.moc"
