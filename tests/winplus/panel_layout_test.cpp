#include "winplus/panel_layout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using Winplus::PanelShare;
using Winplus::ShareLength;

TEST(ShareLength, FreeLengthByWeightAfterMinimumExtents) {
    // 300 pixels, minimum extents 24 + 24 + 20: 232 free, shared 1 : 4 : 1 by weight; the
    // non-stretchable caption-only panel keeps its 20.
    const std::vector<PanelShare> children = {
        {true, true, 1.0, 24}, {true, true, 4.0, 24}, {true, false, 1.0, 20}};
    const auto extents = ShareLength(children, 300);
    EXPECT_EQ(extents, (std::vector<int>{24 + 46, 24 + 186, 20}));  // 232/5 = 46.4, 185.6
    EXPECT_EQ(std::accumulate(extents.begin(), extents.end(), 0), 300);
}

TEST(ShareLength, HiddenChildrenTakeNoRoom) {
    const auto extents = ShareLength({{false, true, 1.0, 24}, {true, true, 1.0, 24}}, 100);
    EXPECT_EQ(extents, (std::vector<int>{0, 100}));
    EXPECT_EQ(ShareLength({{false, true, 1.0, 24}, {false, true, 1.0, 24}}, 100),
              (std::vector<int>{0, 0}));
}

TEST(ShareLength, TooShortGivesEveryChildItsMinimum) {
    EXPECT_EQ(ShareLength({{true, true, 1.0, 24}, {true, true, 1.0, 24}}, 30),
              (std::vector<int>{24, 24}));
    EXPECT_EQ(ShareLength({{true, true, 1.0, 24}}, -50), (std::vector<int>{24}));
}

TEST(ShareLength, ZeroLengthAndZeroWeightsStayFinite) {
    EXPECT_EQ(ShareLength({{true, true, 0.0, 0}, {true, true, 0.0, 0}}, 0),
              (std::vector<int>{0, 0}));
    // All weights zero: the free length is shared evenly instead of divided by zero.
    EXPECT_EQ(ShareLength({{true, true, 0.0, 10}, {true, true, 0.0, 10}}, 120),
              (std::vector<int>{60, 60}));
    // One zero weight: that child keeps its minimum.
    EXPECT_EQ(ShareLength({{true, true, 0.0, 10}, {true, true, 2.0, 10}}, 120),
              (std::vector<int>{10, 110}));
}

TEST(Resize, ShrinkingStopsAtTheMinimumExtent) {
    EXPECT_EQ(Winplus::LimitDelta(100, -90, 24), -76);
    EXPECT_EQ(Winplus::LimitDelta(100, -20, 24), -20);
    EXPECT_EQ(Winplus::LimitDelta(100, 50, 24), 50);
    // Already below its minimum: a shrinking drag turns into growth up to it.
    EXPECT_EQ(Winplus::LimitDelta(10, -5, 24), 14);
}

TEST(Resize, WeightFollowsTheNewSize) {
    EXPECT_DOUBLE_EQ(Winplus::WeightAfterResize(2.0, 100, 50), 3.0);
    EXPECT_DOUBLE_EQ(Winplus::WeightAfterResize(2.0, 100, -100), 0.0);
    EXPECT_DOUBLE_EQ(Winplus::WeightAfterResize(2.0, 0, 30), 2.0);
}

}  // namespace
