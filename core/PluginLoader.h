#pragma once
// The program's heavy parts (Qt Quick for movies, Qt Help, the sound output)
// live in plugins beside the executable and are loaded the first time they
// are needed.
#include <QObject>
#include <QString>

namespace PluginLoader {

// The root object of the plugin baseName ("orvanta_movies") in the
// executable's folder, loaded on the first call and kept; null when it is
// missing or cannot be loaded (said once on the error stream).
QObject *load(const QString &baseName);

template <class Interface>
Interface *instance(const QString &baseName)
{
    return qobject_cast<Interface *>(load(baseName));
}

} // namespace PluginLoader
