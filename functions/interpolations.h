#pragma once
// Functions of the abscissa that interpolate a point list: straight segments, the polynomial and
// the diagonal rational function through all points, the natural cubic spline and the monotone
// cubic of Fritsch and Carlson (also through the absolute ordinates).
#include <vector>

#include "functions/point_table.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// Children "x" and the point source: a point list, or a reference to a definition whose root is
// one. The tables follow the points through Prepare; Evaluate only reads them.
class Interpolation : public Core::Node {
public:
    void Prepare(Node* from) override;
    int GetVariableChildIndex() const override { return 0; }
    const Complex& Evaluate() override;

protected:
    // keepsSingleOrdinate: one point gives its ordinate everywhere rather than (0, 0).
    Interpolation(int typeId, const char* name, bool absolute, bool keepsSingleOrdinate);
    // The class's tables from table_ (two or more points, distinct abscissae).
    virtual void Build() {}
    virtual double Interpolate(double x) = 0;
    // Segment of x, remembered per node: sweeps along ascending abscissae cost one step each.
    int Segment(double x);

    PointTable table_;

private:
    bool absolute_;
    bool keepsSingleOrdinate_;
    bool prepared_ = false;
    Complex pointSum_{0.0, 0.0};
    int lo_ = 0;
    int hi_ = 1;
};

class ITLinear : public Interpolation {
public:
    ITLinear();

protected:
    void Build() override;
    double Interpolate(double x) override;

private:
    std::vector<CubicRow> rows_;
};

// Neville's scheme (Numerical Recipes' polint) over all points.
class ITPolynomial : public Interpolation {
public:
    ITPolynomial();

protected:
    double Interpolate(double x) override;

private:
    std::vector<double> c_, d_;  // working columns of one evaluation
};

// The diagonal rational function through all points, by the scheme of Bulirsch and Stoer
// (Numerical Recipes' ratint, with its tiny offset so that all-zero data give zero).
class ITRational : public Interpolation {
public:
    ITRational();

protected:
    double Interpolate(double x) override;

private:
    std::vector<double> c_, d_;
};

class Spline : public Interpolation {
public:
    Spline();

protected:
    void Build() override;
    double Interpolate(double x) override;

private:
    std::vector<double> y2_;
};

class FritschCarlson : public Interpolation {
public:
    FritschCarlson();

protected:
    FritschCarlson(int typeId, const char* name, bool absolute);
    void Build() override;
    double Interpolate(double x) override;

private:
    std::vector<CubicRow> rows_;
};

// The monotone cubic through (x, |y|).
class PositiveFritschCarlson : public FritschCarlson {
public:
    PositiveFritschCarlson();
};

// Interpolations, the point (899) and the point list (2102).
Core::Node::Ptr MakeInterpolation(int typeId);

}  // namespace Capsule
