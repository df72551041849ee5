#pragma once
// The shared button pictures. Toolbars take their pictures by index from
// Buttons24 (small buttons) or Buttons48 (large buttons); the "Use large
// buttons" setting moves a toolbar from one list to the other.
#include <QIcon>
#include <QObject>
#include <QVector>

class QAction;
class QToolBar;
class QToolButton;

// Picture indices, the same in both lists.
enum ButtonImage {
    biIndex = 0,
    biBack = 1,
    biForward = 2,
    biFont = 3,
    biPageColour = 4,
    biStop = 6,
    biStart = 7,
    biReset = 8,
    biZoomIn = 9,
    biZoomOut = 10,
    biTimeOptions = 13,
    biSource = 14,
    biEnvelope = 15,
    biClearList = 16,
    biAdd = 17,
    biColour = 18,
    biUnpolarised = 19,
    biPolarised = 20,
};

class TImageList
{
public:
    enum class DisabledLook { Greyscale, Faded };
    TImageList(int size, DisabledLook disabled) : m_size(size), m_disabled(disabled) {}

    int Size() const { return m_size; }
    int Count() const { return m_icons.size(); }
    // The picture at `index`; an empty icon for an index the list lacks.
    QIcon Icon(int index) const;
    // Adds a picture rendered from an SVG file (or an empty one when the
    // file cannot be read).
    void AddSvg(const QString &svgPath);

private:
    int m_size;
    DisabledLook m_disabled;
    QVector<QIcon> m_icons;
};

class TDataMod : public QObject
{
    Q_OBJECT
public:
    explicit TDataMod(QObject *parent = nullptr);
    ~TDataMod() override;

    TImageList Buttons24{24, TImageList::DisabledLook::Greyscale}; // 23 pictures
    TImageList Buttons48{48, TImageList::DisabledLook::Faded};     // 21 pictures

    // The program's data module, created on first use.
    static TDataMod *Instance();
};

// Image-index bookkeeping for toolbar items: an action remembers its picture
// index, and ApplyImageList gives every such action of a toolbar (and of the
// drop-down menus of its buttons) the picture from the chosen list.
void SetImageIndex(QAction *action, int index);
int ImageIndex(const QAction *action); // -1 when none
void ApplyImageList(QToolBar *toolbar, const TImageList &list);
// The list a toolbar currently uses (for tests and relayout).
const TImageList *CurrentImageList(const QToolBar *toolbar);
