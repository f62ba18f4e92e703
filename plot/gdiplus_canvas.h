#pragma once
// The canvas on a GDI+ graphics object: widgets' painting path and the GDI+ rendering of plots.
#include <vector>

#include "plot/canvas.h"
#include "winplus/handles.h"

namespace Winplus {

class GdiplusCanvas : public Canvas {
public:
    // Labels in the generic sans-serif family at fontSize points.
    GdiplusCanvas(Gdiplus::GpGraphics* graphics, int fontSize = 15);
    ~GdiplusCanvas() override;
    GdiplusCanvas(const GdiplusCanvas&) = delete;
    GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

    void Line(PixelPoint from, PixelPoint to, Argb color, double width) override;
    void Rectangle(const PixelRect& box, Argb color, bool fill) override;
    void Ellipse(const PixelRect& box, Argb color, bool fill) override;
    void Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) override;
    void Text(const std::wstring& text, const PixelRect& box, TextAlign align, Argb color) override;
    TextSize MeasureText(const std::wstring& text) override;
    void PushClip(const PixelRect& box) override;
    void PopClip() override;

private:
    GdipPen Pen(Argb color, double width) const;
    GdipBrush Brush(Argb color) const;

    Gdiplus::GpGraphics* graphics_;
    GdipFont font_;
    GdipStringFormat format_;
    std::vector<PixelRect> clips_;
};

}  // namespace Winplus
