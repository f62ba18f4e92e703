// The main window's and the View panel's layouts, and the main window's minimum size.
#include <gtest/gtest.h>

#include <vector>

#include "app/base/window_layout.h"
#include "winplus/panel_layout.h"

namespace {

using Winplus::Box;

bool Same(const Box& a, const Box& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(WindowLayout, MainWindowAndViewPanel) {
    const Core::MainLayout main = Core::LayOutMainWindow(900, 544);
    EXPECT_TRUE(Same(main.globalBar, {0, 0, 900, 22}));
    EXPECT_TRUE(Same(main.panels, {0, 24, 900, 500}));
    EXPECT_TRUE(Same(main.status, {0, 526, 900, 18}));

    const Core::ViewLayout view = Core::LayOutView(500, 350, 22, 66);
    EXPECT_TRUE(Same(view.picture, {0, 20, 500, 330}));
    EXPECT_TRUE(Same(view.layer, {1, 21, 498, 329}));
    EXPECT_TRUE(Same(view.axisBar, {500 - 23, 24, 22, 66}));
    EXPECT_EQ(view.dragTop, 21);
    EXPECT_EQ(view.dragBottom, 345);
    // Too small: the layer keeps its least box and is cut.
    EXPECT_TRUE(Same(Core::LayOutView(100, 50, 22, 66).layer, {1, 21, 200, 90}));

    // A caption's text stops short of the collapse button.
    const Winplus::CaptionLayout caption = Winplus::LayOutCaption(120, 20, 15, 4);
    EXPECT_TRUE(Same(caption.button, {120 - 15 - 2 - 4, 3, 15, 15}));
    EXPECT_EQ(caption.text.x + caption.text.width, caption.button.x - 2);
}

// At the main window's least client size the columns (weights 1, 4, 1) and the centre column's
// six leaves (weights 1, 1, 1, 1, 3, 1, the plot fifth; each at least a 20-pixel caption and a
// 4-pixel splitter) still give the View panel its whole plot and every caption room for text.
TEST(WindowLayout, MinimumMainWindowKeepsThePlotWhole) {
    const Core::MainLayout main =
        Core::LayOutMainWindow(Core::kMainMinimumWidth, Core::kMainMinimumHeight);
    const std::vector<int> columns = Winplus::ShareLength(
        {{true, true, 1.0, 6}, {true, true, 4.0, 4}, {true, true, 1.0, 0}}, main.panels.width - 4);
    std::vector<Winplus::PanelShare> leaves(6, {true, true, 1.0, 24});
    leaves[4].weight = 3.0;
    const std::vector<int> heights = Winplus::ShareLength(leaves, main.panels.height);
    const int plotWidth = columns[1] - 4, plotHeight = heights[4] - 4;
    const Core::ViewLayout view = Core::LayOutView(plotWidth, plotHeight, 22, 66);
    EXPECT_GE(view.picture.width, view.layer.x + view.layer.width) << plotWidth;
    EXPECT_GE(view.picture.y + view.picture.height, view.layer.y + view.layer.height) << plotHeight;
    EXPECT_GE(view.layer.y + view.layer.height, view.axisBar.y + view.axisBar.height);
    // The narrowest column's captions ("Selection", "Parameters": 60 pixels or so) are whole.
    EXPECT_GE(Winplus::LayOutCaption(columns[2], 20, 15, 0).text.width, 80);
}

}  // namespace
