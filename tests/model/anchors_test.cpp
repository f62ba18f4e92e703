#include <gtest/gtest.h>

#include "model/anchors.h"
#include "tests/model/test_nodes.h"

namespace {

using Core::Anchor;
using Core::AnchorPoint;
using Core::AnchorsInterface;
using Core::Complex;
using TestNodes::Anchored;

class AnchorsTest : public ::testing::Test {
protected:
    void SetUp() override { TestNodes::Register(); }
};

Safe::XPtr<Anchor> AnchorAt(double x, bool first = true, bool second = false, double x2 = 0) {
    Safe::XPtr<Anchor> anchor = Safe::MakeX<Core::AnchorXY>();
    anchor->EnableFirst(first);
    anchor->EnableSecond(second);
    anchor->SetFirstPoint({x, 0}, false);
    anchor->SetSecondPoint({x2, 0}, false);
    return anchor;
}

TEST_F(AnchorsTest, DistanceMeasuresTheNearerEnabledEnd) {
    auto onlySecond = AnchorAt(0, false, true, 5);
    EXPECT_EQ(onlySecond->DistanceTo(3), 2);
    EXPECT_FALSE(onlySecond->IsFirstSelected());
    auto tie = AnchorAt(1, true, true, 5);
    EXPECT_EQ(tie->DistanceTo(3), 2);
    EXPECT_TRUE(tie->IsFirstSelected());
    auto neither = AnchorAt(1, false, false);
    EXPECT_EQ(neither->DistanceTo(3), -1);
}

TEST_F(AnchorsTest, NearestAnchorSkipsAnchorsWithoutEnabledEnds) {
    auto node = Safe::MakeX<Anchored>();
    Safe::XPtr<AnchorsInterface> set = node->GetAnchors();
    ASSERT_EQ(set->Count(), 2);  // top at x = 1, width at x = 2
    set->FindNearest(1.4);
    EXPECT_EQ(set->GetCurrent(), set->GetAnchors()[0]);
    set->FindNearest(1.5);  // a tie: the earlier anchor wins
    EXPECT_EQ(set->GetCurrent(), set->GetAnchors()[0]);
    set->GetAnchors()[0]->EnableFirst(false);
    set->FindNearest(1.0);
    EXPECT_EQ(set->GetCurrent(), set->GetAnchors()[1]);
    set->GetAnchors()[1]->EnableFirst(false);
    set->FindNearest(1.0);
    EXPECT_TRUE(set->GetCurrent().IsNull());

    AnchorsInterface empty(nullptr);
    empty.FindNearest(0);
    EXPECT_TRUE(empty.GetCurrent().IsNull());
}

TEST_F(AnchorsTest, CurrentAnchorFollowsARebuild) {
    auto node = Safe::MakeX<Anchored>();
    Safe::XPtr<AnchorsInterface> set = node->GetAnchors();
    set->SetCurrent(set->GetAnchors()[1]);
    Safe::XPtr<Anchor> old = set->GetCurrent();
    node->GetAnchors();
    EXPECT_NE(set->GetCurrent(), old);
    EXPECT_EQ(set->GetCurrent(), set->GetAnchors()[1]);
    EXPECT_EQ(set->GetCurrent()->GetOwner(), node.Get());
    EXPECT_EQ(set->GetCurrent()->GetParameterOwner(), node.Get());
}

TEST_F(AnchorsTest, ANodeThatGathersHoldsItsChildrensAnchorsInOrder) {
    auto gatherer = Safe::MakeX<TestNodes::Gatherer>();
    auto first = Safe::MakeX<Anchored>(), second = Safe::MakeX<Anchored>();
    gatherer->AddChild(first);
    gatherer->AddChild(Safe::MakeX<TestNodes::Leaf>());  // no anchors
    gatherer->AddChild(second);
    Safe::XPtr<AnchorsInterface> set = gatherer->GetAnchors();
    ASSERT_EQ(set->Count(), 4);
    EXPECT_EQ(set->GetMembers().size(), 2u);
    EXPECT_EQ(set->GetAnchors()[0]->GetOwner(), first.Get());
    EXPECT_EQ(set->GetAnchors()[3]->GetOwner(), second.Get());
    EXPECT_EQ(set->GetCurrent(), set->GetAnchors()[0]);
}

TEST_F(AnchorsTest, MovingTheTopWritesParametersAndRunsTheForce) {
    auto node = Safe::MakeX<Anchored>();  // p0 = 1, p1 = 2
    Safe::XPtr<AnchorsInterface> set = node->GetAnchors();
    set->FindNearest(1.0);
    // The partner keeps its gap to the moved parameter.
    Core::SetForceMode(Core::ForceMode::kMaintainGap);
    set->MoveCurrent({4.0, 6.0});
    EXPECT_EQ(node->GetChild(0)->GetValue(), Complex(4, 0));
    EXPECT_EQ(node->GetChild(1)->GetValue(), Complex(9, 0));  // 6 + (4 - 1)
    EXPECT_EQ(set->GetCurrent()->First().previous.x, 1.0);

    node->notifyForces = false;  // the owner may suppress the force
    set->MoveCurrent({5.0, 1.0});
    EXPECT_EQ(node->GetChild(1)->GetValue(), Complex(1, 0));
}

TEST_F(AnchorsTest, WidthAnchorKeepsItsY) {
    Safe::XPtr<Anchor> width = Safe::MakeX<Core::AnchorDX>();
    width->SetFirstPoint({1.0, 7.0}, false);
    bool notify = true;
    width->MoveTo(AnchorPoint{3.0, 100.0}, notify);
    EXPECT_EQ(width->First().current.x, 3.0);
    EXPECT_EQ(width->First().current.y, 7.0);
    static_cast<Core::AnchorDX*>(width.Get())->MoveTo(5.0, notify);
    EXPECT_EQ(width->First().current.y, 7.0);
    EXPECT_EQ(width->First().previous.x, 3.0);
}

TEST_F(AnchorsTest, ForceModes) {
    Core::Node::Ptr parameter = Safe::MakeX<TestNodes::Leaf>("p", 10.0);
    Safe::XPtr<Anchor> target = Safe::MakeX<Core::AnchorXY>();
    target->SetBinding(0, parameter.Get());
    Core::Force force(target.Get());
    force.SetValues(2.0, 3.0);

    Core::SetForceMode(Core::ForceMode::kEqual);
    EXPECT_TRUE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(3, 0));
    Core::SetForceMode(Core::ForceMode::kConstantRatio);
    EXPECT_TRUE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(4.5, 0));
    Core::SetForceMode(Core::ForceMode::kMaintainGap);
    EXPECT_TRUE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(5.5, 0));
    force.SetValues(2.0, 2.0);
    EXPECT_TRUE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(5.5, 0));
    Core::SetForceMode(Core::ForceMode::kConstantRatio);
    force.SetValues(0.0, 3.0);
    EXPECT_FALSE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(5.5, 0));
    Core::SetForceMode(Core::ForceMode::kNone);
    EXPECT_TRUE(force.Execute(0));
    EXPECT_EQ(parameter->GetValue(), Complex(5.5, 0));

    Core::Force unbound(nullptr);
    Core::SetForceMode(Core::ForceMode::kEqual);
    EXPECT_FALSE(unbound.Execute(0));
}

TEST_F(AnchorsTest, PlaceAllPlacesTheCurrentAnchorLast) {
    auto node = Safe::MakeX<Anchored>();
    Safe::XPtr<AnchorsInterface> set = node->GetAnchors();
    node->placed.clear();
    set->PlaceAll();  // no current anchor: nothing is placed
    EXPECT_TRUE(node->placed.empty());
    set->FindNearest(1.0);
    set->PlaceAll();
    EXPECT_EQ(node->placed, (std::vector<int>{41, 0}));
}

}  // namespace
