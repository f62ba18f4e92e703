#pragma once
// Rectangles of the plot: data limits and curve bounds (origin and extent in data units) and
// pixel rectangles.
#include <algorithm>

namespace Winplus {

// x..x+width horizontally, y..y+height vertically.
struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    // No lower bound: a point left of x or below y counts as contained. The curve painters
    // rely on exactly this test.
    bool Contains(double px, double py) const { return px - x <= width && py - y <= height; }
    Rect Union(const Rect& other) const {
        const double left = std::min(x, other.x), bottom = std::min(y, other.y);
        return {left, bottom, std::max(x + width, other.x + other.width) - left,
                std::max(y + height, other.y + other.height) - bottom};
    }
    bool operator==(const Rect&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

}  // namespace Winplus
