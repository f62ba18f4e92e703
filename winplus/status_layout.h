#pragma once
// Where the status bar's three cells, their lines and their texts lie in a bar of a given
// width: no extent is ever negative, however narrow the window.
#include "winplus/grid_layout.h"

namespace Winplus {

inline constexpr int kStatusBarHeight = 18;

struct Line {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct StatusLayout {
    Box labelCell, descriptionCell, fitCell;  // filled with the button face
    Line lines[7];
    Box labelText;        // centred
    Box descriptionClip;  // drawn from its top left, not wrapped
    Box fitText;          // left-aligned, vertically centred
};

StatusLayout LayOutStatusBar(int width);

}  // namespace Winplus
