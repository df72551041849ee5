#include "TestSupport.h"

#include "core/AnimationClock.h"
#include "core/FileLookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

namespace TestSupport {

ScopedClockTime::ScopedClockTime(double start) : now(start)
{
    AnimationClock::setRawTimeSourceForTesting([this] { return now; });
}

ScopedClockTime::~ScopedClockTime()
{
    AnimationClock::setRawTimeSourceForTesting({});
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
