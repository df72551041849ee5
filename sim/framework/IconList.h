#pragma once
// A list of button pictures of one size, the picture indices every toolbar
// uses, and the bookkeeping that lets a toolbar switch between lists.
#include <QIcon>
#include <QVector>

class QAction;
class QToolBar;

// Picture indices, the same in both lists.
enum ButtonIcon {
    IndexIcon = 0,
    BackIcon = 1,
    ForwardIcon = 2,
    FontIcon = 3,
    PageColourIcon = 4,
    StopIcon = 6,
    StartIcon = 7,
    ResetIcon = 8,
    ZoomInIcon = 9,
    ZoomOutIcon = 10,
    TimeOptionsIcon = 13,
    SourceIcon = 14,
    EnvelopeIcon = 15,
    ClearListIcon = 16,
    AddIcon = 17,
    ColourIcon = 18,
    UnpolarisedIcon = 19,
    PolarisedIcon = 20,
};

class IconList
{
public:
    enum class DisabledLook { Greyscale, Faded };
    IconList(int size, DisabledLook disabled) : m_size(size), m_disabled(disabled) {}

    int size() const { return m_size; }
    int count() const { return m_icons.size(); }
    // The picture at `index`; an empty icon for an index the list lacks.
    QIcon icon(int index) const;
    // Adds a picture rendered from an SVG file (or an empty one when the
    // file cannot be read).
    void addSvg(const QString &svgPath);

private:
    int m_size;
    DisabledLook m_disabled;
    QVector<QIcon> m_icons;
};

// Image-index bookkeeping for toolbar items: an action remembers its picture
// index, and applyIconList gives every such action of a toolbar (and of the
// drop-down menus of its buttons) the picture from the chosen list.
void setIconIndex(QAction *action, int index);
int iconIndex(const QAction *action); // -1 when none
void applyIconList(QToolBar *toolbar, const IconList &list);
// The list a toolbar currently uses (for tests and relayout).
const IconList *currentIconList(const QToolBar *toolbar);
