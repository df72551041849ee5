#include "core/VideoLink.h"

#include <array>

QString VideoLink::movieVariables() const
{
    return QStringLiteral("video=") + fileName + QStringLiteral("&loop=") + loop
           + QStringLiteral("&fullscreen=") + fullScreen;
}

VideoLink VideoLink::parse(const QString &segment)
{
    enum { Width, Height, FullScreen, Loop, Slots };
    std::array<QString, Slots> slot;
    QString token;
    for (const QChar c : segment) {
        if (c == QLatin1Char(' '))
            continue;
        if (c != QLatin1Char(',')) {
            token += c;
            continue;
        }
        // An empty field fills nothing, so the next one takes its slot.
        for (QString &s : slot)
            if (s.isEmpty()) {
                s = token;
                break;
            }
        token.clear();
    }

    VideoLink link;
    link.fileName = token;
    bool widthOk = false, heightOk = false;
    const int width = slot[Width].toInt(&widthOk);
    const int height = slot[Height].toInt(&heightOk);
    // A window of no size could not be seen, let alone closed.
    if (widthOk && heightOk && width > 0 && height > 0)
        link.size = QSize(width, height);
    else
        link.size = QSize(640, 520);
    link.fullScreen = slot[FullScreen].isEmpty() ? QStringLiteral("0") : slot[FullScreen];
    link.loop = slot[Loop].isEmpty() ? QStringLiteral("0") : slot[Loop];
    return link;
}
