#include <gtest/gtest.h>

#include "model/current.h"
#include "modes/anchor_core.h"
#include "modes/view_modes.h"
#include "tests/modes/mode_support.h"
#include "tests/modes/mouse_actions.h"

namespace {

using Core::AnchorCore;
using ModeTest::Mouse;
using ModeTest::Value;
using Strings = std::vector<std::string>;
using ModeTest::kDown, ModeTest::kMove, ModeTest::kOtherClick, ModeTest::kUp;

class AnchorCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModeTest::PhononModel();
        p1 = ModeTest::Find("p1");
        AnchorCore::Initialize(&Core::ViewModeState::GetMode);
        log.Watch(AnchorCore::Tool().AddObserver(log.Own()));
        log.Take();
        Core::ViewModeState::SetMode(Core::kAnchorMode);
    }
    // The curve's current anchor: 0 top, 4 half width.
    static int CurrentKind() {
        const auto& current = AnchorCore::GetDynamicCurve()->Designer().GetCurrentAnchor();
        return current ? current->GetKind() : -1;
    }
    static double CurrentX() {
        return AnchorCore::GetDynamicCurve()->Designer().GetCurrentAnchor()->Second().current.x;
    }
    ModeTest::BusLog log;
    Core::Node::Ptr p1;
};

TEST_F(AnchorCoreTest, PickByNearestXAndForcesOfTheHalfWidthAnchor) {
    // p1's anchors: its top at w = 100, its half width at w + g / 2 = 105.
    EXPECT_EQ(log.Take(), (Strings{"view 600", "own 202", "view 800", "own 800"}));
    EXPECT_TRUE(AnchorCore::HasAnchors());
    EXPECT_EQ(CurrentKind(), Core::kAnchorTop);  // nearest to x = 0
    EXPECT_EQ(AnchorCore::GetDynamicCurve()->GetUnit()->GetOutput(), p1);
    EXPECT_EQ(AnchorCore::GetCurrentForce(), std::nullopt);
    // An other click needs the tool to have the mouse.
    Mouse(kOtherClick, 104.0, 0.0);
    EXPECT_EQ(CurrentKind(), Core::kAnchorTop);
    AnchorCore::EnableAnchors(true);
    Mouse(kOtherClick, 104.0, 0.0);
    EXPECT_EQ(CurrentKind(), Core::kAnchorHalfWidth);
    EXPECT_EQ(AnchorCore::GetCurrentForce(), Core::ForceMode::kNone);
    struct {
        int button, stored;
        Core::ForceMode force;
    } buttons[] = {{153, 2, Core::ForceMode::kMaintainGap},
                   {154, 1, Core::ForceMode::kConstantRatio},
                   {152, 0, Core::ForceMode::kEqual},
                   {151, -1, Core::ForceMode::kNone}};
    for (auto [button, stored, force] : buttons) {
        EXPECT_EQ(Core::ForceOfButton(button), force) << button;
        AnchorCore::ChooseForce(force);
        EXPECT_EQ(p1->GetAnchorMode(2), stored) << button;
        EXPECT_EQ(AnchorCore::GetCurrentForce(), force) << button;
    }
    EXPECT_EQ(Core::ForceOfButton(150), std::nullopt);
    // A force chosen while the top anchor is current changes nothing.
    Mouse(kOtherClick, 99.0, 0.0);
    AnchorCore::ChooseForce(Core::ForceMode::kMaintainGap);
    EXPECT_EQ(p1->GetAnchorMode(2), -1);
    EXPECT_EQ(AnchorCore::GetCurrentForce(), std::nullopt);
}

TEST_F(AnchorCoreTest, DraggedAnchorsWriteTheParametersAndFollowOtherChanges) {
    AnchorCore::EnableAnchors(true);
    Mouse(kOtherClick, 106.0, 0.0);
    log.Take();
    // The half width to x = 120: the damping becomes 2 (120 - w) = 40.
    Mouse(kDown, 120.0, 5.0);
    EXPECT_DOUBLE_EQ(Value(p1, "g"), 40.0);
    Mouse(kMove, 130.0, 5.0, 10, 0);
    EXPECT_DOUBLE_EQ(Value(p1, "g"), 60.0);
    EXPECT_DOUBLE_EQ(CurrentX(), 130.0);
    Mouse(kUp, 130.0, 5.0);
    EXPECT_EQ(log.Take(), (Strings{"view 610", "layer 610", "view 610", "layer 610", "model 103"}));
    // Values changed elsewhere (103) move the anchors without a pick.
    p1->GetChildByName("w")->SetValue({200.0, 0.0}, 0);
    Core::MenuCore::Notify(ModelEvent::kParametersChanged);
    EXPECT_DOUBLE_EQ(CurrentX(), 230.0);
    // A node without anchors clears the curve's anchors; no node changes nothing.
    Core::MenuCore::SetCurrentNode(p1->GetChildByName("w"));
    EXPECT_FALSE(AnchorCore::HasAnchors());
    EXPECT_TRUE(AnchorCore::GetDynamicCurve()->Designer().GetAnchors().empty());
    EXPECT_EQ(AnchorCore::GetCurrentForce(), std::nullopt);
    log.Take();
    Core::MenuCore::SetCurrentNode(nullptr);
    EXPECT_EQ(log.Take(), Strings{"model 202"});
}

}  // namespace
