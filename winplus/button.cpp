#include "winplus/button.h"

#include <d2d1.h>
#include <wincodec.h>

#include <vector>

#include "foundation/exception.h"
#include "winplus/imaging.h"

namespace Winplus {

void Button::SetPosition(const POINT& point) {
    x = point.x;
    y = point.y;
}

void Button::SetSize(const SIZE& size) {
    width = size.cx;
    height = size.cy;
}

void Button::SetDesigner(Safe::XPtr<ButtonDesigner> painter) {
    designer = painter;
}

POINT Button::GetFarEdge(const bool& vertical) const {
    return vertical ? POINT{0, y + height} : POINT{x + width, 0};
}

bool Button::HitTest(const POINT& point) const {
    return x <= point.x && point.x < x + width && y <= point.y && point.y < y + height;
}

void Button::Draw(ID2D1RenderTarget* renderTarget) {
    if (designer) designer->Draw(renderTarget);
}

void Button::Paint(Gdiplus::GpGraphics* graphics) {
    if (designer) designer->Paint(graphics);
}

void Button::PaintWindow(HWND hwnd) {
    if (!designer || !hwnd) return;
    Graphics graphics(hwnd);
    designer->Paint(graphics.Get());
}

void Button::ChangeState(HWND hwnd, int state) {
    if (machine.state == state) return;
    machine.state = state;
    PaintWindow(hwnd);
}

int Button::OnMouseMove(HWND hwnd, int px, int py, unsigned keys) {
    const int before = machine.state;
    machine.Move(HitTest({px, py}), (keys & MK_LBUTTON) != 0);
    if (machine.state != before) PaintWindow(hwnd);
    return -1;
}

int Button::OnButtonDown(HWND hwnd, int px, int py, unsigned) {
    const int before = machine.state;
    machine.Down(HitTest({px, py}));
    if (machine.state != before) PaintWindow(hwnd);
    return -1;
}

int Button::OnButtonUp(HWND hwnd, int px, int py, unsigned) {
    const int before = machine.state;
    const bool wasToggled = machine.toggled;
    const int code = machine.Up(HitTest({px, py}));
    if (machine.state != before || machine.toggled != wasToggled) PaintWindow(hwnd);
    if (code < 0) return -1;
    // Held while it runs: the command may rebuild the bar that owns this button.
    Safe::XPtr<Command> command = target;
    if (command) command->Execute(code);
    return commandId;
}

ButtonWnd::ButtonWnd() : Button(kWindowCell) {
    machine.state = kDisabled;
    width = 160;
}

void ButtonWnd::SetPosition(const POINT& point) {
    Button::SetPosition(point);
    MoveWindowIntoCell();
}

void ButtonWnd::SetSize(const SIZE& size) {
    Button::SetSize(size);
    MoveWindowIntoCell();
}

void ButtonWnd::Attach(Safe::XPtr<Controller> controller) {
    window = controller;
    MoveWindowIntoCell();
}

void ButtonWnd::MoveWindowIntoCell() {
    if (window) window->Move(x, y, width, height, true);
}

namespace {

// The bitmap as 32-bit pixels with pure red turned into the button face.
HBITMAP LoadFacedBitmap(HINSTANCE instance, int bitmapId, int& width, int& height) {
    GdiObject<HBITMAP> loaded(LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId)));
    if (!loaded.Get()) throw Exception("Button bitmap load failed");
    BITMAP info{};
    GetObjectA(loaded.Get(), sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;

    void* bits = nullptr;
    HBITMAP copy = CreatePixelBitmap(width, height, &bits);
    if (!copy) throw Exception("Button bitmap load failed");
    {
        MemoryDC source, destination;
        Selection from(source.Get(), loaded.Get());
        Selection to(destination.Get(), copy);
        BitBlt(destination.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const std::uint32_t facePixel = FromColorRef(GetSysColor(COLOR_BTNFACE)) & 0x00FFFFFF;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        pixels[i] &= 0x00FFFFFF;
        if (pixels[i] == 0x00FF0000) pixels[i] = facePixel;
    }
    return copy;
}

}  // namespace

BmpButtonDesigner::BmpButtonDesigner(Button* button, HINSTANCE instance, int bitmapId)
    : ButtonDesigner(button) {
    GdiObject<HBITMAP> picture(LoadFacedBitmap(instance, bitmapId, stripWidth_, stripHeight_));
    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdip::GdipCreateBitmapFromHBITMAP(picture.Get(), nullptr, &bitmap);
    *bitmap_.Put() = bitmap;
    if (IWICImagingFactory* factory = GetImagingFactory())
        factory->CreateBitmapFromHBITMAP(picture.Get(), nullptr, WICBitmapIgnoreAlpha,
                                         wicBitmap_.Put());
}

BmpButtonDesigner::~BmpButtonDesigner() = default;

RECT BmpButtonDesigner::Source() const {
    const int frame = Frame();
    return {frame * button_->width, 0, (frame + 1) * button_->width, button_->height};
}

void BmpButtonDesigner::Paint(Gdiplus::GpGraphics* graphics) {
    if (!bitmap_.Get() || !graphics) return;
    const RECT source = Source();
    Gdip::GdipDrawImageRectRectI(graphics, bitmap_.Get(), button_->x, button_->y,
                                 button_->width, button_->height, source.left, source.top, source.right - source.left,
                                 source.bottom - source.top, Gdiplus::UnitPixel, nullptr, nullptr,
                                 nullptr);
}

void BmpButtonDesigner::Draw(ID2D1RenderTarget* renderTarget) {
    IWICImagingFactory* factory = GetImagingFactory();
    if (!wicBitmap_.Get() || !factory || !renderTarget) return;
    // Direct2D takes premultiplied 32-bit pixels only.
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(wicBitmap_.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return;
    ComPtr<ID2D1Bitmap> bitmap;
    if (FAILED(renderTarget->CreateBitmapFromWicBitmap(converter.Get(), nullptr, bitmap.Put())))
        return;
    const RECT source = Source();
    const float w = static_cast<float>(button_->width);
    const float h = static_cast<float>(button_->height);
    const float left = static_cast<float>(button_->x), top = static_cast<float>(button_->y);
    renderTarget->DrawBitmap(bitmap.Get(), D2D1::RectF(left, top, left + w, top + h), 1.0f,
                             D2D1_BITMAP_INTERPOLATION_MODE_LINEAR,
                             D2D1::RectF(static_cast<float>(source.left),
                                         static_cast<float>(source.top),
                                         static_cast<float>(source.right),
                                         static_cast<float>(source.bottom)));
}

int BmpPushDesigner::Frame() const {
    switch (button_->State()) {
        case kHot: return 1;
        case kPressed: return 2;
        case kDisabled: return 3;
        default: return 0;
    }
}

int BmpCheckDesigner::Frame() const {
    switch (button_->State()) {
        case kHot:
        case kCheckedHot: return 1;
        case kChecked: return 2;
        case kDisabled: return 3;
        default: return 0;
    }
}

int ToggleDesigner::Frame() const {
    const bool toggled = button_->machine.toggled;
    switch (button_->State()) {
        case kNormal: return toggled ? 4 : 0;
        case kHot: return toggled ? 5 : 1;
        case kPressed: return toggled ? 2 : 6;
        case kDisabled: return 3;
        default: return 0;
    }
}

}  // namespace Winplus
