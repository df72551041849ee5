// A small simulation window written only against the framework, hosted the
// way the main window hosts one: a hand turning round a dial.
#include "WidgetTestSupport.h"
#include "sim/framework/AlignPanel.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/ToolbarDock.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarItems.h"

#include <QtTest>
#include <QMainWindow>
#include <cmath>

namespace {

class DialWindow : public SimulationWindow
{
    Q_OBJECT
public:
    DialWindow()
    {
        // Toolbar, in design order.
        addRunButton(RunButton::Start, QStringLiteral("Start"));
        addRunButton(RunButton::Stop, QStringLiteral("Stop"));
        addRunButton(RunButton::Reset, QStringLiteral("Reset"));
        m_toolbar->addSeparator();
        lengthLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Length "));
        lengthSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 1, .max = 4, .step = 0.5, .value = 3, .decimals = 1,
                                           .hint = QStringLiteral("Set the length"), .width = 50});
        colourButton = new DropDownButton(m_toolbar, QStringLiteral("Options"));
        black = colourButton->addItem(QStringLiteral("Black"), 1, 0, true);
        red = colourButton->addItem(QStringLiteral("Red"), 1, 1);
        m_buttonSizes.switchImages = true;
        m_buttonSizes.spinEdit(lengthSpinBox, 75, 50);
        m_buttonSizes.font(lengthLabel);
        m_buttonSizes.menu(colourButton);

        // Surfaces: the scroll bar along the bottom, the picture filling the rest.
        phaseScrollBar = new ToolbarScrollBar({.min = 0, .max = 360, .hint = QStringLiteral("Scroll through the animation")}, this);
        phaseScrollBar->resize(phaseScrollBar->width(), 20);
        AlignPanel::setAlign(phaseScrollBar, PanelAlign::Bottom);
        picture = new PaintBox(this);
        AlignPanel::setAlign(picture, PanelAlign::Client);

        connect(picture, &DrawingSurface::resized, this, &DialWindow::pictureResized);
        connect(lengthSpinBox, &ToolbarSpinBox::valueEdited, this, [this] { drawDial(); });
        connect(phaseScrollBar, &ToolbarScrollBar::scrolled, this, [this](int p) {
            phase = float(p);
            drawDial();
        });
        connect(colourButton, &DropDownButton::itemClicked, this, [this](QAction *, bool wasChecked) {
            if (!wasChecked)
                drawDial();
        });

        createClock();
        showStopped(false);
    }

    void runButtonClicked(QObject *sender) override
    {
        switch (runButtonOf(sender)) {
        case RunButton::Start:
            showRunning();
            phaseScrollBar->setEnabled(false);
            break;
        case RunButton::Stop:
            showStopped(phase != 0.0f);
            phaseScrollBar->setEnabled(true);
            break;
        case RunButton::Reset:
            showStopped(false);
            phase = 0;
            phaseScrollBar->setPosition(0);
            drawDial();
            break;
        case RunButton::None:
            break;
        }
    }

    void pictureResized()
    {
        unit = 0.1f * std::min(picture->width(), picture->height());
        drawDial();
    }

    // The hand's tip, in picture pixels.
    QPointF tip() const
    {
        const float a = phase * float(M_PI) / 180.0f;
        const QPointF c(picture->width() / 2.0, picture->height() / 2.0);
        const float r = float(lengthSpinBox->value()) * unit;
        return c + QPointF(r * std::cos(a), r * std::sin(a)); // clockwise on the screen
    }

    void drawDial()
    {
        if (isClosing() || picture->bitmap().isEmpty())
            return;
        ++draws;
        RasterImage &b = picture->bitmap();
        picture->beginUpdate();
        b.clear(0xFFFFFFFF);
        {
            DrawingContext dc(b);
            dc.setSmoothing(Smoothing::HighQuality);
            const DrawPen pen(red->isChecked() ? 0xFFFF0000 : 0xFF000000, 3);
            dc.drawEllipse(DrawPen(0xFF808080), picture->width() / 2.0f - 4.5f * unit, picture->height() / 2.0f - 4.5f * unit,
                           9 * unit, 9 * unit);
            const QPointF hand = tip();
            dc.drawLine(pen, picture->width() / 2.0f, picture->height() / 2.0f, float(hand.x()), float(hand.y()));
        }
        b.frameRect(0, 0, b.width(), b.height(), 0xFF3F3F3F);
        picture->endUpdate();
    }

    ToolbarLabel *lengthLabel;
    ToolbarSpinBox *lengthSpinBox;
    DropDownButton *colourButton;
    QAction *black, *red;
    ToolbarScrollBar *phaseScrollBar;
    PaintBox *picture;
    float phase = 0;
    float unit = 0;
    int draws = 0;

protected:
    void step(double deltaTime) override
    {
        phase = advance(phase, deltaTime, 1.0, 360.0f);
        drawDial();
        phaseScrollBar->setPosition(int(std::nearbyint(phase)));
        processEvents();
    }
};

// The main window's part: a pane the window fills and a dock for its toolbar.
struct Host {
    QMainWindow main;
    AlignPanel *pane = new AlignPanel;
    QPointer<DialWindow> window;
    Host()
    {
        main.setCentralWidget(pane);
        main.resize(900, 600);
        main.show();
    }
    void show(bool large)
    {
        auto *w = new DialWindow;
        w->hide();
        w->setWindowFlags(Qt::Widget);
        w->setParent(pane);
        AlignPanel::setAlign(w, PanelAlign::Client);
        w->setMinimumWidth(30);
        ToolbarDock::dockFirst(&main, w->toolbar(), Qt::TopToolBarArea);
        w->setLargeButtons(large);
        w->show();
        pane->realign();
        window = w;
        QCoreApplication::processEvents();
    }
};

bool dark(const RasterImage &b, QPointF p)
{
    return qRed(b.pixel(int(p.x()), int(p.y()))) < 128;
}
} // namespace

class TestExampleWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(AuxiliaryCircleKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void hostedWindowDrawsAndSizesItsToolbar();
    void animationStepsTheModel();
    void controlsRedraw();
    void releasedWhileRunning();
};

void TestExampleWindow::hostedWindowDrawsAndSizesItsToolbar()
{
    Host host;
    host.show(true);
    DialWindow *w = host.window;
    QVERIFY(QTest::qWaitForWindowExposed(&host.main));
    QCOMPARE(host.main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
    QCOMPARE(w->toolbar()->iconSize(), QSize(48, 48)); // opened with large buttons
    QCOMPARE(w->lengthSpinBox->width(), 75);
    QVERIFY(w->startAction()->isEnabled() && !w->stopAction()->isEnabled() && !w->resetAction()->isEnabled());

    // The first resize set the unit and drew the picture above the scroll bar.
    QCOMPARE(w->picture->geometry().bottom() + 1, w->phaseScrollBar->geometry().top());
    QCOMPARE(w->picture->bitmap().width(), w->picture->width());
    QVERIFY(w->unit > 0);
    QVERIFY(w->draws >= 1);
    const QPointF mid = (QPointF(w->picture->width() / 2.0, w->picture->height() / 2.0) + w->tip()) / 2;
    QVERIFY(dark(w->picture->bitmap(), mid));

    w->setLargeButtons(false);
    QCOMPARE(w->toolbar()->iconSize(), QSize(24, 24));
    QCOMPARE(w->lengthSpinBox->width(), 50);
}

void TestExampleWindow::animationStepsTheModel()
{
    // The clock runs on a time of the test's own.
    TestSupport::ScopedClockTime clock(50.0);
    double &now = clock.now;
    Host host;
    host.show(false);
    DialWindow *w = host.window;
    w->startAction()->trigger();
    QVERIFY(w->isClockRunning());
    QVERIFY(!w->phaseScrollBar->isEnabled());

    // Speed 60 for this kind, factor 1, wrap 360.
    const int before = w->draws;
    now += 0.5;
    QTRY_COMPARE(w->phase, 30.0f);
    QCOMPARE(w->phaseScrollBar->position(), 30);
    QVERIFY(w->draws > before);
    now += 5.75;
    QTRY_COMPARE(w->phase, 15.0f); // 375 wrapped once
    QVERIFY(dark(w->picture->bitmap(), (QPointF(w->picture->width() / 2.0, w->picture->height() / 2.0) + w->tip()) / 2));

    w->stopAction()->trigger();
    QVERIFY(!w->isClockRunning());
    now += 1.0;
    QCoreApplication::processEvents();
    QCOMPARE(w->phase, 15.0f);
    QVERIFY(w->resetAction()->isEnabled()); // the model left its start
    w->resetAction()->trigger();
    QCOMPARE(w->phase, 0.0f);
    QCOMPARE(w->phaseScrollBar->position(), 0);
    QVERIFY(!w->resetAction()->isEnabled());
}

void TestExampleWindow::controlsRedraw()
{
    Host host;
    host.show(false);
    DialWindow *w = host.window;
    const QPointF oldTip = w->tip();
    w->lengthSpinBox->stepDown(); // 3 -> 2.5, as the arrow does
    QVERIFY(w->tip().x() < oldTip.x());
    QVERIFY(dark(w->picture->bitmap(), w->tip() - QPointF(2, 0)));

    w->phaseScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(w->phase, float(w->phaseScrollBar->position()));

    w->red->trigger();
    const QPointF mid = (QPointF(w->picture->width() / 2.0, w->picture->height() / 2.0) + w->tip()) / 2;
    QCOMPARE(qRed(w->picture->bitmap().pixel(int(mid.x()), int(mid.y()))), 255);
    const int draws = w->draws;
    w->red->trigger(); // already chosen: nothing to do
    QCOMPARE(w->draws, draws);
}

void TestExampleWindow::releasedWhileRunning()
{
    Host host;
    host.show(false);
    QPointer<DialWindow> w = host.window;
    QPointer<AnimationClock> clock = w->clock();
    QPointer<QToolBar> toolbar = w->toolbar();
    w->startAction()->trigger();
    w->deleteLater();
    QTRY_VERIFY(w.isNull());
    QVERIFY(clock.isNull());
    QVERIFY(toolbar.isNull());
}

QTEST_MAIN(TestExampleWindow)
#include "tst_examplewindow.moc"
