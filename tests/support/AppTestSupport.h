#pragma once
// Test helpers for the main window: a fixed screen instead of the real one.
#include "WidgetTestSupport.h"
#include "app/MainWindow.h"

namespace TestSupport {

// A screen of the given size and work area in place of the real one, so a
// main window is placed the same on every machine.
ScreenInfoProvider fixedScreen(QSize size = QSize(1600, 1000),
                               std::optional<QRect> workArea = QRect(0, 0, 1600, 960));

} // namespace TestSupport
