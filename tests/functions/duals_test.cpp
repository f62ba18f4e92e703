#include <gtest/gtest.h>

#include "functions/duals.h"
#include "functions/families.h"
#include "model/node.h"

namespace {

using Core::Complex;
using Core::Node;

class DualsTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

std::vector<std::string> Names(const Node& list) {
    std::vector<std::string> names;
    for (const Node::Ptr& dual : list.GetChildren())
        names.push_back(dual->GetName() + ":" + dual->GetChild(0)->GetName() + "," +
                        dual->GetChild(1)->GetName());
    return names;
}

TEST_F(DualsTest, MembersAreLabelledByTheList) {
    Node::Ptr list = Node::Create(2101);
    EXPECT_EQ(Names(*list), std::vector<std::string>{"Dual:p1,p2"});
    EXPECT_TRUE(list->AddChild(Node::Create(100)).IsNull());
    EXPECT_EQ(list->ChildCount(), 1);
    ASSERT_TRUE(list->AddChild(Node::Create(2001)));
    Safe::DynamicCast<Capsule::DualList>(list)->SetLabels({"Layer", "n", "k"});
    Node::Ptr dual = Node::Create(2001);
    dual->GetChild(1)->SetValue(Complex(2.5, 0), 0);
    ASSERT_TRUE(list->AddChild(dual));
    EXPECT_EQ(Names(*list), (std::vector<std::string>{"Dual:p1,p2", "Element:p1,p2", "Layer:n,k"}));
    EXPECT_EQ(dual->Evaluate(), Complex(0, 0));
    EXPECT_EQ(list->Evaluate(), Complex(0, 0));

    // A copy keeps every member, its names and values, and the labels for later members.
    Node::Ptr copy = list->Clone();
    EXPECT_EQ(Names(*copy), Names(*list));
    EXPECT_EQ(copy->GetChild(2)->GetChild(1)->GetValue(), Complex(2.5, 0));
    ASSERT_TRUE(copy->AddChild(Node::Create(2001)));
    EXPECT_EQ(copy->GetChild(3)->GetName(), "Layer");
}

TEST_F(DualsTest, ListsUnderOrdinaryParentsDoNotBounceThePreparation) {
    Node::Ptr sum = Node::Create(208);
    Node::Ptr list = Node::Create(2101);
    ASSERT_TRUE(sum->AddChild(list));
    ASSERT_TRUE(list->AddChild(Node::Create(2001)));  // list, sum, list, ...
    sum->Prepare(nullptr);
    EXPECT_EQ(list->ChildCount(), 2);
}

}  // namespace
