#pragma once
// Absorption bands drawn as point lists: the imaginary part interpolates the points (ends pinned
// to zero) by segments, one polynomial, a natural spline or the monotone cubic; the real part is
// its Kramers-Kronig partner, odd in x, integrated in closed form piece by piece.
#include <vector>

#include "functions/point_table.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// One piece of the interpolant on [u, v], in powers of t; "even" holds the sums that give the
// polynomial part of the transform as a polynomial in x^2 (built with the piece).
struct ProfilePiece {
    double u = 0.0;
    double v = 0.0;
    std::vector<double> c;
    std::vector<double> even;
};

// Children "x" and a point list (read directly, references are not followed).
class InterpolatedProfile : public Core::Node {
public:
    void Prepare(Node* from) override;
    int GetVariableChildIndex() const override { return 0; }
    const Complex& Evaluate() override;

protected:
    InterpolatedProfile(int typeId, const char* name);
    // The pieces of the interpolant through table_ (three or more points, distinct abscissae,
    // zero at both ends).
    virtual void Build(std::vector<ProfilePiece>& pieces) const = 0;

    PointTable table_;

private:
    double RealPart(double x) const;

    bool ready_ = false;
    std::vector<ProfilePiece> pieces_;
    std::vector<double> starts_;  // u of every piece, for the search
    int lo_ = 0;
    int hi_ = 1;
};

class LinearKkg : public InterpolatedProfile {
public:
    LinearKkg();

protected:
    void Build(std::vector<ProfilePiece>& pieces) const override;
};

// The polynomial of degree n - 1 through all points, nonzero on [x_0, x_{n-1}] only.
class PolynomialKkg : public InterpolatedProfile {
public:
    PolynomialKkg();

protected:
    void Build(std::vector<ProfilePiece>& pieces) const override;
};

class CubicSplineKkg : public InterpolatedProfile {
public:
    CubicSplineKkg();

protected:
    void Build(std::vector<ProfilePiece>& pieces) const override;
};

class FritschCarlsonKkg : public InterpolatedProfile {
public:
    FritschCarlsonKkg();

protected:
    void Build(std::vector<ProfilePiece>& pieces) const override;
};

Core::Node::Ptr MakeInterpolatedProfile(int typeId);

}  // namespace Capsule
