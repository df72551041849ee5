#pragma once
// A scroll bar along a simulation window's edge or in its toolbar: user
// moves emit scrolled(), positions set from code do not.
#include <QScrollBar>
#include <QString>

class QAction;
class QToolBar;

struct ScrollBarDesign {
    Qt::Orientation orientation = Qt::Horizontal;
    int min = 0;
    int max = 100;
    int position = 0;
    int smallStep = 1; // arrows
    int pageStep = 1;  // clicks beside the thumb
    QString hint;
    QString name; // what a screen reader calls it; the caption before it in a toolbar, else the hint
};

// A scroll bar along a window edge (place it with the window's alignment)
// or inside a toolbar. It sets a quantity of the model, so it takes the
// keyboard focus when clicked or tabbed to and then answers the arrow,
// Page Up/Down, Home and End keys, with a visible focus frame; keys never
// go on to a spin box that had the focus before.
class ToolbarScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ToolbarScrollBar(const ScrollBarDesign &design, QWidget *parent = nullptr);
    // In a toolbar, at a fixed size.
    ToolbarScrollBar(QToolBar *toolbar, const ScrollBarDesign &design, const QSize &size);

    int position() const { return value(); }
    // Moves the thumb without emitting Scroll.
    void setPosition(int position);
    QAction *action() const { return m_action; }

Q_SIGNALS:
    // Every user move, also while the thumb is dragged or a key is pressed.
    void scrolled(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void init(const ScrollBarDesign &design);
    QAction *m_action = nullptr;
    bool m_settingPosition = false;
};
