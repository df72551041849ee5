#include "sim/framework/ButtonSizes.h"

#include "sim/framework/IconLibrary.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QToolButton>

QFont largeButtonFont(QFont f)
{
    if (f.pixelSize() > 0)
        f.setPixelSize(qRound(f.pixelSize() * 1.5));
    else
        f.setPointSizeF(f.pointSizeF() * 1.5);
    return f;
}

void ButtonSizes::spinEdit(QWidget *edit, int largeWidth, int normalWidth)
{
    if (!edit)
        return;
    edit->setFixedWidth(normalWidth);
    m_sizes.push_back({edit, largeWidth, normalWidth, false});
    font(edit);
}

void ButtonSizes::height(QWidget *widget, int largeHeight, int normalHeight)
{
    if (!widget)
        return;
    widget->setFixedHeight(normalHeight);
    m_sizes.push_back({widget, largeHeight, normalHeight, true});
}

void ButtonSizes::font(QWidget *widget)
{
    if (widget)
        m_fonts.push_back({widget, nullptr, std::nullopt, false});
}

void ButtonSizes::font(QAction *item)
{
    if (item)
        m_fonts.push_back({nullptr, item, std::nullopt, false});
}

void ButtonSizes::menu(DropDownButton *button, bool withButton)
{
    if (!button)
        return;
    if (withButton)
        font(button->button());
    for (QAction *item : button->items())
        font(item);
    QPointer<DropDownButton> b(button);
    custom([b](bool large) {
        if (b)
            b->setLargeItems(large);
    });
}

void ButtonSizes::custom(std::function<void(bool large)> apply)
{
    m_custom.push_back(std::move(apply));
}

void ButtonSizes::applyFont(FontEntry &e, bool large)
{
    // The design font is taken when first needed, so a font inherited from
    // wherever the toolbar is docked counts as the design.
    if (e.widget) {
        if (!e.design) {
            e.design = e.widget->font();
            e.explicitFont = e.widget->testAttribute(Qt::WA_SetFont);
        }
        if (large)
            e.widget->setFont(largeButtonFont(*e.design));
        else
            e.widget->setFont(e.explicitFont ? *e.design : QFont()); // QFont(): inherit again
    } else if (e.action) {
        if (!e.design)
            e.design = e.action->font();
        e.action->setFont(large ? largeButtonFont(*e.design) : *e.design);
    }
}

void ButtonSizes::apply(QToolBar *toolbar, bool large)
{
    if (toolbar)
        toolbar->setUpdatesEnabled(false);
    if (switchImages && toolbar) {
        IconLibrary *dm = IconLibrary::instance();
        applyIconList(toolbar, large ? dm->largeIcons() : dm->smallIcons());
    }
    for (FontEntry &e : m_fonts)
        applyFont(e, large);
    for (const SizeEntry &s : m_sizes) {
        if (!s.widget)
            continue;
        const int v = large ? s.large : s.normal;
        if (s.height)
            s.widget->setFixedHeight(v);
        else
            s.widget->setFixedWidth(v);
    }
    for (const auto &f : m_custom)
        f(large);
    if (toolbar)
        toolbar->setUpdatesEnabled(true);
}
