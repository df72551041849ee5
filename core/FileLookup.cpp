#include "core/FileLookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace FileLookup {
namespace {
QString g_exeFolderOverride;

QString withSlash(QString s)
{
    if (!s.endsWith('/'))
        s += '/';
    return s;
}
} // namespace

QString exeFolder()
{
    if (!g_exeFolderOverride.isEmpty())
        return g_exeFolderOverride;
    return withSlash(QCoreApplication::applicationDirPath());
}

void setExeFolderForTesting(const QString &folder)
{
    g_exeFolderOverride = folder.isEmpty() ? QString() : withSlash(QDir::fromNativeSeparators(folder));
}

QString join(const QString &folder, const QString &relative)
{
    QString f = QDir::fromNativeSeparators(folder);
    QString r = relative;
    r.replace('\\', '/');
    if (f.isEmpty())
        return r;
    if (!f.endsWith('/'))
        f += '/';
    while (r.startsWith('/'))
        r.remove(0, 1);
    return f + r;
}

QString resolve(const QString &path)
{
    QString p = path;
    p.replace('\\', '/');
    if (p.isEmpty())
        return {};
    if (QFileInfo::exists(p))
        return p;

    const bool absolute = p.startsWith('/');
    const QStringList parts = p.split('/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (int i = 0; i < parts.size(); ++i) {
        const QString &seg = parts[i];
        QString next = current == "/" ? "/" + seg : current + "/" + seg;
        if (seg == "." || seg == ".." || QFileInfo::exists(next)) {
            current = next;
            continue;
        }
        const QStringList entries = QDir(current).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QString found;
        for (const QString &e : entries) {
            if (e.compare(seg, Qt::CaseInsensitive) == 0) {
                found = e;
                break;
            }
        }
        if (found.isEmpty())
            return {};
        current = current == "/" ? "/" + found : current + "/" + found;
    }
    if (!absolute && current.startsWith("./"))
        current.remove(0, 2);
    return current;
}

QString resolveBesideExe(const QString &relative)
{
    return resolve(join(exeFolder(), relative));
}

QString resolveFile(const QString &path)
{
    const QString r = resolve(path);
    return !r.isEmpty() && QFileInfo(r).isFile() ? r : QString();
}

bool fileExists(const QString &path)
{
    return !resolveFile(path).isEmpty();
}

} // namespace FileLookup
