// Memory over a long lesson: the main window switches the left pane between
// every kind of the kinds table, 1,000 times, as page links do, and prints
// the memory the process holds after a warm-up and at the end. A model that
// leaves something behind on each visit shows as growth between the two.
// Run by hand:
// xvfb-run -a -s "-screen 0 1920x1080x24" bin/bench_modelswitch [switches] [--no-pixmap-cache]
// --no-pixmap-cache turns Qt's pixmap cache off: the style's cached pixmaps
// (up to 10 MB) then no longer hide what the models themselves leave behind.
#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/SimulationHost.h"
#include "core/SimulationKind.h"
#include "sim/framework/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QTest>
#include <malloc.h>

namespace {

// Resident memory in KiB, after giving freed heap back to the system so the
// figure is what the program still holds, not what the allocator keeps.
qint64 residentKiB()
{
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Bytes handed out by malloc and not yet freed.
qint64 heapInUseKiB()
{
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd) / 1024;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool noPixmapCache = args.contains(QStringLiteral("--no-pixmap-cache"));
    const QStringList counts = args.filter(QRegularExpression(QStringLiteral("^\\d+$")));
    const int switches = counts.isEmpty() ? 1000 : qMax(1, counts.first().toInt());
    if (noPixmapCache)
        QPixmapCache::setCacheLimit(0);
    const int warmUp = qMin(switches, 100);
    TestSupport::ScopedSettings settings;
    Dialogs::setMessageHandler([](Dialogs::Kind, const QString &) { return false; });

    QList<int> kinds;
    for (int k = 0; k <= kKindCount; ++k)
        if (findKind(k))
            kinds << k;

    MainWindow w(TestSupport::fixedScreen());
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        qWarning("the window never reached the screen");
        return 1;
    }
    auto switchTo = [&](int i) {
        w.host()->showSimulation(kinds.at(i % kinds.size()));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < warmUp; ++i)
        switchTo(i);
    const qint64 rss0 = residentKiB(), heap0 = heapInUseKiB();
    // Objects made after the warm-up and still alive at the end: a model
    // that leaves a QObject behind shows here, whatever the allocator does.
    TestSupport::LiveObjects live;
    printf("kinds in the table: %d%s\n", int(kinds.size()), noPixmapCache ? ", pixmap cache off" : "");
    printf("after %d switches (warm-up): RSS %lld KiB, heap in use %lld KiB\n", warmUp, rss0, heap0);
    fflush(stdout);
    QList<qint64> heapSamples;
    for (int i = warmUp; i < switches; ++i) {
        switchTo(i);
        if ((i + 1) % 100 == 0)
            heapSamples << heapInUseKiB();
    }
    const qint64 rss1 = residentKiB(), heap1 = heapInUseKiB();
    printf("after %d switches: RSS %lld KiB, heap in use %lld KiB\n", switches, rss1, heap1);
    if (TestSupport::LiveObjects::available()) {
        // Back on the model shown after the warm-up, so its own objects
        // cancel out.
        switchTo(warmUp - 1);
        printf("QObjects made after the warm-up and still alive: %lld\n", live.count());
    }
    const int measured = switches - warmUp;
    if (measured > 0) {
        printf("growth over the last %d switches: RSS %+lld KiB, heap %+lld KiB (%+.1f KiB per 100 switches)\n",
               measured, rss1 - rss0, heap1 - heap0, 100.0 * double(heap1 - heap0) / measured);
        QStringList samples;
        for (qint64 s : heapSamples)
            samples << QString::number(s);
        printf("heap in use every 100 switches (KiB): %s\n", qPrintable(samples.join(QLatin1Char(' '))));
    }
    printf("%.1f ms per switch\n", double(clock.elapsed()) / switches);
    Dialogs::setMessageHandler({});
    return 0;
}
