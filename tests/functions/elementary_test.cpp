#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

#include "functions/families.h"
#include "model/node.h"
#include "reference_table.h"

namespace {

using Complex = std::complex<double>;
using Core::Node;

class ElementaryTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }

    static Complex At(int typeId, const Complex& z) {
        Node::Ptr node = Node::Create(typeId);
        node->GetChild(0)->SetValue(z, 0);
        return node->Evaluate();
    }
};

TEST_F(ElementaryTest, MatchTheirDefinitionsOnBothSidesOfTheCutsAndForSmallAndLargeArguments) {
    const auto rows = Reference::ReadTable("elementary.txt");
    ASSERT_GT(rows.size(), 500u);
    for (const auto& r : rows) {
        const Complex z(r[1], r[2]), want(r[3], r[4]);
        const Complex got = At(static_cast<int>(r[0]), z);
        EXPECT_LE(std::abs(got - want), 1e-13 * std::abs(want))
            << "type " << r[0] << " at " << z << ": " << got << " want " << want;
    }
}

TEST_F(ElementaryTest, InverseFunctionsOnTheRealAxisTakeTheDefinedBranch) {
    const double acosh2 = 1.3169578969248166;
    const auto near = [](const Complex& got, const Complex& want) {
        EXPECT_NEAR(got.real(), want.real(), 1e-15) << got;
        EXPECT_NEAR(got.imag(), want.imag(), 1e-15) << got;
    };
    near(At(318, Complex(2, 0)), Complex(std::numbers::pi / 2, -acosh2));
    near(At(317, Complex(2, 0)), Complex(0, acosh2));
    near(At(329, Complex(-2, 0)), Complex(-acosh2, std::numbers::pi));
    // ArcSin, ArcCos and ArcTan read the real part only.
    EXPECT_EQ(At(318, Complex(0.5, 3)), At(318, Complex(0.5, 0)));
    EXPECT_EQ(At(317, Complex(0.5, 3)), At(317, Complex(0.5, 0)));
    EXPECT_EQ(At(319, Complex(0.5, 3)), At(319, Complex(0.5, 0)));
}

TEST_F(ElementaryTest, ZerosAndPoles) {
    EXPECT_EQ(At(320, Complex(0, 0)), Complex(std::numbers::pi / 2, 0));  // ArcCot
    EXPECT_EQ(At(332, Complex(0, 0)), Complex(0, std::numbers::pi / 2));  // ArcCoth
    const Complex ln0 = At(309, Complex(0, 0));
    EXPECT_TRUE(std::isinf(ln0.real()) && ln0.real() < 0);
    for (int id : {314, 315, 326, 327}) {  // Cot, Csc, Coth, Csch at 0
        const Complex v = At(id, Complex(0, 0));
        EXPECT_FALSE(std::isfinite(v.real()) && std::isfinite(v.imag())) << id;
    }
    // Tan next to its pole is large and finite; tan(i y) is i tanh y for huge y.
    EXPECT_GT(std::abs(At(313, Complex(std::numbers::pi / 2, 0))), 1e15);
    EXPECT_EQ(At(313, Complex(0, 800)), Complex(0, 1));
    // Coth, Csch, Sech go through exp z and give up once it overflows.
    EXPECT_TRUE(std::isnan(At(326, Complex(800, 0)).real()));
    EXPECT_EQ(At(310, Complex(100, 0)), Complex(2, 0));
    EXPECT_NEAR(At(310, Complex(-1, 0)).imag(), std::numbers::pi * 0.4342944819032518, 1e-16);
}

TEST_F(ElementaryTest, PowersTruncateTheirExponent) {
    const auto pow = [](double n, const Complex& a) {
        Node::Ptr node = Node::Create(335);
        node->GetChild(0)->SetValue(a, 0);
        node->GetChild(1)->SetValue(Complex(n, 0), 0);
        return node->Evaluate();
    };
    EXPECT_EQ(Node::Create(335)->Evaluate(), Complex(1, 0));
    EXPECT_EQ(pow(2.9, Complex(1, 2)), Complex(-3, 4));
    EXPECT_EQ(pow(-2.9, Complex(0, 2)), Complex(-0.25, 0));
    EXPECT_EQ(pow(0, Complex(0, 0)), Complex(1, 0));
    EXPECT_EQ(pow(13, Complex(0, 1)), Complex(0, 1));
    // Counts beyond the int range saturate; NaN counts as 0.
    EXPECT_EQ(pow(1e300, Complex(1, 0)), Complex(1, 0));
    EXPECT_EQ(pow(-1e300, Complex(-1, 0)), Complex(1, 0));
    EXPECT_EQ(pow(std::numeric_limits<double>::quiet_NaN(), Complex(5, 5)), Complex(1, 0));

    const auto ypow = [](const Complex& p, const Complex& a) {
        Node::Ptr node = Node::Create(336);
        node->GetChild(0)->SetValue(a, 0);
        node->GetChild(1)->SetValue(p, 0);
        return node->Evaluate();
    };
    EXPECT_EQ(Node::Create(336)->Evaluate(), Complex(1, 0));
    EXPECT_NEAR(ypow(Complex(0.5, 0), Complex(9, 0)).real(), 3.0, 1e-15);
    // The exponent child is real: it keeps Re p. A complex base uses the principal logarithm.
    const Complex v = ypow(Complex(2, 7), Complex(0, 1));  // i^2
    EXPECT_NEAR(v.real(), -1.0, 1e-15);
    EXPECT_NEAR(v.imag(), 0.0, 1e-15);
}

}  // namespace
