#include "app/base/placement.h"

namespace Core {

Placement MainWindowPlacement(const WorkArea& area) {
    const int width = area.right - area.left;
    return {area.left + width / 10, 0, (4 * width) / 5, area.bottom - area.top};
}

}  // namespace Core
