#include <gtest/gtest.h>

#include <vector>

#include "functions/families.h"
#include "model/node.h"

namespace {

using Core::Complex;
using Core::Node;
using Values = std::vector<Complex>;

class TuplesTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

Node::Ptr Number(Complex value) {
    Node::Ptr node = Node::Create(100);
    node->SetValue(value, 0);
    return node;
}

// A variadic tuple of the values.
Node::Ptr TupleOf(const Values& values) {
    Node::Ptr tuple = Node::Create(3002);
    tuple->RemoveChild(0);
    for (const Complex& value : values) tuple->AddChild(Number(value));
    return tuple;
}

TEST_F(TuplesTest, TuplesHoldOneValuePerMember) {
    Node::Ptr pair = Node::Create(3000);
    EXPECT_EQ(pair->Evaluate(), Complex(0, 0));
    EXPECT_EQ(pair->GetValues(), Values(2, Complex(0, 0)));
    EXPECT_TRUE(pair->IsActive());
    pair->SetValues({1, 2, 3});  // more values than members: the first two
    pair->SetValues({});         // none: nothing changes
    EXPECT_EQ(pair->Evaluate(), Complex(1, 0));
    EXPECT_EQ(pair->GetValues(), (Values{1, 2}));
    Node::Ptr four = Node::Create(3001);
    four->SetValues({{5, 1}});  // fewer: the others keep theirs
    four->Evaluate();
    EXPECT_EQ(four->GetValues(), (Values{{5, 1}, 0, 0, 0}));
    four->ReplaceChildAt(3, Node::Create(200));
    EXPECT_FALSE(four->IsActive());

    Node::Ptr tuple = TupleOf({1, 2, 3});
    EXPECT_EQ(tuple->Evaluate(), Complex(1, 0));
    EXPECT_EQ(tuple->GetValues(), (Values{1, 2, 3}));
    tuple->AddChild(Number(4));
    EXPECT_EQ(tuple->GetValues().size(), 4u);
    tuple->RemoveChild(0);  // the base operation: refitted now, refreshed at the next evaluation
    EXPECT_EQ(tuple->GetValues().size(), 3u);
    tuple->Evaluate();
    EXPECT_EQ(tuple->GetValues(), (Values{2, 3, 4}));
    while (tuple->ChildCount() > 0) tuple->RemoveChild(0);  // through the base operation
    EXPECT_EQ(tuple->Evaluate(), Complex(0, 0));
    EXPECT_EQ(tuple->GetValues(), Values{0});
    EXPECT_EQ(TupleOf({7, 8})->Clone()->Evaluate(), Complex(7, 0));
    EXPECT_EQ(TupleOf({7, 8})->Clone()->GetValues(), (Values{7, 8}));
}

TEST_F(TuplesTest, OutNSelectsAnElementAndAnswersZeroOutside) {
    Node::Ptr out = Node::Create(3003);
    Node::Ptr four = Node::Create(3001);
    four->SetValues({5, 6, 7, 8});
    out->ReplaceChildAt(0, four);
    auto at = [&](double n) {
        out->GetChild(1)->SetValue(Complex(n, 0), 0);
        return out->Evaluate();
    };
    EXPECT_EQ(at(2), Complex(7, 0));
    EXPECT_EQ(at(2.9), Complex(7, 0));
    EXPECT_EQ(at(4), Complex(0, 0));
    EXPECT_EQ(at(-1), Complex(0, 0));
    EXPECT_EQ(at(1e12), Complex(0, 0));  // saturates rather than wrapping
    EXPECT_EQ(at(-1e12), Complex(0, 0));
    Node::Ptr empty = TupleOf({});
    out->ReplaceChildAt(0, empty);
    EXPECT_EQ(at(0), Complex(0, 0));
}

TEST_F(TuplesTest, ForEachFoldsTheActionOverTheList) {
    Node::Ptr each = Node::Create(3004);
    each->GetChild(0)->SetValue(Complex(10, 0), 0);
    EXPECT_EQ(each->Evaluate(), Complex(10, 0));  // a list of one zero
    ASSERT_TRUE(each->ReplaceChildAt(2, TupleOf({1, 2, {3, 1}})));
    EXPECT_EQ(each->Evaluate(), Complex(16, 1));
    ASSERT_TRUE(each->ReplaceChildAt(2, TupleOf({})));
    EXPECT_EQ(each->Evaluate(), Complex(10, 0));

    ASSERT_TRUE(each->ReplaceChildAt(2, TupleOf({2, 3, 4})));
    Node::Ptr times = Node::Create(202);
    ASSERT_TRUE(each->ReplaceChildAt(1, times));
    each->GetChild(0)->SetValue(Complex(1, 0), 0);
    EXPECT_EQ(each->Evaluate(), Complex(24, 0));
    // Refused: one operand, or two children that will not be exchanged (a point's coordinates).
    EXPECT_TRUE(each->ReplaceChildAt(1, Node::Create(101)).IsNull());
    EXPECT_TRUE(each->ReplaceChild("action", Node::Create(899)).IsNull());
    EXPECT_EQ(each->GetChild(1), times);
    EXPECT_EQ(each->Evaluate(), Complex(24, 0));

    // Edits inside the placed action do not reach the fold until the action is replaced; a
    // copy folds exactly as the original.
    times->ReplaceChildAt(0, Node::Create(200));
    Node::Ptr copy = each->Clone();
    EXPECT_EQ(copy->Evaluate(), Complex(24, 0));
    ASSERT_TRUE(each->ReplaceChildAt(1, Node::Create(201)));
    EXPECT_EQ(each->Evaluate(), Complex(1 - 2 - 3 - 4, 0));
    EXPECT_EQ(each->Clone()->Evaluate(), Complex(-8, 0));
}

TEST_F(TuplesTest, ComplexVectorCopiesCarryTheWholeList) {
    Node::Ptr vector = Node::Create(650);
    vector->SetValues({1, {2, 3}, 4});
    EXPECT_EQ(vector->Clone()->GetValues(), (Values{1, {2, 3}, 4}));
}

}  // namespace
