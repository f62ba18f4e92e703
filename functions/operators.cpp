#include "functions/operators.h"

#include <cmath>

#include "foundation/complex_math.h"
#include "functions/constants.h"
#include "functions/file_table.h"
#include "functions/parameters.h"

namespace Capsule {

namespace {
using Ptr = Core::Node::Ptr;
}  // namespace

// --- One and two operands ---

UnaryOperator::UnaryOperator(int typeId, const char* name) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("c", 1.0));
}

Opposite::Opposite() : UnaryOperator(101, "Opposite") {}
const Complex& Opposite::Evaluate() {
    return values_[0] = -Operand();
}

Inverse::Inverse() : UnaryOperator(102, "Inverse") {}
const Complex& Inverse::Evaluate() {
    return values_[0] = Divide(Complex(1.0, 0.0), Operand());
}

Imaginary::Imaginary() : UnaryOperator(204, "I") {}
const Complex& Imaginary::Evaluate() {
    const Complex z = Operand();
    return values_[0] = Complex(-z.imag(), z.real());
}

BinaryOperator::BinaryOperator(int typeId, const char* name) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("a", 0.0));
    AdoptChild(MakeParameter<Basic>("b", 0.0));
}

Plus::Plus() : BinaryOperator(200, "Plus") {}
const Complex& Plus::Evaluate() {
    return Store(A() + B());
}

Minus::Minus() : BinaryOperator(201, "Minus") {}
const Complex& Minus::Evaluate() {
    return Store(A() - B());
}

Times::Times() : BinaryOperator(202, "Times") {}
const Complex& Times::Evaluate() {
    return Store(Multiply(A(), B()));
}

Div::Div() : BinaryOperator(203, "Div") {}
const Complex& Div::Evaluate() {
    const Complex a = A();
    return Store(Divide(a, B()));
}

IPlus::IPlus() : BinaryOperator(205, "IPlus") {}
const Complex& IPlus::Evaluate() {
    const Complex a = A();
    const Complex& b = B();
    return Store(Complex(a.real() - b.imag(), a.imag() + b.real()));  // a + i b
}

IMinus::IMinus() : BinaryOperator(206, "IMinus") {}
const Complex& IMinus::Evaluate() {
    const Complex a = A();
    const Complex& b = B();
    return Store(Complex(a.real() + b.imag(), a.imag() - b.real()));  // a - i b
}

// --- Lists ---

ListOperator::ListOperator(int typeId, const char* name, double first) {
    Identify(typeId, name, Core::kArityVariadic);
    list_ = 1;
    CreateAnchorSet(false);
    AdoptChild(MakeParameter<Basic>("c", first));
}

void ListOperator::Sort() {
    // Bubble passes until nothing moves: members without a key go to the front, the others
    // ascend by their key child's stored value; equal keys keep their order.
    auto keyValue = [](const Node* member, double& key) {
        const int index = member->GetKeyChildIndex();
        if (index < 0) return false;
        key = member->Child(index)->GetValue().real();
        return true;
    };
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < ChildCount(); ++i) {
            double left = 0.0, right = 0.0;
            if (!keyValue(Child(i), left)) continue;
            if (!keyValue(Child(i + 1), right) || left > right) {
                SwapChildren(i, i + 1);
                swapped = true;
            }
        }
    }
}

Factor::Factor() : ListOperator(207, "Factor", 1.0) {}
const Complex& Factor::Evaluate() {
    Complex product(1.0, 0.0);
    for (const Ptr& child : Children()) product = Multiply(product, child->Compute());
    return values_[0] = product;
}

Sum::Sum() : ListOperator(208, "Sum", 0.0) {}
const Complex& Sum::Evaluate() {
    Complex sum(0.0, 0.0);
    for (const Ptr& child : Children()) sum += child->Compute();
    return values_[0] = sum;
}

Average::Average() : ListOperator(209, "Average", 0.0) {}
const Complex& Average::Evaluate() {
    Complex sum(0.0, 0.0);
    for (const Ptr& child : Children()) sum += child->Compute();
    if (ChildCount() > 0) sum /= static_cast<double>(ChildCount());
    return values_[0] = sum;
}

// --- Comparison and selection ---

IfElse::IfElse() {
    Identify(210, "IfElse", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("Cnd", 1.0));
    AdoptChild(MakeParameter<Basic>("a", 0.0));
    AdoptChild(MakeParameter<Basic>("b", 0.0));
}

const Complex& IfElse::Evaluate() {
    const bool condition = Parameter(0)->Compute().real() > 0.0;
    return values_[0] = Parameter(condition ? 1 : 2)->Compute();
}

Comparison::Comparison(int typeId, const char* name, bool greater) : greater_(greater) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("x", 0.0));
    AdoptChild(MakeParameter<Basic>("a", 0.0));
}

const Complex& Comparison::Evaluate() {
    const double x = Parameter(0)->Compute().real();
    const double a = Parameter(1)->Compute().real();
    return values_[0] = Complex((greater_ ? x > a : x < a) ? 1.0 : 0.0, 0.0);  // NaN: 0
}

LowerThan::LowerThan() : Comparison(211, "lt", false) {}
GreatherThan::GreatherThan() : Comparison(212, "gt", true) {}

Include::Include() {
    Identify(213, "In", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("x", 1.0));
    AdoptChild(MakeParameter<Basic>("a", 0.0));
    AdoptChild(MakeParameter<Basic>("b", 1.0));
}

const Complex& Include::Evaluate() {
    bool inside = false;
    const double a = Parameter(1)->Compute().real();
    if (Parameter(0)->Compute().real() >= a) {
        const double b = Parameter(2)->Compute().real();
        inside = b >= Parameter(0)->Compute().real();
    }
    return values_[0] = Complex(inside ? 1.0 : 0.0, 0.0);
}

LocalFunctor::LocalFunctor() {
    Identify(214, "Functor", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("z-value", 1.0));
    AdoptChild(MakeParameter<Basic>("z", 0.0));
    AdoptChild(MakeParameter<Basic>("f(z)", 0.0));
}

const Complex& LocalFunctor::Evaluate() {
    const Complex at = Parameter(0)->Compute();
    Parameter(1)->SetValue(at, 0);
    return values_[0] = Parameter(2)->Compute();
}

Core::Node::Ptr MakeOperator(int typeId) {
    switch (typeId) {
        case 101: return Safe::MakeX<Opposite>();
        case 102: return Safe::MakeX<Inverse>();
        case 200: return Safe::MakeX<Plus>();
        case 201: return Safe::MakeX<Minus>();
        case 202: return Safe::MakeX<Times>();
        case 203: return Safe::MakeX<Div>();
        case 204: return Safe::MakeX<Imaginary>();
        case 205: return Safe::MakeX<IPlus>();
        case 206: return Safe::MakeX<IMinus>();
        case 207: return Safe::MakeX<Factor>();
        case 208: return Safe::MakeX<Sum>();
        case 209: return Safe::MakeX<Average>();
        case 210: return Safe::MakeX<IfElse>();
        case 211: return Safe::MakeX<LowerThan>();
        case 212: return Safe::MakeX<GreatherThan>();
        case 213: return Safe::MakeX<Include>();
        case 214: return Safe::MakeX<LocalFunctor>();
        case 230: return Safe::MakeX<File2C>();
        default: return Ptr();
    }
}

}  // namespace Capsule
