#pragma once
// A spin box in a simulation toolbar: user changes emit valueEdited(),
// values set from code do not.
#include <QDoubleSpinBox>
#include <QString>

class QAction;
class QToolBar;

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

    // What screen readers announce: "<quantity>, <value> <unit>", kept up
    // to date with the value. By default the quantity and unit come from the
    // caption just before the box (" Mass (kg) ") or from the suffix; the
    // hint is the description.
    void setQuantity(const QString &quantity, const QString &unit = QString());
    QString quantity() const { return m_quantity; }

Q_SIGNALS:
    // The user changed the value (arrows, keys, typing).
    void valueEdited();

private:
    void updateAccessibleName();

    QAction *m_action = nullptr;
    bool m_settingValue = false;
    QString m_quantity;
    QString m_unit;
};
