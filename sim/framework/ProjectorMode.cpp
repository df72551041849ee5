#include "sim/framework/ProjectorMode.h"

#include <QVariant>
#include <QWidget>

namespace {
// Where a widget keeps the font it had before projector mode first grew it.
const char kDesignFont[] = "projectorDesignFont";
const char kDesignFontOwn[] = "projectorDesignFontOwn";

void applyFont(QWidget *w, qreal factor, const QList<QWidget *> &skip, bool isRoot)
{
    if (skip.contains(w))
        return;
    QVariant design = w->property(kDesignFont);
    if (!design.isValid() && (isRoot || w->testAttribute(Qt::WA_SetFont))) {
        // An inherited font is not this widget's design: it follows its
        // parent's, which is scaled where it is set.
        w->setProperty(kDesignFontOwn, w->testAttribute(Qt::WA_SetFont));
        design = QVariant::fromValue(w->font());
        w->setProperty(kDesignFont, design);
    }
    if (design.isValid()) {
        const QFont f = design.value<QFont>();
        if (factor != 1.0)
            w->setFont(ProjectorMode::scaledFont(f, factor));
        else
            w->setFont(w->property(kDesignFontOwn).toBool() ? f : QFont());
    }
    for (QObject *child : w->children())
        if (auto *cw = qobject_cast<QWidget *>(child); cw && !cw->isWindow())
            applyFont(cw, factor, skip, false);
}
} // namespace

ProjectorMode *ProjectorMode::instance()
{
    static ProjectorMode mode;
    return &mode;
}

bool ProjectorMode::isOn()
{
    return instance()->m_on;
}

void ProjectorMode::setOn(bool on)
{
    ProjectorMode *m = instance();
    if (m->m_on == on)
        return;
    m->m_on = on;
    Q_EMIT m->changed(on);
}

QFont ProjectorMode::scaledFont(const QFont &design, qreal factor)
{
    QFont f = design;
    if (f.pixelSize() > 0)
        f.setPixelSize(qMax(1, qRound(f.pixelSize() * factor)));
    else if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * factor);
    return f;
}

void ProjectorMode::applyToWidgetFonts(QWidget *root, const QList<QWidget *> &skip)
{
    if (root)
        applyFont(root, textScale(), skip, true);
}
