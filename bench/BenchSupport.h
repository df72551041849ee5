#pragma once
// What the benchmarks share: the full-HD size they measure at and the floor
// every drawing figure is compared with.
#include "sim/framework/PaintBox32.h"

#include <QtTest>

namespace Bench {

constexpr int kW = 1920, kH = 1080;

// The floor: a full-HD paint box cleared and shown.
struct Floor {
    TPaintBox32 pic;
    // Shows the paint box; false when it never reached the screen.
    bool Show()
    {
        pic.setWindowFlags(Qt::FramelessWindowHint);
        pic.resize(kW, kH);
        pic.show();
        return QTest::qWaitForWindowExposed(&pic) && pic.Bitmap().Width() == kW;
    }
    void Once()
    {
        pic.BeginUpdate();
        pic.Bitmap().Clear(0xFFFFFFFF);
        pic.EndUpdate();
        pic.repaint();
    }
};

} // namespace Bench
