#pragma once
// Reading and writing the values of the settings store with their types
// checked. A value of the wrong type counts as absent, so only that value
// falls back to its default and the others still load.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class QSettings;

namespace SettingsCodec {

// A string value.
std::optional<QString> readString(const QSettings &settings, const QString &name);
// A 32-bit integer, stored as a number or as text ("12", "0x1F"); colours
// written as unsigned numbers still fit.
std::optional<qint32> readInt(const QSettings &settings, const QString &name);
// A boolean, stored as a boolean, "true"/"false", or the integers 0 and 1.
std::optional<bool> readBool(const QSettings &settings, const QString &name);
// Raw bytes ("Speeds", "position").
std::optional<QByteArray> readBytes(const QSettings &settings, const QString &name);

// Integers packed as little-endian 32-bit values, the way "Speeds" and
// "position" are stored.
QByteArray packInt32s(const QList<qint32> &values);
// The 32-bit value at `index` of such a packing (the caller checks the size).
qint32 int32At(const QByteArray &raw, int index);

} // namespace SettingsCodec
