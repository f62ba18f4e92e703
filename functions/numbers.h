#pragma once
// Value nodes: typed numbers, a text holder, a list of complex values, mathematical and
// physical constants, and a uniform random number.
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// A constant: evaluates to its value whatever values[0] holds.
class ConstantNumber : public Core::Node {
public:
    const Complex& Evaluate() override { return constant_; }

protected:
    ConstantNumber(int typeId, const char* name, double constant);

private:
    Complex constant_;
};

class PiNumber : public ConstantNumber {
public:
    PiNumber();
};
class ENumber : public ConstantNumber {
public:
    ENumber();
};
class PlanckConstant : public ConstantNumber {
public:
    PlanckConstant();
};
class BoltzmannConstant : public ConstantNumber {
public:
    BoltzmannConstant();
};
class C1RadiationConstant : public ConstantNumber {
public:
    C1RadiationConstant();
};
class C2RadiationConstant : public ConstantNumber {
public:
    C2RadiationConstant();
};

// A new uniform draw in [0, 1] at every evaluation.
class RandomNumber : public Core::Node {
public:
    RandomNumber();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOrderDependent; }
};

// Typed parameters: what they store is rounded or restricted by SetValue, which always writes
// values[0] and then tells the parent.
class IntegerNumber final : public Core::Node {
public:
    IntegerNumber();
    void SetValue(const Complex& value, int index) override;
};

class RealNumber final : public Core::Node {
public:
    RealNumber();
    void SetValue(const Complex& value, int index) override;
};

class BooleanNumber final : public Core::Node {
public:
    BooleanNumber();
    void SetValue(const Complex& value, int index) override;
};

// n / d of two integers.
class RationalNumber : public Core::Node {
public:
    RationalNumber();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// (Re a, Re b).
class ComplexNumber : public Core::Node {
public:
    ComplexNumber();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// A text (a file name, for example) carried in the node's name.
class StringCapsule final : public Core::Node {
public:
    StringCapsule();
};

// A list of complex values carried in the values vector.
class ComplexVector final : public Core::Node {
public:
    ComplexVector();
};

Core::Node::Ptr MakeNumber(int typeId);

}  // namespace Capsule
