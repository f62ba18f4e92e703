#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "anchor_probe.h"
#include "functions/families.h"
#include "model/anchors.h"
#include "model/node.h"
#include "node_fixture.h"

namespace {

using Complex = std::complex<double>;
using Core::Node;

const double kLn2 = std::log(2.0);

using PeaksTest = FunctionNodeTest;

TEST_F(PeaksTest, ShapesFollowTheirFormulasWithComplexParameters) {
    const Complex x(93.0, 0.4), a(2.0, -0.5), xc(100.0, 1.0), w(8.0, 0.7), f(0.3, 0.2);
    const Complex u = (x - xc) / w;
    ExpectClose(Make(700, {x, a, xc, w})->Evaluate(), a * std::exp(-4.0 * kLn2 * u * u));
    ExpectClose(Make(701, {x, a, xc, w})->Evaluate(), a / (1.0 + 4.0 * u * u));
    ExpectClose(Make(704, {x, a, xc, w, f})->Evaluate(),
                a * (f * std::exp(-4.0 * kLn2 * u * u) + (1.0 - f) / (1.0 + 4.0 * u * u)));
    ExpectClose(Make(799, {x, a, xc, w})->Evaluate(),
                a / (std::sqrt(2.0 * std::numbers::pi) * w) * std::exp(-u * u / 2.0));
    // PearsonVII: only the real part of the scaled distance counts, m by its real part.
    const double m = 1.7;
    const Complex v = 2.0 * std::sqrt(std::pow(2.0, 1.0 / m) - 1.0) * (x - xc) / w;
    ExpectClose(Make(703, {x, a, xc, w, Complex(m, 3.0)})->Evaluate(),
                a / std::pow(1.0 + v.real() * v.real(), m));
    // Laplace: real abscissa and position, complex widths and amplitude.
    const Complex wr(12.0, 1.0), wl(7.0, -2.0);
    ExpectClose(Make(706, {x, a, xc, wr, wl})->Evaluate(), a * std::exp((93.0 - 100.0) / wl));
    ExpectClose(Make(706, {Complex(104.0, 9.0), a, xc, wr, wl})->Evaluate(),
                a * std::exp((100.0 - 104.0) / wr));
}

TEST_F(PeaksTest, VoigtIsRealAndNormalisedToItsAmplitude) {
    // The four-term approximation written out: V(X, Y) = sum (c (Y - a) + d (X - b)) / (...).
    const double a[4] = {-1.2150, -1.3509, -1.2150, -1.3509},
                 b[4] = {1.2359, 0.3786, -1.2359, -0.3786},
                 c[4] = {-0.3085, 0.5906, -0.3085, 0.5906},
                 d[4] = {0.0210, -1.1858, -0.0210, 1.1858};
    const auto V = [&](double X, double Y) {
        double s = 0;
        for (int i = 0; i < 4; ++i)
            s += (c[i] * (Y - a[i]) + d[i] * (X - b[i])) /
                 ((Y - a[i]) * (Y - a[i]) + (X - b[i]) * (X - b[i]));
        return s;
    };
    const double k = std::sqrt(kLn2) / 6.0;
    const Complex got =
        Make(702, {Complex(97.0, 5), Complex(3.0, 1), Complex(100.0, 2), 6.0, Complex(2.5, 4)})
            ->Evaluate();
    EXPECT_EQ(got.imag(), 0.0);
    EXPECT_NEAR(got.real(), 3.0 * V(2 * -3.0 * k, 2.5 * k) / V(0, 2.5 * k), 1e-14);
    EXPECT_EQ(Make(702, {100.0})->Evaluate(), Complex(1, 0));
}

// With real arguments the shapes are real functions: of zero width they vanish away from
// their centre (the complex quotient by a zero width gave NaN there), and their imaginary part
// is zero.
TEST_F(PeaksTest, RealShapesOfZeroWidthVanishAwayFromTheirCentre) {
    for (int id : {700, 701, 703}) {
        for (double x : {89.0, 100.5, -1e300}) {
            const Complex got = Make(id, {x, 2.0, 100.0, 0.0, 1.5})->Evaluate();
            EXPECT_EQ(got.real(), 0.0) << id << " at " << x;
            EXPECT_EQ(got.imag(), 0.0) << id << " at " << x;
            EXPECT_FALSE(std::signbit(got.imag())) << id << " at " << x;
        }
        // A width too large to square still gives the peak's top at its centre.
        EXPECT_EQ(Make(id, {100.0, 2.0, 100.0, 1e300, 1.5})->Evaluate(), Complex(2.0, 0.0)) << id;
    }
}

TEST_F(PeaksTest, DefaultPeaksAtTheirHalfWidths) {
    EXPECT_EQ(Make(700, {100.0})->Evaluate(), Complex(1, 0));
    ExpectClose(Make(700, {105.0})->Evaluate(), Complex(0.5, 0));
    EXPECT_LT(std::abs(Node::Create(700)->Evaluate()), 1e-100);
    for (int id : {701, 703, 704}) ExpectClose(Make(id, {105.0})->Evaluate(), Complex(0.5, 0));
    ExpectClose(Make(706, {100.0 + 10.0 * kLn2})->Evaluate(), Complex(0.5, 0));
    ExpectClose(Make(799, {100.0})->Evaluate(),
                Complex(1.0 / std::sqrt(2.0 * std::numbers::pi), 0));
}

TEST_F(PeaksTest, PositionIsTheKeyAndTheAbscissaTheVariable) {
    for (int id : {700, 701, 702, 703, 704, 706, 799}) {
        Node::Ptr node = Node::Create(id);
        EXPECT_EQ(node->GetKeyChildIndex(), 2) << id;
        EXPECT_EQ(node->GetVariableChildIndex(), 0) << id;
        ASSERT_TRUE(node->GetAnchors()) << id;
        EXPECT_TRUE(node->GetAnchors()->IsPlaceable()) << id;
        EXPECT_EQ(node->GetAnchorNode(0), node->GetChild(2)) << id;
        EXPECT_EQ(node->GetAnchorNode(1), node->GetChild(1)) << id;
        EXPECT_EQ(node->GetAnchorNode(2), node->GetChild(3)) << id;
        EXPECT_EQ(node->GetAnchorNode(3), node->GetChild(1)) << id;
    }
    // A drag of wr carries wl along.
    Node::Ptr laplace = Node::Create(706);
    laplace->DragAnchorValue(0, 15.0, 0, 0.0);
    EXPECT_EQ(Value(laplace, 4), 15.0);
}

TEST_F(PeaksTest, AnchorsSitOnTheCurve) {
    Node::Ptr gaussian = Make(700, {0.0, 2.0, 50.0, 8.0});
    Safe::XPtr<Core::AnchorsInterface> set = gaussian->GetAnchors();
    ASSERT_EQ(set->Count(), 2);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[0]).x, 50.0);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[0]).y, 2.0);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).x, 54.0);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).y, 1.0);

    Node::Ptr voigt = Node::Create(702);
    set = voigt->GetAnchors();
    ASSERT_EQ(set->Count(), 3);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).x, 95.0);   // xc - wG/2
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[2]).x, 100.5);  // xc + wL/2

    Node::Ptr laplace = Node::Create(706);
    set = laplace->GetAnchors();
    ASSERT_EQ(set->Count(), 3);
    EXPECT_DOUBLE_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).x, 100.0 + 10.0 * kLn2);
    EXPECT_DOUBLE_EQ(AnchorProbe::Point(*set->GetAnchors()[2]).x, 100.0 - 10.0 * kLn2);

    Node::Ptr area = Node::Create(799);
    set = area->GetAnchors();
    const double h = 10.0 / (std::sqrt(2.0 * std::numbers::pi) * 10.0);
    EXPECT_DOUBLE_EQ(AnchorProbe::Point(*set->GetAnchors()[0]).y, h);
    EXPECT_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).x, 110.0);
    EXPECT_DOUBLE_EQ(AnchorProbe::Point(*set->GetAnchors()[1]).y, std::exp(-0.5) * h);
}

TEST_F(PeaksTest, DraggingWritesPositionsHeightsAndPositiveWidths) {
    Node::Ptr gaussian = Node::Create(700);
    AnchorProbe::Drag(*gaussian, 0, {120.0, 3.0});
    EXPECT_EQ(Value(gaussian, 2), 120.0);
    EXPECT_EQ(Value(gaussian, 1), 3.0);
    AnchorProbe::Drag(*gaussian, 1, {127.0, 0.0});
    EXPECT_EQ(Value(gaussian, 3), 14.0);
    for (double x : {110.0, 120.0}) {  // left of or onto the position: refused
        AnchorProbe::Drag(*gaussian, 1, {x, 0.0});
        EXPECT_EQ(Value(gaussian, 3), 14.0);
    }
    // Only x moves when the axis mode says so; an inactive parameter is left alone.
    Core::SetAnchorAxisMode(Core::AnchorAxisMode::kXOnly);
    AnchorProbe::Drag(*gaussian, 0, {90.0, 9.0});
    EXPECT_EQ(Value(gaussian, 2), 90.0);
    EXPECT_EQ(Value(gaussian, 1), 3.0);
    Core::SetAnchorAxisMode(Core::AnchorAxisMode::kBoth);
    gaussian->GetChild(2)->SetActive(false);
    AnchorProbe::Drag(*gaussian, 0, {80.0, 4.0});
    EXPECT_EQ(Value(gaussian, 2), 90.0);
    EXPECT_EQ(Value(gaussian, 1), 4.0);

    Node::Ptr voigt = Node::Create(702);
    AnchorProbe::Drag(*voigt, 1, {96.0, 0.0});
    EXPECT_EQ(Value(voigt, 3), 8.0);
    AnchorProbe::Drag(*voigt, 1, {104.0, 0.0});  // wG to the right of xc: refused
    EXPECT_EQ(Value(voigt, 3), 8.0);
    AnchorProbe::Drag(*voigt, 2, {101.5, 0.0});
    EXPECT_EQ(Value(voigt, 4), 3.0);

    // The area follows the dropped height of the top anchor, also for a complex width.
    Node::Ptr area = Make(799, {0.0, 10.0, 100.0, Complex(4.0, 3.0)});
    AnchorProbe::Drag(*area, 0, {100.0, 0.7});
    EXPECT_DOUBLE_EQ(AnchorProbe::Point(*AnchorProbe::Get(*area, 0)).y, 0.7);
    AnchorProbe::Drag(*area, 1, {103.0, 0.0});
    EXPECT_EQ(Value(area, 3), 3.0);
}

TEST_F(PeaksTest, LaplaceWidthsForceEachOtherOnlyWhenTheyChange) {
    Core::SetForceMode(Core::ForceMode::kEqual);  // equal
    Node::Ptr laplace = Node::Create(706);
    AnchorProbe::Drag(*laplace, 1, {100.0 + 15.0 * kLn2, 0.0});
    EXPECT_DOUBLE_EQ(Value(laplace, 3), 15.0);
    EXPECT_DOUBLE_EQ(Value(laplace, 4), 15.0);
    // A drag to the wrong side is refused and must not hand stale values to the partner.
    AnchorProbe::Drag(*laplace, 2, {130.0, 0.0});
    EXPECT_DOUBLE_EQ(Value(laplace, 3), 15.0);
    EXPECT_DOUBLE_EQ(Value(laplace, 4), 15.0);
    Core::SetForceMode(Core::ForceMode::kMaintainGap);  // maintain the gap
    laplace->GetChild(4)->SetValue(Complex(5.0, 0), 0);
    AnchorProbe::Drag(*laplace, 2, {100.0 - 8.0 * kLn2, 0.0});
    EXPECT_DOUBLE_EQ(Value(laplace, 4), 8.0);
    EXPECT_DOUBLE_EQ(Value(laplace, 3), 18.0);
}

}  // namespace
