#pragma once
// What plot objects paint on: lines, rectangles, ellipses, polygons, text and clipping in
// pixels. GDI+ and Direct2D implement it for windows; a recording one serves the tests.
#include <string>
#include <vector>

#include "plot/rect.h"
#include "winplus/colors.h"

namespace Winplus {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PixelPoint&) const = default;
};

enum class TextAlign { Leading, Center, Trailing };

struct TextSize {
    int width = 0;
    int height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void Line(PixelPoint from, PixelPoint to, Argb color, double width) = 0;
    // Outlines are one pixel wide.
    virtual void Rectangle(const PixelRect& box, Argb color, bool fill) = 0;
    virtual void Ellipse(const PixelRect& box, Argb color, bool fill) = 0;
    virtual void Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) = 0;
    // Text placed in a box: aligned horizontally by align, from the box's top.
    virtual void Text(const std::wstring& text, const PixelRect& box, TextAlign align,
                      Argb color) = 0;
    virtual TextSize MeasureText(const std::wstring& text) = 0;
    // Clips until the matching PopClip.
    virtual void PushClip(const PixelRect& box) = 0;
    virtual void PopClip() = 0;
    // The colour of tick labels: the frame's own, or the back end's fixed one.
    virtual Argb LabelColor(Argb frameColor) const { return frameColor; }
    // Whether anchor markers are centred on their point at twice their size (Direct2D) rather
    // than boxes of their size offset up and left of it (GDI+).
    virtual bool CentresMarkers() const { return false; }
};

// The size Direct2D's plot estimates text at: 10 pixels a character, 20 high.
inline TextSize EstimateTextSize(const std::wstring& text) {
    return {10 * static_cast<int>(text.size()), 20};
}

}  // namespace Winplus
