#include <gtest/gtest.h>

#include <cmath>

#include "functions/families.h"
#include "model/anchors.h"
#include "model/map_capsule.h"
#include "model/node_map.h"
#include "tests/functions/point_lists.h"

namespace {

using namespace PointLists;

enum { kLinear = 800, kPolynomial, kRational, kSpline, kFritschCarlson, kPositiveFritschCarlson };

class InterpolationsTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

TEST_F(InterpolationsTest, ReproduceTheDataTheirFamilyHolds) {
    // A line, in any order, for every piecewise class, inside and outside the points.
    auto line = [](double x) { return 2 * x - 1; };
    for (int id : {kLinear, kSpline, kFritschCarlson, kPolynomial}) {
        Node::Ptr f = Over(id, {{3, line(3)}, {0, line(0)}, {1, line(1)}, {2.5, line(2.5)}});
        for (double x : {-1.5, 0.0, 0.3, 1.7, 2.5, 2.9, 4.0})
            EXPECT_NEAR(RealAt(*f, x), line(x), 1e-12) << id << " " << x;
    }
    // The polynomial through five points of a cubic is that cubic, also beyond them.
    auto cubic = [](double x) { return x * x * x - 2 * x + 1; };
    Node::Ptr polynomial =
        Over(kPolynomial,
             {{0, cubic(0)}, {1, cubic(1)}, {-1, cubic(-1)}, {2, cubic(2)}, {0.5, cubic(0.5)}});
    for (double x : {-2.0, 0.25, 1.5, 3.7}) EXPECT_NEAR(RealAt(*polynomial, x), cubic(x), 1e-11);
    // The diagonal rational function through five points of 1 / (1 + x^2) is that function.
    Points runge;
    for (int k = 0; k <= 4; ++k) runge.push_back({k, 1.0 / (1.0 + k * k)});
    Node::Ptr rational = Over(kRational, runge);
    EXPECT_NEAR(RealAt(*rational, 0.5), 0.8, 1e-14);
    for (double x : {1.3, 3.5, 7.0}) EXPECT_NEAR(RealAt(*rational, x), 1 / (1 + x * x), 1e-13);
    EXPECT_EQ(RealAt(*rational, 3.0), 0.1);  // a point's ordinate, exactly
    // All-zero data: 0 rather than 0 / 0.
    Node::Ptr zeros = Over(kRational, {{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    EXPECT_NEAR(RealAt(*zeros, 1.5), 0.0, 1e-20);
}

TEST_F(InterpolationsTest, NaturalSplineSolvesItsTridiagonalSystem) {
    // (0,0), (1,1), (2,0): M0 = M2 = 0 and h M0 + 4 h M1 + h M2 = 6 (d1 - d0) give M1 = -3, so
    // S(x) = 3x/2 - x^3/2 on [0, 1] and its mirror on [1, 2]; outside, the end cubics continue.
    auto s = [](double x) { return 1.5 * x - x * x * x / 2; };
    Node::Ptr spline = Over(kSpline, {{2, 0}, {0, 0}, {1, 1}});
    for (double x : {0.25, 0.5, 1.0, -0.5}) EXPECT_NEAR(RealAt(*spline, x), s(x), 1e-14);
    EXPECT_NEAR(RealAt(*spline, 1.75), s(0.25), 1e-14);
}

TEST_F(InterpolationsTest, FritschCarlsonKeepsTheDataMonotoneAndFlattensExtrema) {
    Node::Ptr rising = Over(kFritschCarlson, {{0, 0}, {1, 0.1}, {2, 5}, {3, 5.1}, {4, 10}});
    double previous = -1;
    for (int i = 0; i <= 400; ++i) {
        const double y = RealAt(*rising, i * 0.01);
        EXPECT_GE(y, previous) << i;
        previous = y;
    }
    EXPECT_NEAR(RealAt(*rising, 2), 5, 1e-14);
    // A local maximum of the data is a flat point of the curve.
    Node::Ptr peak = Over(kFritschCarlson, {{0, 0}, {1, 1}, {2.5, 0.2}});
    const double h = 1e-6;
    EXPECT_NEAR((RealAt(*peak, 1 + h) - RealAt(*peak, 1 - h)) / (2 * h), 0, 1e-5);
    EXPECT_LE(RealAt(*peak, 1.3), 1.0);
    // Through the absolute ordinates.
    Node::Ptr positive = Over(kPositiveFritschCarlson, {{0, -1}, {1, 2}, {2, -3}});
    Node::Ptr plain = Over(kFritschCarlson, {{0, 1}, {1, 2}, {2, 3}});
    for (double x : {-0.5, 0.4, 1.6, 2.5}) EXPECT_EQ(RealAt(*positive, x), RealAt(*plain, x));
}

TEST_F(InterpolationsTest, FewPointsAndEqualAbscissae) {
    for (int id = kLinear; id <= kPositiveFritschCarlson; ++id) {
        Node::Ptr f = Node::Create(id);
        EXPECT_EQ(RealAt(*f, 0.5), 0.0) << id;  // no points
        f->GetChild(1)->AddChild(Point(2, 3));
        const bool fritschCarlson = id >= kFritschCarlson;
        EXPECT_EQ(RealAt(*f, 0.5), fritschCarlson ? 0.0 : 3.0) << id;
        f->GetChild(1)->AddChild(Point(4, 1));
        // The line through both, continued; the rational function 3 / (x - 1).
        const double expected = id == kRational ? 0.6 : -1.0;
        EXPECT_NEAR(RealAt(*f, 6), expected, 1e-14) << id;
        // A repeated abscissa: the previous value stays, whatever the abscissa.
        f->GetChild(1)->AddChild(Point(4, 7));
        EXPECT_NEAR(RealAt(*f, 0.5), expected, 1e-14) << id;
    }
}

TEST_F(InterpolationsTest, TablesFollowTheTreeAndTheAnchors) {
    for (int id = kLinear; id <= kPositiveFritschCarlson; ++id) {
        Node::Ptr f = Over(id, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}});
        Node::Ptr list = f->GetChild(1);
        EXPECT_NEAR(RealAt(*f, 4.5), 5.5, 1e-12);
        list->GetChild(5)->GetChild(1)->SetValue(Complex(8, 0), 0);  // (5, 8): an edit or a fit
        EXPECT_NEAR(RealAt(*f, 5), 8, 1e-12) << id;
        list->RemoveChild(5);
        list->RemoveChild(4);  // a shrunk list: the remembered segment was the last one
        EXPECT_NEAR(RealAt(*f, 3.5), 4.5, 1e-12) << id;
        list->AddChild(Point(-1, 0));
        EXPECT_NEAR(RealAt(*f, -0.5), 0.5, 1e-12) << id;

        // Dragging the anchor of the point (2, 3) to (2.2, 5) moves it; the curve follows.
        Safe::XPtr<Core::AnchorsInterface> anchors = list->GetAnchors();
        ASSERT_EQ(anchors->Count(), 5);
        anchors->FindNearest(2.1);
        anchors->MoveCurrent({2.2, 5});
        EXPECT_EQ(list->GetChild(2)->GetValue(), Complex(2.2, 5));
        EXPECT_EQ(list->GetChild(2)->Evaluate(), Complex(2.2, 5));
        EXPECT_NEAR(RealAt(*f, 2.2), 5, 1e-12) << id;
        // An inactive coordinate stays where it was.
        list->GetChild(2)->GetChild(0)->SetActive(false);
        anchors->MoveCurrent({9, 6});
        EXPECT_EQ(list->GetChild(2)->Evaluate(), Complex(2.2, 6));
    }
}

TEST_F(InterpolationsTest, PointsUnderOrdinaryParentsDoNotBounceThePreparation) {
    Node::Ptr sum = Node::Create(208);
    Node::Ptr list = List({{0, 1}, {1, 2}});
    ASSERT_TRUE(sum->AddChild(list));
    list->GetChild(0)->GetChild(0)->SetValue(Complex(0.5, 0), 0);  // point, list, sum, list, ...
    sum->Prepare(nullptr);
    Node::Ptr plus = Node::Create(200);
    ASSERT_TRUE(plus->ReplaceChildAt(0, Point(1, 2)));
    plus->GetChild(0)->GetChild(1)->SetValue(Complex(3, 0), 0);
    EXPECT_EQ(plus->Evaluate(), Complex(1, 3));
}

TEST_F(InterpolationsTest, AReferencedListIsFollowedThroughTheSumOfItsPoints) {
    Core::NodeMap::Ptr points = Core::NodeMap::CreateFunction("points");
    Node::Ptr list = List({{0, 0}, {1, 1}, {2, 4}});
    points->SetRoot(list);
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetMap(points);
    Node::Ptr f = Node::Create(kLinear);
    ASSERT_TRUE(f->ReplaceChildAt(1, reference));
    EXPECT_NEAR(RealAt(*f, 1.5), 2.5, 1e-14);
    list->GetChild(2)->GetChild(1)->SetValue(Complex(2, 0), 0);  // stops at the root
    EXPECT_NEAR(RealAt(*f, 1.5), 1.5, 1e-14);
    // Two opposite moves leave the sum as it was and go unnoticed.
    list->GetChild(1)->GetChild(1)->SetValue(Complex(2, 0), 0);
    list->GetChild(2)->GetChild(1)->SetValue(Complex(1, 0), 0);
    EXPECT_NEAR(RealAt(*f, 1.5), 1.5, 1e-14);
    points->ClearRoot();
    EXPECT_NEAR(RealAt(*f, 0.5), 1.5, 1e-14);  // no root: the previous value
}

TEST_F(InterpolationsTest, ClonesEvaluateLikeTheOriginals) {
    for (int id = kLinear; id <= kPositiveFritschCarlson; ++id) {
        Node::Ptr f = Over(id, {{0, 1}, {1, -2}, {2.5, 0.5}, {3, 4}, {4, 4.5}});
        Node::Ptr copy = f->Clone();
        for (double x : {-1.0, 0.7, 2.6, 3.9, 6.0})
            EXPECT_EQ(RealAt(*copy, x), RealAt(*f, x)) << id;
        EXPECT_EQ(copy->GetChild(1)->ChildCount(), 5);
        EXPECT_EQ(copy->GetChild(1)->GetName(), "Points");
    }
}

}  // namespace
