#include "app/AboutDialog.h"

#include "core/FileVersion.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

namespace {
constexpr int kBand = 10;
constexpr QSize kPictureArea(500, 332);
constexpr QRgb kFrameWhite = 0xFFFFFFFF;
constexpr QRgb kFrameLine = 0xFF7F7F7F;
} // namespace

QString AboutDialog::versionText(const QString &version)
{
    return QStringLiteral("version ") + fourPartVersion(version);
}

QImage AboutDialog::framedPicture(const QString &file)
{
    QImage image(file);
    if (image.isNull())
        return image;
    // A start picture larger than the box's picture area is shrunk to fit,
    // so that the frame and the labels under it stay in sight.
    if (image.width() > kPictureArea.width() || image.height() > kPictureArea.height())
        image = image.scaled(kPictureArea, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QColor white = QColor::fromRgba(kFrameWhite);
    p.fillRect(0, 0, w, std::min(kBand, h), white);
    p.fillRect(0, std::max(0, h - kBand), w, std::min(kBand, h), white);
    p.fillRect(0, 0, std::min(kBand, w), h, white);
    p.fillRect(std::max(0, w - kBand), 0, std::min(kBand, w), h, white);
    p.fillRect(0, h - 1, w, 1, QColor::fromRgba(kFrameLine));
    return image;
}

AboutDialog::AboutDialog(const QString &startPicture, const QString &projectPage, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_projectPage(projectPage)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(499, 410);
    // The box's own font is 8 points; the labels that use it follow.
    QFont boxFont = font();
    boxFont.setPointSize(8);
    setFont(boxFont);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setGeometry(QRect(QPoint(0, 0), kPictureArea));
    m_picture->setAlignment(Qt::AlignCenter);
    const QImage framed = framedPicture(startPicture);
    if (!framed.isNull())
        m_picture->setPixmap(QPixmap::fromImage(framed));

    m_linkLabel = new QLabel(this);
    m_linkLabel->setObjectName(QStringLiteral("linkLabel"));
    m_linkLabel->move(12, 338);
    QFont linkFont(QStringLiteral("Liberation Sans"));
    linkFont.setPixelSize(13);
    if (m_projectPage.isEmpty()) {
        m_linkLabel->setText(QStringLiteral("Orvanta: waves and oscillations"));
    } else {
        linkFont.setUnderline(true);
        m_linkLabel->setText(m_projectPage);
        m_linkLabel->setStyleSheet(QStringLiteral("color: blue"));
        m_linkLabel->setCursor(Qt::PointingHandCursor);
        m_linkLabel->setToolTip(QStringLiteral("Open the project's page in your web browser"));
        m_linkLabel->installEventFilter(this);
    }
    m_linkLabel->setFont(linkFont);
    m_linkLabel->adjustSize();

    m_contactLabel = new QLabel(this);
    m_contactLabel->setObjectName(QStringLiteral("contactLabel"));
    m_contactLabel->move(11, 356);
    m_contactLabel->setText(QStringLiteral("A course on waves and oscillations with its own models.\n"
                                           "Corrections and ideas for the course are welcome."));
    m_contactLabel->adjustSize();

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_versionLabel->move(373, 336);
    m_versionLabel->setText(versionText(fileVersionText()));
    m_versionLabel->adjustSize();

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(368, 361, 93, 33);
    m_okButton->setFlat(true);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_linkLabel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openProjectPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::openProjectPage()
{
    if (!m_projectPage.isEmpty())
        QDesktopServices::openUrl(QUrl(m_projectPage));
}
