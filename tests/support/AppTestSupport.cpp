#include "AppTestSupport.h"

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

} // namespace TestSupport
