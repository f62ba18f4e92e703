// The View panel in a window under Wine: it draws the current layer where its frame maps it and
// follows the layer bus and the axis tools.
#include <gtest/gtest.h>

#include "app/views/view_panel.h"
#include "foundation/event_bus.h"
#include "plot/layer.h"
#include "tests/plot/plot_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using Winplus::LayerCurve;

// The current layer: a red diagonal from (100, 0.1) to (900, 0.9), the model curve hidden.
LayerCurve::Ptr ShowDiagonal() {
    Winplus::Layer::NewLayer();
    auto layer = Safe::DynamicCast<LayerCurve>(Winplus::Layer::CurrentLayer());
    layer->Curves()->At(0)->SetViewMode(Winplus::kHidden);
    const Winplus::FileCurve::Ptr file = PlotTest::RedDiagonal();
    layer->AddFileCurve(file);
    Winplus::Layer::SetCurrentFileCurve(file);
    return layer;
}

void ExpectDiagonal(HWND view, const LayerCurve& layer, bool expected) {
    GuiTest::Canvas shown(500, 350);
    shown.CopyWindow(view);
    const Winplus::Frame& frame = *layer.GetFrame();
    const Winplus::Rect& limits = layer.GetLimits();
    for (double v = 200; v <= 800; v += 100) {
        // Away from the plot's edges, where the clip cuts the line.
        if (v <= limits.x + 0.02 * limits.width || v >= limits.x + 0.98 * limits.width) continue;
        const int px = frame.XToPixel(v), py = frame.YToPixel(v / 1000);
        EXPECT_EQ(PlotTest::IsRed(shown.Pixel(px, py)), expected)
            << v << " at " << px << ", " << py;
    }
}

TEST(ViewPanelTest, DrawsTheCurrentLayerAndFollowsTheAxisTools) {
    LayerCurve::Ptr layer = ShowDiagonal();
    GuiTest::Host host(600, 400);
    const int viewObservers = BusOf<ViewEvent>().Count();
    auto leaf = Safe::MakeX<Core::ViewLeaf>(host.Window());
    // The panel hears the view bus too, where a fit announces each of its steps.
    EXPECT_EQ(BusOf<ViewEvent>().Count(), viewObservers + 1);
    leaf->Controller()->SetOrientation(0);  // stacked in a column, as the main window has it
    leaf->Move(0, 0, 500, 350, true);
    GuiTest::Pump();
    const HWND view = leaf->Controller()->Handle();
    ExpectDiagonal(view, *layer, true);
    EXPECT_EQ(layer->GetFrame()->PlotArea().y, 21 + 8);

    // Fitted to the current file curve: the diagonal spans the plot, and is drawn there.
    auto* controller = static_cast<Core::ViewController*>(leaf->Controller().Get());
    controller->ExecuteAxisCommand(Winplus::AxisBar::kFitCurrentCurve);
    EXPECT_DOUBLE_EQ(layer->GetLimits().x, 100);
    EXPECT_NEAR(layer->GetLimits().y, 0.1 - 0.02, 1e-12);
    ExpectDiagonal(view, *layer, true);
    // "Previous axis limits", clicked on the axis bar at the panel's right edge.
    const HWND bar = controller->AxisTools()->Handle();
    RECT place{};
    GetWindowRect(bar, &place);
    MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 500 - 23);
    EXPECT_EQ(place.top, 24);
    EXPECT_TRUE(IsWindowVisible(bar));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(layer->GetLimits(), (Winplus::Rect{0, 0, 1000, 1}));

    // A zoom drag through the window's own mouse messages.
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kZoom);
    const Winplus::PixelRect p = layer->GetFrame()->PlotArea();
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x + p.width / 2, p.y + 1));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + p.width - 1, p.y + p.height / 2));
    SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(p.x + p.width - 1, p.y + p.height / 2));
    EXPECT_NEAR(layer->GetLimits().x, 500, 1000.0 / p.width);
    EXPECT_NEAR(layer->GetLimits().y, 0.5, 1.0 / p.height);
    GuiTest::Pump();
    ExpectDiagonal(view, *layer, true);

    // No current layer: the panel shows no curve.
    Winplus::Layer::ReplaceLayers(Winplus::LayerSet());
    GuiTest::Pump();
    ExpectDiagonal(view, *layer, false);
    EXPECT_FALSE(IsWindowVisible(bar));
}

}  // namespace
