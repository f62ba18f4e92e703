// A known layer rendered into a bitmap through GDI+ and through Direct2D: the curve's pixels lie
// where the frame maps its points.
#include <gtest/gtest.h>

#include <d2d1.h>

#include <cstdint>
#include <cstdlib>

#include "plot/d2d_canvas.h"
#include "plot/gdiplus_canvas.h"
#include "plot/layer.h"
#include "tests/plot/plot_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using Winplus::LayerCurve;

// A layer whose only shown curve is a red diagonal from (100, 0.1) to (900, 0.9).
LayerCurve::Ptr DiagonalLayer() {
    LayerCurve::Ptr layer = LayerCurve::Create();
    layer->Curves()->At(0)->SetViewMode(Winplus::kHidden);
    layer->AddFileCurve(PlotTest::RedDiagonal());
    return layer;
}

// The curve's points and the middles of its segments are red; off the line nothing is.
void ExpectCurveWhereTheFrameMapsIt(const GuiTest::Canvas& bitmap, const LayerCurve& layer) {
    const Winplus::Frame& frame = *layer.GetFrame();
    int red = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) red += PlotTest::IsRed(bitmap.Pixel(x, y)) ? 1 : 0;
    EXPECT_GT(red, 500);
    // The ends of a line may lie just past its last pixel: points inside it.
    for (double v = 150; v <= 850; v += 50) {
        const int px = frame.XToPixel(v), py = frame.YToPixel(v / 1000);
        EXPECT_TRUE(PlotTest::IsRed(bitmap.Pixel(px, py))) << v << " at " << px << ", " << py;
        // Twenty pixels above the line there is no curve.
        EXPECT_FALSE(PlotTest::IsRed(bitmap.Pixel(px, py - 20))) << v;
    }
}

TEST(PlotPaintTest, GdiplusDrawsTheCurveWhereTheFrameMapsIt) {
    LayerCurve::Ptr layer = DiagonalLayer();
    GuiTest::Canvas bitmap(600, 400);
    {
        Winplus::Graphics graphics(bitmap.DC());
        Winplus::GdiplusCanvas canvas(graphics.Get());
        layer->Paint(canvas, {0, 0, 600, 400}, true, true);
    }
    ExpectCurveWhereTheFrameMapsIt(bitmap, *layer);
    // The plot area is white inside, the axis black.
    const Winplus::PixelRect& p = layer->GetFrame()->PlotArea();
    EXPECT_EQ(bitmap.Pixel(p.x + 5, p.y + 5), 0xFFFFFFu);
    EXPECT_EQ(bitmap.Pixel(p.x, p.y + 5), 0x000000u);
}

TEST(PlotPaintTest, Direct2DDrawsTheCurveWhereTheFrameMapsIt) {
    LayerCurve::Ptr layer = DiagonalLayer();
    GuiTest::Canvas bitmap(600, 400);
    bitmap.DrawDirect2D([&](ID2D1RenderTarget* target) {
        Winplus::D2DCanvas canvas(target);
        layer->Paint(canvas, {0, 0, 600, 400}, true, true);
    });
    ExpectCurveWhereTheFrameMapsIt(bitmap, *layer);
}

}  // namespace
