#pragma once
// Cauchy integrals of tabulated curves: the integral over the range of a point list of
// f(t) / (s - t) dt at complex s, f the straight segments or the monotone cubic through the
// points (or through their absolute ordinates) and zero outside them.
#include <vector>

#include "functions/point_table.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// Children "s" and "point-list" (a placeholder until a point list or a reference to one takes
// its place). At real s inside the points the real part is the principal value, pi times the
// Hilbert transform, and the imaginary part is -pi f(s).
class HilbertTransform : public Core::Node {
public:
    void Prepare(Node* from) override;
    int GetVariableChildIndex() const override { return 0; }
    const Complex& Evaluate() override;

protected:
    HilbertTransform(int typeId, const char* name, bool absolute, bool cubic);

private:
    Complex AtReal(double s) const;
    Complex AtComplex(const Complex& s) const;

    bool absolute_;
    bool cubic_;
    bool prepared_ = false;
    Complex pointSum_{0.0, 0.0};
    PointTable table_;
    std::vector<CubicRow> rows_;
};

class FritschCarlsonHilbert : public HilbertTransform {
public:
    FritschCarlsonHilbert();
};
class PositiveFritschCarlsonHilbert : public HilbertTransform {
public:
    PositiveFritschCarlsonHilbert();
};
class LinearHilbert : public HilbertTransform {
public:
    LinearHilbert();
};
class PositiveLinearHilbert : public HilbertTransform {
public:
    PositiveLinearHilbert();
};

Core::Node::Ptr MakeHilbertTransform(int typeId);

}  // namespace Capsule
