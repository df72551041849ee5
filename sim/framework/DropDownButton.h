#pragma once
// A toolbar button with a drop-down menu of plain, check or radio items.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QPainter;
class QToolBar;
class QToolButton;

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
