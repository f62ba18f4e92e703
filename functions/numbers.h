#pragma once
// Value nodes: typed numbers, a text holder, a list of complex values, mathematical and
// physical constants, and a uniform random number.
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// A constant: evaluates to its value whatever values[0] holds.
class ConstantNumber : public Core::Node {
public:
    Complex Evaluate() override { return Complex(constant_, 0.0); }

protected:
    ConstantNumber(int typeId, const char* name, double constant);

private:
    double constant_;
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
    Complex Evaluate() override;
};

// Typed parameters: what they store is rounded or restricted by SetValue, which always writes
// values[0] and then tells the parent.
class IntegerNumber : public Core::Node {
public:
    IntegerNumber();
    void SetValue(const Complex& value, int index) override;
};

class RealNumber : public Core::Node {
public:
    RealNumber();
    void SetValue(const Complex& value, int index) override;
};

class BooleanNumber : public Core::Node {
public:
    BooleanNumber();
    void SetValue(const Complex& value, int index) override;
};

// n / d of two integers.
class RationalNumber : public Core::Node {
public:
    RationalNumber();
    Complex Evaluate() override;
};

// (Re a, Re b).
class ComplexNumber : public Core::Node {
public:
    ComplexNumber();
    Complex Evaluate() override;
};

// A text (a file name, for example) carried in the node's name.
class StringCapsule : public Core::Node {
public:
    StringCapsule();
};

// A list of complex values carried in the values vector.
class ComplexVector : public Core::Node {
public:
    ComplexVector();
};

Core::Node::Ptr MakeNumber(int typeId);

}  // namespace Capsule
