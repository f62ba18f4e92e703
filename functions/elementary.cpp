#include "functions/elementary.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>

#include "formula/complex_functions.h"
#include "foundation/complex_math.h"
#include "foundation/numeric.h"
#include "functions/numbers.h"
#include "model/basic.h"
#include "functions/parameters.h"
#include "functions/point_columns.h"

namespace Capsule {

namespace {

namespace CF = ComplexFunction;

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kPi = 3.141592653589793;

// The formulas below are those of the definitions (principal square roots and logarithms),
// rearranged where the literal form loses digits: log w for w near 1 is taken as log(1 + u) of
// the small u computed without forming w, and where z + s cancels (s the square root of the
// formula, pointing the other way) the function's symmetry evaluates it at -z instead. Both are
// exact identities of the principal branches, so the branch cuts stay where the definitions put
// them.

// log(1 + u), accurate for small u.
Complex LogOnePlus(const Complex& u) {
    const double ur = u.real(), ui = u.imag();
    if (std::fabs(ur) > 1e150 || std::fabs(ui) > 1e150) return CF::Ln(Complex(1.0 + ur, ui));
    return {0.5 * std::log1p(ur * (2.0 + ur) + ui * ui), std::atan2(ui, 1.0 + ur)};
}

// z * z, with a product that is zero always +0 in the imaginary part (so that 1 - x^2 of a real
// x lies above the negative axis, where the principal square root is +i sqrt(x^2 - 1)).
Complex Square(const Complex& z) {
    return {z.real() * z.real() - z.imag() * z.imag(), 0.0 + 2.0 * z.real() * z.imag()};
}

// True when a + b cancels: a and b point into opposite half-planes.
bool Opposed(const Complex& a, const Complex& b) {
    return a.real() * b.real() + a.imag() * b.imag() < 0.0;
}

Complex Minus(const Complex& z) {
    return {-z.real(), -z.imag()};
}

// -i log(i w + sqrt(1 - w^2)): the inverse sine of ArcSin, ArcCsc and ArcSec. Odd in w.
Complex InverseSine(const Complex& w) {
    const Complex w2 = Square(w);
    const Complex s = std::sqrt(Complex(1.0 - w2.real(), 0.0 - w2.imag()));
    const bool flip = Opposed(Complex(-w.imag(), w.real()), s);
    const Complex v = flip ? Minus(w) : w;
    // i v + s - 1 = i v - v^2 / (1 + s).
    const Complex l = LogOnePlus(Complex(-v.imag(), v.real()) - Divide(w2, 1.0 + s));
    const Complex result(l.imag(), -l.real());
    return flip ? Minus(result) : result;
}

// (i/2) log((1 - i w) / (1 + i w)) = (i/2) log(1 - 2i w / (1 + i w)): ArcTan.
Complex InverseTangent(const Complex& w) {
    const Complex l = LogOnePlus(Divide(Complex(2.0 * w.imag(), -2.0 * w.real()),
                                        Complex(1.0 - w.imag(), w.real())));
    return {-0.5 * l.imag(), 0.5 * l.real()};
}

// log(z + sqrt(z^2 + 1)): ArcSinh and ArcCsch. Odd in z.
Complex InverseHyperbolicSine(const Complex& z) {
    const Complex z2 = Square(z);
    const Complex s = std::sqrt(Complex(z2.real() + 1.0, z2.imag()));
    const bool flip = Opposed(z, s);
    const Complex v = flip ? Minus(z) : z;
    // z + s - 1 = z + z^2 / (1 + s).
    const Complex result = LogOnePlus(v + Divide(z2, 1.0 + s));
    return flip ? Minus(result) : result;
}

// log(z + sqrt(z^2 - 1)): ArcCosh and ArcSech. Where z + s cancels, z + s = -1 / (s - z), so the
// value is i pi - f(-z), brought back into (-pi, pi].
Complex InverseHyperbolicCosine(const Complex& z) {
    const Complex z2 = Square(z);
    const Complex s = std::sqrt(Complex(z2.real() - 1.0, z2.imag()));
    if (!Opposed(z, s)) return LogOnePlus(Complex(z.real() - 1.0, z.imag()) + s);
    const Complex f = LogOnePlus(Complex(-z.real() - 1.0, -z.imag()) + s);
    const double im = kPi - f.imag();
    return {-f.real(), im > kPi ? im - 2.0 * kPi : im};
}

// (1/2) log((1 + z) / (1 - z)) = (1/2) log(1 + 2z / (1 - z)).
Complex InverseHyperbolicTangent(const Complex& z) {
    const Complex l = LogOnePlus(Divide(2.0 * z, 1.0 - z));
    return {0.5 * l.real(), 0.5 * l.imag()};
}

Complex Reciprocal(const Complex& z) {
    return Divide(Complex(1.0, 0.0), z);
}

bool IsZero(const Complex& z) {
    return z.real() == 0.0 && z.imag() == 0.0;
}

Complex HalfPiMinus(const Complex& z) {
    return {kHalfPi - z.real(), -z.imag()};
}

// cos z / sin z, as 1 / tan z: the quotient of the two would be inf / inf for |Im z| > 710.
Complex Cot(const Complex& z) { return Reciprocal(CF::Tan(z)); }
Complex Csc(const Complex& z) { return Reciprocal(CF::Sin(z)); }
Complex Sec(const Complex& z) { return Reciprocal(CF::Cos(z)); }
Complex ArcCos(const Complex& z) { return HalfPiMinus(InverseSine(Complex(z.real(), 0.0))); }
Complex ArcSin(const Complex& z) { return InverseSine(Complex(z.real(), 0.0)); }
Complex ArcTan(const Complex& z) { return InverseTangent(Complex(z.real(), 0.0)); }
// (i/2) log((z - i) / (z + i)) = (i/2) log(1 - 2i / (z + i)).
Complex ArcCot(const Complex& z) {
    if (IsZero(z)) return {kHalfPi, 0.0};
    const Complex l = LogOnePlus(Divide(Complex(0.0, -2.0), Complex(z.real(), z.imag() + 1.0)));
    return {-0.5 * l.imag(), 0.5 * l.real()};
}
Complex ArcCsc(const Complex& z) { return InverseSine(Reciprocal(z)); }
Complex ArcSec(const Complex& z) { return HalfPiMinus(InverseSine(Reciprocal(z))); }
// Coth, Csch and Sech from E = exp z as defined; they overflow to NaN for large |Re z|.
Complex Coth(const Complex& z) {
    const Complex e = CF::Exp(z), r = Reciprocal(e);
    return Divide(e + r, e - r);
}
Complex Csch(const Complex& z) {
    const Complex e = CF::Exp(z);
    return Divide(Complex(2.0, 0.0), e - Reciprocal(e));
}
Complex Sech(const Complex& z) {
    const Complex e = CF::Exp(z);
    return Divide(Complex(2.0, 0.0), e + Reciprocal(e));
}
Complex ArcCoth(const Complex& z) {
    if (IsZero(z)) return {0.0, kHalfPi};
    const Complex l = LogOnePlus(Divide(Complex(2.0, 0.0), Complex(z.real() - 1.0, z.imag())));
    return {0.5 * l.real(), 0.5 * l.imag()};
}
Complex ArcCsch(const Complex& z) { return InverseHyperbolicSine(Reciprocal(z)); }
Complex ArcSech(const Complex& z) { return InverseHyperbolicCosine(Reciprocal(z)); }

struct Definition {
    const char* name;
    Complex (*apply)(const Complex&);
};

constexpr Definition kDefinitions[] = {
    {"Real", CF::Real},    {"Imag", CF::Imag},   {"Abs", CF::Abs},
    {"Norm", CF::Norm},    {"Arg", CF::Arg},     {"Conjg", CF::Conjg},
    {"Sqr", CF::Sqr},      {"Sqrt", CF::Sqrt},   {"Exp", CF::Exp},
    {"Ln", CF::Ln},        {"Log", CF::Log},     {"Cos", CF::Cos},
    {"Sin", CF::Sin},      {"Tan", CF::Tan},     {"Cot", Cot},
    {"Csc", Csc},          {"Sec", Sec},         {"Acos", ArcCos},
    {"Asin", ArcSin},      {"Atan", ArcTan},     {"Acot", ArcCot},
    {"Acsc", ArcCsc},      {"Asec", ArcSec},     {"Cosh", CF::Cosh},
    {"Sinh", CF::Sinh},    {"Tanh", CF::Tanh},   {"Coth", Coth},
    {"Csch", Csch},        {"Sech", Sech},       {"Acosh", InverseHyperbolicCosine},
    {"Asinh", InverseHyperbolicSine},            {"Atanh", InverseHyperbolicTangent},
    {"Acoth", ArcCoth},    {"Acsch", ArcCsch},   {"Asech", ArcSech},
};
constexpr int kFirstId = 300;
constexpr int kLastId = kFirstId + static_cast<int>(std::size(kDefinitions)) - 1;

template <int... Offsets>
Core::Node::Ptr MakeOneArgument(int typeId, std::integer_sequence<int, Offsets...>) {
    Core::Node::Ptr node;
    ((typeId == kFirstId + Offsets ? (node = Safe::MakeX<Elementary<kFirstId + Offsets>>(),
                                      0)
                                   : 0),
     ...);
    return node;
}

}  // namespace

template <int TypeId>
Elementary<TypeId>::Elementary() {
    Identify(TypeId, kDefinitions[TypeId - kFirstId].name, Core::kArityFixed);
    AdoptChild(Safe::MakeX<Basic>());
}

template <int TypeId>
const Complex& Elementary<TypeId>::Evaluate() {
    return values_[0] = kDefinitions[TypeId - kFirstId].apply(Parameter(0)->Compute());
}

// The function over the block, point by point as Evaluate applies it, without a virtual call
// per point.
template <int TypeId>
const Column& Elementary<TypeId>::EvaluateColumn(Core::ColumnPass& pass) {
    const auto apply = kDefinitions[TypeId - kFirstId].apply;
    TransformColumn(Parameter(0)->ComputeColumn(pass), column_,
                    [apply](double re, double im, double& r, double& i) {
                        const Complex w = apply(Complex(re, im));
                        r = w.real();
                        i = w.imag();
                    });
    return column_;
}

Pow::Pow() {
    Identify(335, "Pow", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("a"));
    AdoptChild(MakeParameter<IntegerNumber>("n", Complex(2.0, 0.0)));
}

namespace {

// a^n for the integer n = Re m.
Complex IntegerPower(Complex base, const Complex& m) {
    const int n = SaturateToInt(m.real());
    Complex power(1.0, 0.0);
    // |n| as unsigned: the magnitude of the least int does not fit an int.
    for (std::uint32_t bits = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
         bits != 0; bits >>= 1) {
        if (bits & 1u) power = Multiply(power, base);
        if (bits > 1u) base = Multiply(base, base);
    }
    return n < 0 ? Reciprocal(power) : power;
}

Complex ComplexPower(const Complex& a, const Complex& p) {
    if (a.imag() == 0.0) return std::pow(a.real(), p);  // a real base
    return CF::Exp(Multiply(p, CF::Ln(a)));
}

}  // namespace

const Complex& Pow::Evaluate() {
    const Complex n = Parameter(1)->Compute();
    return values_[0] = IntegerPower(Parameter(0)->Compute(), n);
}

const Column& Pow::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<2>(*this, pass, column_,
                              [](const PointValues<2>& v) { return IntegerPower(v[0], v[1]); });
}

YPow::YPow() {
    Identify(336, "YPow", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("a"));
    AdoptChild(MakeParameter<RealNumber>("power"));
}

const Complex& YPow::Evaluate() {
    const Complex p = Parameter(1)->Compute();
    return values_[0] = ComplexPower(Parameter(0)->Compute(), p);
}

const Column& YPow::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<2>(*this, pass, column_,
                              [](const PointValues<2>& v) { return ComplexPower(v[0], v[1]); });
}

Core::Node::Ptr MakeElementary(int typeId) {
    if (typeId >= kFirstId && typeId <= kLastId)
        return MakeOneArgument(typeId, std::make_integer_sequence<int, kLastId - kFirstId + 1>());
    if (typeId == 335) return Safe::MakeX<Pow>();
    if (typeId == 336) return Safe::MakeX<YPow>();
    return Core::Node::Ptr();
}

}  // namespace Capsule
