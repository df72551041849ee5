#include "sim/framework/ToolbarSpinBox.h"

#include "sim/framework/Hints.h"

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
        if (!m_settingValue)
            Q_EMIT valueEdited();
    });
    m_action = toolbar->addWidget(this);
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
