#pragma once
// Test helpers for the main window: a fixed screen instead of the real one.
#include "WidgetTestSupport.h"
#include "app/MainWindow.h"

namespace TestSupport {

// A screen of the given size and work area in place of the real one, so a
// main window is placed the same on every machine. `allWorkAreas` adds the
// work areas of further screens (the first screen's included).
ScreenInfoProvider fixedScreen(QSize size = QSize(1600, 1000),
                               std::optional<QRect> workArea = QRect(0, 0, 1600, 960),
                               QList<QRect> allWorkAreas = {});

// Gives the main window this size, shows it and waits until it is on
// screen; false when it never got there.
bool showAtSize(MainWindow &main, QSize size = QSize(1200, 800));

} // namespace TestSupport
