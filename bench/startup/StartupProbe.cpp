// Loaded into a program by the start-up benchmark (LD_PRELOAD), so that the
// program measured is the very one users start. It writes to the error
// stream when the program's main window has first been painted:
//     first-frame-ns <nanoseconds since ORVANTA_BENCH_T0_NS>
// where ORVANTA_BENCH_T0_NS is the steady-clock time the benchmark took
// just before it started the program. Without that variable it does
// nothing.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class FirstFrame : public QObject
{
public:
    explicit FirstFrame(qint64 t0) : m_t0(t0) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The main window's first paint; the backing store is flushed to the
        // display before the event loop comes round to the timer.
        if (!m_seen && event->type() == QEvent::Paint && qobject_cast<QMainWindow *>(watched)) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                std::fprintf(stderr, "first-frame-ns %lld\n", static_cast<long long>(nowNs() - m_t0));
                std::fflush(stderr);
                qApp->removeEventFilter(this);
            });
        }
        return false;
    }

private:
    qint64 m_t0;
    bool m_seen = false;
};

void installProbe()
{
    const QByteArray t0 = qgetenv("ORVANTA_BENCH_T0_NS");
    if (t0.isEmpty() || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    qApp->installEventFilter(new FirstFrame(t0.toLongLong()));
}

// Runs when the program's application object has been made.
const bool g_installed = [] {
    qAddPreRoutine(installProbe);
    return true;
}();

} // namespace
