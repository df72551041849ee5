#include "sim/framework/AlignPanel.h"

#include <QChildEvent>
#include <QEvent>

namespace {
const char *kAlignProperty = "orvantaAlign";
}

AlignPanel::AlignPanel(QWidget *parent) : QFrame(parent) {}

void AlignPanel::setAlign(QWidget *child, PanelAlign align)
{
    child->setProperty(kAlignProperty, static_cast<int>(align));
    if (auto *panel = qobject_cast<AlignPanel *>(child->parentWidget()))
        panel->realign();
}

PanelAlign AlignPanel::align(const QWidget *child)
{
    const QVariant v = child->property(kAlignProperty);
    return v.isValid() ? static_cast<PanelAlign>(v.toInt()) : PanelAlign::None;
}

void AlignPanel::realign()
{
    QRect r = contentsRect();
    const QObjectList kids = children();
    auto place = [&](PanelAlign which) {
        for (QObject *o : kids) {
            auto *w = qobject_cast<QWidget *>(o);
            if (!w || w->isWindow() || w->isHidden() || align(w) != which)
                continue;
            switch (which) {
            case PanelAlign::Top:
                w->setGeometry(r.left(), r.top(), r.width(), w->height());
                r.setTop(r.top() + w->height());
                break;
            case PanelAlign::Bottom:
                w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
                r.setBottom(r.bottom() - w->height());
                break;
            case PanelAlign::Left:
                w->setGeometry(r.left(), r.top(), w->width(), r.height());
                r.setLeft(r.left() + w->width());
                break;
            case PanelAlign::Right:
                w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
                r.setRight(r.right() - w->width());
                break;
            case PanelAlign::Client:
                w->setGeometry(r);
                break;
            case PanelAlign::None:
                break;
            }
        }
    };
    place(PanelAlign::Top);
    place(PanelAlign::Bottom);
    place(PanelAlign::Left);
    place(PanelAlign::Right);
    place(PanelAlign::Client);
}

void AlignPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    realign();
    Q_EMIT resized();
}

void AlignPanel::childEvent(QChildEvent *event)
{
    QFrame::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    if (event->added() || event->removed())
        realign();
}

bool AlignPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->parent() == this
        && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        realign();
    return QFrame::eventFilter(watched, event);
}
