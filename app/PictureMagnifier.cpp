#include "app/PictureMagnifier.h"

#include "core/FileLookup.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QXmlStreamReader>
#include <cmath>

namespace {

const QSize kDesignSize(491, 326);
// Room the window manager takes around the window (border and title bar),
// which is not known before the window is shown.
const QMargins kWindowFrame(8, 36, 8, 8);
// A caption narrower than this would wrap into a tall column.
constexpr int kMinCaptionWidth = 360;
const QMargins kCaptionMargins(10, 6, 10, 8);

// The <title> of an SVG file; empty when there is none.
QString svgTitle(const QString &svgFile)
{
    QFile f(svgFile);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&f);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("svg"))
            continue; // look inside the root
        if (xml.name() == QLatin1String("title"))
            return xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
        xml.skipCurrentElement();
    }
    return {};
}

} // namespace

PictureMagnifier::PictureMagnifier(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("pictureMagnifier"));
    setWindowTitle(QStringLiteral("Picture"));
    resize(kDesignSize);
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->setCursor(Qt::PointingHandCursor);
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    m_pictureLabel->setToolTip(QStringLiteral("Click to close; right-click to copy the picture"));
    m_pictureLabel->setGeometry(QRect(QPoint(0, 0), kDesignSize));
    m_pictureLabel->installEventFilter(this);
    m_captionLabel = new QLabel(this);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    m_captionLabel->setWordWrap(true);
    m_captionLabel->setTextFormat(Qt::PlainText);
    m_captionLabel->setContentsMargins(kCaptionMargins);
    m_captionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_captionLabel->hide();
    m_contextMenu = new QMenu(this);
    m_copyAction = m_contextMenu->addAction(QStringLiteral("Copy picture"));
    m_copyAction->setObjectName(QStringLiteral("copyAction"));
    connect(m_copyAction, &QAction::triggered, this, &PictureMagnifier::copyPicture);
}

QRect PictureMagnifier::availableArea() const
{
    if (m_available.isValid())
        return m_available;
    const QWidget *on = parentWidget() ? parentWidget() : this;
    if (QScreen *screen = on->screen())
        return screen->availableGeometry();
    return QRect(QPoint(0, 0), QSize(1024, 768));
}

QString PictureMagnifier::titleFor(const QString &file)
{
    const QFileInfo info(file);
    const QString svg =
        FileLookup::resolveFile(QDir(info.path()).filePath(info.completeBaseName() + QStringLiteral(".svg")));
    const QString title = svg.isEmpty() ? QString() : svgTitle(svg);
    return title.isEmpty() ? QStringLiteral("Picture") : title;
}

void PictureMagnifier::load(const QString &file, const QString &description)
{
    const QString path = FileLookup::resolve(file);
    const QString title = titleFor(path.isEmpty() ? file : path);
    setWindowTitle(title);
    m_pictureLabel->setAccessibleName(title);
    m_pictureLabel->setAccessibleDescription(description);
    setAccessibleDescription(description);
    m_picture = QPixmap();
    if (path.isEmpty() || !m_picture.load(path)) {
        m_picture = QPixmap();
        // The window keeps its design size and says why it is empty.
        m_pictureLabel->setWordWrap(true);
        m_pictureLabel->setText(QStringLiteral("This picture could not be shown:\n%1")
                                    .arg(QDir::toNativeSeparators(file)));
        m_pictureLabel->setGeometry(QRect(QPoint(0, 0), kDesignSize));
        m_captionLabel->hide();
        setFixedSize(kDesignSize);
        return;
    }
    fit(description);
}

void PictureMagnifier::fit(const QString &description)
{
    const QSizeF natural = m_picture.deviceIndependentSize();
    const QRect room = availableArea().marginsRemoved(kWindowFrame);
    m_captionLabel->setText(description);
    m_captionLabel->setVisible(!description.isEmpty());

    // The largest scale, at most 1, at which picture and caption fit. The
    // caption grows taller as the picture gets narrower, so settle it.
    QSize shown, content;
    int captionHeight = 0;
    auto layoutAt = [&](double scale) {
        shown = QSize(qMax(1, int(std::lround(natural.width() * scale))),
                      qMax(1, int(std::lround(natural.height() * scale))));
        content.setWidth(qMax(shown.width(), qMin(kMinCaptionWidth, room.width())));
        captionHeight = description.isEmpty() ? 0 : m_captionLabel->heightForWidth(content.width());
        content.setHeight(shown.height() + captionHeight);
        const double fitWidth = double(room.width()) / natural.width();
        const double fitHeight = double(qMax(1, room.height() - captionHeight)) / natural.height();
        return std::min({1.0, fitWidth, fitHeight});
    };
    double scale = 1.0;
    for (int round = 0; round < 8; ++round) {
        const double s = layoutAt(scale);
        if (s >= scale)
            break;
        scale = s;
    }
    layoutAt(scale);

    QPixmap pm = m_picture;
    if (shown != natural.toSize()) {
        const qreal dpr = devicePixelRatioF();
        pm = m_picture.scaled(shown * dpr, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm.setDevicePixelRatio(dpr);
    }
    m_pictureLabel->setPixmap(pm);
    m_pictureLabel->setGeometry((content.width() - shown.width()) / 2, 0, shown.width(), shown.height());
    m_captionLabel->setGeometry(0, shown.height(), content.width(), captionHeight);
    setFixedSize(content);
}

void PictureMagnifier::copyPicture()
{
    if (!m_picture.isNull())
        QApplication::clipboard()->setPixmap(m_picture);
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
