#include "winplus/panel_layout.h"

#include <algorithm>

#include "foundation/text.h"

namespace Winplus {

std::vector<int> ShareLength(const std::vector<PanelShare>& children, int length) {
    int sum = 0;
    double weights = 0.0;
    int stretchables = 0;
    for (const PanelShare& child : children) {
        if (!child.visible) continue;
        sum += std::max(child.minExtent, 0);
        if (child.stretchable) {
            weights += std::max(child.weight, 0.0);
            ++stretchables;
        }
    }
    const int free = std::max(length - sum, 0);
    std::vector<int> extents;
    for (const PanelShare& child : children) {
        int extent = 0;
        if (child.visible) {
            extent = std::max(child.minExtent, 0);
            if (child.stretchable) {
                const double share = weights > 0.0 ? std::max(child.weight, 0.0) / weights
                                                   : 1.0 / stretchables;
                extent = RoundToInt(free * share + extent);
            }
        }
        extents.push_back(extent);
    }
    return extents;
}

int LimitDelta(int size, int delta, int minExtent) {
    return delta < 0 && size + delta < minExtent ? minExtent - size : delta;
}

double WeightAfterResize(double weight, int size, int delta) {
    if (size <= 0) return weight;
    return std::max(weight * (1.0 + static_cast<double>(delta) / size), 0.0);
}

CaptionLayout LayOutCaption(int width, int headerSize, int buttonSize, int rightMargin) {
    CaptionLayout layout;
    layout.button = {width - buttonSize - 2 - rightMargin, headerSize - buttonSize - 2, buttonSize,
                     buttonSize};
    layout.text = {2, 3, std::max(0, layout.button.x - 2 - 2), std::max(0, headerSize - 3)};
    return layout;
}

}  // namespace Winplus
