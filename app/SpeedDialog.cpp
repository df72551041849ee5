#include "app/SpeedDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

SpeedDialog::SpeedDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("speedDialog"));
    setWindowTitle(QStringLiteral("Set the animation speed"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(297, 167);

    m_slowLabel = new QLabel(QStringLiteral("Slow"), this);
    m_slowLabel->setObjectName(QStringLiteral("slowLabel"));
    m_slowLabel->move(30, 22);
    m_fastLabel = new QLabel(QStringLiteral("Fast"), this);
    m_fastLabel->setObjectName(QStringLiteral("fastLabel"));
    m_fastLabel->move(232, 23);

    m_speedSlider = new QSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("speedSlider"));
    m_speedSlider->setGeometry(29, 49, 232, 27);
    m_speedSlider->setRange(1, 200);
    m_speedSlider->setValue(1);
    m_speedSlider->setTickPosition(QSlider::NoTicks);
    m_speedSlider->setTickInterval(20);
    // While the thumb is dragged its position is shown above it.
    connect(m_speedSlider, &QSlider::sliderMoved, this, [this](int value) {
        QStyleOptionSlider opt;
        opt.initFrom(m_speedSlider);
        opt.orientation = Qt::Horizontal;
        opt.minimum = m_speedSlider->minimum();
        opt.maximum = m_speedSlider->maximum();
        opt.sliderPosition = value;
        opt.sliderValue = value;
        const QRect handle = m_speedSlider->style()->subControlRect(QStyle::CC_Slider, &opt,
                                                                QStyle::SC_SliderHandle, m_speedSlider);
        QToolTip::showText(m_speedSlider->mapToGlobal(QPoint(handle.center().x(), handle.top() - 24)),
                           QString::number(value), m_speedSlider);
    });
    connect(m_speedSlider, &QSlider::sliderReleased, this, [] { QToolTip::hideText(); });

    m_applyButton = new QPushButton(QStringLiteral("Apply"), this);
    m_applyButton->setObjectName(QStringLiteral("applyButton"));
    m_applyButton->setGeometry(36, 105, 91, 29);
    m_applyButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setGeometry(167, 105, 91, 29);
    connect(m_applyButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void SpeedDialog::setSpeed(int speed)
{
    m_speedSlider->setValue(qBound(m_speedSlider->minimum(), speed, m_speedSlider->maximum()));
}

int SpeedDialog::speed() const
{
    return m_speedSlider->value();
}
