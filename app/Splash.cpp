#include "app/Splash.h"

#include "app/FileLookup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

TSplashFrm *SplashFrm = nullptr;

TSplashFrm::TSplashFrm()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashFrm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Pic = new QLabel(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->resize(340, 197);
    resize(340, 197);
    const QString file = FileLookup::ResolveBesideExe(QStringLiteral("HTML/images/Splash.png"));
    QPixmap pm;
    if (!file.isEmpty() && pm.load(file)) {
        Pic->setPixmap(pm);
        Pic->resize(pm.deviceIndependentSize().toSize());
    }
}

void TSplashFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    resize(Pic->size());
    if (QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
}

void FreeSplash()
{
    delete SplashFrm;
    SplashFrm = nullptr;
}

TSplashImage::TSplashImage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SplashImage"));
}

bool TSplashImage::LoadPicture(const QString &file)
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

void TSplashImage::SetAutoSize(bool on)
{
    m_autoSize = on;
    if (on && !m_picture.isNull())
        resize(m_picture.size());
    update();
}

void TSplashImage::paintEvent(QPaintEvent *)
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
