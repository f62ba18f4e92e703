#include <gtest/gtest.h>

#include <cmath>

#include "plot/axis_tools.h"
#include "plot/recording_canvas.h"
#include "tests/common/code_log.h"

namespace {

using Winplus::AxisBar;
using Winplus::AxisResizing;
using Winplus::LayerCurve;
using Winplus::Rect;

class AxisToolsTest : public ::testing::Test {
protected:
    // A layer laid out in {0, 0, 600, 400}; its plot area is then known.
    void SetUp() override {
        layer = LayerCurve::Create();
        Lay({0, 0, 1000, 1});
        tool = Safe::MakeX<AxisResizing>();
        tool->SetLayer(layer);
    }
    void Lay(const Rect& limits) {
        layer->SetLimits(limits);
        Winplus::RecordingCanvas canvas;
        layer->Paint(canvas, {0, 0, 600, 400}, true, true);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        tool->OnButtonDown(x0, y0, 0);
        tool->OnMouseMove(x1, y1, 0);
        tool->OnButtonUp(x1, y1, 0);
        Winplus::RecordingCanvas canvas;
        layer->Paint(canvas, {0, 0, 600, 400}, true, true);
    }
    const Winplus::PixelRect& Plot() const { return layer->GetFrame()->PlotArea(); }
    Rect Limits() const { return layer->GetLimits(); }

    LayerCurve::Ptr layer;
    Safe::XPtr<AxisResizing> tool;
};

void ExpectLimits(const Rect& actual, const Rect& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.width, expected.width, tolerance);
    EXPECT_NEAR(actual.height, expected.height, tolerance);
}

TEST_F(AxisToolsTest, WithoutAModeDragsOnlyPublishTheCursor) {
    auto log = NewCodeLog<AxisEvent>();
    EventBus::Registration registration = AxisBar::AddObserver(log);
    Drag(100, 100, 300, 300);
    EXPECT_EQ(Limits(), (Rect{0, 0, 1000, 1}));
    AxisBar::SetMode(AxisBar::kZoom);
    AxisBar::SetDisabled(-1);
    EXPECT_EQ(AxisBar::GetMode(), -1);
    Drag(100, 100, 300, 300);
    EXPECT_EQ(Limits(), (Rect{0, 0, 1000, 1}));
    EXPECT_EQ(log->codes, (std::vector<int>{500, 500}));
    EXPECT_TRUE(AxisBar::CursorInside());
    EXPECT_DOUBLE_EQ(AxisBar::CursorX(), layer->GetFrame()->PixelToX(300));
    const int delta[2] = {3, -4};
    AxisBar::PublishMouseAction(AxisBar::kMove, delta);
    EXPECT_EQ(AxisBar::MouseDeltaY(), -4);
    EXPECT_EQ(log->codes.back(), 501);
}

TEST_F(AxisToolsTest, ZoomTakesTheDraggedRectangleEitherWay) {
    AxisBar::SetMode(AxisBar::kZoom);
    const Winplus::PixelRect p = Plot();
    const int left = p.x + p.width / 4, right = p.x + p.width / 2;
    const int top = p.y + p.height / 4, bottom = p.y + p.height / 2;
    const Winplus::Frame& frame = *layer->GetFrame();
    const Rect expected{frame.PixelToX(left), frame.PixelToY(bottom),
                        frame.PixelToX(right) - frame.PixelToX(left),
                        frame.PixelToY(top) - frame.PixelToY(bottom)};
    Drag(right, bottom, left, top);
    ExpectLimits(Limits(), expected, 1e-12);
    // Back twice: where it started, then the zoom again.
    tool->RestorePreviousLimits();
    EXPECT_EQ(Limits(), (Rect{0, 0, 1000, 1}));
    tool->RestorePreviousLimits();
    ExpectLimits(Limits(), expected, 1e-12);
    tool->RestorePreviousLimits();
    Lay(Limits());
    Drag(left, top, right, bottom);
    ExpectLimits(Limits(), expected, 1e-12);
}

TEST_F(AxisToolsTest, ShrinkPutsTheOldViewIntoTheSelectionOnBothScales) {
    AxisBar::SetMode(AxisBar::kShrink);
    const Winplus::PixelRect p = Plot();
    const int left = p.x + p.width / 4, right = left + p.width / 2;
    Drag(left, p.y, right, p.y + p.height);
    // Half the width selected: twice the width shown, the old view exactly in the selection.
    const double s = 1000.0 / (right - left);
    ExpectLimits(Limits(), {-(left - p.x) * s, 0, s * p.width, 1}, 1e-9);

    layer->GetFrame()->SetScale(0, Winplus::Frame::kLog10);
    layer->GetFrame()->SetScale(1, Winplus::Frame::kLog10);
    Lay({10, 1, 990, 99});  // two decades by two
    Drag(left, p.y, right, p.y + p.height);
    const double decades = 2.0 * p.width / (right - left);
    EXPECT_NEAR(std::log10(Limits().x + Limits().width) - std::log10(Limits().x), decades, 1e-9);
    EXPECT_NEAR(Limits().y, 1, 1e-12);
    EXPECT_NEAR(Limits().height, 99, 1e-9);
}

TEST_F(AxisToolsTest, ShiftMovesTheContentWithTheMouse) {
    AxisBar::SetMode(AxisBar::kShift);
    const Winplus::PixelRect p = Plot();
    const Winplus::Frame& frame = *layer->GetFrame();
    const double dx = frame.PixelToX(p.x + 100) - frame.PixelToX(p.x);
    Drag(p.x + 100, p.y, p.x, p.y);
    ExpectLimits(Limits(), {dx, 0, 1000, 1}, 1e-9);

    // On Log10 a drag over the whole width moves by the axis's own decades.
    layer->GetFrame()->SetScale(0, Winplus::Frame::kLog10);
    Lay({10, 0, 990, 1});
    Drag(p.x, p.y, p.x + p.width, p.y);
    ExpectLimits(Limits(), {0.1, 0, 9.9, 1}, 1e-12);
}

TEST_F(AxisToolsTest, FitLimitsKeepsTheDataInViewWhateverItsOffset) {
    tool->FitLimits({5, 10, 0, 0});
    ExpectLimits(Limits(), {4.5, 9.475, 1, 1.05}, 1e-12);
    // 1000 .. 1001 once lay outside its own limits (975 .. 976.025).
    tool->FitLimits({0, 1000, 10, 1});
    ExpectLimits(Limits(), {0, 999.975, 10, 1.05}, 1e-9);
    tool->FitLimits({-2, -2, 4, 4});
    ExpectLimits(Limits(), {-2, -2.1, 4, 4.2}, 1e-12);
    tool->FitLimits({0, NAN, 1, 1});
    ExpectLimits(Limits(), {-2, -2.1, 4, 4.2}, 1e-12);
    EXPECT_EQ(tool->PreviousLimits(), (Rect{0, 999.975, 10, 1.05}));

    // Log10: margins in decades, so 1e-3 .. 1e3 stays positive; data at 0 cannot be fitted.
    layer->GetFrame()->SetScale(1, Winplus::Frame::kLog10);
    tool->FitLimits({1, 1e-3, 9, 1e3 - 1e-3});
    EXPECT_NEAR(std::log10(Limits().y), -3.15, 1e-12);
    EXPECT_NEAR(std::log10(Limits().y + Limits().height), 3.15, 1e-12);
    const Rect fitted = Limits();
    tool->FitLimits({1, 0, 9, 1});
    EXPECT_EQ(Limits(), fitted);
}

}  // namespace
