#include "sim/framework/ToolbarItems.h"

#include "app/Hints.h"
#include "app/uDataMod.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
const char *kRadioGroupProperty = "orvantaRadioGroup";

const TImageList &toolbarImages(QToolBar *toolbar)
{
    if (const TImageList *list = CurrentImageList(toolbar))
        return *list;
    return TDataMod::Instance()->Buttons24;
}
} // namespace

// Menus take the size of their item pictures from the style.
class TMenuIconStyle : public QProxyStyle
{
public:
    int Size = 16;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_SmallIconSize)
            return Size;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QAction *AddToolButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint, bool checkable)
{
    QAction *a = toolbar->addAction(caption);
    if (imageIndex >= 0) {
        SetImageIndex(a, imageIndex);
        a->setIcon(toolbarImages(toolbar).Icon(imageIndex));
    }
    if (!hint.isEmpty())
        SetHint(a, hint);
    a->setCheckable(checkable);
    return a;
}

void AddToolbarSpacer(QToolBar *toolbar)
{
    auto *spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
}

// ---------------------------------------------------------------- spin edit

TSpinEdit::TSpinEdit(QToolBar *toolbar, const TSpinEditDesign &design) : QDoubleSpinBox(toolbar)
{
    m_settingValue = true;
    setDecimals(qMax(0, design.Decimals));
    setRange(design.Min, design.Max);
    setSingleStep(design.Step);
    setValue(design.Value);
    setSuffix(design.Suffix);
    m_settingValue = false;
    if (!design.Hint.isEmpty())
        SetHint(this, design.Hint);
    if (design.Width > 0)
        setFixedWidth(design.Width);
    if (design.ReadOnlyText)
        lineEdit()->setReadOnly(true);
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!m_settingValue)
            Q_EMIT ValueChange();
    });
    m_action = toolbar->addWidget(this);
}

void TSpinEdit::SetValue(double v)
{
    m_settingValue = true;
    setValue(v);
    m_settingValue = false;
}

void TSpinEdit::SetVisible(bool visible)
{
    m_action->setVisible(visible);
}

// ---------------------------------------------------------------- label

TToolbarLabel::TToolbarLabel(QToolBar *toolbar, const QString &caption) : QLabel(caption, toolbar)
{
    setTextFormat(Qt::PlainText);
    m_action = toolbar->addWidget(this);
}

void TToolbarLabel::SetVisible(bool visible)
{
    m_action->setVisible(visible);
}

// ---------------------------------------------------------------- scroll bar

TScrollBarEx::TScrollBarEx(const TScrollBarDesign &design, QWidget *parent) : QScrollBar(design.Orientation, parent)
{
    init(design);
}

TScrollBarEx::TScrollBarEx(QToolBar *toolbar, const TScrollBarDesign &design, const QSize &size)
    : QScrollBar(design.Orientation, toolbar)
{
    init(design);
    setFixedSize(size);
    m_action = toolbar->addWidget(this);
}

void TScrollBarEx::init(const TScrollBarDesign &design)
{
    m_settingPosition = true;
    setRange(design.Min, design.Max);
    setValue(design.Position);
    setSingleStep(design.SmallStep);
    setPageStep(qMax(1, design.PageStep));
    m_settingPosition = false;
    if (!design.Hint.isEmpty())
        SetHint(this, design.Hint);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_settingPosition)
            Q_EMIT Scroll(v);
    });
}

void TScrollBarEx::SetPosition(int position)
{
    m_settingPosition = true;
    setValue(position);
    m_settingPosition = false;
}

// ---------------------------------------------------------------- drop-down

TDropDownButton::TDropDownButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint)
    : QObject(toolbar), m_toolbar(toolbar)
{
    m_menu = new QMenu(toolbar);
    m_action = m_menu->menuAction();
    m_action->setText(caption);
    if (imageIndex >= 0) {
        SetImageIndex(m_action, imageIndex);
        m_action->setIcon(toolbarImages(toolbar).Icon(imageIndex));
    }
    if (!hint.isEmpty())
        SetHint(m_action, hint);
    toolbar->addAction(m_action);
    if (QToolButton *b = Button()) {
        b->setPopupMode(QToolButton::InstantPopup);
        if (imageIndex >= 0 && !caption.isEmpty())
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        else if (imageIndex >= 0)
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        else
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

QToolButton *TDropDownButton::Button() const
{
    return m_toolbar ? qobject_cast<QToolButton *>(m_toolbar->widgetForAction(m_action)) : nullptr;
}

QAction *TDropDownButton::AddItem(const QString &caption, int radioGroup, int tag, bool checked)
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
        RefreshItems();
    return a;
}

QAction *TDropDownButton::AddCheckItem(const QString &caption, bool checked)
{
    QAction *a = m_menu->addAction(caption);
    a->setCheckable(true);
    a->setChecked(checked);
    connect(a, &QAction::triggered, this, [this, a] { itemTriggered(a); });
    return a;
}

QList<QAction *> TDropDownButton::Items() const
{
    QList<QAction *> items;
    for (QAction *a : m_menu->actions())
        if (!a->isSeparator())
            items << a;
    return items;
}

void TDropDownButton::Check(QAction *item)
{
    const int group = item->property(kRadioGroupProperty).toInt();
    item->setChecked(true);
    if (group <= 0)
        return;
    for (QAction *other : m_menu->actions())
        if (other != item && other->property(kRadioGroupProperty).toInt() == group)
            other->setChecked(false);
}

void TDropDownButton::itemTriggered(QAction *item)
{
    // A checkable action has already toggled itself when triggered fires.
    const bool wasChecked = item->isCheckable() && !item->isChecked();
    if (item->property(kRadioGroupProperty).toInt() > 0)
        Check(item); // a radio item stays checked when chosen again
    Q_EMIT ItemClick(item, wasChecked);
}

void TDropDownButton::SetItemPainter(std::function<void(QAction *, QPainter &, const QRect &)> paint,
                                     int normalSize, int largeSize)
{
    m_paint = std::move(paint);
    m_normalSize = normalSize;
    m_largeSize = largeSize;
    if (!m_style) {
        m_style = new TMenuIconStyle;
        m_style->setParent(m_menu);
        m_menu->setStyle(m_style);
    }
    RefreshItems();
}

int TDropDownButton::ItemPictureSize() const
{
    return m_largeItems ? m_largeSize : m_normalSize;
}

void TDropDownButton::SetLargeItems(bool large)
{
    m_largeItems = large;
    if (m_paint)
        RefreshItems();
}

void TDropDownButton::RefreshItems()
{
    if (!m_paint)
        return;
    const int size = ItemPictureSize();
    if (m_style)
        m_style->Size = size;
    const qreal ratio = m_menu->devicePixelRatioF();
    for (QAction *item : Items()) {
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
