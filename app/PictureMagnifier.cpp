#include "app/PictureMagnifier.h"

#include "core/FileLookup.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

PictureMagnifier::PictureMagnifier(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("pictureMagnifier"));
    setWindowTitle(QStringLiteral(" "));
    resize(491, 326);
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->setCursor(Qt::PointingHandCursor);
    m_pictureLabel->setGeometry(0, 0, 491, 326);
    m_pictureLabel->installEventFilter(this);
    m_contextMenu = new QMenu(this);
    m_copyAction = m_contextMenu->addAction(QStringLiteral("Copy picture"));
    m_copyAction->setObjectName(QStringLiteral("copyAction"));
    connect(m_copyAction, &QAction::triggered, this, &PictureMagnifier::copyPicture);
}

void PictureMagnifier::load(const QString &file)
{
    const QString path = FileLookup::resolve(file);
    QPixmap pm;
    if (path.isEmpty() || !pm.load(path))
        return;
    m_pictureLabel->setPixmap(pm);
    const QSize size = pm.deviceIndependentSize().toSize();
    m_pictureLabel->setGeometry(QRect(QPoint(0, 0), size));
    resize(size);
}

void PictureMagnifier::copyPicture()
{
    const QPixmap pm = m_pictureLabel->pixmap();
    if (!pm.isNull())
        QApplication::clipboard()->setPixmap(pm);
}

bool PictureMagnifier::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pictureLabel && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton) {
            accept();
            return true;
        }
        if (me->button() == Qt::RightButton) {
            m_contextMenu->popup(me->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
