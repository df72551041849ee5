#pragma once
// What the benchmarks share: the full-HD size they measure at and the floor
// every drawing figure is compared with.
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"

#include <QtTest>

namespace Bench {

constexpr int kW = 1920, kH = 1080;

// The floor: a full-HD paint box cleared and shown.
struct Floor {
    PaintBox pic;
    // Shows the paint box; false when it never reached the screen.
    bool show()
    {
        pic.setWindowFlags(Qt::FramelessWindowHint);
        pic.resize(kW, kH);
        pic.show();
        return QTest::qWaitForWindowExposed(&pic) && pic.bitmap().width() == kW;
    }
    void once()
    {
        pic.beginUpdate();
        pic.bitmap().clear(0xFFFFFFFF);
        pic.endUpdate();
        pic.repaint();
    }
};

} // namespace Bench
