#pragma once
// The shared button pictures, in two sizes. Toolbars take their pictures by
// index from smallIcons() (small buttons) or largeIcons() (large buttons);
// the "Use large buttons" setting moves a toolbar from one list to the other.
#include "sim/framework/IconList.h"

#include <QObject>
#include <QStringList>

class IconLibrary : public QObject
{
    Q_OBJECT
public:
    explicit IconLibrary(QObject *parent = nullptr);
    ~IconLibrary() override;

    IconList &smallIcons() { return m_smallIcons; }  // 23 pictures
    const IconList &smallIcons() const { return m_smallIcons; }
    // Rendered on first use: most sessions never turn large buttons on, and
    // the large pictures are most of the rendering.
    IconList &largeIcons();  // 21 pictures
    const IconList &largeIcons() const;

    // The program's icons, created on first use.
    static IconLibrary *instance();
    // The list `toolbar` uses; the small icons before it has one.
    static const IconList &iconsFor(const QToolBar *toolbar);

private:
    QStringList m_files; // by picture index
    IconList m_smallIcons{24, IconList::DisabledLook::Greyscale}; // 23 pictures
    mutable IconList m_largeIcons{48, IconList::DisabledLook::Faded}; // 21 pictures, once rendered
};
