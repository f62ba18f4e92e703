#pragma once
// Operators that join nodes into expressions, the variadic sum, product and mean, comparisons
// and selection, the local function, and the free parameter Basic.
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// The free complex parameter of every function and the root of new definitions.
class Basic : public Core::Node {
public:
    Basic();
    // Stores the value, tells the parent, and lets a point list rebuild when asked to.
    void SetValue(const Complex& value, int index) override;
};

// One child "c" (1, 0).
class UnaryOperator : public Core::Node {
protected:
    UnaryOperator(int typeId, const char* name);
    Complex Operand() { return Child(0)->Evaluate(); }
};

class Opposite : public UnaryOperator {
public:
    Opposite();
    Complex Evaluate() override;
};
class Inverse : public UnaryOperator {
public:
    Inverse();
    Complex Evaluate() override;
};
class Imaginary : public UnaryOperator {
public:
    Imaginary();
    Complex Evaluate() override;
};

// Two children "a" and "b", both (0, 0).
class BinaryOperator : public Core::Node {
protected:
    BinaryOperator(int typeId, const char* name);
    Complex Store(const Complex& value) { return values_[0] = value; }
    Complex A() { return Child(0)->Evaluate(); }
    Complex B() { return Child(1)->Evaluate(); }
};

class Plus : public BinaryOperator {
public:
    Plus();
    Complex Evaluate() override;
};
class Minus : public BinaryOperator {
public:
    Minus();
    Complex Evaluate() override;
};
class Times : public BinaryOperator {
public:
    Times();
    Complex Evaluate() override;
};
class Div : public BinaryOperator {
public:
    Div();
    Complex Evaluate() override;
};
class IPlus : public BinaryOperator {
public:
    IPlus();
    Complex Evaluate() override;
};
class IMinus : public BinaryOperator {
public:
    IMinus();
    Complex Evaluate() override;
};

// Variadic list nodes. They sort their members by their key child (peaks by position) and
// gather their members' anchors.
class ListOperator : public Core::Node {
public:
    void Sort() override;

protected:
    ListOperator(int typeId, const char* name, double first);
};

class Factor : public ListOperator {
public:
    Factor();
    Complex Evaluate() override;
};
class Sum : public ListOperator {
public:
    Sum();
    Complex Evaluate() override;
};
class Average : public ListOperator {
public:
    Average();
    Complex Evaluate() override;
};

// a when Re Cnd > 0, otherwise b; only the chosen branch is evaluated.
class IfElse : public Core::Node {
public:
    IfElse();
    Complex Evaluate() override;
};

// (1, 0) when Re x < Re a.
class LowerThan : public Core::Node {
public:
    LowerThan();
    Complex Evaluate() override;
};

// (1, 0) when Re x > Re a.
class GreatherThan : public Core::Node {
public:
    GreatherThan();
    Complex Evaluate() override;
};

// (1, 0) when Re a <= Re x <= Re b.
class Include : public Core::Node {
public:
    Include();
    Complex Evaluate() override;
};

// f(z) evaluated with z set to z-value.
class LocalFunctor : public Core::Node {
public:
    LocalFunctor();
    Complex Evaluate() override;
};

Core::Node::Ptr MakeOperator(int typeId);

}  // namespace Capsule
