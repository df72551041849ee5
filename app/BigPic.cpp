#include "app/BigPic.h"

#include "app/FileLookup.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

TBigPicFrm::TBigPicFrm(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("BigPicFrm"));
    setWindowTitle(QStringLiteral(" "));
    resize(491, 326);
    MagPic = new QLabel(this);
    MagPic->setObjectName(QStringLiteral("MagPic"));
    MagPic->setCursor(Qt::PointingHandCursor);
    MagPic->setGeometry(0, 0, 491, 326);
    MagPic->installEventFilter(this);
    PopupMenu = new QMenu(this);
    CopyPic1 = PopupMenu->addAction(QStringLiteral("Copy picture"));
    CopyPic1->setObjectName(QStringLiteral("CopyPic1"));
    connect(CopyPic1, &QAction::triggered, this, &TBigPicFrm::CopyPic1Click);
}

void TBigPicFrm::Load(const QString &file)
{
    const QString path = FileLookup::Resolve(file);
    QPixmap pm;
    if (path.isEmpty() || !pm.load(path))
        return;
    MagPic->setPixmap(pm);
    const QSize size = pm.deviceIndependentSize().toSize();
    MagPic->setGeometry(QRect(QPoint(0, 0), size));
    resize(size);
}

void TBigPicFrm::CopyPic1Click()
{
    const QPixmap pm = MagPic->pixmap();
    if (!pm.isNull())
        QApplication::clipboard()->setPixmap(pm);
}

bool TBigPicFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MagPic && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton) {
            accept();
            return true;
        }
        if (me->button() == Qt::RightButton) {
            PopupMenu->popup(me->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
