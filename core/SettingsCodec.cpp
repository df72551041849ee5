#include "core/SettingsCodec.h"

#include <QSettings>
#include <QVariant>
#include <QtEndian>
#include <limits>

namespace SettingsCodec {

std::optional<QString> readString(const QSettings &settings, const QString &name)
{
    const QVariant v = settings.value(name);
    if (!v.isValid() || v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString();
}

std::optional<qint32> readInt(const QSettings &settings, const QString &name)
{
    const QVariant v = settings.value(name);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    qlonglong n = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        n = v.toLongLong(&ok);
        break;
    case QMetaType::QString:
        n = v.toString().trimmed().toLongLong(&ok, 0);
        break;
    default:
        return std::nullopt;
    }
    // 32-bit values only; colours written as unsigned numbers still fit.
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(n));
}

std::optional<bool> readBool(const QSettings &settings, const QString &name)
{
    const QVariant v = settings.value(name);
    if (!v.isValid())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        if (t == "true")
            return true;
        if (t == "false")
            return false;
    }
    if (const auto n = readInt(settings, name); n && (*n == 0 || *n == 1))
        return *n == 1;
    return std::nullopt;
}

QByteArray packInt32s(const QList<qint32> &values)
{
    QByteArray raw(4 * values.size(), '\0');
    for (int k = 0; k < values.size(); ++k)
        qToLittleEndian<qint32>(values[k], raw.data() + 4 * k);
    return raw;
}

qint32 int32At(const QByteArray &raw, int index)
{
    return qFromLittleEndian<qint32>(raw.constData() + 4 * index);
}

std::optional<QByteArray> readBytes(const QSettings &settings, const QString &name)
{
    const QVariant v = settings.value(name);
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return v.toByteArray();
}

} // namespace SettingsCodec
