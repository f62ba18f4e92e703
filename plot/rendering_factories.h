#pragma once
// The process-wide Direct2D, DirectWrite and imaging factories, created once at start-up and
// released before the process ends.
#include <windows.h>

struct ID2D1Factory;
struct ID2D1HwndRenderTarget;
struct IDWriteFactory;
struct IWICImagingFactory;

namespace Winplus {

// Each creates its factory unless it exists; false when that fails.
bool EnsureD2DFactory();
bool EnsureDWriteFactory();
// COM must be initialised first.
bool EnsureWicFactory();

ID2D1Factory* GetD2DFactory();
IDWriteFactory* GetDWriteFactory();
IWICImagingFactory* GetWicFactory();

// A render target for the whole client area of the window; the caller releases it. Null
// without a Direct2D factory or when the factory refuses.
ID2D1HwndRenderTarget* CreateHwndRenderTarget(HWND hwnd);

// Each releases its factory when there is one.
void ReleaseD2DFactory();
void ReleaseDWriteFactory();
void ReleaseWicFactory();

}  // namespace Winplus
