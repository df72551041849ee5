#include "app/SplashScreen.h"

#include "core/FileLookup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

SplashScreen *splashScreen = nullptr;

SplashScreen::SplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splashScreen"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->resize(340, 197);
    resize(340, 197);
    const QString file = FileLookup::resolveContent(QStringLiteral("HTML/images/Splash.png"));
    QPixmap pm;
    if (!file.isEmpty() && pm.load(file)) {
        m_pictureLabel->setPixmap(pm);
        m_pictureLabel->resize(pm.deviceIndependentSize().toSize());
    }
}

void SplashScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    resize(m_pictureLabel->size());
    if (QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
}

void closeSplashScreen()
{
    delete splashScreen;
    splashScreen = nullptr;
}
