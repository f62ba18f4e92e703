#pragma once
// The arithmetic of panels: how a container shares its length among its children, and what a
// splitter drag does to a panel's size and weight. No windows here.
#include <vector>

#include "winplus/grid_layout.h"

namespace Winplus {

struct PanelShare {
    bool visible = true;
    bool stretchable = true;
    double weight = 1.0;
    int minExtent = 0;
};

// The extent of every child along the container's axis (0 for hidden children, which take no
// room): its minimum extent, and for a stretchable child its weight's share of what the minimum
// extents leave free. Never negative; weights that are all zero share the free length evenly.
std::vector<int> ShareLength(const std::vector<PanelShare>& children, int length);

// The limit a shrinking drag meets: delta grows to minExtent - size when it would take the
// panel below its minimum extent.
int LimitDelta(int size, int delta, int minExtent);

// The weight of a panel of the given size after it grew by delta: in proportion to the new
// size. A panel without size keeps its weight.
double WeightAfterResize(double weight, int size, int delta);

// A leaf's caption strip: the collapse button in its right corner (rightMargin left free for a
// splitter beside it), and the caption's text from the left edge up to the button, one line.
struct CaptionLayout {
    Box text;
    Box button;
};
CaptionLayout LayOutCaption(int width, int headerSize, int buttonSize, int rightMargin);

}  // namespace Winplus
