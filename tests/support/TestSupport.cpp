#include "TestSupport.h"

#include "core/AnimationClock.h"
#include "core/FileLookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <atomic>

// Qt's table of hooks for debugging tools (qhooks_p.h): entry 0 its
// version, 1 its size, 3 and 4 the functions called for each QObject made
// and destroyed.
extern "C" Q_DECL_IMPORT quintptr qtHookData[];

namespace TestSupport {

namespace {
enum HookIndex { HookDataVersion = 0, HookDataSize = 1, AddQObjectHook = 3, RemoveQObjectHook = 4 };
using ObjectHook = void (*)(QObject *);
std::atomic<qint64> g_liveObjects{0};
ObjectHook g_previousAdd = nullptr;
ObjectHook g_previousRemove = nullptr;

void objectAdded(QObject *o)
{
    ++g_liveObjects;
    if (g_previousAdd)
        g_previousAdd(o);
}

void objectRemoved(QObject *o)
{
    --g_liveObjects;
    if (g_previousRemove)
        g_previousRemove(o);
}
} // namespace

int soakFactor()
{
    bool ok = false;
    const int factor = qEnvironmentVariableIntValue("ORVANTA_SOAK", &ok);
    return ok && factor > 1 ? factor : 1;
}

LiveObjects::LiveObjects()
{
    if (!available())
        return;
    g_liveObjects = 0;
    g_previousAdd = reinterpret_cast<ObjectHook>(qtHookData[AddQObjectHook]);
    g_previousRemove = reinterpret_cast<ObjectHook>(qtHookData[RemoveQObjectHook]);
    qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
}

LiveObjects::~LiveObjects()
{
    if (!available())
        return;
    qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(g_previousAdd);
    qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(g_previousRemove);
}

bool LiveObjects::available()
{
    return qtHookData[HookDataVersion] >= 1 && qtHookData[HookDataSize] > RemoveQObjectHook;
}

qint64 LiveObjects::count() const
{
    return g_liveObjects;
}

ScopedClockTime::ScopedClockTime(double start) : now(start)
{
    AnimationClock::setRawTimeSourceForTesting([this] { return now; });
}

ScopedClockTime::~ScopedClockTime()
{
    AnimationClock::setRawTimeSourceForTesting({});
}

bool ScopedClockTime::tick(AnimationClock *clock, double step)
{
    now += step;
    bool ticked = false;
    const QPointer<AnimationClock> alive(clock);
    const ClockStep original = clock->onProgress;
    clock->onProgress = [&ticked, original](AnimationClock *c, double deltaTime, double newTime) {
        ticked = true;
        original(c, deltaTime, newTime); // may end the clock: nothing after this
    };
    QElapsedTimer waited;
    waited.start();
    while (!ticked && alive && alive->isEnabled() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (alive)
        alive->onProgress = original;
    return ticked;
}

ScopedSettings::ScopedSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

ScopedSettings::~ScopedSettings()
{
    if (!m_blocker.isEmpty())
        QFile::remove(m_blocker);
}

void ScopedSettings::makeUnwritable()
{
    // Running as root ignores file permissions, so block the store's folder
    // with a plain file of the same name instead.
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(QFileInfo(m_dir.path()).absolutePath());
    m_blocker = m_dir.path();
    QFile f(m_blocker);
    f.open(QIODevice::WriteOnly);
    f.write("x");
}

ScopedExeFolder::ScopedExeFolder(const QString &folder)
{
    FileLookup::setExeFolderForTesting(folder);
}

ScopedExeFolder::~ScopedExeFolder()
{
    FileLookup::setExeFolderForTesting(QString());
}

QString builtProgramFolder()
{
    return QCoreApplication::applicationDirPath() + '/';
}

QString pdfText(const QString &pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

ScopedClockErrors::ScopedClockErrors() : m_shown(std::make_shared<QStringList>())
{
    auto shown = m_shown;
    AnimationClock::setErrorHandler([shown](const QString &message) { shown->append(message); });
}

ScopedClockErrors::~ScopedClockErrors()
{
    AnimationClock::setErrorHandler({});
}

} // namespace TestSupport
