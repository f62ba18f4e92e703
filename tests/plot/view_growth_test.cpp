// Redrawing the View panel does not grow the process by more than Direct2D itself grows it in a
// bare window that draws the same layer, per redraw. Growth is counted as the bytes in use in
// every heap of the process (HeapWalk over GetProcessHeaps): under Wine GetGuiResources answers 0
// and the private bytes of GetProcessMemoryInfo read 0, while what GDI+, Direct2D and the program
// allocate lives in those heaps. Wine's Direct2D grows by the same bytes at every redraw once its
// first few dozen redraws have filled what it keeps, so a hundred redraws after those show any
// growth of the panel's own as exactly as a thousand would; each redraw takes tens of
// milliseconds under Wine's software Direct2D.
#include <d2d1.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/views/view_panel.h"
#include "plot/d2d_canvas.h"
#include "plot/layer.h"
#include "plot/rendering_factories.h"
#include "tests/plot/plot_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

// Direct2D's first redraws in a window grow the process by about 2 MB, once.
constexpr int kSettlingRedraws = 50;
constexpr int kRedraws = 100;

// The bytes in use in the process's heaps.
long long HeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    long long bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heap);
    }
    return bytes;
}

// The growth per redraw over kRedraws redraws, after those that settle caches.
double GrowthPerRedraw(const std::function<void()>& redraw) {
    for (int i = 0; i < kSettlingRedraws; ++i) redraw();
    const long long before = HeapBytes();
    for (int i = 0; i < kRedraws; ++i) redraw();
    return static_cast<double>(HeapBytes() - before) / kRedraws;
}

TEST(ViewGrowth, RedrawingThePanelGrowsNoMoreThanABareDirect2DWindow) {
    Winplus::Layer::NewLayer();
    auto layer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    layer->AddFileCurve(PlotTest::RedDiagonal());
    GuiTest::Host host(600, 400);

    // The same layer through a DC render target on a plain window.
    Winplus::ComPtr<ID2D1DCRenderTarget> target;
    const auto properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
    ASSERT_TRUE(
        SUCCEEDED(Winplus::GetD2DFactory()->CreateDCRenderTarget(&properties, target.Put())));
    const double bare = GrowthPerRedraw([&] {
        const Winplus::WindowDC dc(host.Handle());
        RECT area{0, 0, 240, 160};
        target->BindDC(dc.Get(), &area);
        Winplus::DrawScope drawing(target.Get());
        Winplus::D2DCanvas canvas(target.Get());
        layer->Paint(canvas, Core::ViewController::LayerRect(240, 160), true, true);
    });

    auto leaf = Safe::MakeX<Core::ViewLeaf>(host.Window());
    leaf->Controller()->SetOrientation(0);
    leaf->Move(0, 0, 240, 160, true);
    const HWND view = leaf->Controller()->Handle();
    const double panel = GrowthPerRedraw(
        [view] { RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });

    // Anything the panel made at each paint and kept (a font family, a brush, a string format)
    // would add its bytes at every redraw.
    EXPECT_LE(panel, bare + 16) << "bare " << bare << " bytes, panel " << panel << " bytes";
}

}  // namespace
