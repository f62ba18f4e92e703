#pragma once
// Operators that join nodes into expressions, the variadic sum, product and mean, comparisons
// and selection, and the local function.
#include "model/basic.h"
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// One child "c" (1, 0).
class UnaryOperator : public Core::Node {
public:
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }

protected:
    UnaryOperator(int typeId, const char* name);
    const Complex& Operand() { return Parameter(0)->Compute(); }
};

class Opposite : public UnaryOperator {
public:
    Opposite();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Inverse : public UnaryOperator {
public:
    Inverse();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Imaginary : public UnaryOperator {
public:
    Imaginary();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// Two children "a" and "b", both (0, 0).
class BinaryOperator : public Core::Node {
public:
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }

protected:
    BinaryOperator(int typeId, const char* name);
    const Complex& Store(const Complex& value) { return values_[0] = value; }
    const Complex& A() { return Parameter(0)->Compute(); }
    const Complex& B() { return Parameter(1)->Compute(); }
};

class Plus : public BinaryOperator {
public:
    Plus();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Minus : public BinaryOperator {
public:
    Minus();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Times : public BinaryOperator {
public:
    Times();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Div : public BinaryOperator {
public:
    Div();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class IPlus : public BinaryOperator {
public:
    IPlus();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class IMinus : public BinaryOperator {
public:
    IMinus();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// Variadic list nodes. They sort their members by their key child (peaks by position) and
// gather their members' anchors.
class ListOperator : public Core::Node {
public:
    void Sort() override;
    bool GathersChildAnchors() const override { return true; }
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }

protected:
    ListOperator(int typeId, const char* name, double first);
};

class Factor : public ListOperator {
public:
    Factor();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Sum : public ListOperator {
public:
    Sum();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};
class Average : public ListOperator {
public:
    Average();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// a when Re Cnd > 0, otherwise b; only the chosen branch is evaluated.
class IfElse : public Core::Node {
public:
    IfElse();
    const Complex& Evaluate() override;
};

// Strict comparison of the real parts of "x" and "a": (1, 0) when it holds, else (0, 0).
class Comparison : public Core::Node {
public:
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    Comparison(int typeId, const char* name, bool greater);

private:
    bool greater_;
};

// x < a.
class LowerThan : public Comparison {
public:
    LowerThan();
};

// x > a.
class GreatherThan : public Comparison {
public:
    GreatherThan();
};

// (1, 0) when Re a <= Re x <= Re b.
class Include : public Core::Node {
public:
    Include();
    const Complex& Evaluate() override;
};

// f(z) evaluated with z set to z-value.
class LocalFunctor : public Core::Node {
public:
    LocalFunctor();
    const Complex& Evaluate() override;
    // It writes z-value into z, which may be a definition that other nodes read.
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOrderDependent; }
};

Core::Node::Ptr MakeOperator(int typeId);

}  // namespace Capsule
