#include "sim/framework/Themes.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace Themes {
namespace {

struct Scheme {
    const char *name;
    QRgb window;     // window and panel background
    QRgb button;     // buttons, toolbars, menus
    QRgb base;       // edit fields, lists
    QRgb text;       // text on window and buttons
    QRgb highlight;  // selection and checked items
    QRgb splitter;   // splitter and bare panel areas
};

// Light schemes keep dark text; the dark one turns the text light.
const Scheme kSchemes[] = {
    {"Default", 0xF0F0F0, 0xF0F0F0, 0xFFFFFF, 0x000000, 0x308CC6, 0xE6E6E6},
    {"Aluminum", 0xD4D5D9, 0xDCDDE1, 0xFFFFFF, 0x1E1E1E, 0x6F7F9A, 0xBFC1C7},
    {"Athen", 0xE9ECEF, 0xF4F6F8, 0xFFFFFF, 0x1A1A2E, 0x4A7FB5, 0xD5DBE1},
    {"Dream", 0xE8E0F0, 0xF1EBF7, 0xFFFFFF, 0x2A1F3D, 0x8A5FBF, 0xD6C8E6},
    {"Eos", 0xE3EDF5, 0xEEF4FA, 0xFFFFFF, 0x102030, 0x2F7BBF, 0xC9DAEA},
    {"Human", 0xEFEBE7, 0xF5F2EE, 0xFFFFFF, 0x2E2A26, 0xD97A28, 0xDCD3C9},
    {"Leopard", 0xDADADA, 0xE8E8E8, 0xFFFFFF, 0x202020, 0x3875D7, 0xC6C6C6},
    {"Xito", 0xECEDEA, 0xF6F7F4, 0xFFFFFF, 0x2B2B2B, 0x5B9A3C, 0xD8DAD4},
    {"Office XP", 0xF0EEEA, 0xF7F6F3, 0xFFFFFF, 0x000000, 0x316AC5, 0xDBD8D1},
    {"Office 2003", 0xDDECFE, 0xE9F2FE, 0xFFFFFF, 0x00156E, 0x4A88D9, 0xC3DAF9},
    {"Office 2007 Blue", 0xD5E4F2, 0xE3EEF9, 0xFFFFFF, 0x15428B, 0xFFBD69, 0xBFDBFF},
    {"Office 2007 Black", 0x535353, 0x6A6A6A, 0xF2F2F2, 0xF0F0F0, 0xFFBD69, 0x3F3F3F},
    {"Office 2007 Silver", 0xE5E9EE, 0xEEF1F5, 0xFFFFFF, 0x3B3B3B, 0xFFBD69, 0xD0D4DD},
};

QString g_current;

const Scheme *find(const QString &name)
{
    for (const Scheme &s : kSchemes)
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QPalette paletteFor(const Scheme &s)
{
    const QColor window(s.window), button(s.button), base(s.base), text(s.text), hl(s.highlight);
    const bool dark = window.lightness() < 128;
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, base.darker(104));
    p.setColor(QPalette::Text, dark && base.lightness() > 128 ? QColor(Qt::black) : text);
    p.setColor(QPalette::Highlight, hl);
    p.setColor(QPalette::HighlightedText, hl.lightness() > 150 ? QColor(Qt::black) : QColor(Qt::white));
    p.setColor(QPalette::ToolTipBase, QColor(0xFFFFE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Light, button.lighter(150));
    p.setColor(QPalette::Midlight, button.lighter(115));
    p.setColor(QPalette::Mid, button.darker(130));
    p.setColor(QPalette::Dark, button.darker(180));
    p.setColor(QPalette::Shadow, button.darker(300));
    p.setColor(QPalette::Link, dark ? QColor(0x9CC7FF) : QColor(0x0645AD));
    const QColor disabledText = dark ? text.darker(170) : QColor(0x8A8A8A);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8A8A8A));
    return p;
}
} // namespace

QStringList names()
{
    QStringList names;
    for (const Scheme &s : kSchemes)
        names << QLatin1String(s.name);
    return names;
}

QString defaultName() { return QStringLiteral("Office 2007 blue"); }

QString canonical(const QString &name)
{
    const Scheme *s = find(name);
    return s ? QLatin1String(s->name) : QString();
}

bool apply(const QString &name)
{
    const Scheme *s = find(name);
    if (!s)
        return false;
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(paletteFor(*s));
    g_current = QLatin1String(s->name);
    return true;
}

QString current() { return g_current.isEmpty() ? canonical(defaultName()) : g_current; }

QColor splitterBackground()
{
    const Scheme *s = find(current());
    return s ? QColor(s->splitter) : QColor(0xE6E6E6);
}

} // namespace Themes
