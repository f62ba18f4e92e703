#include "app/views/plot_target.h"

#include <d2d1.h>

#include "plot/rendering_factories.h"

namespace Core {

PlotTarget::PlotTarget() = default;
PlotTarget::~PlotTarget() = default;

void PlotTarget::Render(HWND window, const RECT& area,
                        const std::function<void(ID2D1RenderTarget&)>& draw) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    if (!target_) {
        ID2D1Factory* factory = Winplus::GetD2DFactory();
        const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
            D2D1_RENDER_TARGET_TYPE_DEFAULT,
            D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
        if (!factory || FAILED(factory->CreateDCRenderTarget(&properties, target_.Put()))) return;
    }
    const Winplus::WindowDC dc(window);
    HRESULT result = target_->BindDC(dc.Get(), &area);
    if (SUCCEEDED(result)) {
        Winplus::DrawScope drawing(target_.Get());
        target_->SetTransform(D2D1::Matrix3x2F::Translation(-static_cast<float>(area.left),
                                                            -static_cast<float>(area.top)));
        draw(*target_.Get());
        result = drawing.End();
    }
    if (result == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) target_.Reset();
}

void WindowBand::Rectangle(int left, int top, int right, int bottom) {
    const POINT corners[] = {
        {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
    Draw(corners, 5);
}

void WindowBand::Line(int x0, int y0, int x1, int y1) {
    const POINT ends[] = {{x0, y0}, {x1, y1}};
    Draw(ends, 2);
}

void WindowBand::Draw(const POINT* points, int count) {
    const Winplus::WindowDC dc(hwnd_);
    const int mode = SetROP2(dc.Get(), R2_NOTXORPEN);
    Winplus::GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
    {
        Winplus::Selection selected(dc.Get(), pen.Get());
        Polyline(dc.Get(), points, count);
    }
    SetROP2(dc.Get(), mode);
}

}  // namespace Core
