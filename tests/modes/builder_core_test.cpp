#include <gtest/gtest.h>

#include "model/current.h"
#include "model/selection.h"
#include "modes/builder_core.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"
#include "tests/modes/mode_support.h"
#include "tests/modes/mouse_actions.h"

namespace {

using Core::BuilderCore;
using Core::Node;
using ModeTest::Mouse;
using ModeTest::Value;
using Strings = std::vector<std::string>;
using ModeTest::kDown, ModeTest::kMove, ModeTest::kUp;

// The definition explorer's part: 701 is answered by taking the builder's clone.
struct Inserter : Winplus::EventObserver<ModelEvent> {
    bool Notify(const ModelEvent& code) override {
        if (code == ModelEvent::kFunctionPlaced) clones.push_back(BuilderCore::CreateFunction());
        return true;
    }
    std::vector<Node::Ptr> clones;
};

class BuilderCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModeTest::PhononModel();
        p1 = ModeTest::Find("p1");
        p2 = ModeTest::Find("p2");
        BuilderCore::Initialize(&Core::ViewModeState::GetMode);
        log.Watch(BuilderCore::Tool().AddObserver(log.Own()));
        Core::Selection::SetNode(p1);
        Core::ViewModeState::SetMode(Core::kBuilderMode);
        log.Take();
    }
    ModeTest::BusLog log;
    Node::Ptr p1, p2;
};

TEST_F(BuilderCoreTest, PlacementInsertsACloneWithThePlacedValuesAndDragsIt) {
    auto inserter = Safe::MakeX<Inserter>();
    log.Watch(Core::MenuCore::AddObserver(inserter));
    Mouse(kDown, 250.0, 3.0);  // "Resizing mode": the axis tools have the mouse
    EXPECT_TRUE(inserter->clones.empty());
    BuilderCore::SetTool(BuilderCore::kAddFunction);
    EXPECT_EQ(Winplus::AxisBar::GetMode(), Winplus::AxisBar::kNone);
    Mouse(kDown, 250.0, 3.0);
    ASSERT_EQ(inserter->clones.size(), 1u);
    const Node::Ptr clone = inserter->clones[0];
    ASSERT_TRUE(clone && clone != BuilderCore::GetPrototype());
    // The peak of the clone sits at the cursor: w = 250, height ds w / g = 3.
    EXPECT_DOUBLE_EQ(Value(clone, "w"), 250.0);
    EXPECT_DOUBLE_EQ(Value(clone, "ds"), 3.0 * 10.0 / 250.0);
    EXPECT_EQ(BuilderCore::Tool().GetDynamicCurve()->GetUnit()->GetOutput(), clone);
    Mouse(kMove, 251.0, 3.0, 10, 0);
    EXPECT_DOUBLE_EQ(Value(clone, "g"), 20.0);
    EXPECT_DOUBLE_EQ(Value(BuilderCore::GetPrototype(), "g"), 10.0);
    Mouse(kUp, 251.0, 3.0);
    EXPECT_EQ(log.Take(),
              (Strings{"own 620", "model 701", "layer 610", "view 610", "layer 610", "model 103"}));
    // Without a prototype a placement does nothing, and no clone is made.
    BuilderCore::SetFunction(nullptr, false);
    EXPECT_EQ(BuilderCore::GetPrototypeName(), "");
    Mouse(kDown, 300.0, 3.0);
    Mouse(kUp, 300.0, 3.0);
    EXPECT_EQ(inserter->clones.size(), 1u);
    EXPECT_EQ(BuilderCore::CreateFunction(), clone);
    EXPECT_EQ(log.Take(), Strings{});
}

TEST_F(BuilderCoreTest, PrototypeIsRenewedForAnotherOrChangedPickOnly) {
    const Node::Ptr first = BuilderCore::GetPrototype();
    ASSERT_TRUE(first && first != p1);
    EXPECT_EQ(first->Name(), "p1");
    // The association edits reach the prototype and the pick, and keep the prototype.
    BuilderCore::SetAnchorMode(2, 1);
    EXPECT_EQ(p1->GetAnchorMode(2), 1);
    Core::MenuCore::SetCurrentNode(p2);
    BuilderCore::SetFunction(p1, false);
    EXPECT_EQ(BuilderCore::GetPrototype(), first);
    EXPECT_EQ(first->GetAnchorMode(2), 1);
    // Another node of the same name, or the same node changed, is a new pick.
    Node::Ptr namesake = Node::Create(900);
    namesake->SetName("p1");
    namesake->GetChildByName("w")->SetValue({400.0, 0.0}, 0);
    Core::Selection::SetNode(namesake);
    Core::MenuCore::SetCurrentNode(p1);
    const Node::Ptr second = BuilderCore::GetPrototype();
    ASSERT_NE(second, first);
    EXPECT_DOUBLE_EQ(Value(second, "w"), 400.0);
    namesake->GetChildByName("w")->SetValue({500.0, 0.0}, 0);
    BuilderCore::SetFunction(namesake, false);
    EXPECT_DOUBLE_EQ(Value(BuilderCore::GetPrototype(), "w"), 500.0);
    const Node::Ptr third = BuilderCore::GetPrototype();
    BuilderCore::SetFunction(namesake, true);
    EXPECT_NE(BuilderCore::GetPrototype(), third);
}

TEST_F(BuilderCoreTest, PlacementClonesThePickAsItIsThen) {
    auto inserter = Safe::MakeX<Inserter>();
    log.Watch(Core::MenuCore::AddObserver(inserter));
    BuilderCore::SetTool(BuilderCore::kAddFunction);
    const Node::Ptr taken = BuilderCore::GetPrototype();
    // A value typed into the pick (the selection panel announces nothing) is placed.
    p1->GetChildByName("g")->SetValue({30.0, 0.0}, 0);
    Mouse(kDown, 250.0, 3.0);
    Mouse(kUp, 250.0, 3.0);
    ASSERT_EQ(inserter->clones.size(), 1u);
    EXPECT_DOUBLE_EQ(Value(inserter->clones[0], "g"), 30.0);
    const Node::Ptr renewed = BuilderCore::GetPrototype();
    EXPECT_NE(renewed, taken);
    // Unchanged, the pick keeps its prototype.
    Mouse(kDown, 300.0, 3.0);
    Mouse(kUp, 300.0, 3.0);
    ASSERT_EQ(inserter->clones.size(), 2u);
    EXPECT_DOUBLE_EQ(Value(inserter->clones[1], "g"), 30.0);
    EXPECT_EQ(BuilderCore::GetPrototype(), renewed);
}

TEST_F(BuilderCoreTest, PointListGivesAPointPrototypeAndHidesTheDynamicCurve) {
    BuilderCore::Tool().autoUser = true;
    const Core::NodeMap::Ptr definition = Core::MenuCore::GetCurrentDefinition();
    const Node::Ptr sum = definition->GetRoot();
    const Node::Ptr points = definition->AddNode(sum->Name(), Node::Create(2102));
    ASSERT_TRUE(points);
    Core::MenuCore::SetCurrentNode(points);
    EXPECT_EQ(BuilderCore::GetPrototype()->GetTypeId(), 899);
    EXPECT_EQ(BuilderCore::Tool().GetDynamicCurve()->GetViewMode(), Winplus::kHidden);
    EXPECT_FALSE(BuilderCore::Tool().autoUser);
    // The list's parent has the user curve.
    ASSERT_EQ(BuilderCore::Tool().GetUserCurves()->Curves()->Count(), 1);
    EXPECT_EQ(BuilderCore::Tool().GetUserCurves()->Curves()->At(0)->GetUnit()->GetOutput(), sum);
    // A Sum is no list of items: the prototype comes from the selection again.
    Core::MenuCore::SetCurrentNode(sum);
    EXPECT_EQ(BuilderCore::GetPrototypeName(), "p1");
    EXPECT_EQ(log.Take(), (Strings{"model 202", "own 110", "own 202", "view 121", "model 202",
                                   "own 110", "own 202"}));
    // A list without an item type leaves no prototype: a placement does nothing.
    Core::MenuCore::SetCurrentNode(Node::Create(3002));
    EXPECT_TRUE(BuilderCore::GetPrototype().IsNull());
    BuilderCore::SetTool(BuilderCore::kAddFunction);
    log.Take();
    Mouse(kDown, 1.0, 1.0);
    EXPECT_EQ(log.Take(), Strings{});
}

}  // namespace
