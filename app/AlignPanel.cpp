#include "app/AlignPanel.h"

#include <QChildEvent>
#include <QEvent>

namespace {
const char *kAlignProperty = "orvantaAlign";
}

TAlignPanel::TAlignPanel(QWidget *parent) : QFrame(parent) {}

void TAlignPanel::SetAlign(QWidget *child, TAlign align)
{
    child->setProperty(kAlignProperty, static_cast<int>(align));
    if (auto *panel = qobject_cast<TAlignPanel *>(child->parentWidget()))
        panel->Realign();
}

TAlign TAlignPanel::Align(const QWidget *child)
{
    const QVariant v = child->property(kAlignProperty);
    return v.isValid() ? static_cast<TAlign>(v.toInt()) : TAlign::None;
}

void TAlignPanel::Realign()
{
    QRect r = contentsRect();
    const QObjectList kids = children();
    auto place = [&](TAlign which) {
        for (QObject *o : kids) {
            auto *w = qobject_cast<QWidget *>(o);
            if (!w || w->isWindow() || w->isHidden() || Align(w) != which)
                continue;
            switch (which) {
            case TAlign::Top:
                w->setGeometry(r.left(), r.top(), r.width(), w->height());
                r.setTop(r.top() + w->height());
                break;
            case TAlign::Bottom:
                w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
                r.setBottom(r.bottom() - w->height());
                break;
            case TAlign::Left:
                w->setGeometry(r.left(), r.top(), w->width(), r.height());
                r.setLeft(r.left() + w->width());
                break;
            case TAlign::Right:
                w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
                r.setRight(r.right() - w->width());
                break;
            case TAlign::Client:
                w->setGeometry(r);
                break;
            case TAlign::None:
                break;
            }
        }
    };
    place(TAlign::Top);
    place(TAlign::Bottom);
    place(TAlign::Left);
    place(TAlign::Right);
    place(TAlign::Client);
}

void TAlignPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Realign();
    Q_EMIT Resized();
}

void TAlignPanel::childEvent(QChildEvent *event)
{
    QFrame::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    if (event->added() || event->removed())
        Realign();
}

bool TAlignPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->parent() == this
        && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        Realign();
    return QFrame::eventFilter(watched, event);
}
