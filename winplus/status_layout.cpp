#include "winplus/status_layout.h"

#include <algorithm>

namespace Winplus {

namespace {
Box Clamped(int x, int y, int width, int height) {
    return {x, y, std::max(width, 0), std::max(height, 0)};
}
}  // namespace

StatusLayout LayOutStatusBar(int width) {
    const int w = width;
    StatusLayout layout;
    layout.labelCell = Clamped(1, 1, 99, 16);
    layout.descriptionCell = Clamped(101, 1, w - 352, 16);
    layout.fitCell = Clamped(w - 248, 1, 248, 16);
    layout.lines[0] = {0, 0, 100, 0};
    layout.lines[1] = {100, 0, 100, 18};
    layout.lines[2] = {104, 0, 104, 20};
    layout.lines[3] = {104, 0, w - 254, 0};
    layout.lines[4] = {w - 254, 0, w - 254, 20};
    layout.lines[5] = {w - 250, 0, w - 250, 20};
    layout.lines[6] = {w - 250, 0, w, 0};
    layout.labelText = Clamped(0, 1, 100, 16);
    layout.descriptionClip = Clamped(106, 2, w - 362, 16);
    // From its left edge to the window's right edge: a long status is cut there.
    layout.fitText = Clamped(w - 246, 2, 246, 16);
    return layout;
}

}  // namespace Winplus
