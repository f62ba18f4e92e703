#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "functions/families.h"
#include "tests/functions/point_lists.h"
#include "tests/functions/principal_value.h"

namespace {

using namespace PointLists;
using std::numbers::pi;

enum {
    kHilbertFritschCarlson = 5000,
    kHilbertPositiveFritschCarlson,
    kHilbertLinear,
    kHilbertPositiveLinear
};

class HilbertTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

void ExpectNear(Complex actual, Complex expected, double tolerance) {
    EXPECT_NEAR(actual.real(), expected.real(), tolerance) << expected;
    EXPECT_NEAR(actual.imag(), expected.imag(), tolerance) << expected;
}

TEST_F(HilbertTest, ConstantSegmentGivesTheLogarithmPair) {
    // f = 1 on [0, 1]: the integral of 1 / (s - t) is log(s) - log(s - 1).
    for (int id = kHilbertFritschCarlson; id <= kHilbertPositiveLinear; ++id) {
        SCOPED_TRACE(id);
        Node::Ptr h = Over(id, {{1, 1}, {0, 1}});
        for (Complex s : {Complex(2, 0), Complex(-0.5, 0), Complex(0.5, 0), Complex(0, 1),
                          Complex(0.5, 0.3), Complex(1, 2), Complex(2, -1), Complex(0, -1e-3)})
            ExpectNear(At(*h, s), std::log(s) - std::log(s - 1.0), 1e-13);
        ExpectNear(At(*h, {0, 1}), {-0.5 * std::log(2.0), -pi / 4}, 1e-13);  // -0.347-0.785i
        ExpectNear(At(*h, {2, 0}), {std::log(2.0), 0}, 1e-15);
        // Seen from above whatever the sign of a zero imaginary part: -i pi inside.
        ExpectNear(At(*h, {0.5, -0.0}), {0, -pi}, 1e-15);
        // At the ends the logarithmic singularity is left out: finite.
        EXPECT_TRUE(std::isfinite(At(*h, {1, 0}).real()));
        EXPECT_EQ(At(*h, {3, 0}).imag(), 0.0);  // outside the points
    }
}

TEST_F(HilbertTest, LinearTransformOfTheTriangle) {
    // f(t) = 1 - |t| on [-1, 1]: H f(y) = (1/pi) [(y+1) ln|y+1| - 2y ln|y| + (y-1) ln|y-1|].
    auto xlogx = [](double y) { return y == 0 ? 0.0 : y * std::log(std::fabs(y)); };
    Node::Ptr h = Over(kHilbertLinear, {{-1, 0}, {1, 0}, {0, 1}});
    for (double y : {-2.5, -0.7, 0.0, 0.3, 0.5, 1.0, 4.0}) {
        const Complex value = At(*h, {y, 0});
        EXPECT_NEAR(value.real() / pi, (xlogx(y + 1) - 2 * xlogx(y) + xlogx(y - 1)) / pi, 1e-14);
        EXPECT_NEAR(value.imag(), std::fabs(y) < 1 ? -pi * (1 - std::fabs(y)) : 0.0, 1e-14) << y;
    }
    // The positive classes read |y|.
    Node::Ptr negative = Over(kHilbertPositiveLinear, {{-1, 0}, {1, 0}, {0, -1}});
    EXPECT_EQ(At(*negative, {0.3, 0.2}), At(*h, {0.3, 0.2}));
}

TEST_F(HilbertTest, CubicTransformMatchesAPrincipalValueQuadrature) {
    // (0,0), (1,1), (2,0): end slopes 2 and -2, a flat top, so f(t) = t (2 - t) on [0, 2],
    // whose integral against 1 / (s - t) is f(s) (log s - log(s - 2)) + 2 s - 2.
    Node::Ptr parabola = Over(kHilbertFritschCarlson, {{0, 0}, {1, 1}, {2, 0}});
    for (Complex s : {Complex(0.5, 0.5), Complex(3, 0), Complex(-1, -2), Complex(1.5, 1e-4)})
        ExpectNear(At(*parabola, s),
                   s * (2.0 - s) * (std::log(s) - std::log(s - 2.0)) + 2.0 * s - 2.0, 1e-13);
    ExpectNear(At(*parabola, {0.5, 0}), {0.75 * std::log(1 / 3.0) - 1, -pi * 0.75}, 1e-13);

    // Monotone cubic pieces through four points, against a quadrature of the interpolation.
    const Points points = {{0, 0}, {1, 0.2}, {2.5, 2}, {3, 2.1}};
    Node::Ptr h = Over(kHilbertFritschCarlson, points);
    Node::Ptr f = Over(804, points);
    auto curve = [&](double t) { return RealAt(*f, t); };
    for (double s : {0.4, 1.0, 1.7, 2.8}) {
        const Complex value = At(*h, {s, 0});
        EXPECT_NEAR(value.real(), PrincipalValue(curve, {0, 1, 2.5, 3}, s), 1e-12) << s;
        EXPECT_NEAR(value.imag(), -pi * curve(s), 1e-13) << s;
    }
}

TEST_F(HilbertTest, UnpreparedNodesKeepTheirValue) {
    for (int id = kHilbertFritschCarlson; id <= kHilbertPositiveLinear; ++id) {
        Node::Ptr h = Node::Create(id);
        EXPECT_EQ(h->GetValues().size(), 2u);
        EXPECT_EQ(At(*h, {2, 0}), Complex(0, 0));  // the placeholder source
        h->ReplaceChildAt(1, List({{0, 1}, {1, 1}}));
        const Complex before = At(*h, {2, 0});
        h->GetChild(1)->AddChild(Point(1, 3));  // a repeated abscissa
        EXPECT_EQ(At(*h, {5, 0}), before) << id;
        h->GetChild(1)->RemoveChild(2);
        EXPECT_EQ(h->Clone()->Evaluate(), At(*h, {2, 0}));
    }
}

}  // namespace
