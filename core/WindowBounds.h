#pragma once
// Where a window goes when it is put back where it was stored. A stored
// rectangle may come from a screen that is gone, or from a corrupt store:
// it is used only where it fits the screens there are now.
#include <QList>
#include <QRect>
#include <QSize>
#include <QtGlobal>
#include <optional>

namespace WindowBounds {

// The window bounds for a stored rectangle (left, top, right, bottom, right
// and bottom exclusive) on screens whose work areas are `workAreas`:
//  - a rectangle inside the work areas stays as it is;
//  - one that reaches beyond them keeps as much of its size as the work
//    area it mostly lies on allows (never less than `minimum`) and moves
//    into it;
//  - one with no area, or on none of the work areas, gives nothing: the
//    caller places the window as on a first run.
// Any 32-bit values are accepted; nothing overflows.
std::optional<QRect> restore(qint32 left, qint32 top, qint32 right, qint32 bottom,
                             const QList<QRect> &workAreas, QSize minimum = QSize());

} // namespace WindowBounds
