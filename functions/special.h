#pragma once
// One-argument nodes of the special functions: Dawson's integral, the Faddeeva function, the
// exponential integrals and the Gamma function.
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// One child "c" (1, 0); no anchors.
class SpecialFunction : public Core::Node {
protected:
    SpecialFunction(int typeId, const char* name);
    const Complex& Argument() { return Parameter(0)->Compute(); }
    const Complex& Store(double value) { return values_[0] = Complex(value, 0.0); }
};

// (DawsonF(Re c), 0).
class Dawson final : public SpecialFunction {
public:
    Dawson();
    const Complex& Evaluate() override;
};

// w(c), complex.
class Faddeeva final : public SpecialFunction {
public:
    Faddeeva();
    const Complex& Evaluate() override;
};

// (E1(|Re c|), 0).
class E1 final : public SpecialFunction {
public:
    E1();
    const Complex& Evaluate() override;
};

// (Ei(Re c), 0).
class Ei final : public SpecialFunction {
public:
    Ei();
    const Complex& Evaluate() override;
};

// (exp(-x) Ei(x), 0) with x = Re c.
class ExpEi final : public SpecialFunction {
public:
    ExpEi();
    const Complex& Evaluate() override;
};

// (Gamma(Re c), 0); NaN for Re c <= 0.
class Gamma final : public SpecialFunction {
public:
    Gamma();
    const Complex& Evaluate() override;
};

Core::Node::Ptr MakeSpecialFunction(int typeId);

}  // namespace Capsule
