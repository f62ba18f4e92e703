#pragma once
// Painters of the framework's widgets and of curve markers: GDI+ into a graphics object and,
// where a thing also shows in a plot, Direct2D into a render target.
#include <memory>

#include "foundation/countable.h"
#include "winplus/colors.h"
#include "winplus/handles.h"

struct ID2D1RenderTarget;

namespace Winplus {

class Designer : public Safe::Countable {
public:
    virtual void Draw(ID2D1RenderTarget*) {}
    virtual void Paint(Gdiplus::GpGraphics* graphics) = 0;
    void PaintDC(HDC dc);
    void PaintWindow(HWND hwnd);
};

// A marker shape centred on a point. The owner sets the size, colours, pen and brush.
class ShapeDesigner : public Designer {
public:
    // 1 ellipse, 2 rectangle, 3 diamond; null for any other kind.
    static Safe::XPtr<ShapeDesigner> Create(int kind);

    int width = 4, height = 4;
    bool outlineOn = true;
    Argb outlineColor = 0xFF000000;
    bool fillOn = false;
    Argb fillColor = 0xFF000000;
    int centerX = 0, centerY = 0;
    Gdiplus::GpPen* pen = nullptr;      // not owned
    Gdiplus::GpBrush* brush = nullptr;  // not owned
    int halfWidth = 2, halfHeight = 2;
};

class EllipseDesigner : public ShapeDesigner {
public:
    void Paint(Gdiplus::GpGraphics* graphics) override;
    void Draw(ID2D1RenderTarget* target) override;
};

class RectangleDesigner : public ShapeDesigner {
public:
    void Paint(Gdiplus::GpGraphics* graphics) override;
    void Draw(ID2D1RenderTarget* target) override;
};

// Has no picture of its own.
class DiamondDesigner : public ShapeDesigner {
public:
    void Paint(Gdiplus::GpGraphics*) override {}
};

}  // namespace Winplus
