#include "core/PluginLoader.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QHash>
#include <QPluginLoader>

QObject *PluginLoader::load(const QString &baseName)
{
    // Loaded plugins stay for the rest of the run (Qt never unloads them
    // while instances are alive anyway); a failure is remembered as null.
    static QHash<QString, QObject *> loaded;
    if (const auto it = loaded.constFind(baseName); it != loaded.constEnd())
        return it.value();
    QPluginLoader loader(QDir(QCoreApplication::applicationDirPath()).filePath(baseName));
    QObject *root = loader.instance();
    if (!root)
        qWarning().noquote() << QStringLiteral("Cannot load %1: %2").arg(baseName, loader.errorString());
    loaded.insert(baseName, root);
    return root;
}
