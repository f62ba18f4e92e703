#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "functions/families.h"
#include "tests/functions/point_lists.h"
#include "tests/functions/principal_value.h"

namespace {

using namespace PointLists;
using std::numbers::pi;

enum { kLinearProfile = 923, kPolynomialProfile, kSplineProfile, kFritschCarlsonProfile };

class InterpolatedProfilesTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

const Points kBand = {{0.2, 0}, {0.5, 0.8}, {1, 1.5}, {1.7, 0.4}, {2.2, 0}};

TEST_F(InterpolatedProfilesTest, RealPartIsTheKramersKronigPartnerOfTheImaginaryPart) {
    // Re(x) = (1/pi) PV integral of Im(t) (1/(t - x) + 1/(t + x)) dt, by quadrature of the
    // node's own profile.
    for (int id = kLinearProfile; id <= kFritschCarlsonProfile; ++id) {
        Node::Ptr profile = Over(id, kBand);
        Node::Ptr probe = profile->Clone();
        auto im = [&](double t) { return At(*probe, {t, 0}).imag(); };
        std::vector<double> knots;
        for (const auto& point : kBand) knots.push_back(point.first);
        for (double x : {0.37, 1.0, 1.23, 2.6, 0.05}) {
            const double expected =
                -(PrincipalValue(im, knots, x) + PrincipalValue(im, knots, -x)) / pi;
            EXPECT_NEAR(RealAt(*profile, x), expected, 1e-11) << id << " " << x;
        }
    }
}

TEST_F(InterpolatedProfilesTest, ImaginaryPartsInterpolateThePoints) {
    Node::Ptr linear = Over(kLinearProfile, kBand);
    EXPECT_NEAR(At(*linear, {0.75, 0}).imag(), 1.15, 1e-15);
    EXPECT_EQ(At(*linear, {3, 0}).imag(), 0.0);
    // (0,0), (1,1), (2,0): the natural spline 3t/2 - t^3/2 and its mirror, the polynomial and
    // the monotone cubic both t (2 - t).
    Node::Ptr spline = Over(kSplineProfile, {{2, 0}, {1, 1}, {0, 0}});
    Node::Ptr polynomial = Over(kPolynomialProfile, {{0, 0}, {1, 1}, {2, 0}});
    Node::Ptr monotone = Over(kFritschCarlsonProfile, {{0, 0}, {2, 0}, {1, 1}});
    for (double t : {0.3, 1.0, 1.6}) {
        const double u = t > 1 ? 2 - t : t;
        EXPECT_NEAR(At(*spline, {t, 0}).imag(), 1.5 * u - u * u * u / 2, 1e-15);
        EXPECT_NEAR(At(*polynomial, {t, 0}).imag(), t * (2 - t), 1e-15);
        EXPECT_NEAR(At(*monotone, {t, 0}).imag(), t * (2 - t), 1e-15);
    }
    // End ordinates are pinned to zero: two points give zero everywhere.
    Node::Ptr two = Over(kSplineProfile, {{0, 3}, {1, 4}});
    EXPECT_EQ(At(*two, {0.5, 0}), Complex(0, 0));
}

TEST_F(InterpolatedProfilesTest, LinearProfileIsTheLinearHilbertTransformMadeOdd) {
    // Re KKG(x) = -[Re H(x) + Re H(-x)] / pi with H the linear Hilbert transform.
    Node::Ptr profile = Over(kLinearProfile, kBand);
    Node::Ptr hilbert = Over(5002, kBand);
    for (double x : {0.1, 0.5, 0.9, 1.7, 3.0})
        EXPECT_NEAR(RealAt(*profile, x), -(RealAt(*hilbert, x) + RealAt(*hilbert, -x)) / pi, 1e-14)
            << x;
}

TEST_F(InterpolatedProfilesTest, StaysFiniteWhereALogarithmArgumentVanishes) {
    // A point at 0 and x = 0; x at minus an interior abscissa: the terms cancel, the real part
    // is continuous there.
    for (int id = kLinearProfile; id <= kFritschCarlsonProfile; ++id) {
        Node::Ptr profile = Over(id, {{0, 0}, {0.5, 1}, {1, 2}, {1.5, 0}});
        EXPECT_TRUE(std::isfinite(RealAt(*profile, 0))) << id;
        for (double x : {-0.5, -1.0, -1.5, 0.5, 1.0}) {
            const double at = RealAt(*profile, x);
            EXPECT_NEAR(at, RealAt(*profile, x + 1e-9), 1e-6) << id << " " << x;
        }
        EXPECT_NEAR(RealAt(*profile, 0), RealAt(*profile, 1e-9), 1e-6) << id;
    }
}

TEST_F(InterpolatedProfilesTest, OrderRepeatsAndClones) {
    for (int id = kLinearProfile; id <= kFritschCarlsonProfile; ++id) {
        Node::Ptr sorted = Over(id, kBand);
        Node::Ptr shuffled = Over(id, {kBand[3], kBand[0], kBand[4], kBand[2], kBand[1]});
        for (double x : {0.3, 1.1, 2.0}) EXPECT_EQ(At(*shuffled, {x, 0}), At(*sorted, {x, 0}));
        const Complex before = At(*sorted, {0.7, 0});
        sorted->GetChild(1)->AddChild(Point(1, 9));  // a repeated abscissa: the last value stays
        EXPECT_EQ(At(*sorted, {1.9, 0}), before);
        sorted->GetChild(1)->RemoveChild(5);
        Node::Ptr copy = sorted->Clone();
        for (double x : {-0.4, 0.7, 1.8, 2.5}) EXPECT_EQ(At(*copy, {x, 0}), At(*sorted, {x, 0}));
    }
}

}  // namespace
