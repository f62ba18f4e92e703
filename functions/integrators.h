#pragma once
// Integrals of a sub-tree over a real interval: the integrator writes each abscissa into its
// child "z" and evaluates its child "f(z)", which reads "z" (through a reference, for example).
#include <functional>

#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

struct DEResult {
    Complex value;
    int evaluations = 0;  // of the integrand
    double error = 0.0;   // estimate, absolute, on the integral over [d - c, d + c]
};

// Double-exponential (tanh-sinh) quadrature of F(c u + d) c over u in [-1, 1] with fixed nodes
// t = 0 .. 3 halved down to steps of 1/64 (at most 385 evaluations), stopping when the error
// estimate falls below a tenth of tolerance / c. Takahasi and Mori, 1974.
DEResult DEIntegrate(const std::function<Complex(double)>& f, double c, double d, double tolerance);

// Children "a", "b", "z", "f(z)" and one setting: the number of steps or the tolerance.
class Integrator : public Core::Node {
public:
    // Writes "z" while evaluating: a model holding one goes point by point.
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOrderDependent; }

protected:
    Integrator(int typeId, const char* name);
    // F(v): "z" takes (v, 0), then "f(z)" is evaluated.
    Complex Integrand(double v) {
        Parameter(2)->SetValue(Complex(v, 0.0), 0);
        return Parameter(3)->Compute();
    }
    double A() { return Parameter(0)->Compute().real(); }
    double B() { return Parameter(1)->Compute().real(); }
};

// The left Riemann sum h (F(a) + F(a + h) + ... + F(a + (N-1) h)), h = (b - a) / N; (0, 0) for
// N <= 0. N is held to kMaxRiemannSteps: a count near 2^31 (a huge or infinite parameter
// saturates there) would hold the evaluating thread for minutes at every abscissa.
class RIntegrator : public Integrator {
public:
    static constexpr int kMaxRiemannSteps = 100000;

    RIntegrator();
    const Complex& Evaluate() override;
};

// DEIntegrate over [a, b] to the absolute tolerance "Tol".
class DEIntegrator : public Integrator {
public:
    DEIntegrator();
    const Complex& Evaluate() override;
};

Core::Node::Ptr MakeIntegrator(int typeId);

}  // namespace Capsule
