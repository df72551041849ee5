#include "AppTestSupport.h"

#include <QTest>

namespace TestSupport {

ScreenInfoProvider fixedScreen(QSize size, std::optional<QRect> workArea, QList<QRect> allWorkAreas)
{
    return [=] {
        ScreenInfo s;
        s.size = size;
        s.workArea = workArea;
        s.allWorkAreas = allWorkAreas;
        return s;
    };
}

bool showAtSize(MainWindow &main, QSize size)
{
    main.resize(size);
    main.show();
    return QTest::qWaitForWindowExposed(&main);
}

} // namespace TestSupport
