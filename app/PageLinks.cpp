#include "app/PageLinks.h"

#include "app/SimGlobals.h"
#include "app/SimulationRegistry.h"

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

int PageKind(const QString &name)
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
    return KindOfPageFile(n);
}

int KindOfPage(const QString &name)
{
    const int kind = PageKind(name);
    return kind ? kind : ActiveKind;
}

QString LastUrlSegment(const QString &url)
{
    const int slash = url.lastIndexOf('/');
    if (slash >= 0)
        return url.mid(slash + 1);
    return afterLast(url, QStringLiteral("\\:"));
}

QString UrlToFilePath(const QString &url)
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

QString UpperExtension(const QString &name)
{
    const int dot = name.lastIndexOf('.');
    const int delimiter = qMax(name.lastIndexOf('\\'), name.lastIndexOf(':'));
    return dot > delimiter ? name.mid(dot).toUpper() : QString();
}

LinkAction ClassifyLink(const QString &segment)
{
    if (segment.contains('$'))
        return LinkAction::Picture;
    if (segment.contains('+'))
        return LinkAction::Command;
    if (UpperExtension(segment) == QLatin1String(".FLV"))
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

void SetPageLinkObserver(PageLinkObserver o)
{
    observer() = std::move(o);
}

void ReportPageLink(LinkAction action, const QString &argument)
{
    if (observer())
        observer()(action, argument);
}
