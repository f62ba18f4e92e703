#include <gtest/gtest.h>

#include <tuple>

#include "app/views/plot_gestures.h"
#include "modes/view_modes.h"

namespace {

using Core::ModeBar;
using Winplus::AxisBar;
using Winplus::PixelRect;
namespace Gestures = Core::PlotGestures;

TEST(PlotGesturesTest, TheLayerLiesBelowTheCaptionAndPressesStartGesturesBetweenTheBands) {
    EXPECT_EQ(Gestures::LayerRect(300, 200), (PixelRect{1, 21, 298, 179}));
    EXPECT_EQ(Gestures::LayerRect(201, 110), (PixelRect{1, 21, 200, 90}));
    EXPECT_EQ(Gestures::LayerRect(50, 30), (PixelRect{1, 21, 200, 90}));
    // y, client height, starts a gesture
    for (const auto& [y, height, starts] :
         {std::tuple{20, 300, false}, {21, 300, true}, {294, 300, true}, {295, 300, false}}) {
        EXPECT_EQ(Gestures::StartsGesture(y, height), starts) << y;
    }
    // x, y in a client of 400 x 300
    for (const auto& [x, y, inside] : {std::tuple{15, 20, true},
                                       {14, 100, false},
                                       {100, 19, false},
                                       {379, 284, true},
                                       {380, 100, false},
                                       {100, 285, false}}) {
        EXPECT_EQ(Gestures::InPlotZone(x, y, 400, 300), inside) << x << "," << y;
    }
}

// The mouse actions published, each with its delta, and how often the cursor left the plot.
struct Published : Winplus::EventObserver<AxisEvent> {
    bool Notify(const AxisEvent& code) override {
        if (code == AxisEvent::kAxisActionChanged)
            actions.push_back(
                {AxisBar::MouseAction(), AxisBar::MouseDeltaX(), AxisBar::MouseDeltaY()});
        if (code == AxisEvent::kCursorMoved && !AxisBar::CursorInside()) ++left;
        return true;
    }
    std::vector<std::tuple<int, int, int>> actions;
    int left = 0;
};

TEST(PlotGesturesTest, TheModifyMouseDragsWithTheAxisToolsAndPublishesEveryAction) {
    for (const int mode : {Core::kViewMode, Core::kFitMode}) {
        ResetProcessState();
        auto layer = Winplus::LayerCurve::Create();
        layer->GetFrame()->SetPlotArea({0, 0, 400, 300});
        auto resizing = Safe::MakeX<Winplus::AxisResizing>();
        resizing->SetLayer(layer);
        auto published = Safe::MakeX<Published>();
        EventBus::Registration registration = AxisBar::AddObserver(published);
        AxisBar::SetMode(AxisBar::kZoom);
        Core::HandMouseForMode(mode, false);

        Core::ModifyMouse mouse(resizing);
        mouse.OnLButtonDown(100, 20, 0, 300);   // caption strip
        mouse.OnLButtonDown(100, 295, 0, 300);  // bottom band
        mouse.OnRButtonDown(10, 300);
        EXPECT_TRUE(published->actions.empty());
        mouse.OnRButtonDown(100, 300);
        // The press puts the cursor at its own place, with no move there before it: pixel 100
        // of 400 over 0 ... 1000, and 100 of 300 from the top over 0 ... 1.
        mouse.OnLButtonDown(100, 100, 0, 300);
        EXPECT_DOUBLE_EQ(AxisBar::CursorX(), 250.0);
        EXPECT_DOUBLE_EQ(AxisBar::CursorY(), 2.0 / 3.0);
        mouse.OnMouseMove(150, 80, 0, 400, 300);
        mouse.OnLButtonUp(200, 150, 0);
        const std::vector<std::tuple<int, int, int>> expected = {{AxisBar::kOtherButton, 0, 0},
                                                                 {AxisBar::kButtonDown, 0, 0},
                                                                 {AxisBar::kMove, 50, 20},
                                                                 {AxisBar::kButtonUp, 50, -70}};
        EXPECT_EQ(published->actions, expected);
        // Zoomed to pixels 100 ... 200 of 400 in the View mode; untouched in the Fit mode.
        const Winplus::Rect zoomed{250, 0.5, 250, 0.5};
        const Winplus::Rect& limits = layer->GetLimits();
        if (mode == Core::kFitMode) {
            EXPECT_EQ(limits, (Winplus::Rect{0, 0, 1000, 1}));
        } else {
            EXPECT_NEAR(limits.x, zoomed.x, 1e-9);
            EXPECT_NEAR(limits.width, zoomed.width, 1e-9);
        }
        // Leaving the plot is told once.
        mouse.OnMouseMove(5, 5, 0, 400, 300);
        mouse.OnMouseMove(6, 6, 0, 400, 300);
        EXPECT_EQ(published->left, 1);
        EXPECT_EQ(published->actions.size(), 4u);
    }
}

TEST(PlotGesturesTest, EachModeShowsItsBarAndHandsTheMouseOver) {
    struct Case {
        int mode;
        ModeBar bar;
        int height;
        int disabledToolOff, disabledToolOn;
    };
    const Case cases[] = {{Core::kViewMode, ModeBar::kNone, 0, 0, 0},
                          {Core::kBuilderMode, ModeBar::kBuilder, 100, 0, -1},
                          {Core::kAnchorMode, ModeBar::kAnchor, 144, 0, -1},
                          {Core::kAdjustMode, ModeBar::kAdjust, 50, 0, -1},
                          {Core::kFitMode, ModeBar::kFit, 78, -1, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(Core::BarOfMode(c.mode), c.bar) << c.mode;
        EXPECT_EQ(Core::ModeBarRect(c.bar, 300), (PixelRect{277, 91, 22, c.height}));
        EXPECT_EQ(Core::AxisToolsDisabled(c.mode, false), c.disabledToolOff) << c.mode;
        EXPECT_EQ(Core::AxisToolsDisabled(c.mode, true), c.disabledToolOn) << c.mode;
    }
    EXPECT_EQ(Core::AxisBarRect(300), (PixelRect{277, 24, 22, 66}));

    // After the Fit mode, or a tool mode with its tool on, mode 0 gives the mouse back: the
    // View plot zooms again.
    AxisBar::SetMode(AxisBar::kZoom);
    for (const auto& [mode, toolOn] :
         {std::pair{Core::kFitMode, false}, {Core::kAnchorMode, true}}) {
        Core::HandMouseForMode(mode, toolOn);
        EXPECT_EQ(AxisBar::GetMode(), AxisBar::kNone);
        Core::HandMouseForMode(Core::kViewMode, false);
        EXPECT_EQ(AxisBar::GetMode(), AxisBar::kZoom);
    }
}

}  // namespace
