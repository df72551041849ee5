#include "core/WindowBounds.h"

#include <algorithm>
#include <vector>

namespace WindowBounds {

namespace {

// A rectangle in 64-bit edges (right and bottom exclusive), so that any two
// stored 32-bit values can be subtracted.
struct Edges {
    qint64 left, top, right, bottom;
    qint64 width() const { return right - left; }
    qint64 height() const { return bottom - top; }
};

Edges edgesOf(const QRect &r)
{
    return {r.left(), r.top(), qint64(r.left()) + r.width(), qint64(r.top()) + r.height()};
}

qint64 overlap(const Edges &a, const Edges &b)
{
    const qint64 w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const qint64 h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// True when the work areas together cover `r`: what is left of it after
// taking away each area in turn is nothing.
bool covered(const Edges &r, const QList<QRect> &workAreas)
{
    std::vector<Edges> left{r};
    for (const QRect &area : workAreas) {
        if (area.isEmpty())
            continue;
        const Edges a = edgesOf(area);
        std::vector<Edges> next;
        for (const Edges &p : left) {
            if (overlap(p, a) == 0) {
                next.push_back(p);
                continue;
            }
            // The parts of p above, below, left and right of the area.
            if (p.top < a.top)
                next.push_back({p.left, p.top, p.right, a.top});
            if (p.bottom > a.bottom)
                next.push_back({p.left, a.bottom, p.right, p.bottom});
            const qint64 top = std::max(p.top, a.top), bottom = std::min(p.bottom, a.bottom);
            if (p.left < a.left)
                next.push_back({p.left, top, a.left, bottom});
            if (p.right > a.right)
                next.push_back({a.right, top, p.right, bottom});
        }
        left.swap(next);
        if (left.empty())
            return true;
    }
    return left.empty();
}

} // namespace

std::optional<QRect> restore(qint32 left, qint32 top, qint32 right, qint32 bottom,
                             const QList<QRect> &workAreas, QSize minimum)
{
    const Edges stored{left, top, right, bottom};
    if (stored.width() <= 0 || stored.height() <= 0)
        return std::nullopt;

    // Inside the work areas as stored: the window goes back exactly there.
    if (stored.width() >= minimum.width() && stored.height() >= minimum.height() && covered(stored, workAreas))
        return QRect(int(stored.left), int(stored.top), int(stored.width()), int(stored.height()));

    // Otherwise the work area it mostly lies on takes it, clamped.
    const QRect *best = nullptr;
    qint64 bestOverlap = 0;
    for (const QRect &area : workAreas) {
        const qint64 o = area.isEmpty() ? 0 : overlap(stored, edgesOf(area));
        if (o > bestOverlap) {
            bestOverlap = o;
            best = &area;
        }
    }
    if (!best)
        return std::nullopt;
    const Edges area = edgesOf(*best);
    const qint64 w = std::clamp<qint64>(stored.width(), std::min<qint64>(minimum.width(), area.width()), area.width());
    const qint64 h = std::clamp<qint64>(stored.height(), std::min<qint64>(minimum.height(), area.height()), area.height());
    const qint64 x = std::clamp<qint64>(stored.left, area.left, area.right - w);
    const qint64 y = std::clamp<qint64>(stored.top, area.top, area.bottom - h);
    return QRect(int(x), int(y), int(w), int(h));
}

} // namespace WindowBounds
