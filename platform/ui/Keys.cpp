#include "platform/ui/Keys.h"

#include <Qt>

namespace platform {

WORD VirtualKeyOf(int qtKey) {
    if (qtKey == Qt::Key_Escape)
        return VK_ESCAPE;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<WORD>(qtKey);
    return 0;
}

} // namespace platform
