#include "sim/framework/AccessibleText.h"

#include "sim/framework/ToolbarLabel.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolBar>

CaptionQuantity quantityOfCaption(const QString &caption)
{
    static const QRegularExpression withUnit(QStringLiteral("^(.*\\S)\\s*\\(([^()]+)\\)$"));
    const QString text = caption.simplified().remove(QLatin1Char('&'));
    const QRegularExpressionMatch m = withUnit.match(text);
    if (m.hasMatch())
        return {m.captured(1), m.captured(2).trimmed()};
    return {text, QString()};
}

QString spokenUnit(const QString &unit)
{
    struct Word {
        const char *unit;
        const char *spoken;
    };
    static const Word words[] = {
        {"kg", "kilograms"},       {"kg/s", "kilograms per second"}, {"N/m", "newtons per metre"},
        {"Hz", "hertz"},           {"kHz", "kilohertz"},             {"mm", "millimetres"},
        {"cm", "centimetres"},     {"m", "metres"},                  {"nm", "nanometres"},
        {"s", "seconds"},          {"ms", "milliseconds"},           {"m/s", "metres per second"},
        {"V", "volts"},            {"\u00b0", "degrees"},            {"deg", "degrees"},
    };
    const QString u = unit.trimmed();
    for (const Word &w : words) {
        if (u == QString::fromUtf8(w.unit))
            return QString::fromUtf8(w.spoken);
    }
    return u;
}

ToolbarLabel *lastToolbarLabel(QToolBar *toolbar)
{
    if (!toolbar)
        return nullptr;
    const QList<QAction *> actions = toolbar->actions();
    if (actions.isEmpty())
        return nullptr;
    return qobject_cast<ToolbarLabel *>(toolbar->widgetForAction(actions.last()));
}

void setAccessibleText(QWidget *widget, const QString &name, const QString &description)
{
    if (!widget)
        return;
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description.isEmpty() ? name : description);
}

void nameButton(QWidget *button, const QString &caption, const QString &hint)
{
    if (!button)
        return;
    if (caption.isEmpty())
        button->setAccessibleName(hint);
    button->setAccessibleDescription(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
}

namespace {
// Accepting the shortcut override hands the key to the button itself.
class SpaceKeeper : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
                key->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void keepSpaceKey(QWidget *button)
{
    if (!button)
        return;
    static SpaceKeeper *keeper = new SpaceKeeper;
    button->installEventFilter(keeper);
}
