#include "sim/framework/IconList.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QToolBar>

namespace {
const char *kImageIndexProperty = "orvantaImageIndex";
const char *kImageListProperty = "orvantaImageList";

QImage renderSvg(const QString &path, int pixels)
{
    QImage img(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (path.isEmpty())
        return img;
    QSvgRenderer svg(path);
    if (svg.isValid()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    return img;
}

QImage greyscale(const QImage &src)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage faded(const QImage &src)
{
    QImage img(src.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setOpacity(0.35);
    p.drawImage(0, 0, src);
    return img;
}
} // namespace

QIcon IconList::icon(int index) const
{
    if (index < 0 || index >= m_icons.size())
        return {};
    return m_icons[index];
}

void IconList::addSvg(const QString &svgPath)
{
    QIcon icon;
    for (int scale = 1; scale <= 2; ++scale) {
        const QImage normal = renderSvg(svgPath, m_size * scale);
        const QImage disabled = m_disabled == DisabledLook::Greyscale ? greyscale(normal) : faded(normal);
        QPixmap pn = QPixmap::fromImage(normal);
        QPixmap pd = QPixmap::fromImage(disabled);
        pn.setDevicePixelRatio(scale);
        pd.setDevicePixelRatio(scale);
        icon.addPixmap(pn, QIcon::Normal);
        icon.addPixmap(pd, QIcon::Disabled);
    }
    m_icons.push_back(icon);
}

void setIconIndex(QAction *action, int index)
{
    action->setProperty(kImageIndexProperty, index);
}

int iconIndex(const QAction *action)
{
    const QVariant v = action->property(kImageIndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

static void applyToActions(const QList<QAction *> &actions, const IconList &list)
{
    for (QAction *a : actions) {
        const int idx = iconIndex(a);
        if (idx >= 0)
            a->setIcon(list.icon(idx));
        if (QMenu *m = a->menu())
            applyToActions(m->actions(), list);
    }
}

void applyIconList(QToolBar *toolbar, const IconList &list)
{
    toolbar->setIconSize(QSize(list.size(), list.size()));
    toolbar->setProperty(kImageListProperty, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(&list)));
    applyToActions(toolbar->actions(), list);
}

const IconList *currentIconList(const QToolBar *toolbar)
{
    const QVariant v = toolbar->property(kImageListProperty);
    return v.isValid() ? reinterpret_cast<const IconList *>(v.value<quintptr>()) : nullptr;
}
