#include "app/uSpeed.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

TSpeedFrm::TSpeedFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SpeedFrm"));
    setWindowTitle(QStringLiteral("Set the animation speed"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(297, 167);

    Label2 = new QLabel(QStringLiteral("Slow"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(30, 22);
    Label1 = new QLabel(QStringLiteral("Fast"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(232, 23);

    SpeedHsb = new QSlider(Qt::Horizontal, this);
    SpeedHsb->setObjectName(QStringLiteral("SpeedHsb"));
    SpeedHsb->setGeometry(29, 49, 232, 27);
    SpeedHsb->setRange(1, 200);
    SpeedHsb->setValue(1);
    SpeedHsb->setTickPosition(QSlider::NoTicks);
    SpeedHsb->setTickInterval(20);
    // While the thumb is dragged its position is shown above it.
    connect(SpeedHsb, &QSlider::sliderMoved, this, [this](int value) {
        QStyleOptionSlider opt;
        opt.initFrom(SpeedHsb);
        opt.orientation = Qt::Horizontal;
        opt.minimum = SpeedHsb->minimum();
        opt.maximum = SpeedHsb->maximum();
        opt.sliderPosition = value;
        opt.sliderValue = value;
        const QRect handle = SpeedHsb->style()->subControlRect(QStyle::CC_Slider, &opt,
                                                                QStyle::SC_SliderHandle, SpeedHsb);
        QToolTip::showText(SpeedHsb->mapToGlobal(QPoint(handle.center().x(), handle.top() - 24)),
                           QString::number(value), SpeedHsb);
    });
    connect(SpeedHsb, &QSlider::sliderReleased, this, [] { QToolTip::hideText(); });

    SpTBXButton1 = new QPushButton(QStringLiteral("Apply"), this);
    SpTBXButton1->setObjectName(QStringLiteral("SpTBXButton1"));
    SpTBXButton1->setGeometry(36, 105, 91, 29);
    SpTBXButton1->setDefault(true);
    SpTBXButton2 = new QPushButton(QStringLiteral("Cancel"), this);
    SpTBXButton2->setObjectName(QStringLiteral("SpTBXButton2"));
    SpTBXButton2->setGeometry(167, 105, 91, 29);
    connect(SpTBXButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpTBXButton2, &QPushButton::clicked, this, &QDialog::reject);
}

void TSpeedFrm::SetPosition(int speed)
{
    SpeedHsb->setValue(qBound(SpeedHsb->minimum(), speed, SpeedHsb->maximum()));
}

int TSpeedFrm::Position() const
{
    return SpeedHsb->value();
}
