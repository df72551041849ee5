#include "sim/framework/ToolbarSpinBox.h"

#include "sim/framework/AccessibleText.h"
#include "sim/framework/Hints.h"
#include "sim/framework/ToolbarLabel.h"

#include <QAction>
#include <QLineEdit>
#include <QToolBar>

ToolbarSpinBox::ToolbarSpinBox(QToolBar *toolbar, const SpinBoxDesign &design) : QDoubleSpinBox(toolbar)
{
    m_settingValue = true;
    setDecimals(qMax(0, design.decimals));
    setRange(design.min, design.max);
    setSingleStep(design.step);
    setValue(design.value);
    setSuffix(design.suffix);
    m_settingValue = false;
    if (!design.hint.isEmpty())
        setHint(this, design.hint);
    if (design.width > 0)
        setFixedWidth(design.width);
    if (design.readOnlyText)
        lineEdit()->setReadOnly(true);
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] {
        updateAccessibleName();
        if (!m_settingValue)
            Q_EMIT valueEdited();
    });
    if (ToolbarLabel *label = lastToolbarLabel(toolbar)) {
        label->setBuddy(this);
        const CaptionQuantity q = quantityOfCaption(label->text());
        m_quantity = q.name;
        m_unit = q.unit;
    } else {
        m_quantity = design.hint;
    }
    if (m_unit.isEmpty())
        m_unit = design.suffix.trimmed();
    setAccessibleDescription(design.hint.isEmpty() ? m_quantity : design.hint);
    updateAccessibleName();
    m_action = toolbar->addWidget(this);
}

void ToolbarSpinBox::setQuantity(const QString &quantity, const QString &unit)
{
    m_quantity = quantity;
    m_unit = unit;
    if (accessibleDescription().isEmpty())
        setAccessibleDescription(quantity);
    updateAccessibleName();
}

void ToolbarSpinBox::updateAccessibleName()
{
    // The number as the box shows it, without the suffix, which the unit
    // replaces in words.
    QString spoken = textFromValue(value());
    const QString unit = spokenUnit(m_unit);
    if (!unit.isEmpty())
        spoken += QLatin1Char(' ') + unit;
    setAccessibleName(m_quantity.isEmpty() ? spoken : m_quantity + QStringLiteral(", ") + spoken);
}

void ToolbarSpinBox::setValueQuietly(double v)
{
    m_settingValue = true;
    setValue(v);
    m_settingValue = false;
}

void ToolbarSpinBox::setItemVisible(bool visible)
{
    m_action->setVisible(visible);
}
