#pragma once
// The canvas on a Direct2D render target (a window's, a DC's or a bitmap's alike): the plot
// panels' painting path. Colours are drawn opaque; text uses the frame's DirectWrite format.
#include <map>

#include "plot/canvas.h"
#include "winplus/handles.h"

struct ID2D1RenderTarget;
struct ID2D1SolidColorBrush;
struct IDWriteTextFormat;

namespace Winplus {

class D2DCanvas : public Canvas {
public:
    // Text in "Arial" at fontSize (nothing without a DirectWrite factory). The target stays the
    // caller's, between its BeginDraw and EndDraw.
    explicit D2DCanvas(ID2D1RenderTarget* target, int fontSize = 15);
    ~D2DCanvas() override;
    D2DCanvas(const D2DCanvas&) = delete;
    D2DCanvas& operator=(const D2DCanvas&) = delete;

    void Line(PixelPoint from, PixelPoint to, Argb color, double width) override;
    void Rectangle(const PixelRect& box, Argb color, bool fill) override;
    void Ellipse(const PixelRect& box, Argb color, bool fill) override;
    void Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) override;
    void Text(const std::wstring& text, const PixelRect& box, TextAlign align, Argb color) override;
    TextSize MeasureText(const std::wstring& text) override { return EstimateTextSize(text); }
    // An axis-aligned clip: Direct2D layers are not clipped under Wine.
    void PushClip(const PixelRect& box) override;
    void PopClip() override;
    // Steel blue.
    Argb LabelColor(Argb) const override { return 0xFF4682B4; }
    bool CentresMarkers() const override { return true; }

private:
    ID2D1SolidColorBrush* Brush(Argb color);

    ID2D1RenderTarget* target_;
    ComPtr<IDWriteTextFormat> format_;
    std::map<Argb, ComPtr<ID2D1SolidColorBrush>> brushes_;
    int clips_ = 0;
};

}  // namespace Winplus
