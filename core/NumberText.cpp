#include "core/NumberText.h"

#include <QLocale>

QString formatFixed2(double value)
{
    // Plain C formatting gives the digits and the ASCII minus; only the
    // decimal separator is the user's.
    QString text = QString::number(value, 'f', 2);
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}
