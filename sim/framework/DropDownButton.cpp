#include "sim/framework/DropDownButton.h"

#include "sim/framework/AccessibleText.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconLibrary.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
const char *kRadioGroupProperty = "orvantaRadioGroup";
} // namespace

// Menus take the size of their item pictures from the style.
class MenuIconStyle : public QProxyStyle
{
public:
    int size = 16;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_SmallIconSize)
            return size;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

DropDownButton::DropDownButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint)
    : QObject(toolbar), m_toolbar(toolbar)
{
    m_menu = new QMenu(toolbar);
    m_action = m_menu->menuAction();
    m_action->setText(caption);
    if (imageIndex >= 0) {
        setIconIndex(m_action, imageIndex);
        m_action->setIcon(IconLibrary::iconsFor(toolbar).icon(imageIndex));
    }
    if (!hint.isEmpty())
        setHint(m_action, hint);
    toolbar->addAction(m_action);
    if (QToolButton *b = button()) {
        b->setPopupMode(QToolButton::InstantPopup);
        if (imageIndex >= 0 && !caption.isEmpty())
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        else if (imageIndex >= 0)
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        else
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // Space or Enter on the focused button drops the menu down; the
        // arrow keys then choose in it.
        b->setFocusPolicy(Qt::TabFocus);
        keepSpaceKey(b);
        nameButton(b, caption, hint);
    }
}

QToolButton *DropDownButton::button() const
{
    return m_toolbar ? qobject_cast<QToolButton *>(m_toolbar->widgetForAction(m_action)) : nullptr;
}

QAction *DropDownButton::addItem(const QString &caption, int radioGroup, int tag, bool checked)
{
    QAction *a = m_menu->addAction(caption);
    a->setData(tag);
    if (radioGroup > 0) {
        a->setCheckable(true);
        a->setChecked(checked);
        a->setProperty(kRadioGroupProperty, radioGroup);
    }
    connect(a, &QAction::triggered, this, [this, a] { itemTriggered(a); });
    if (m_paint)
        refreshItems();
    return a;
}

QAction *DropDownButton::addCheckItem(const QString &caption, bool checked)
{
    QAction *a = m_menu->addAction(caption);
    a->setCheckable(true);
    a->setChecked(checked);
    connect(a, &QAction::triggered, this, [this, a] { itemTriggered(a); });
    return a;
}

QList<QAction *> DropDownButton::items() const
{
    QList<QAction *> items;
    for (QAction *a : m_menu->actions())
        if (!a->isSeparator())
            items << a;
    return items;
}

void DropDownButton::check(QAction *item)
{
    const int group = item->property(kRadioGroupProperty).toInt();
    item->setChecked(true);
    if (group <= 0)
        return;
    for (QAction *other : m_menu->actions())
        if (other != item && other->property(kRadioGroupProperty).toInt() == group)
            other->setChecked(false);
}

void DropDownButton::itemTriggered(QAction *item)
{
    // A checkable action has already toggled itself when triggered fires.
    const bool wasChecked = item->isCheckable() && !item->isChecked();
    if (item->property(kRadioGroupProperty).toInt() > 0)
        check(item); // a radio item stays checked when chosen again
    Q_EMIT itemClicked(item, wasChecked);
}

void DropDownButton::setItemPainter(std::function<void(QAction *, QPainter &, const QRect &)> paint,
                                     int normalSize, int largeSize)
{
    m_paint = std::move(paint);
    m_normalSize = normalSize;
    m_largeSize = largeSize;
    if (!m_style) {
        m_style = new MenuIconStyle;
        m_style->setParent(m_menu);
        m_menu->setStyle(m_style);
    }
    refreshItems();
}

int DropDownButton::itemPictureSize() const
{
    return m_largeItems ? m_largeSize : m_normalSize;
}

void DropDownButton::setLargeItems(bool large)
{
    m_largeItems = large;
    if (m_paint)
        refreshItems();
}

void DropDownButton::refreshItems()
{
    if (!m_paint)
        return;
    const int size = itemPictureSize();
    if (m_style)
        m_style->size = size;
    const qreal ratio = m_menu->devicePixelRatioF();
    for (QAction *item : items()) {
        QPixmap pm(QSize(size, size) * ratio);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            m_paint(item, p, QRect(0, 0, size, size));
        }
        item->setIcon(QIcon(pm));
    }
}
