// The main window's host shows the superposition, double-slit and
// speed-of-sound windows for their kinds: toolbar docked, picture drawn,
// page commands routed, and one window replaced by the next.
#include "AppTestSupport.h"
#include "app/SimulationHost.h"

#include "app/MainWindow.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/mechanics/SuperpositionWindow.h"
#include "sim/optics/DoubleSlitWindow.h"
#include "sim/sound/SpeedOfSoundWindow.h"

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
        MainWindow main(fixedScreen());
        main.resize(1200, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.host()->showSimulation(kind == 8 ? 1 : 8); // arrive from another of them
        QPointer<SimulationWindow> previous = main.host()->activeWindow();
        main.host()->showSimulation(kind);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!previous);

        SimulationWindow *w = main.host()->activeWindow();
        QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
        QVERIFY(w->toolbar()->isVisible());
        // The window of the kind, with its picture.
        DrawingSurface *picture = nullptr;
        int shown = 0;
        if (auto *yds = dynamic_cast<DoubleSlitWindow *>(w))
            picture = yds->picture(), shown = 1;
        else if (auto *snd = dynamic_cast<SpeedOfSoundWindow *>(w))
            picture = snd->picture(), shown = 7;
        else if (auto *sum = dynamic_cast<SuperpositionWindow *>(w))
            picture = sum->sumPicture(), shown = 8;
        QCOMPARE(shown, kind);
        // Drawn, framed in grey.
        QVERIFY(!picture->bitmap().isEmpty());
        QCOMPARE(picture->bitmap().pixel(0, 0), 0xFF3F3F3Fu);

        main.host()->routePageCommand(QStringLiteral("+beats"));
        if (auto *sum = dynamic_cast<SuperpositionWindow *>(w)) {
            QCOMPARE(sum->waveList()->count(), 2);
            QCOMPARE(sum->scale(), 3);
        }
    }
};

QTEST_MAIN(TestStaticWindows)
#include "tst_staticwindows.moc"
