#include <gtest/gtest.h>

#include "modes/view_modes.h"
#include "model/current.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/mode_bars.h"
#include "plot/axis_tools.h"
#include "tests/modes/mode_support.h"

namespace {

using Core::BarButton;
using Bar = std::vector<BarButton>;
constexpr int kNormal = Winplus::kNormal, kOff = Winplus::kDisabled, kOn = Winplus::kChecked;

TEST(ModeBarsTest, ToolButtonsTakeTheMouseFromTheAxisTools) {
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kShift);
    struct {
        bool (*command)(int);
        int take, give;
        bool (*taken)();
    } bars[] = {
        {&Core::AdjustBarCommand, 160, 110, &Core::AdjustCore::AnchorsEnabled},
        {&Core::AnchorBarCommand, 150, 110, &Core::AnchorCore::AnchorsEnabled},
        {&Core::BuilderBarCommand, 140, 110, [] { return Core::BuilderCore::GetTool() == 0; }},
    };
    for (const auto& bar : bars) {
        EXPECT_TRUE(bar.command(bar.take));
        EXPECT_TRUE(bar.taken()) << bar.take;
        EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kNone);
        EXPECT_TRUE(bar.command(bar.give));
        EXPECT_FALSE(bar.taken()) << bar.take;
        EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kShift);
    }
}

TEST(ModeBarsTest, AnchorBarFollowsTheAnchorsAndTheCurrentForce) {
    const Bar forcesOff{{151, kOff}, {152, kOff}, {153, kOff}, {154, kOff}};
    Bar expected{{150, kOff}};
    expected.insert(expected.end(), forcesOff.begin(), forcesOff.end());
    EXPECT_EQ(Core::AnchorBarStates(), expected);  // no node, no anchors

    ModeTest::PhononModel();
    Core::AnchorCore::Initialize(&Core::ViewModeState::GetMode);
    Core::AnchorCore::SetNode(ModeTest::Find("p1"));  // its top anchor is current
    expected = {{150, kNormal}, {110, kOn}};
    expected.insert(expected.end(), forcesOff.begin(), forcesOff.end());
    EXPECT_EQ(Core::AnchorBarStates(), expected);

    Core::AnchorBarCommand(150);
    const double halfWidth[2] = {105.0, 0.0};
    Core::AnchorCore::PickAnchor(halfWidth);
    EXPECT_EQ(Core::AnchorBarStates(),
              (Bar{{150, kOn}, {151, kOn}, {152, kNormal}, {153, kNormal}, {154, kNormal}}));
    Core::AnchorBarCommand(153);
    EXPECT_EQ(ModeTest::Find("p1")->GetAnchorMode(2), 2);
    EXPECT_EQ(Core::AnchorBarStates(),
              (Bar{{150, kOn}, {151, kNormal}, {152, kNormal}, {153, kOn}, {154, kNormal}}));
}

TEST(ModeBarsTest, BuilderBarReturnsToResizingAndAddsOnlyIntoLists) {
    ModeTest::PhononModel();
    Core::BuilderCore::Initialize(&Core::ViewModeState::GetMode);
    for (int type : {900, 2102, 208}) {
        Core::BuilderBarCommand(140);
        Core::BuilderCore::SetNode(Core::Node::Create(type));
        const int add = type == 900 ? kOff : kNormal;
        EXPECT_EQ(Core::BuilderBarOnNodeSet(), (Bar{{110, kOn}, {140, add}})) << type;
        EXPECT_EQ(Core::BuilderCore::GetTool(), Core::BuilderCore::kResizing);
    }
}

}  // namespace
