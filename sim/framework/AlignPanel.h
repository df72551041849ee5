#pragma once
// A panel whose children are placed by an alignment of their own, as the
// left pane needs it: children aligned to the top or bottom keep their
// height and span the width, left or right keep their width and span the
// rest of the height, and a client child fills what remains. Children with
// no alignment are left where they are put. Hidden children take no room.
#include <QFrame>

enum class PanelAlign { None, Top, Bottom, Left, Right, Client };

class AlignPanel : public QFrame
{
    Q_OBJECT
public:
    explicit AlignPanel(QWidget *parent = nullptr);

    static void setAlign(QWidget *child, PanelAlign align);
    static PanelAlign align(const QWidget *child);

    // Places the aligned children now.
    void realign();

Q_SIGNALS:
    // The panel changed its size (after its children were realigned).
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
