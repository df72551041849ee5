#include "sim/framework/IconLibrary.h"

#include <QCoreApplication>
#include <QDir>

namespace {
constexpr int kSmallCount = 23;
constexpr int kLargeCount = 21;

QStringList iconFiles()
{
    QDir dir(QStringLiteral(":/resources/icons"));
    return dir.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
}

IconLibrary *g_library = nullptr;
} // namespace

IconLibrary::IconLibrary(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("iconLibrary"));
    // The icon files are named NN_name.svg; NN is the picture index.
    const QStringList files = iconFiles();
    for (int i = 0; i < kSmallCount; ++i) {
        QString file;
        const QString prefix = QStringLiteral("%1_").arg(i, 2, 10, QLatin1Char('0'));
        for (const QString &f : files)
            if (f.startsWith(prefix))
                file = QStringLiteral(":/resources/icons/") + f;
        m_files << file;
        m_smallIcons.addSvg(file);
    }
    if (!g_library)
        g_library = this;
}

IconLibrary::~IconLibrary()
{
    if (g_library == this)
        g_library = nullptr;
}

IconList &IconLibrary::largeIcons()
{
    return const_cast<IconList &>(std::as_const(*this).largeIcons());
}

const IconList &IconLibrary::largeIcons() const
{
    if (m_largeIcons.count() == 0)
        for (int i = 0; i < kLargeCount; ++i)
            m_largeIcons.addSvg(m_files.value(i));
    return m_largeIcons;
}

IconLibrary *IconLibrary::instance()
{
    if (!g_library)
        g_library = new IconLibrary(QCoreApplication::instance());
    return g_library;
}

const IconList &IconLibrary::iconsFor(const QToolBar *toolbar)
{
    if (const IconList *list = currentIconList(toolbar))
        return *list;
    return instance()->smallIcons();
}
