#include <gtest/gtest.h>

#include <cmath>

#include "app/base/project_state.h"
#include "model/current.h"
#include "modes/adjust_core.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"
#include "tests/modes/mode_support.h"
#include "tests/modes/mouse_actions.h"

namespace {

using Core::AdjustCore;
using ModeTest::Mouse;
using ModeTest::Value;
using Strings = std::vector<std::string>;
using ModeTest::kDown, ModeTest::kMove, ModeTest::kUp;

class AdjustCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModeTest::PhononModel();
        AdjustCore::Initialize(&Core::ViewModeState::GetMode);
        log.Watch(AdjustCore::Tool().AddObserver(log.Own()));
        Core::ViewModeState::SetMode(Core::kAdjustMode);
        log.Take();
    }
    ModeTest::BusLog log;
};

TEST_F(AdjustCoreTest, PressPlacesThePeakAndPercentDragsMultiply) {
    const Core::Node::Ptr p1 = ModeTest::Find("p1");
    ASSERT_EQ(AdjustCore::GetNode(), p1);  // taken on 600
    Winplus::AxisBar::SetMode(Winplus::AxisBar::kZoom);
    AdjustCore::EnableAnchors(true);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kNone);
    // The press: the peak (frequency w, height ds w / g) goes to the cursor.
    Mouse(kDown, 150.0, 2.0);
    EXPECT_DOUBLE_EQ(Value(p1, "w"), 150.0);
    EXPECT_DOUBLE_EQ(Value(p1, "ds"), 2.0 * 10.0 / 150.0);
    const double ds = Value(p1, "ds");
    // 10 pixels right doubles the damping, 10 up multiplies the strength by 1.1.
    Mouse(kMove, 151.0, 2.0, 10, 0);
    EXPECT_DOUBLE_EQ(Value(p1, "g"), 20.0);
    Mouse(kMove, 151.0, 2.1, 0, 10);
    EXPECT_DOUBLE_EQ(Value(p1, "ds"), ds * 1.1);
    for (int i = 0; i < 10; ++i) Mouse(kMove, 152.0, 2.1, 1, 0);
    EXPECT_NEAR(Value(p1, "g"), 20.0 * std::pow(1.1, 10), 1e-12);
    Mouse(kUp, 152.0, 2.1);
    const Strings moved{"view 610", "layer 610"};
    Strings expected{"own 620"};
    for (int i = 0; i < 13; ++i) expected.insert(expected.end(), moved.begin(), moved.end());
    expected.push_back("model 103");  // the end of the press: parameter values changed
    EXPECT_EQ(log.Take(), expected);
    AdjustCore::EnableAnchors(false);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kZoom);
}

TEST_F(AdjustCoreTest, LostButtonUpEndsThePressAndOtherModesIgnoreTheMouse) {
    const Core::Node::Ptr p1 = ModeTest::Find("p1");
    Mouse(kDown, 150.0, 2.0);  // anchors not enabled: the axis tools keep the mouse
    EXPECT_DOUBLE_EQ(Value(p1, "w"), 100.0);
    AdjustCore::EnableAnchors(true);
    Mouse(kDown, 150.0, 2.0);
    Mouse(kDown, 170.0, 2.0);  // the button-up was lost: no second press
    EXPECT_DOUBLE_EQ(Value(p1, "w"), 150.0);
    EXPECT_FALSE(AdjustCore::Tool().IsPressing());
    Mouse(kMove, 170.0, 2.0, 10, 0);  // not pressing: no drag
    EXPECT_DOUBLE_EQ(Value(p1, "g"), 10.0);
    Mouse(kDown, 170.0, 2.0);
    EXPECT_DOUBLE_EQ(Value(p1, "w"), 170.0);
    Mouse(kUp, 170.0, 2.0);
    Core::ViewModeState::SetMode(Core::kAnchorMode);
    Mouse(kDown, 190.0, 2.0);
    EXPECT_DOUBLE_EQ(Value(p1, "w"), 170.0);
}

TEST_F(AdjustCoreTest, DragMarksTheProjectUnsavedWithoutUpdateView) {
    Core::MenuCore::ProjectObserver observer;
    AdjustCore::Tool().updateView = false;
    AdjustCore::EnableAnchors(true);
    Mouse(kDown, 150.0, 2.0);
    Mouse(kMove, 150.0, 2.0, 3, 0);
    EXPECT_TRUE(Core::MenuCore::IsSaved());  // the view bus is no project change
    Mouse(kUp, 150.0, 2.0);
    EXPECT_FALSE(Core::MenuCore::IsSaved());
    EXPECT_EQ(log.Take(), (Strings{"own 620", "view 610", "view 610", "model 103"}));
    // A press that moved nothing tells nothing.
    AdjustCore::SetNode(nullptr);
    log.Take();
    Mouse(kDown, 150.0, 2.0);
    Mouse(kUp, 150.0, 2.0);
    EXPECT_EQ(log.Take(), Strings{});
}

TEST_F(AdjustCoreTest, UserCurvesFollowNodesWithAnchorsOncePerName) {
    const Winplus::LayerCurve::Ptr& user = AdjustCore::Tool().GetUserCurves();
    ASSERT_EQ(user->Curves()->Count(), 1);  // p1, made on 600
    EXPECT_EQ(user->Curves()->At(0)->GetName(), L"p1");
    EXPECT_EQ(user->Curves()->At(0)->GetUnit()->GetOutput(), ModeTest::Find("p1"));
    // Factor, Sum and Average show their children's anchors: no curve of their own.
    for (int type : {207, 208, 209}) {
        Core::Node::Ptr list = Core::Node::Create(type);
        list->AddChild(Core::Node::Create(900));
        Core::MenuCore::SetCurrentNode(list);
        EXPECT_EQ(AdjustCore::GetNode(), list);
        EXPECT_EQ(user->Curves()->Count(), 1) << type;
    }
    // Another node named p1 keeps the first curve.
    Core::Node::Ptr other = Core::Node::Create(900);
    other->SetName("p1");
    Core::MenuCore::SetCurrentNode(other);
    Core::MenuCore::SetCurrentNode(ModeTest::Find("p2"));
    ASSERT_EQ(user->Curves()->Count(), 2);
    EXPECT_EQ(user->Curves()->At(0)->GetUnit()->GetOutput(), ModeTest::Find("p1"));
    EXPECT_EQ(log.Take(),
              (Strings{"model 202", "own 202", "model 202", "own 202", "model 202", "own 202",
                       "model 202", "own 202", "model 202", "own 202", "view 121"}));
    // The curve of p2 is p2 over the model's x: its absorption peaks at w = 300.
    const Winplus::Curve::Ptr p2 = user->Curves()->At(1);
    const Data& im = *p2->Im();
    std::size_t peak = 0;
    for (std::size_t i = 1; i < static_cast<std::size_t>(im.Size()); ++i)
        if (im[i] > im[peak]) peak = i;
    EXPECT_NEAR((*p2->X())[peak], 300.0, 2.0);
}

TEST_F(AdjustCoreTest, SelectCurveAnnouncesByLayer) {
    AdjustCore::Tool().SelectCurve(L"Dynamic curve", 1);
    EXPECT_EQ(AdjustCore::Tool().GetCurrentCurve(), AdjustCore::Tool().GetDynamicCurve());
    AdjustCore::Tool().SelectCurve(L"p1", 0);
    EXPECT_EQ(AdjustCore::Tool().GetCurrentCurve()->GetName(), L"p1");
    AdjustCore::Tool().SelectCurve(L"p1", 2);
    EXPECT_TRUE(AdjustCore::Tool().GetCurrentCurve().IsNull());
    AdjustCore::Tool().SetCurrentLayer(AdjustCore::Tool().GetDynamicLayer());
    AdjustCore::Tool().SetCurrentLayer(AdjustCore::Tool().GetDynamicLayer());
    EXPECT_EQ(log.Take(), (Strings{"view 221", "view 601", "view 220"}));
}

}  // namespace
