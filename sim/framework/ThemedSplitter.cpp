#include "sim/framework/ThemedSplitter.h"

#include "sim/framework/Themes.h"

#include <QPainter>
#include <QSplitterHandle>

namespace {
class ThemedSplitterHandle : public QSplitterHandle
{
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Themes::splitterBackground());
    }
};
} // namespace

ThemedSplitter::ThemedSplitter(Qt::Orientation orientation, QWidget *parent) : QSplitter(orientation, parent)
{
    setHandleWidth(4);
    setChildrenCollapsible(false);
}

QSplitterHandle *ThemedSplitter::createHandle()
{
    return new ThemedSplitterHandle(orientation(), this);
}
