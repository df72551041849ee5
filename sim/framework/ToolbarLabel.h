#pragma once
// A caption in a simulation toolbar.
#include <QLabel>

class QAction;
class QToolBar;

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
