#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "foundation/random.h"
#include "functions/families.h"
#include "model/node.h"

namespace {

using Core::Complex;
using Core::Node;

class NumbersTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

Complex Set(int typeId, Complex value) {
    Node::Ptr node = Node::Create(typeId);
    node->SetValue(value, 3);  // the index is ignored by the typed numbers
    return node->GetValue();
}

TEST_F(NumbersTest, TypedNumbersRestrictWhatTheyStore) {
    EXPECT_EQ(Set(600, {2.9, 5}), Complex(2, 0));
    EXPECT_EQ(Set(600, {-2.9, 0}), Complex(-2, 0));
    EXPECT_EQ(Set(600, {1e300, 0}), Complex(2147483647, 0));
    EXPECT_EQ(Set(600, {std::nan(""), 0}), Complex(0, 0));
    EXPECT_EQ(Set(602, {2.9, 5}), Complex(2.9, 0));
    EXPECT_EQ(Set(604, {0.999, 0}), Complex(0, 0));
    EXPECT_EQ(Set(604, {1, 0}), Complex(1, 0));
    EXPECT_EQ(Set(604, {7, 3}), Complex(1, 0));
    EXPECT_EQ(Set(604, {-1, 0}), Complex(0, 0));
}

TEST_F(NumbersTest, RationalAndComplexNumbers) {
    Node::Ptr q = Node::Create(601);
    EXPECT_EQ(q->Evaluate(), Complex(0, 0));
    q->GetChild(0)->SetValue({7.8, 0}, 0);
    q->GetChild(1)->SetValue({2.2, 0}, 0);
    EXPECT_EQ(q->Evaluate(), Complex(3.5, 0));
    q->GetChild(1)->SetValue({0, 0}, 0);
    EXPECT_TRUE(std::isinf(q->Evaluate().real()));

    Node::Ptr c = Node::Create(603);
    c->GetChild(0)->SetValue({1, 9}, 0);
    c->GetChild(1)->SetValue({2, 9}, 0);
    EXPECT_EQ(c->Evaluate(), Complex(1, 2));
    EXPECT_EQ(c->GetValue(), Complex(1, 2));
}

TEST_F(NumbersTest, ConstantsIgnoreTheirStoredValue) {
    Node::Ptr h = Node::Create(406), k = Node::Create(407), c2 = Node::Create(409);
    const double speedOfLight = 299792458.0;
    EXPECT_NEAR(c2->Evaluate().real(), h->Evaluate().real() * speedOfLight / k->Evaluate().real(),
                1e-15);
    Node::Ptr c1 = Node::Create(408);
    EXPECT_NEAR(c1->Evaluate().real(), 2 * h->Evaluate().real() * speedOfLight * speedOfLight,
                1e-30);
    Node::Ptr pi = Node::Create(400);
    pi->SetValue({5, 5}, 0);
    EXPECT_EQ(pi->Evaluate(), Complex(std::numbers::pi, 0));
    EXPECT_EQ(pi->GetValue(), Complex(5, 5));
}

TEST_F(NumbersTest, RandomNumberDrawsAtEveryEvaluation) {
    Random::SeedWith(5489);
    Node::Ptr rnd = Node::Create(501);
    const Complex first = rnd->Evaluate();
    const Complex second = rnd->Evaluate();
    EXPECT_NE(first, second);
    EXPECT_EQ(rnd->GetValue(), second);
    EXPECT_GE(first.real(), 0.0);
    EXPECT_LE(first.real(), 1.0);
    EXPECT_EQ(first.imag(), 0.0);
}

TEST_F(NumbersTest, SettingATypedNumberTellsItsParent) {
    struct Watcher : Node {
        void NotifyChanged() override { ++changes; }
        int changes = 0;
    };
    auto parent = Safe::MakeX<Watcher>();
    Node::Ptr n = Node::Create(600);
    parent->AddChild(n);
    n->SetValue({3, 0}, 0);
    Node::Create(601)->GetChild(0)->SetValue({1, 0}, 0);  // a constructor-made child has its parent
    EXPECT_EQ(parent->changes, 1);
}

}  // namespace
