#include "formula/complex_functions.h"

#include <cmath>

#include "foundation/complex_math.h"

namespace ComplexFunction {

namespace {
constexpr double kInverseLn10 = 0.4342944819032518;
}  // namespace

Complex Abs(const Complex& z) {
    return {std::hypot(z.real(), z.imag()), 0.0};
}

Complex Arg(const Complex& z) {
    return {std::atan2(z.imag(), z.real()), 0.0};
}

Complex Sqrt(const Complex& z) {
    return std::sqrt(z);
}

Complex Exp(const Complex& z) {
    const double m = std::exp(z.real());
    return {m * std::cos(z.imag()), m * std::sin(z.imag())};
}

Complex Ln(const Complex& z) {
    return {std::log(std::hypot(z.real(), z.imag())), std::atan2(z.imag(), z.real())};
}

Complex Log(const Complex& z) {
    const Complex l = Ln(z);
    return {l.real() * kInverseLn10, l.imag() * kInverseLn10};
}

Complex Cos(const Complex& z) {
    return std::cos(z);
}

Complex Sin(const Complex& z) {
    return std::sin(z);
}

Complex Tan(const Complex& z) {
    return Tangent(z);
}

Complex Cosh(const Complex& z) {
    return std::cosh(z);
}

Complex Sinh(const Complex& z) {
    return std::sinh(z);
}

Complex Tanh(const Complex& z) {
    return HyperbolicTangent(z);
}

}  // namespace ComplexFunction
