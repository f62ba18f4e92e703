#include "plot/rendering_factories.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>

#include "winplus/handles.h"
#include "winplus/imaging.h"

namespace Winplus {

namespace {
// Made on first use and kept for the process (each released by its Release function).
ComPtr<ID2D1Factory> d2dFactory;
ComPtr<IDWriteFactory> dwriteFactory;
ComPtr<IWICImagingFactory> wicFactory;
}  // namespace

bool EnsureD2DFactory() {
    if (d2dFactory) return true;
    return SUCCEEDED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, d2dFactory.Put()));
}

bool EnsureDWriteFactory() {
    if (dwriteFactory) return true;
    return SUCCEEDED(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                         reinterpret_cast<IUnknown**>(dwriteFactory.Put())));
}

bool EnsureWicFactory() {
    if (wicFactory) return true;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory2, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(wicFactory.Put())))) {
        // Systems without the second generation of the imaging component have the first.
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(wicFactory.Put())))) {
            wicFactory.Reset();
            return false;
        }
    }
    SetImagingFactory(wicFactory.Get());
    return true;
}

ID2D1Factory* GetD2DFactory() {
    return d2dFactory.Get();
}
IDWriteFactory* GetDWriteFactory() {
    return dwriteFactory.Get();
}
IWICImagingFactory* GetWicFactory() {
    return wicFactory.Get();
}

ID2D1HwndRenderTarget* CreateHwndRenderTarget(HWND hwnd) {
    if (!d2dFactory) return nullptr;
    RECT client{};
    GetClientRect(hwnd, &client);
    ID2D1HwndRenderTarget* target = nullptr;
    const auto size = D2D1::SizeU(static_cast<UINT32>(client.right - client.left),
                                  static_cast<UINT32>(client.bottom - client.top));
    if (FAILED(d2dFactory->CreateHwndRenderTarget(
            D2D1::RenderTargetProperties(),
            D2D1::HwndRenderTargetProperties(hwnd, size, D2D1_PRESENT_OPTIONS_RETAIN_CONTENTS),
            &target)))
        return nullptr;
    return target;
}

void ReleaseD2DFactory() {
    d2dFactory.Reset();
}
void ReleaseDWriteFactory() {
    dwriteFactory.Reset();
}
void ReleaseWicFactory() {
    SetImagingFactory(nullptr);
    wicFactory.Reset();
}

}  // namespace Winplus
