// The main window's host shows the superposition, double-slit and
// speed-of-sound windows for their kinds: toolbar docked, picture drawn,
// page commands routed, and one window replaced by the next.
#include "TestSupport.h"

#include "app/uWaveMain.h"
#include "sim/framework/PaintBox32.h"
#include "sim/mechanics/uSumWave.h"
#include "sim/optics/uYoungDS.h"
#include "sim/sound/uSndSpeed.h"

#include <QPointer>
#include <QTest>
#include <QToolBar>

using namespace TestSupport;

class TestStaticWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hosted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("double slit") << 1;
        QTest::newRow("speed of sound") << 7;
        QTest::newRow("superposition") << 8;
    }
    void hosted()
    {
        QFETCH(int, kind);
        ScopedSettings settings;
        ScopedDialogAnswers answers(true);
        TWaveMainFrm main(FixedScreen());
        main.resize(1200, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.ShowSimulation(kind == 8 ? 1 : 8); // arrive from another of them
        QPointer<TSimulationForm> previous = main.ActiveSimulationWindow();
        main.ShowSimulation(kind);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!previous);

        TSimulationForm *w = main.ActiveSimulationWindow();
        QCOMPARE(main.toolBarArea(w->Toolbar), Qt::TopToolBarArea);
        QVERIFY(w->Toolbar->isVisible());
        // The window of the kind, with its picture.
        TDrawSurface *picture = nullptr;
        int shown = 0;
        if (auto *yds = dynamic_cast<TYDSFrm *>(w))
            picture = yds->pic, shown = 1;
        else if (auto *snd = dynamic_cast<TSndSpeedFrm *>(w))
            picture = snd->Pic, shown = 7;
        else if (auto *sum = dynamic_cast<TSumWaveFrm *>(w))
            picture = sum->SumPic, shown = 8;
        QCOMPARE(shown, kind);
        // Drawn, framed in grey.
        QVERIFY(!picture->Bitmap().Empty());
        QCOMPARE(picture->Bitmap().Pixel(0, 0), 0xFF3F3F3Fu);

        main.RoutePageCommand(QStringLiteral("+beats"));
        if (auto *sum = dynamic_cast<TSumWaveFrm *>(w)) {
            QCOMPARE(sum->Listbox->count(), 2);
            QCOMPARE(sum->Scale(), 3);
        }
    }
};

QTEST_MAIN(TestStaticWindows)
#include "tst_staticwindows.moc"
