#include "AppTestSupport.h"

namespace TestSupport {

ScreenInfoProvider fixedScreen(QSize size, std::optional<QRect> workArea)
{
    return [=] {
        ScreenInfo s;
        s.size = size;
        s.workArea = workArea;
        return s;
    };
}

} // namespace TestSupport
