#include "app/PageLinks.h"

#include "core/SimulationKind.h"
#include "app/KindsTable.h"

#include <QRegularExpression>

namespace {
QString afterLast(const QString &s, const QString &separators)
{
    int cut = -1;
    for (QChar c : separators)
        cut = qMax(cut, s.lastIndexOf(c));
    return s.mid(cut + 1);
}
} // namespace

int pageKind(const QString &name)
{
    if (name.isEmpty())
        return 0;
    QString n = name;
    if (n.startsWith('/'))
        n.remove(0, 1);
    n = afterLast(n, QStringLiteral("\\:")).toUpper();
    const int hash = n.indexOf('#');
    if (hash >= 0)
        n.truncate(hash);
    return kindOfPageFile(n);
}

int kindOfPage(const QString &name)
{
    const int kind = pageKind(name);
    return kind ? kind : activeKind();
}

QString lastUrlSegment(const QString &url)
{
    const int slash = url.lastIndexOf('/');
    if (slash >= 0)
        return url.mid(slash + 1);
    return afterLast(url, QStringLiteral("\\:"));
}

QString urlToFilePath(const QString &url)
{
    QString p = url;
    const int at = p.indexOf(QLatin1String("file:///"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        p.remove(at, 8);
    p.replace(QLatin1String("%20"), QLatin1String(" "));
#ifdef Q_OS_WIN
    p.replace('/', '\\');
#else
    // "file:///C:/..." names a Windows file: written as Windows writes it.
    // Any other address names a path from the root, which the prefix's
    // last slash stood for.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    if (drive.match(p).hasMatch())
        p.replace('/', '\\');
    else if (at >= 0)
        p.insert(at, '/');
#endif
    return p;
}

QString upperExtension(const QString &name)
{
    const int dot = name.lastIndexOf('.');
    const int delimiter = qMax(name.lastIndexOf('\\'), name.lastIndexOf(':'));
    return dot > delimiter ? name.mid(dot).toUpper() : QString();
}

LinkAction classifyLink(const QString &segment)
{
    if (segment.contains('$'))
        return LinkAction::Picture;
    if (segment.contains('+'))
        return LinkAction::Command;
    if (upperExtension(segment) == QLatin1String(".FLV"))
        return LinkAction::Video;
    return LinkAction::Page;
}

namespace {
PageLinkObserver &observer()
{
    static PageLinkObserver o;
    return o;
}
} // namespace

void setPageLinkObserver(PageLinkObserver o)
{
    observer() = std::move(o);
}

void reportPageLink(LinkAction action, const QString &argument)
{
    if (observer())
        observer()(action, argument);
}
