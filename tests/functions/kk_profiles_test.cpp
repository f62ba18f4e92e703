#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "anchor_probe.h"
#include "node_fixture.h"
#include "functions/families.h"
#include "model/anchors.h"
#include "model/node.h"
#include "reference_table.h"

namespace {

using Complex = std::complex<double>;
using Core::Node;
using Function = std::function<double(double)>;

const double kLn2 = std::log(2.0);

// Adaptive Gauss-Kronrod (7, 15) quadrature of f over [a, b] to an absolute tolerance.
double Integrate(const Function& f, double a, double b, double tolerance, int depth = 0) {
    static const double xk[8] = {0.991455371120812639, 0.949107912342758525, 0.864864423359769073,
                                 0.741531185599394440, 0.586087235467691130, 0.405845151377397167,
                                 0.207784955007898468, 0.0};
    static const double wk[8] = {0.022935322010529225, 0.063092092629978553, 0.104790010322250184,
                                 0.140653259715525919, 0.169004726639267903, 0.190350578064785410,
                                 0.204432940075298892, 0.209482141084727828};
    static const double wg[4] = {0.129484966168869693, 0.279705391489276668, 0.381830050505118945,
                                 0.417959183673469388};
    const double c = 0.5 * (a + b), h = 0.5 * (b - a);
    double kronrod = wk[7] * f(c), gauss = wg[3] * f(c);
    for (int i = 0; i < 7; ++i) {
        const double sum = f(c - h * xk[i]) + f(c + h * xk[i]);
        kronrod += wk[i] * sum;
        if (i % 2 == 1) gauss += wg[i / 2] * sum;
    }
    kronrod *= h;
    gauss *= h;
    // Each piece is held to the tolerance (not a share of it), and rounding noise ends the split.
    if (std::fabs(kronrod - gauss) <= std::max(tolerance, 1e-15 * std::fabs(kronrod)) || depth > 30)
        return kronrod;
    return Integrate(f, a, c, tolerance, depth + 1) + Integrate(f, c, b, tolerance, depth + 1);
}

// The real part that causality asks of an imaginary part f: (1/pi) P int f(t) / (t - x) dt, as
// (1/pi) int over u > 0 of (f(x + u) - f(x - u)) / u, split at the kinks of f and with the tail
// beyond the last mapped onto (0, 1] by u = U / s.
double HilbertTransform(const Function& f, double x, std::vector<double> kinks) {
    const auto g = [&](double u) { return u == 0.0 ? 0.0 : (f(x + u) - f(x - u)) / u; };
    kinks.push_back(0.0);
    std::sort(kinks.begin(), kinks.end());
    const double last = std::max(kinks.back(), 1.0) * 4.0;
    kinks.push_back(last);
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < kinks.size(); ++i)
        if (kinks[i + 1] > kinks[i]) sum += Integrate(g, kinks[i], kinks[i + 1], 1e-12);
    sum += Integrate([&](double s) { return s == 0.0 ? 0.0 : g(last / s) * last / (s * s); }, 0.0,
                     1.0, 1e-12);
    return sum / std::numbers::pi;
}

Complex At(const Node::Ptr& node, double x) {
    node->GetChild(0)->SetValue(Complex(x, 0), 0);
    return node->Evaluate();
}

// The real part against the transform of the imaginary part, taken odd in x (as the profiles
// are; LaplaceKkg's formula only for x > -xc), at the points xs.
int cases = 0;

void ExpectCausal(const Node::Ptr& node, double tolerance, const std::vector<double>& xs) {
    const double xc = node->GetChild(2)->GetValue().real();
    const Function im = [&](double t) {
        const double v = At(node, std::fabs(t)).imag();
        return t < 0 ? -v : v;
    };
    double worst = 0.0;
    for (double x : xs) {
        const double want = HilbertTransform(im, x, {std::fabs(x - xc), x + xc, x});
        const double got = At(node, x).real();
        EXPECT_NEAR(got, want, tolerance) << node->GetName() << " at " << x;
        worst = std::max(worst, std::fabs(got - want));
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s %.1e", node->GetName().c_str(), worst);
    ::testing::Test::RecordProperty("worst_" + std::to_string(++cases), text);
}

using KkProfilesTest = FunctionNodeTest;

const std::vector<double> kPoints = {0.5, 30.0, 85.0, 96.0, 100.0, 103.0, 118.0, 160.0, 400.0};

TEST_F(KkProfilesTest, RealPartsAreTheTransformsOfTheImaginaryParts) {
    ExpectCausal(Make(906, {0, 1, 100, 10, 1}), 1e-9, kPoints);
    ExpectCausal(Make(906, {0, 2.5, 70, 30, 12}), 1e-9, kPoints);
    ExpectCausal(Make(908, {0, 1, 100, 10, 10}), 1e-9, kPoints);
    ExpectCausal(Make(908, {0, 1, 100, 10, 20}), 1e-9, kPoints);
    ExpectCausal(Make(909, {0, 1, 100, 10, 1}), 1e-9, kPoints);
    ExpectCausal(Make(909, {0, 1, 60, 25, 8}), 1e-9, kPoints);
    // Dawson's integral errs by up to 5e-8, times 2/sqrt(pi).
    ExpectCausal(Make(907, {0, 1, 100, 10}), 1.2e-7, kPoints);
    ExpectCausal(Make(907, {0, 1, 20, 30}), 1.2e-7, kPoints);
}

TEST_F(KkProfilesTest, ImaginaryPartAtTheCentre) {
    const double c = 2.0 * std::sqrt(kLn2);
    for (int id : {906, 909, 920}) EXPECT_NEAR(At(Make(id, {0, 1.5, 80, 12, 2}), 80).imag(), 1.5, 1e-14) << id;
    EXPECT_NEAR(At(Make(907, {0, 1.5, 8, 12}), 8).imag(),
                1.5 * (1 - std::exp(-(2 * c * 8 / 12) * (2 * c * 8 / 12))), 1e-15);
    EXPECT_NEAR(At(Make(908, {0, 1.5, 8, 12, 5}), 8).imag(), 1.5 * (1 - std::exp(-2.0 * 8 / 5)), 1e-15);
}

TEST_F(KkProfilesTest, OddImaginaryAndEvenRealParts) {
    for (int id : {906, 907, 909}) {
        Node::Ptr node = Make(id, {0, 1, 50, 20, 3});
        for (double x : {3.0, 45.0, 61.0}) {
            const Complex plus = At(node, x), minus = At(node, -x);
            EXPECT_NEAR(minus.imag(), -plus.imag(), 1e-15) << id;
            EXPECT_NEAR(minus.real(), plus.real(), 1e-15 * std::fabs(plus.real()) + 1e-16) << id;
        }
    }
}

TEST_F(KkProfilesTest, LaplaceKkgAtItsCentreKeepsTheLogarithmicTerm) {
    // At x = xc the two terms of the band tend to ln(wr/wl) together.
    Node::Ptr node = Make(908, {0, 1, 100, 10, 20});
    EXPECT_NEAR(At(node, 100).real(), -0.16943, 1e-5);
    EXPECT_NEAR(At(node, 100).real(), At(node, 100 + 1e-9).real(), 1e-8);
    EXPECT_NEAR(At(node, 100).real(), At(node, 100 - 1e-9).real(), 1e-8);
}

TEST_F(KkProfilesTest, GaussianDhoAtTheOriginIsItsLimit) {
    // mpmath at x = +-1e-9 (50 digits): the real parts agree to 20 digits, the imaginary parts
    // are +-7.6e-15 and +-5.8e-14, odd in x.
    const struct {
        std::vector<Complex> parameters;
        double real;
    } cases[] = {{{0, 1, 100, 10, 1}, 0.0746556130520305162027},
                 {{0, 1.5, 80, 12, 2}, 0.179261300005140654993}};
    for (const auto& c : cases) {
        Node::Ptr node = Make(909, c.parameters);
        const Complex at = At(node, 0.0);
        EXPECT_NEAR(at.real(), c.real, 1e-13 * c.real);
        EXPECT_EQ(at.imag(), 0.0);
        // Beside it the general path loses digits to cancellation, some 1e-10 at 1e-9.
        EXPECT_NEAR(At(node, 1e-9).real(), at.real(), 1e-9 * c.real);
    }
}

TEST_F(KkProfilesTest, OscillatorDistributionsMatchMpmath) {
    const auto rows = Reference::ReadTable("distributions.txt");
    ASSERT_EQ(rows.size(), 36u);
    for (const auto& r : rows) {
        Node::Ptr node = Make(static_cast<int>(r[0]), {r[1], 1, r[2], r[3], Complex(r[4], r[5])});
        const Complex got = node->Evaluate(), want(r[6], r[7]);
        EXPECT_LE(std::abs(got - want), 1e-12 * std::abs(want)) << r[0] << " at " << r[1] << ": " << got;
    }
}

TEST_F(KkProfilesTest, AnchorsAndDrags) {
    for (int id : {906, 907, 908, 909, 920}) {
        Node::Ptr node = Node::Create(id);
        EXPECT_EQ(node->GetKeyChildIndex(), 2) << id;
        EXPECT_EQ(node->GetVariableChildIndex(), 0) << id;
        EXPECT_TRUE(node->GetAnchors()->IsPlaceable()) << id;
        EXPECT_EQ(node->GetAnchorNode(2), node->GetChild(3)) << id;
        auto top = AnchorProbe::Get(*node, 0);
        EXPECT_EQ(top->Second().enabled, id != 908) << id;
        EXPECT_EQ(AnchorProbe::Point(*top).x, 100.0) << id;
        EXPECT_EQ(AnchorProbe::Point(*top).y, 1.0) << id;
    }
    EXPECT_EQ(Node::Create(907)->GetAnchors()->Count(), 2);
    EXPECT_EQ(Node::Create(920)->GetAnchors()->Count(), 2);
    EXPECT_EQ(AnchorProbe::Point(*AnchorProbe::Get(*Node::Create(920), 1)).y, 0.0);
    EXPECT_EQ(AnchorProbe::Point(*AnchorProbe::Get(*Node::Create(909), 1)).y, 0.5);
    EXPECT_EQ(AnchorProbe::Point(*AnchorProbe::Get(*Node::Create(907), 1)).x, 105.0);

    Node::Ptr voigt = Node::Create(906);
    AnchorProbe::Drag(*voigt, 1, {103.0, 0.0});  // wG to the right of xc: refused
    AnchorProbe::Drag(*voigt, 2, {97.0, 0.0});   // wL to the left: refused
    EXPECT_EQ(Value(voigt, 3), 10.0);
    EXPECT_EQ(Value(voigt, 4), 1.0);
    AnchorProbe::Drag(*voigt, 1, {93.0, 0.0});
    EXPECT_EQ(Value(voigt, 3), 14.0);
    AnchorProbe::Drag(*voigt, 0, {110.0, 2.0});
    EXPECT_EQ(Value(voigt, 2), 110.0);
    EXPECT_EQ(Value(voigt, 1), 2.0);

    Core::SetForceMode(Core::ForceMode::kEqual);
    Node::Ptr laplace = Make(908, {0, 1, 100, 10, 20});
    AnchorProbe::Drag(*laplace, 2, {100.0 - 12.0 * kLn2, 0.0});
    EXPECT_NEAR(Value(laplace, 4), 12.0, 1e-12);
    EXPECT_NEAR(Value(laplace, 3), 12.0, 1e-12);
    AnchorProbe::Drag(*laplace, 1, {90.0, 0.0});  // refused: nothing moves
    EXPECT_NEAR(Value(laplace, 3), 12.0, 1e-12);
    EXPECT_NEAR(Value(laplace, 4), 12.0, 1e-12);
}

}  // namespace
