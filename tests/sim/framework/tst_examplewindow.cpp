// A small simulation window written only against the framework, hosted the
// way the main window hosts one: a hand turning round a dial.
#include "TestSupport.h"
#include "app/AlignPanel.h"
#include "app/CadencerEx.h"
#include "app/SimGlobals.h"
#include "app/ToolbarDock.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/SimulationForm.h"
#include "sim/framework/ToolbarItems.h"

#include <QtTest>
#include <QMainWindow>
#include <cmath>

namespace {

class TDialFrm : public TSimulationForm
{
    Q_OBJECT
public:
    TDialFrm()
    {
        // Toolbar, in design order.
        AddRunButton(TRunButton::Start, QStringLiteral("Start"));
        AddRunButton(TRunButton::Stop, QStringLiteral("Stop"));
        AddRunButton(TRunButton::Reset, QStringLiteral("Reset"));
        Toolbar->addSeparator();
        LengthLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Length "));
        LengthSE = new TSpinEdit(Toolbar, {.Min = 1, .Max = 4, .Step = 0.5, .Value = 3, .Decimals = 1,
                                           .Hint = QStringLiteral("Set the length"), .Width = 50});
        ColourBtn = new TDropDownButton(Toolbar, QStringLiteral("Options"));
        Black = ColourBtn->AddItem(QStringLiteral("Black"), 1, 0, true);
        Red = ColourBtn->AddItem(QStringLiteral("Red"), 1, 1);
        ButtonSizes.SwitchImages = true;
        ButtonSizes.SpinEdit(LengthSE, 75, 50);
        ButtonSizes.Font(LengthLabel);
        ButtonSizes.Menu(ColourBtn);

        // Surfaces: the scroll bar along the bottom, the picture filling the rest.
        PhaseHsb = new TScrollBarEx({.Min = 0, .Max = 360, .Hint = QStringLiteral("Scroll through the animation")}, this);
        PhaseHsb->resize(PhaseHsb->width(), 20);
        TAlignPanel::SetAlign(PhaseHsb, TAlign::Bottom);
        Pic = new TPaintBox32(this);
        TAlignPanel::SetAlign(Pic, TAlign::Client);

        connect(Pic, &TDrawSurface::Resized, this, &TDialFrm::picResize);
        connect(LengthSE, &TSpinEdit::ValueChange, this, [this] { DrawDial(); });
        connect(PhaseHsb, &TScrollBarEx::Scroll, this, [this](int p) {
            Phase = float(p);
            DrawDial();
        });
        connect(ColourBtn, &TDropDownButton::ItemClick, this, [this](QAction *, bool wasChecked) {
            if (!wasChecked)
                DrawDial();
        });

        CreateClock();
        ShowStopped(false);
    }

    void StartBtnClick(QObject *sender) override
    {
        switch (RunButtonOf(sender)) {
        case TRunButton::Start:
            ShowRunning();
            PhaseHsb->setEnabled(false);
            break;
        case TRunButton::Stop:
            ShowStopped(Phase != 0.0f);
            PhaseHsb->setEnabled(true);
            break;
        case TRunButton::Reset:
            ShowStopped(false);
            Phase = 0;
            PhaseHsb->SetPosition(0);
            DrawDial();
            break;
        case TRunButton::None:
            break;
        }
    }

    void picResize()
    {
        Unit = 0.1f * std::min(Pic->width(), Pic->height());
        DrawDial();
    }

    // The hand's tip, in picture pixels.
    QPointF Tip() const
    {
        const float a = Phase * float(M_PI) / 180.0f;
        const QPointF c(Pic->width() / 2.0, Pic->height() / 2.0);
        const float r = float(LengthSE->Value()) * Unit;
        return c + QPointF(r * std::cos(a), r * std::sin(a)); // clockwise on the screen
    }

    void DrawDial()
    {
        if (Closing() || Pic->Bitmap().Empty())
            return;
        ++Draws;
        TBitmap32 &b = Pic->Bitmap();
        Pic->BeginUpdate();
        b.Clear(0xFFFFFFFF);
        {
            DrawingContext dc(b);
            dc.SetSmoothing(TSmoothing::HighQuality);
            const TDrawPen pen(Red->isChecked() ? 0xFFFF0000 : 0xFF000000, 3);
            dc.DrawEllipse(TDrawPen(0xFF808080), Pic->width() / 2.0f - 4.5f * Unit, Pic->height() / 2.0f - 4.5f * Unit,
                           9 * Unit, 9 * Unit);
            const QPointF tip = Tip();
            dc.DrawLine(pen, Pic->width() / 2.0f, Pic->height() / 2.0f, float(tip.x()), float(tip.y()));
        }
        b.FrameRect(0, 0, b.Width(), b.Height(), 0xFF3F3F3F);
        Pic->EndUpdate();
    }

    TToolbarLabel *LengthLabel;
    TSpinEdit *LengthSE;
    TDropDownButton *ColourBtn;
    QAction *Black, *Red;
    TScrollBarEx *PhaseHsb;
    TPaintBox32 *Pic;
    float Phase = 0;
    float Unit = 0;
    int Draws = 0;

protected:
    void Step(double deltaTime) override
    {
        Phase = Advance(Phase, deltaTime, 1.0, 360.0f);
        DrawDial();
        PhaseHsb->SetPosition(int(std::nearbyint(Phase)));
        ProcessMessages();
    }
};

// The main window's part: a pane the window fills and a dock for its toolbar.
struct Host {
    QMainWindow main;
    TAlignPanel *pane = new TAlignPanel;
    QPointer<TDialFrm> window;
    Host()
    {
        main.setCentralWidget(pane);
        main.resize(900, 600);
        main.show();
    }
    void Show(bool large)
    {
        auto *w = new TDialFrm;
        w->hide();
        w->setWindowFlags(Qt::Widget);
        w->setParent(pane);
        TAlignPanel::SetAlign(w, TAlign::Client);
        w->setMinimumWidth(30);
        ToolbarDock::DockFirst(&main, w->Toolbar, Qt::TopToolBarArea);
        w->SetLargeButtons(large);
        w->show();
        pane->Realign();
        window = w;
        QCoreApplication::processEvents();
    }
};

bool dark(const TBitmap32 &b, QPointF p)
{
    return qRed(b.Pixel(int(p.x()), int(p.y()))) < 128;
}
} // namespace

class TestExampleWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ActiveKind = skAuxCircle;
        Speeds = DefaultSpeeds();
    }
    void hostedWindowDrawsAndSizesItsToolbar();
    void animationStepsTheModel();
    void controlsRedraw();
    void releasedWhileRunning();
};

void TestExampleWindow::hostedWindowDrawsAndSizesItsToolbar()
{
    Host host;
    host.Show(true);
    TDialFrm *w = host.window;
    QVERIFY(QTest::qWaitForWindowExposed(&host.main));
    QCOMPARE(host.main.toolBarArea(w->Toolbar), Qt::TopToolBarArea);
    QCOMPARE(w->Toolbar->iconSize(), QSize(48, 48)); // opened with large buttons
    QCOMPARE(w->LengthSE->width(), 75);
    QVERIFY(w->StartBtn->isEnabled() && !w->StopBtn->isEnabled() && !w->ResetBtn->isEnabled());

    // The first resize set the unit and drew the picture above the scroll bar.
    QCOMPARE(w->Pic->geometry().bottom() + 1, w->PhaseHsb->geometry().top());
    QCOMPARE(w->Pic->Bitmap().Width(), w->Pic->width());
    QVERIFY(w->Unit > 0);
    QVERIFY(w->Draws >= 1);
    const QPointF mid = (QPointF(w->Pic->width() / 2.0, w->Pic->height() / 2.0) + w->Tip()) / 2;
    QVERIFY(dark(w->Pic->Bitmap(), mid));

    w->SetLargeButtons(false);
    QCOMPARE(w->Toolbar->iconSize(), QSize(24, 24));
    QCOMPARE(w->LengthSE->width(), 50);
}

void TestExampleWindow::animationStepsTheModel()
{
    // The clock runs on a time of the test's own.
    TestSupport::ScopedClockTime clock(50.0);
    double &now = clock.now;
    Host host;
    host.Show(false);
    TDialFrm *w = host.window;
    w->StartBtn->trigger();
    QVERIFY(w->IsClockRunning());
    QVERIFY(!w->PhaseHsb->isEnabled());

    // Speed 60 for this kind, factor 1, wrap 360.
    const int before = w->Draws;
    now += 0.5;
    QTRY_COMPARE(w->Phase, 30.0f);
    QCOMPARE(w->PhaseHsb->Position(), 30);
    QVERIFY(w->Draws > before);
    now += 5.75;
    QTRY_COMPARE(w->Phase, 15.0f); // 375 wrapped once
    QVERIFY(dark(w->Pic->Bitmap(), (QPointF(w->Pic->width() / 2.0, w->Pic->height() / 2.0) + w->Tip()) / 2));

    w->StopBtn->trigger();
    QVERIFY(!w->IsClockRunning());
    now += 1.0;
    QCoreApplication::processEvents();
    QCOMPARE(w->Phase, 15.0f);
    QVERIFY(w->ResetBtn->isEnabled()); // the model left its start
    w->ResetBtn->trigger();
    QCOMPARE(w->Phase, 0.0f);
    QCOMPARE(w->PhaseHsb->Position(), 0);
    QVERIFY(!w->ResetBtn->isEnabled());
}

void TestExampleWindow::controlsRedraw()
{
    Host host;
    host.Show(false);
    TDialFrm *w = host.window;
    const QPointF oldTip = w->Tip();
    w->LengthSE->stepDown(); // 3 -> 2.5, as the arrow does
    QVERIFY(w->Tip().x() < oldTip.x());
    QVERIFY(dark(w->Pic->Bitmap(), w->Tip() - QPointF(2, 0)));

    w->PhaseHsb->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w->Phase, float(w->PhaseHsb->Position()));

    w->Red->trigger();
    const QPointF mid = (QPointF(w->Pic->width() / 2.0, w->Pic->height() / 2.0) + w->Tip()) / 2;
    QCOMPARE(qRed(w->Pic->Bitmap().Pixel(int(mid.x()), int(mid.y()))), 255);
    const int draws = w->Draws;
    w->Red->trigger(); // already chosen: nothing to do
    QCOMPARE(w->Draws, draws);
}

void TestExampleWindow::releasedWhileRunning()
{
    Host host;
    host.Show(false);
    QPointer<TDialFrm> w = host.window;
    QPointer<TNGLCadencer> clock = w->Clock;
    QPointer<QToolBar> toolbar = w->Toolbar.data();
    w->StartBtn->trigger();
    w->deleteLater();
    QTRY_VERIFY(w.isNull());
    QVERIFY(clock.isNull());
    QVERIFY(toolbar.isNull());
}

QTEST_MAIN(TestExampleWindow)
#include "tst_examplewindow.moc"
