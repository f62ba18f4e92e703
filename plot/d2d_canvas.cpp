#include "plot/d2d_canvas.h"

#include <d2d1.h>
#include <dwrite.h>

#include "plot/rendering_factories.h"

namespace Winplus {

namespace {

D2D1_RECT_F RectOf(const PixelRect& box) {
    return D2D1::RectF(static_cast<float>(box.x), static_cast<float>(box.y),
                       static_cast<float>(box.x + box.width),
                       static_cast<float>(box.y + box.height));
}

D2D1_POINT_2F PointOf(PixelPoint p) {
    return D2D1::Point2F(static_cast<float>(p.x), static_cast<float>(p.y));
}

}  // namespace

D2DCanvas::D2DCanvas(ID2D1RenderTarget* target, int fontSize) : target_(target) {
    if (IDWriteFactory* write = GetDWriteFactory())
        write->CreateTextFormat(L"Arial", nullptr, DWRITE_FONT_WEIGHT_NORMAL,
                                DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL,
                                static_cast<float>(fontSize), L"", format_.Put());
}

D2DCanvas::~D2DCanvas() {
    while (clips_ > 0) PopClip();
}

ID2D1SolidColorBrush* D2DCanvas::Brush(Argb color) {
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second.Get();
    ComPtr<ID2D1SolidColorBrush> brush;
    // The alpha byte counts, as it does on the GDI+ canvas.
    const ColorFractions f = Fractions(color);
    target_->CreateSolidColorBrush(D2D1::ColorF(f.red, f.green, f.blue, f.alpha), brush.Put());
    ID2D1SolidColorBrush* made = brush.Get();
    if (made) brushes_[color] = std::move(brush);
    return made;
}

void D2DCanvas::Line(PixelPoint from, PixelPoint to, Argb color, double width) {
    if (ID2D1SolidColorBrush* brush = Brush(color))
        target_->DrawLine(PointOf(from), PointOf(to), brush, static_cast<float>(width));
}

void D2DCanvas::Rectangle(const PixelRect& box, Argb color, bool fill) {
    ID2D1SolidColorBrush* brush = Brush(color);
    if (!brush) return;
    if (fill)
        target_->FillRectangle(RectOf(box), brush);
    else
        target_->DrawRectangle(RectOf(box), brush, 1.0f);
}

void D2DCanvas::Ellipse(const PixelRect& box, Argb color, bool fill) {
    ID2D1SolidColorBrush* brush = Brush(color);
    if (!brush) return;
    const D2D1_ELLIPSE ellipse =
        D2D1::Ellipse(D2D1::Point2F(box.x + box.width / 2.0f, box.y + box.height / 2.0f),
                      box.width / 2.0f, box.height / 2.0f);
    if (fill)
        target_->FillEllipse(ellipse, brush);
    else
        target_->DrawEllipse(ellipse, brush, 1.0f);
}

void D2DCanvas::Polygon(const std::vector<PixelPoint>& points, Argb color, bool fill) {
    ID2D1SolidColorBrush* brush = Brush(color);
    if (!brush || points.size() < 2) return;
    ID2D1Factory* factory = nullptr;
    target_->GetFactory(&factory);
    ComPtr<ID2D1PathGeometry> path;
    if (!factory || FAILED(factory->CreatePathGeometry(path.Put()))) {
        if (factory) factory->Release();
        return;
    }
    factory->Release();
    ComPtr<ID2D1GeometrySink> sink;
    if (FAILED(path->Open(sink.Put()))) return;
    sink->BeginFigure(PointOf(points[0]),
                      fill ? D2D1_FIGURE_BEGIN_FILLED : D2D1_FIGURE_BEGIN_HOLLOW);
    for (std::size_t i = 1; i < points.size(); ++i) sink->AddLine(PointOf(points[i]));
    sink->EndFigure(D2D1_FIGURE_END_CLOSED);
    if (FAILED(sink->Close())) return;
    if (fill)
        target_->FillGeometry(path.Get(), brush);
    else
        target_->DrawGeometry(path.Get(), brush, 1.0f);
}

void D2DCanvas::Text(const std::wstring& text, const PixelRect& box, TextAlign align, Argb color) {
    ID2D1SolidColorBrush* brush = Brush(color);
    if (!brush || !format_) return;
    format_->SetTextAlignment(align == TextAlign::Trailing ? DWRITE_TEXT_ALIGNMENT_TRAILING
                              : align == TextAlign::Center ? DWRITE_TEXT_ALIGNMENT_CENTER
                                                           : DWRITE_TEXT_ALIGNMENT_LEADING);
    target_->DrawText(text.c_str(), static_cast<UINT32>(text.size()), format_.Get(), RectOf(box),
                      brush);
}

void D2DCanvas::PushClip(const PixelRect& box) {
    target_->PushAxisAlignedClip(RectOf(box), D2D1_ANTIALIAS_MODE_ALIASED);
    ++clips_;
}

void D2DCanvas::PopClip() {
    if (clips_ == 0) return;
    target_->PopAxisAlignedClip();
    --clips_;
}

}  // namespace Winplus
