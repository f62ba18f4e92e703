#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "formula/formula.h"
#include "functions/families.h"
#include "functions/integrators.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/node_map.h"

namespace {

using Core::Complex;
using Core::Node;
using std::numbers::pi;

enum { kRiemann = 4000, kDoubleExponential = 4002 };

class IntegratorsTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

// An integrand g(z) reading the integrator's own "z".
struct Integrand : Node {
    Integrand(Node* z, std::function<Complex(Complex)> g) : z(z), g(std::move(g)) {}
    const Complex& Evaluate() override { return values_[0] = g(z->GetValue()); }
    Node* z;
    std::function<Complex(Complex)> g;
};

Node::Ptr Integrator(int id, double a, double b, double setting,
                     std::function<Complex(Complex)> g) {
    Node::Ptr node = Node::Create(id);
    node->GetChild(0)->SetValue(Complex(a, 0), 0);
    node->GetChild(1)->SetValue(Complex(b, 0), 0);
    node->GetChild(4)->SetValue(Complex(setting, 0), 0);
    node->ReplaceChildAt(3, Safe::MakeX<Integrand>(node->GetChild(2).Get(), std::move(g)));
    return node;
}

Complex Identity(Complex z) {
    return z;
}

TEST_F(IntegratorsTest, NewIntegratorsGiveZero) {
    EXPECT_EQ(Node::Create(kRiemann)->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Node::Create(kDoubleExponential)->Evaluate(), Complex(0, 0));
}

TEST_F(IntegratorsTest, RiemannSumIsTheLeftSum) {
    EXPECT_NEAR(Integrator(kRiemann, 0, 1, 100, Identity)->Evaluate().real(), 0.495, 1e-15);
    EXPECT_EQ(Integrator(kRiemann, 0, 1, 2.9, Identity)->Evaluate(), Complex(0.25, 0));  // 2 steps
    EXPECT_EQ(Integrator(kRiemann, 0, 1, 0, Identity)->Evaluate(), Complex(0, 0));
    EXPECT_EQ(Integrator(kRiemann, 0, 1, -3, Identity)->Evaluate(), Complex(0, 0));
    // A huge count saturates and is held to 10^5 steps: (N - 1) / 2N.
    Node::Ptr huge = Integrator(kRiemann, 0, 1, 0, Identity);
    Node::Ptr count = Node::Create(100);
    count->SetValue(Complex(1e300, 0), 0);
    huge->ReplaceChildAt(4, count);
    EXPECT_NEAR(huge->Evaluate().real(), (1e5 - 1) / 2e5, 1e-12);
    // A complex integrand: both parts summed; h sum exp(i t_k) = h (1 - e^(i pi)) / (1 - e^(i h)).
    const int n = 50;
    const double h = pi / n;
    const Complex expected = h * (1.0 - std::exp(Complex(0, pi))) / (1.0 - std::exp(Complex(0, h)));
    const Complex sum = Integrator(kRiemann, 0, pi, n, [](Complex z) {
                            return std::exp(Complex(0, 1) * z);
                        })->Evaluate();
    EXPECT_NEAR(sum.real(), expected.real(), 1e-14);
    EXPECT_NEAR(sum.imag(), expected.imag(), 1e-14);
}

TEST_F(IntegratorsTest, DoubleExponentialRuleAgainstClosedForms) {
    auto de = [](double a, double b, double tol, std::function<Complex(Complex)> g) {
        return Integrator(kDoubleExponential, a, b, tol, std::move(g))->Evaluate();
    };
    auto square = [](Complex z) { return z * z; };
    EXPECT_NEAR(de(0, 1, 1e-3, square).real(), 1.0 / 3, 1e-3);
    // The nodes stop at t = 3, where the weights are still about 1e-13: that is the floor.
    EXPECT_NEAR(de(0, 1, 1e-12, square).real(), 1.0 / 3, 2e-14);
    EXPECT_NEAR(de(1, 0, 1e-12, square).real(), -1.0 / 3, 2e-14);  // reversed: signed
    EXPECT_EQ(de(0.5, 0.5, 1e-12, square), Complex(0, 0));
    // The integral of exp(i z) over [0, pi] is 2i.
    const Complex wave = de(0, pi, 1e-12, [](Complex z) { return std::exp(Complex(0, 1) * z); });
    EXPECT_NEAR(wave.real(), 0, 1e-14);
    EXPECT_NEAR(wave.imag(), 2, 1e-14);
    // A Lorentzian over [-10, 10]: 2 atan(10).
    EXPECT_NEAR(de(-10, 10, 1e-10, [](Complex z) { return 1.0 / (1.0 + z * z); }).real(),
                2 * std::atan(10.0), 1e-10);
    // An endpoint singularity: the nodes stop at t = 3, so z^-1/2 over [0, 1] (exactly 2)
    // reaches only about 2.6e-7 whatever the tolerance.
    const double error = de(0, 1, 1e-10, [](Complex z) { return 1.0 / std::sqrt(z); }).real() - 2;
    EXPECT_LT(std::fabs(error), 3e-7);
    EXPECT_GT(std::fabs(error), 1e-7);
}

TEST_F(IntegratorsTest, EvaluationCountsAndEarlyStops) {
    int calls = 0;
    auto counted = [&](double v) {
        ++calls;
        return Complex(v * v, 0);
    };
    const Capsule::DEResult loose = Capsule::DEIntegrate(counted, 0.5, 0.5, 1e-3);
    EXPECT_EQ(loose.evaluations, calls);
    EXPECT_LT(calls, 385);
    calls = 0;
    const Capsule::DEResult reversed = Capsule::DEIntegrate(counted, -0.5, 0.5, 1e-3);
    EXPECT_EQ(reversed.evaluations, 385);  // a negative c never passes the stop test
    EXPECT_EQ(calls, 385);
}

TEST_F(IntegratorsTest, IntegrandReadsZThroughAVariableDefinition) {
    // z and the formula's argument both refer to the variable definition "u".
    Core::NodeMap::Ptr u = Core::NodeMap::CreateVariable("u");
    auto reference = [&] {
        auto node = Safe::MakeX<Core::MapCapsule>();
        node->SetMap(u);
        return node;
    };
    auto formula = Safe::MakeX<Formula>();
    ASSERT_TRUE(formula->Define("f(w)=w*w*w", false));
    auto cube = Safe::DynamicCast<Core::FormulaCapsule>(Node::Create(12));
    cube->SetFormula(formula);
    ASSERT_TRUE(cube->ReplaceChildAt(0, reference()));
    for (int id : {kRiemann, kDoubleExponential}) {
        Node::Ptr node = Node::Create(id);
        node->GetChild(1)->SetValue(Complex(2, 0), 0);
        node->GetChild(4)->SetValue(Complex(id == kRiemann ? 4 : 1e-12, 0), 0);
        ASSERT_TRUE(node->ReplaceChildAt(2, reference()));
        ASSERT_TRUE(node->ReplaceChildAt(3, cube->Clone()));
        // Left sum with h = 1/2: (0 + 1/8 + 1 + 27/8) / 2 = 2.25; the integral is 4.
        EXPECT_NEAR(node->Evaluate().real(), id == kRiemann ? 2.25 : 4.0, 2e-13) << id;
        EXPECT_NEAR(node->Clone()->Evaluate().real(), node->Evaluate().real(), 0) << id;
    }
}

}  // namespace
