#pragma once
// Tables built from a list of points: reading and sorting the points, and the piecewise cubic
// coefficients shared by the interpolations, the Hilbert transforms and the absorption profiles.
#include <array>
#include <vector>

#include "model/node.h"

namespace Capsule {

// Abscissae ascending, ordinates moved along with them.
struct PointTable {
    std::vector<double> x;
    std::vector<double> y;
    int Count() const { return static_cast<int>(x.size()); }
};

// One cubic c0 + c1 t + c2 t^2 + c3 t^3 in powers of the abscissa t itself.
using CubicRow = std::array<double, 4>;

inline double EvaluateRow(const CubicRow& c, double t) {
    return ((c[3] * t + c[2]) * t + c[1]) * t + c[0];
}

// The point list an interpolation reads from its child 1: that child when it is a point list, or
// the root of the definition it refers to when that root is one; null otherwise.
Core::Node* FindPointList(const Core::Node& owner);

// The first step of evaluating a node whose point source refers to a definition: a root list
// cannot tell the nodes that refer to it when it changes, so the sum of its points stands for its
// state; when that differs from the remembered sum (or is NaN) the owner is prepared again and
// remembers the new sum. False when the definition has no root: the owner keeps its last value.
bool FollowReference(Core::Node& owner, Core::Complex& pointSum);

// Reads every point of list (x = real part, y = imaginary part of its value, |y| when absolute),
// sorted by x with equal abscissae kept in list order. False when two neighbours share an
// abscissa or an abscissa is NaN: such a table cannot be interpolated.
bool ReadPoints(const Core::Node& list, bool absolute, PointTable& table);

// The straight line through points k and k+1.
CubicRow LineRow(const PointTable& table, int k);

// Monotone piecewise cubic Hermite interpolation (Fritsch and Carlson; interior slopes by the
// weighted harmonic mean of Brodlie, end slopes from three points, as SLATEC PCHIM). Row k is the
// cubic of segment k; the last row continues the last segment. Needs three or more points with
// distinct ascending abscissae.
std::vector<CubicRow> FritschCarlsonRows(const PointTable& table);

// Second derivatives of the natural cubic spline (zero at both ends), by the tridiagonal sweep of
// Numerical Recipes' spline. Needs two or more points.
std::vector<double> NaturalSplineSecondDerivatives(const PointTable& table);

}  // namespace Capsule
