#include "modes/move_settings.h"

#include <algorithm>

namespace Core {

double MoveSettings::Argument(int axis, double cursor, int delta) const {
    const int i = Index(axis);
    switch (type[i]) {
        case kMoveValue: return delta * value[i];
        case kMovePercent: return std::max(delta * percent[i], kPercentFloor - 1.0);
        default: return cursor;
    }
}

void MoveSettings::Drag(Node& node, double x, double y, int dx, int dy) const {
    node.DragAnchorValue(type[0], Argument(0, x, dx), type[1], Argument(1, y, dy));
}

}  // namespace Core
