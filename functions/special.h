#pragma once
// One-argument nodes of the special functions: Dawson's integral, the Faddeeva function, the
// exponential integrals and the Gamma function.
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// One child "c" (1, 0); no anchors. The value is the class's function of the child's.
class SpecialFunction : public Core::Node {
public:
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    using Function = Complex (*)(const Complex&);
    SpecialFunction(int typeId, const char* name, Function function);

private:
    Function function_;
};

// (DawsonF(Re c), 0).
class Dawson final : public SpecialFunction {
public:
    Dawson();
};

// w(c), complex.
class Faddeeva final : public SpecialFunction {
public:
    Faddeeva();
};

// (E1(|Re c|), 0).
class E1 final : public SpecialFunction {
public:
    E1();
};

// (Ei(Re c), 0).
class Ei final : public SpecialFunction {
public:
    Ei();
};

// (exp(-x) Ei(x), 0) with x = Re c.
class ExpEi final : public SpecialFunction {
public:
    ExpEi();
};

// (Gamma(Re c), 0); NaN for Re c <= 0.
class Gamma final : public SpecialFunction {
public:
    Gamma();
};

Core::Node::Ptr MakeSpecialFunction(int typeId);

}  // namespace Capsule
