#include "app/StartPicture.h"

#include <QPainter>

StartPicture::StartPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("startPicture"));
}

bool StartPicture::loadPicture(const QString &file)
{
    QImage img;
    if (file.isEmpty() || !img.load(file))
        return false;
    m_picture = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_scaled = QImage();
    if (m_autoSize)
        resize(m_picture.size());
    update();
    return true;
}

void StartPicture::setAutoSize(bool on)
{
    m_autoSize = on;
    if (on && !m_picture.isNull())
        resize(m_picture.size());
    update();
}

void StartPicture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (m_autoSize) {
        p.drawImage(0, 0, m_picture);
        return;
    }
    // Scaled proportionally to fit; the scaled copy is kept until the size
    // changes, and is made at the screen's pixel density so it stays sharp.
    const qreal dpr = devicePixelRatioF();
    const QSize target = (QSizeF(m_picture.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio) * dpr).toSize();
    if (target.isEmpty())
        return;
    if (m_scaled.size() != target) {
        m_scaled = m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(dpr);
    }
    const QSizeF logical = QSizeF(m_scaled.size()) / dpr;
    p.drawImage(QPointF((width() - logical.width()) / 2, (height() - logical.height()) / 2), m_scaled);
}
