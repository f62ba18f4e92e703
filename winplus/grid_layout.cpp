#include "winplus/grid_layout.h"

#include <algorithm>

namespace Winplus {

int RowAt(int y, int firstVisible, int rowCount) {
    // Rounded down, so that a point above the grid names the row above the first visible one.
    const int row = (y >= 0 ? y / kRowHeight : -((kRowHeight - 1 - y) / kRowHeight)) + firstVisible;
    return row >= 0 && row < rowCount ? row : -1;
}

int GridScrollMaximum(int rowCount, int barHeight) {
    if (rowCount <= 0) return 0;
    return std::max(rowCount - (barHeight + 2) / kRowHeight, 0);
}

bool InDropZone(int x, int clientWidth) {
    return clientWidth - 35 <= x && x <= clientWidth - 20;
}

Box EditorBox(int row, int firstVisible, int clientWidth) {
    return {kValueColumn + 2, (row - firstVisible) * kRowHeight + 2,
            std::max(clientWidth - kValueColumn - 22, 0), 14};
}

int ListDropHeight(std::size_t choices) {
    return 14 * static_cast<int>(std::min<std::size_t>(choices, 6));
}

Box DropDownBox(int row, int firstVisible, int clientWidth, int height) {
    return {kValueColumn, (row - firstVisible + 1) * kRowHeight,
            std::max(clientWidth - kValueColumn - 19, 0), height};
}

int ScrollTarget(int request, int position, int maximum, int thumb) {
    // The SB_ codes of winuser.h.
    enum { kLineUp, kLineDown, kPageUp, kPageDown, kThumbPosition, kThumbTrack, kTop, kBottom };
    int target = position;
    switch (request) {
        case kLineUp: target = position - 1; break;
        case kLineDown: target = position + 1; break;
        case kPageUp: target = position - 2; break;
        case kPageDown: target = position + 2; break;
        case kThumbPosition:
        case kThumbTrack: target = thumb; break;
        case kTop: target = 0; break;
        case kBottom: target = maximum; break;
        default: break;
    }
    return std::clamp(target, 0, std::max(maximum, 0));
}

}  // namespace Winplus
