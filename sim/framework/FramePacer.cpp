#include "sim/framework/FramePacer.h"

#include "core/AnimationClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

class Pacer : public QObject
{
public:
    Pacer() : QObject(QCoreApplication::instance())
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &Pacer::flush);
        m_sinceFrame.start();
    }

    void request(QWidget *widget, const QRegion &region)
    {
        const qint64 frame = qint64(AnimationClock::displayFrameInterval() * 1e9);
        if (!m_timer.isActive() && (!m_framed || m_sinceFrame.nsecsElapsed() >= frame)) {
            repaint(widget, region);
            m_sinceFrame.restart();
            m_framed = true;
            return;
        }
        auto it = std::find_if(m_pending.begin(), m_pending.end(), [widget](const auto &p) { return p.first == widget; });
        if (it == m_pending.end())
            m_pending.emplace_back(widget, region);
        else if (!it->second.isEmpty())
            it->second = region.isEmpty() ? QRegion() : it->second + region; // empty: all of it
        if (!m_timer.isActive()) {
            const qint64 wait = std::max<qint64>(0, frame - m_sinceFrame.nsecsElapsed());
            m_timer.start(int((wait + 999999) / 1000000));
        }
    }

private:
    static void repaint(QWidget *widget, const QRegion &region)
    {
        if (region.isEmpty())
            widget->update();
        else
            widget->update(region);
    }

    void flush()
    {
        auto pending = std::exchange(m_pending, {});
        for (const auto &[widget, region] : pending)
            if (widget)
                repaint(widget, region);
        m_sinceFrame.restart();
    }

    QTimer m_timer;
    QElapsedTimer m_sinceFrame; // since the last repaint let through
    bool m_framed = false;
    std::vector<std::pair<QPointer<QWidget>, QRegion>> m_pending;
};

Pacer &pacer()
{
    static QPointer<Pacer> instance;
    if (!instance)
        instance = new Pacer;
    return *instance;
}

} // namespace

void FramePacer::update(QWidget *widget, const QRegion &region)
{
    if (widget)
        pacer().request(widget, region);
}
