#include "app/SkinSplitter.h"

#include "app/Themes.h"

#include <QPainter>
#include <QSplitterHandle>

namespace {
class TSkinHandle : public QSplitterHandle
{
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Themes::SplitterBackground());
    }
};
} // namespace

TSkinSplitter::TSkinSplitter(Qt::Orientation orientation, QWidget *parent) : QSplitter(orientation, parent)
{
    setHandleWidth(4);
    setChildrenCollapsible(false);
}

QSplitterHandle *TSkinSplitter::createHandle()
{
    return new TSkinHandle(orientation(), this);
}
