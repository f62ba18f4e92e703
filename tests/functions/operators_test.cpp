#include <gtest/gtest.h>

#include <cmath>

#include "functions/families.h"
#include "functions/file_table.h"
#include "model/node.h"

namespace {

using Core::Complex;
using Core::Node;

class OperatorsTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

Node::Ptr Make(int typeId, std::vector<Complex> childValues = {}) {
    Node::Ptr node = Node::Create(typeId);
    for (std::size_t i = 0; i < childValues.size(); ++i)
        node->GetChild(static_cast<int>(i))->SetValue(childValues[i], 0);
    return node;
}

TEST_F(OperatorsTest, ArithmeticOperators) {
    const Complex a(1, 2), b(3, -1);
    EXPECT_EQ(Make(101, {a})->Evaluate(), -a);
    EXPECT_EQ(Make(200, {a, b})->Evaluate(), a + b);
    EXPECT_EQ(Make(201, {a, b})->Evaluate(), a - b);
    EXPECT_EQ(Make(202, {a, b})->Evaluate(), a * b);
    EXPECT_NEAR(std::abs(Make(203, {a, b})->Evaluate() - a / b), 0.0, 1e-15);
    EXPECT_NEAR(std::abs(Make(102, {b})->Evaluate() - 1.0 / b), 0.0, 1e-15);
    EXPECT_EQ(Make(204, {a})->Evaluate(), Complex(-2, 1));
    EXPECT_EQ(Make(205, {{1, 0}, {1, 0}})->Evaluate(), Complex(1, 1));
    EXPECT_EQ(Make(206, {{1, 0}, {1, 0}})->Evaluate(), Complex(1, -1));
}

TEST_F(OperatorsTest, DivisionByZeroGivesTheIeeeResults) {
    const Complex inverse = Make(102, {{0, 0}})->Evaluate();
    EXPECT_FALSE(std::isfinite(inverse.real()) && std::isfinite(inverse.imag()));
    const Complex quotient = Make(203, {{1, 0}, {0, 0}})->Evaluate();
    EXPECT_TRUE(std::isinf(quotient.real()) || std::isnan(quotient.real()));
    EXPECT_EQ(Make(203, {{1e300, 1e300}, {1e300, 1e300}})->Evaluate(), Complex(1, 0));
}

TEST_F(OperatorsTest, ListOperators) {
    EXPECT_EQ(Make(208)->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Make(207)->Evaluate(), Complex(1, 0));
    EXPECT_EQ(Make(209)->Evaluate(), Complex(0, 0));
    for (int id : {207, 208, 209}) {
        Node::Ptr list = Make(id);
        list->RemoveChild(0);
        EXPECT_EQ(list->Evaluate(), Complex(id == 207 ? 1 : 0, 0)) << id;
    }
    Node::Ptr average = Make(209, {{1, 2}});
    average->AddChild(Node::Create(100));
    average->GetChild(1)->SetValue({3, 4}, 0);
    EXPECT_EQ(average->Evaluate(), Complex(2, 3));
    Node::Ptr factor = Make(207, {{2, 0}});
    factor->AddChild(Node::Create(204));  // i * 1
    EXPECT_EQ(factor->Evaluate(), Complex(0, 2));
}

TEST_F(OperatorsTest, ComparisonsAndSelection) {
    EXPECT_EQ(Make(213)->Evaluate(), Complex(1, 0));
    EXPECT_EQ(Make(213, {{2, 0}})->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Make(213, {{-1, 0}})->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Make(210, {{1, 0}, {5, 0}, {6, 0}})->Evaluate(), Complex(5, 0));
    EXPECT_EQ(Make(210, {{0, 9}, {5, 0}, {6, 0}})->Evaluate(), Complex(6, 0));
    EXPECT_EQ(Make(211, {{1, 0}, {1, 0}})->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Make(212, {{1, 0}, {1, 0}})->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Make(211, {{1, 5}, {2, 0}})->Evaluate(), Complex(1, 0));
    EXPECT_EQ(Make(212, {{3, 0}, {2, 0}})->Evaluate(), Complex(1, 0));
    EXPECT_EQ(Make(211, {{std::nan(""), 0}, {2, 0}})->Evaluate(), Complex(0, 0));
}

TEST_F(OperatorsTest, LocalFunctorEvaluatesItsExpressionAtTheGivenArgument) {
    Node::Ptr functor = Make(214, {{3, 1}});
    // f(z) = z * z, where both factors read the node "z" through a parent-free copy of its value
    Node::Ptr times = Node::Create(202);
    struct ReadZ : Node {
        explicit ReadZ(Node* z) : z(z) {}
        const Complex& Evaluate() override { return values_[0] = z->GetValue(); }
        Node* z;
    };
    Node* z = functor->GetChild(1).Get();
    times->ReplaceChildAt(0, Safe::MakeX<ReadZ>(z));
    times->ReplaceChildAt(1, Safe::MakeX<ReadZ>(z));
    functor->ReplaceChildAt(2, times);
    EXPECT_EQ(functor->Evaluate(), Complex(3, 1) * Complex(3, 1));
}

// A member ordered by the value of its key child.
struct Keyed : Node {
    Keyed(double position, bool active) {
        typeId_ = 9100;
        Node::Ptr key = Node::Create(active ? 100 : 610);
        key->SetValue({position, 0}, 0);
        AdoptChild(key);
        keyChildIndex_ = 0;
    }
};

TEST_F(OperatorsTest, SortPutsKeylessMembersFirstThenAscendingKeys) {
    Node::Ptr sum = Node::Create(208);  // its first child "c" has no key
    sum->RemoveChild(0);
    Node::Ptr p300 = Safe::MakeX<Keyed>(300, true), p100 = Safe::MakeX<Keyed>(100, true),
              p200 = Safe::MakeX<Keyed>(200, true);
    Node::Ptr twin = Safe::MakeX<Keyed>(200, true), keyless = Safe::MakeX<Keyed>(50, false);
    for (const Node::Ptr& member : {p300, p100, p200, twin, keyless}) sum->AddChild(member);
    sum->Sort();
    std::vector<Node*> order;
    for (const auto& child : sum->GetChildren()) order.push_back(child.Get());
    EXPECT_EQ(order,
              (std::vector<Node*>{keyless.Get(), p100.Get(), p200.Get(), twin.Get(), p300.Get()}));
}

Safe::XPtr<Capsule::File2C> Table(std::vector<double> x, std::vector<double> y, double spaced) {
    Safe::XPtr<Capsule::File2C> table = Safe::DynamicCast<Capsule::File2C>(Node::Create(230));
    EXPECT_TRUE(table->SetData(x, y));
    table->GetChild(2)->SetValue({spaced, 0}, 0);
    return table;
}

double At(const Safe::XPtr<Capsule::File2C>& table, double v) {
    table->GetChild(0)->SetValue({v, 0}, 0);
    return table->Evaluate().real();
}

TEST_F(OperatorsTest, TableLookup) {
    auto general = Table({0, 1, 3}, {0, 10, 30}, 0);
    EXPECT_EQ(At(general, 2), 20);
    EXPECT_EQ(At(general, 4), 40);
    EXPECT_EQ(At(general, -1), -10);
    EXPECT_TRUE(std::isnan(At(general, std::nan(""))));

    auto spaced = Table({0, 1, 2}, {0, 10, 20}, 1);
    EXPECT_EQ(At(spaced, 1.5), 15);
    EXPECT_EQ(At(spaced, 5), 20);
    EXPECT_EQ(At(spaced, -1), 0);
    EXPECT_DOUBLE_EQ(At(spaced, std::nextafter(2.0, 0.0)), 20.0);

    // A spacing that does not divide evenly must not index past the table.
    auto uneven = Table({0, 0.1, 0.2, 0.3}, {0, 1, 2, 3}, 1);
    EXPECT_NEAR(At(uneven, std::nextafter(0.3, 0.0)), 3.0, 1e-12);

    EXPECT_EQ(At(Table({}, {}, 0), 1), 0);
    EXPECT_EQ(At(Table({2}, {7}, 0), 1), 7);
}

TEST_F(OperatorsTest, TableBracketWalksAndResets) {
    std::vector<double> x, y;
    for (int i = 0; i < 50; ++i) {
        x.push_back(i * i);
        y.push_back(3.0 * i);
    }
    auto walking = Table(x, y, 0);
    for (double v = 0; v < 2401; v += 7.3) {
        auto fresh = Table(x, y, 0);
        EXPECT_EQ(At(walking, v), At(fresh, v)) << v;
    }
    EXPECT_FALSE(walking->SetData({1, 2}, {1}));
    EXPECT_EQ(walking->Count(), 50);
    EXPECT_TRUE(walking->SetData({0, 1}, {5, 6}));  // the bracket must not stay past the end
    EXPECT_EQ(At(walking, 0.5), 5.5);
    EXPECT_EQ(walking->GetX(1), 1);
    EXPECT_EQ(walking->GetY(5), 0);
}

TEST_F(OperatorsTest, TableCloneKeepsItsData) {
    auto table = Table({0, 1, 3}, {0, 10, 30}, 0);
    table->GetChild(1)->SetName("C:\\data\\table.dat");
    Safe::XPtr<Capsule::File2C> copy = Safe::DynamicCast<Capsule::File2C>(table->Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->GetChild(1)->GetName(), "C:\\data\\table.dat");
    EXPECT_EQ(At(copy, 2), 20);
}

// What the definition explorer does with a loaded file: the table and its file's name.
TEST_F(OperatorsTest, TableTakesAFileAndItsName) {
    auto table = Table({}, {}, 0);
    EXPECT_EQ(table->GetChild(1)->GetName(), "null-file");
    table->SetSecondName("sample.dat");
    ASSERT_TRUE(table->SetData({1, 2, 4}, {-1, -2, -4}));
    EXPECT_EQ(table->GetChild(1)->GetName(), "sample.dat");
    EXPECT_EQ(table->GetChild(0)->GetName(), "x");
    EXPECT_EQ(At(table, 3), -3);
    auto copy = Safe::DynamicCast<Capsule::File2C>(table->Clone());
    EXPECT_EQ(copy->GetChild(1)->GetName(), "sample.dat");
    EXPECT_EQ(copy->GetY(2), -4);
}

}  // namespace
