#pragma once
// The items a simulation toolbar is built from. Each is created straight
// into the toolbar, in toolbar order, and keeps the toolbar action that
// holds it (show or hide an item with SetVisible, not with the widget).
//
//   MassSE = new TSpinEdit(Toolbar, {.Min = 0.1, .Max = 1.0, .Step = 0.1, .Value = 0.5,
//                                    .Decimals = 1, .Hint = "Set the mass", .Width = 55});
//   (designated initializers go in the order the fields are declared)
//   connect(MassSE, &TSpinEdit::ValueChange, this, &TSHMFrm::MassSEValueChange);
//
// User changes emit the item's change signal; setting a value from code does
// not, so handlers never feed back into each other.
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QPainter;
class QToolBar;
class QToolButton;

// A toolbar button with a picture of the shared button lists (see
// app/uDataMod.h); caption and hint may be empty (an empty hint shows the
// caption as tooltip). Checkable buttons toggle themselves on each click.
QAction *AddToolButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint = QString(),
                       bool checkable = false);
// A spacer that pushes the items after it to the toolbar's far end.
void AddToolbarSpacer(QToolBar *toolbar);

struct TSpinEditDesign {
    double Min = 0;
    double Max = 100;
    double Step = 1;
    double Value = 0;
    int Decimals = 0;      // 0: an integer spin edit
    QString Suffix;        // shown after the number, e.g. " mm"
    QString Hint;
    int Width = 0;         // 0: the spin edit's own width
    bool ReadOnlyText = false; // only the arrows change the value
};

class TSpinEdit : public QDoubleSpinBox
{
    Q_OBJECT
public:
    TSpinEdit(QToolBar *toolbar, const TSpinEditDesign &design);

    double Value() const { return value(); }
    // Sets the value (clamped to the range, rounded to the decimals) without
    // emitting ValueChange.
    void SetValue(double v);
    QAction *Action() const { return m_action; }
    void SetVisible(bool visible);

Q_SIGNALS:
    // The user changed the value (arrows, keys, typing).
    void ValueChange();

private:
    QAction *m_action = nullptr;
    bool m_settingValue = false;
};

// A caption in the toolbar. Labels show no hint.
class TToolbarLabel : public QLabel
{
    Q_OBJECT
public:
    TToolbarLabel(QToolBar *toolbar, const QString &caption);
    QAction *Action() const { return m_action; }
    void SetVisible(bool visible);

private:
    QAction *m_action = nullptr;
};

struct TScrollBarDesign {
    Qt::Orientation Orientation = Qt::Horizontal;
    int Min = 0;
    int Max = 100;
    int Position = 0;
    int SmallStep = 1; // arrows
    int PageStep = 1;  // clicks beside the thumb
    QString Hint;
};

// A scroll bar along a window edge (place it with the window's alignment)
// or inside a toolbar.
class TScrollBarEx : public QScrollBar
{
    Q_OBJECT
public:
    explicit TScrollBarEx(const TScrollBarDesign &design, QWidget *parent = nullptr);
    // In a toolbar, at a fixed size.
    TScrollBarEx(QToolBar *toolbar, const TScrollBarDesign &design, const QSize &size);

    int Position() const { return value(); }
    // Moves the thumb without emitting Scroll.
    void SetPosition(int position);
    QAction *Action() const { return m_action; }

Q_SIGNALS:
    // Every user move, also while the thumb is dragged.
    void Scroll(int position);

private:
    void init(const TScrollBarDesign &design);
    QAction *m_action = nullptr;
    bool m_settingPosition = false;
};

// A toolbar button that drops down a menu. It shows its picture, its caption
// or both, as given. Items are plain, self-checking, or radio items: the
// items of one radio group (number > 0) keep exactly one checked.
class TDropDownButton : public QObject
{
    Q_OBJECT
public:
    TDropDownButton(QToolBar *toolbar, const QString &caption, int imageIndex = -1, const QString &hint = QString());

    // radioGroup 0: a plain item (no check mark); tag: any number the
    // handler wants (QAction::data).
    QAction *AddItem(const QString &caption, int radioGroup = 0, int tag = 0, bool checked = false);
    // An item that checks and unchecks itself on each click.
    QAction *AddCheckItem(const QString &caption, bool checked = false);
    QList<QAction *> Items() const;
    // Checks a radio item (unchecking its group) without emitting ItemClick.
    void Check(QAction *item);

    QAction *Action() const { return m_action; }
    QMenu *Menu() const { return m_menu; }
    QToolButton *Button() const;

    // Custom-drawn items: `paint` draws each item's picture (a swatch, say)
    // into a square of the current size, normalSize or largeSize pixels.
    // Call RefreshItems after the state the pictures show has changed.
    void SetItemPainter(std::function<void(QAction *item, QPainter &painter, const QRect &square)> paint,
                        int normalSize, int largeSize);
    void RefreshItems();
    // Large or normal item pictures (the window's SetLargeButtons uses it).
    void SetLargeItems(bool large);
    int ItemPictureSize() const;

Q_SIGNALS:
    // The user chose an item; wasChecked tells whether a radio item was
    // already the checked one (such a click usually changes nothing).
    void ItemClick(QAction *item, bool wasChecked);

private:
    void itemTriggered(QAction *item);

    QPointer<QToolBar> m_toolbar;
    QMenu *m_menu = nullptr;
    QAction *m_action = nullptr;
    std::function<void(QAction *, QPainter &, const QRect &)> m_paint;
    int m_normalSize = 16;
    int m_largeSize = 16;
    bool m_largeItems = false;
    class TMenuIconStyle *m_style = nullptr;
};
