#include "core/FileVersion.h"

#include <QStringList>

QString fourPartVersion(const QString &version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    if (parts.size() > 4)
        return QString();
    QStringList numbers;
    for (const QString &p : parts) {
        bool ok = false;
        const uint n = p.toUInt(&ok);
        // The version block holds 16-bit numbers.
        if (!ok || n > 0xFFFF)
            return QString();
        numbers << QString::number(n);
    }
    while (numbers.size() < 4)
        numbers << QStringLiteral("0");
    return numbers.join(QLatin1Char('.'));
}

QString fileVersionText()
{
    return fourPartVersion(QStringLiteral(ORVANTA_VERSION));
}
