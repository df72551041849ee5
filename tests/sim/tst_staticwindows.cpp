// The main window's host shows the static windows for their kinds (double
// slit, multiple slits, grating, speed of sound, superposition): toolbar
// docked, picture drawn, page commands routed, one window replaced by the
// next; and opening a model's course page shows its window.
#include "AppTestSupport.h"
#include "app/SimulationHost.h"

#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "core/SimulationKind.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/mechanics/SuperpositionWindow.h"
#include "sim/optics/DoubleSlitWindow.h"
#include "sim/optics/GratingWindow.h"
#include "sim/optics/MultipleSlitsWindow.h"
#include "sim/sound/SpeedOfSoundWindow.h"

#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolBar>

using namespace TestSupport;

namespace {
// The main window on screen, with settings of its own and every question
// answered yes.
struct Shown {
    ScopedSettings settings;
    ScopedDialogAnswers answers{true};
    MainWindow main{fixedScreen()};
    Shown()
    {
        main.resize(1200, 800);
        main.show();
    }
};
} // namespace

class TestStaticWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hosted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("double slit") << 1;
        QTest::newRow("multiple slits") << 2;
        QTest::newRow("grating") << 3;
        QTest::newRow("speed of sound") << 7;
        QTest::newRow("superposition") << 8;
    }
    void hosted()
    {
        QFETCH(int, kind);
        Shown app;
        QVERIFY(QTest::qWaitForWindowExposed(&app.main));
        MainWindow &main = app.main;
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
        else if (auto *grating = dynamic_cast<GratingWindow *>(w))
            picture = grating->picture(), shown = 3;
        else if (auto *slits = dynamic_cast<MultipleSlitsWindow *>(w))
            picture = slits->picture(), shown = 2;
        QCOMPARE(shown, kind);
        QVERIFY(!picture->bitmap().isEmpty());
        if (auto *slits = dynamic_cast<MultipleSlitsWindow *>(w)) {
            // The strip is drawn when the chart paints: red in its middle.
            QTRY_VERIFY(slits->stripRect().isValid());
            QCOMPARE(picture->bitmap().pixel(slits->stripRect().center().x(), 40), 0xFFFF0000u);
        } else {
            // Drawn, framed in grey.
            QCOMPARE(picture->bitmap().pixel(0, 0), 0xFF3F3F3Fu);
        }

        main.host()->routePageCommand(QStringLiteral("+beats"));
        if (auto *sum = dynamic_cast<SuperpositionWindow *>(w)) {
            QCOMPARE(sum->waveList()->count(), 2);
            QCOMPARE(sum->scale(), 3);
        }
    }

    void pagesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("kind");
        QTest::newRow("GRATING.HTM") << QStringLiteral("GRATING.HTM") << 3;
        QTest::newRow("MULTISLIT.HTM") << QStringLiteral("MULTISLIT.HTM") << 2;
    }
    void pagesOpenTheirWindows()
    {
        QFETCH(QString, page);
        QFETCH(int, kind);
        Shown app;
        QVERIFY(QTest::qWaitForWindowExposed(&app.main));
        MainWindow &main = app.main;
        const QString file = builtProgramFolder() + QStringLiteral("/HTML/") + page;
        QVERIFY(QFile::exists(file));
        QVERIFY(main.coursePane()->browser()->navigate(file));
        QTRY_COMPARE(activeKind(), kind);
        SimulationWindow *w = main.host()->activeWindow();
        QVERIFY(kind == 3 ? bool(dynamic_cast<GratingWindow *>(w)) : bool(dynamic_cast<MultipleSlitsWindow *>(w)));
        QCOMPARE(main.host()->graphMenu()->menuAction()->isVisible(), kind == 2);
    }
};

QTEST_MAIN(TestStaticWindows)
#include "tst_staticwindows.moc"
