#include "plot/gdiplus_canvas.h"

#include "winplus/gdip_draw.h"

namespace Winplus {

GdiplusCanvas::GdiplusCanvas(Gdiplus::GpGraphics* graphics, int fontSize) : graphics_(graphics) {
    // The cached family: Wine makes a new generic family at every request and never frees it.
    if (Gdiplus::GpFontFamily* family = SansSerifFamily())
        Gdip::GdipCreateFont(family, static_cast<Gdiplus::REAL>(fontSize),
                             Gdiplus::FontStyleRegular, Gdiplus::UnitPoint, font_.Put());
    Gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format_.Put());
}

GdiplusCanvas::~GdiplusCanvas() = default;

GdipPen GdiplusCanvas::Pen(Argb color, double width) const {
    GdipPen pen;
    Gdip::GdipCreatePen1(color, static_cast<Gdiplus::REAL>(width), Gdiplus::UnitPixel, pen.Put());
    return pen;
}

GdipBrush GdiplusCanvas::Brush(Argb color) const {
    GdipBrush brush;
    Gdip::GdipCreateSolidFill(color, reinterpret_cast<Gdiplus::GpSolidFill**>(brush.Put()));
    return brush;
}

void GdiplusCanvas::Line(PixelPoint from, PixelPoint to, Argb color, double width) {
    GdipPen pen = Pen(color, width);
    Gdip::GdipDrawLine(graphics_, pen.Get(), static_cast<Gdiplus::REAL>(from.x),
                       static_cast<Gdiplus::REAL>(from.y), static_cast<Gdiplus::REAL>(to.x),
                       static_cast<Gdiplus::REAL>(to.y));
}

void GdiplusCanvas::Rectangle(const PixelRect& box, Argb color, bool fill) {
    if (fill) {
        GdipBrush brush = Brush(color);
        Gdip::GdipFillRectangleI(graphics_, brush.Get(), box.x, box.y, box.width, box.height);
    } else {
        GdipPen pen = Pen(color, 1.0);
        Gdip::GdipDrawRectangleI(graphics_, pen.Get(), box.x, box.y, box.width, box.height);
    }
}

void GdiplusCanvas::Ellipse(const PixelRect& box, Argb color, bool fill) {
    if (fill) {
        GdipBrush brush = Brush(color);
        Gdip::GdipFillEllipseI(graphics_, brush.Get(), box.x, box.y, box.width, box.height);
    } else {
        GdipPen pen = Pen(color, 1.0);
        Gdip::GdipDrawEllipseI(graphics_, pen.Get(), box.x, box.y, box.width, box.height);
    }
}

void GdiplusCanvas::Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) {
    std::vector<Gdiplus::GpPointF> corners;
    for (const PixelPoint& p : points)
        corners.push_back({static_cast<Gdiplus::REAL>(p.x), static_cast<Gdiplus::REAL>(p.y)});
    const auto count = static_cast<INT>(corners.size());
    if (fill) {
        GdipBrush brush = Brush(color);
        Gdip::GdipFillPolygon(graphics_, brush.Get(), corners.data(), count,
                              Gdiplus::FillModeAlternate);
    } else {
        GdipPen pen = Pen(color, 1.0);
        Gdip::GdipDrawPolygon(graphics_, pen.Get(), corners.data(), count);
    }
}

void GdiplusCanvas::Text(const std::wstring& text, const PixelRect& box, TextAlign align,
                         Argb color) {
    if (!font_.Get() || !format_.Get()) return;
    Gdip::GdipSetStringFormatAlign(format_.Get(),
                                   align == TextAlign::Trailing ? Gdiplus::StringAlignmentFar
                                   : align == TextAlign::Center ? Gdiplus::StringAlignmentCenter
                                                                : Gdiplus::StringAlignmentNear);
    const Gdiplus::RectF layout(
        static_cast<Gdiplus::REAL>(box.x), static_cast<Gdiplus::REAL>(box.y),
        static_cast<Gdiplus::REAL>(box.width), static_cast<Gdiplus::REAL>(box.height));
    GdipBrush brush = Brush(color);
    Gdip::GdipDrawString(graphics_, text.c_str(), -1, font_.Get(), &layout, format_.Get(),
                         brush.Get());
}

TextSize GdiplusCanvas::MeasureText(const std::wstring& text) {
    if (!font_.Get() || !format_.Get()) return EstimateTextSize(text);
    Gdip::GdipSetStringFormatAlign(format_.Get(), Gdiplus::StringAlignmentNear);
    const Gdiplus::RectF layout(0, 0, 10000, 10000);
    Gdiplus::RectF bound;
    if (Gdip::GdipMeasureString(graphics_, text.c_str(), -1, font_.Get(), &layout, format_.Get(),
                                &bound, nullptr, nullptr) != Gdiplus::Ok)
        return EstimateTextSize(text);
    return {static_cast<int>(bound.Width), static_cast<int>(bound.Height)};
}

void GdiplusCanvas::PushClip(const PixelRect& box) {
    clips_.push_back(box);
    Gdip::GdipSetClipRectI(graphics_, box.x, box.y, box.width, box.height,
                           Gdiplus::CombineModeReplace);
}

void GdiplusCanvas::PopClip() {
    if (!clips_.empty()) clips_.pop_back();
    if (clips_.empty()) {
        Gdip::GdipResetClip(graphics_);
    } else {
        const PixelRect& box = clips_.back();
        Gdip::GdipSetClipRectI(graphics_, box.x, box.y, box.width, box.height,
                               Gdiplus::CombineModeReplace);
    }
}

}  // namespace Winplus
