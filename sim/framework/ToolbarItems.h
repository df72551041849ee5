#pragma once
// The items a simulation toolbar is built from. Each is created straight
// into the toolbar, in toolbar order, and keeps the toolbar action that
// holds it (show or hide an item with setItemVisible, not with the widget).
//
//   m_massSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.1, .max = 1.0, .step = 0.1, .value = 0.5,
//                                      .decimals = 1, .hint = "Set the mass", .width = 55});
//   (designated initializers go in the order the fields are declared)
//   connect(m_massSpinBox, &ToolbarSpinBox::valueEdited, this, &DampedOscillatorWindow::parametersEdited);
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
// sim/framework/IconLibrary.h); caption and hint may be empty (an empty hint shows the
// caption as tooltip). Checkable buttons toggle themselves on each click.
QAction *addToolButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint = QString(),
                       bool checkable = false);
// A spacer that pushes the items after it to the toolbar's far end.
void addToolbarSpacer(QToolBar *toolbar);

struct SpinBoxDesign {
    double min = 0;
    double max = 100;
    double step = 1;
    double value = 0;
    int decimals = 0;      // 0: an integer spin edit
    QString suffix;        // shown after the number, e.g. " mm"
    QString hint;
    int width = 0;         // 0: the spin edit's own width
    bool readOnlyText = false; // only the arrows change the value
};

class ToolbarSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    ToolbarSpinBox(QToolBar *toolbar, const SpinBoxDesign &design);

    // Sets the value (clamped to the range, rounded to the decimals) without
    // emitting valueEdited.
    void setValueQuietly(double v);
    QAction *action() const { return m_action; }
    void setItemVisible(bool visible);

Q_SIGNALS:
    // The user changed the value (arrows, keys, typing).
    void valueEdited();

private:
    QAction *m_action = nullptr;
    bool m_settingValue = false;
};

// A caption in the toolbar. Labels show no hint.
class ToolbarLabel : public QLabel
{
    Q_OBJECT
public:
    ToolbarLabel(QToolBar *toolbar, const QString &caption);
    QAction *action() const { return m_action; }
    void setItemVisible(bool visible);

private:
    QAction *m_action = nullptr;
};

struct ScrollBarDesign {
    Qt::Orientation orientation = Qt::Horizontal;
    int min = 0;
    int max = 100;
    int position = 0;
    int smallStep = 1; // arrows
    int pageStep = 1;  // clicks beside the thumb
    QString hint;
};

// A scroll bar along a window edge (place it with the window's alignment)
// or inside a toolbar.
class ToolbarScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ToolbarScrollBar(const ScrollBarDesign &design, QWidget *parent = nullptr);
    // In a toolbar, at a fixed size.
    ToolbarScrollBar(QToolBar *toolbar, const ScrollBarDesign &design, const QSize &size);

    int position() const { return value(); }
    // Moves the thumb without emitting Scroll.
    void setPosition(int position);
    QAction *action() const { return m_action; }

Q_SIGNALS:
    // Every user move, also while the thumb is dragged.
    void scrolled(int position);

private:
    void init(const ScrollBarDesign &design);
    QAction *m_action = nullptr;
    bool m_settingPosition = false;
};

// A toolbar button that drops down a menu. It shows its picture, its caption
// or both, as given. Items are plain, self-checking, or radio items: the
// items of one radio group (number > 0) keep exactly one checked.
class DropDownButton : public QObject
{
    Q_OBJECT
public:
    DropDownButton(QToolBar *toolbar, const QString &caption, int imageIndex = -1, const QString &hint = QString());

    // radioGroup 0: a plain item (no check mark); tag: any number the
    // handler wants (QAction::data).
    QAction *addItem(const QString &caption, int radioGroup = 0, int tag = 0, bool checked = false);
    // An item that checks and unchecks itself on each click.
    QAction *addCheckItem(const QString &caption, bool checked = false);
    QList<QAction *> items() const;
    // Checks a radio item (unchecking its group) without emitting itemClicked.
    void check(QAction *item);

    QAction *action() const { return m_action; }
    QMenu *menu() const { return m_menu; }
    QToolButton *button() const;

    // Custom-drawn items: `paint` draws each item's picture (a swatch, say)
    // into a square of the current size, normalSize or largeSize pixels.
    // Call refreshItems after the state the pictures show has changed.
    void setItemPainter(std::function<void(QAction *item, QPainter &painter, const QRect &square)> paint,
                        int normalSize, int largeSize);
    void refreshItems();
    // Large or normal item pictures (the window's setLargeButtons uses it).
    void setLargeItems(bool large);
    int itemPictureSize() const;

Q_SIGNALS:
    // The user chose an item; wasChecked tells whether a radio item was
    // already the checked one (such a click usually changes nothing).
    void itemClicked(QAction *item, bool wasChecked);

private:
    void itemTriggered(QAction *item);

    QPointer<QToolBar> m_toolbar;
    QMenu *m_menu = nullptr;
    QAction *m_action = nullptr;
    std::function<void(QAction *, QPainter &, const QRect &)> m_paint;
    int m_normalSize = 16;
    int m_largeSize = 16;
    bool m_largeItems = false;
    class MenuIconStyle *m_style = nullptr;
};
