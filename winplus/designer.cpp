#include "winplus/designer.h"

#include <d2d1.h>

namespace Winplus {

void Designer::PaintDC(HDC dc) {
    Graphics graphics(dc);
    Paint(graphics.Get());
}

void Designer::PaintWindow(HWND hwnd) {
    PaintScope paint(hwnd);
    Graphics graphics(paint.DC());
    Paint(graphics.Get());
}

Safe::XPtr<ShapeDesigner> ShapeDesigner::Create(int kind) {
    switch (kind) {
        case 1: return Safe::MakeX<EllipseDesigner>();
        case 2: return Safe::MakeX<RectangleDesigner>();
        case 3: return Safe::MakeX<DiamondDesigner>();
        default: return nullptr;
    }
}

namespace {

D2D1_COLOR_F ToColor(Argb argb) {
    const ColorFractions f = Fractions(argb);
    return D2D1::ColorF(f.red, f.green, f.blue, f.alpha);
}

ComPtr<ID2D1SolidColorBrush> MakeBrush(ID2D1RenderTarget* target, Argb argb) {
    ComPtr<ID2D1SolidColorBrush> brush;
    target->CreateSolidColorBrush(ToColor(argb), brush.Put());
    return brush;
}

}  // namespace

void EllipseDesigner::Paint(Gdiplus::GpGraphics* graphics) {
    const int left = centerX - halfWidth, top = centerY - halfHeight;
    if (outlineOn && pen) Gdip::GdipDrawEllipseI(graphics, pen, left, top, width, height);
    if (fillOn && brush) Gdip::GdipFillEllipseI(graphics, brush, left, top, width, height);
}

void EllipseDesigner::Draw(ID2D1RenderTarget* target) {
    const D2D1_ELLIPSE ellipse = D2D1::Ellipse(
        D2D1::Point2F(static_cast<float>(centerX), static_cast<float>(centerY)),
        static_cast<float>(width), static_cast<float>(height));
    if (outlineOn) {
        if (auto b = MakeBrush(target, outlineColor)) target->DrawEllipse(ellipse, b.Get(), 1.0f);
    }
    if (fillOn) {
        if (auto b = MakeBrush(target, fillColor)) target->FillEllipse(ellipse, b.Get());
    }
}

void RectangleDesigner::Paint(Gdiplus::GpGraphics* graphics) {
    const int left = centerX - halfWidth, top = centerY - halfHeight;
    if (outlineOn && pen) Gdip::GdipDrawRectangleI(graphics, pen, left, top, width, height);
    if (fillOn && brush) Gdip::GdipFillRectangleI(graphics, brush, left, top, width, height);
}

void RectangleDesigner::Draw(ID2D1RenderTarget* target) {
    const D2D1_RECT_F rect = D2D1::RectF(static_cast<float>(centerX - halfWidth),
                                         static_cast<float>(centerY - halfHeight),
                                         static_cast<float>(centerX + halfWidth),
                                         static_cast<float>(centerY + halfHeight));
    if (outlineOn) {
        if (auto b = MakeBrush(target, outlineColor)) target->DrawRectangle(rect, b.Get(), 1.0f);
    }
    if (fillOn) {
        if (auto b = MakeBrush(target, fillColor)) target->FillRectangle(rect, b.Get());
    }
}

}  // namespace Winplus
