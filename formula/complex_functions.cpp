#include "formula/complex_functions.h"

#include <cmath>

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

// tan z = (sin 2x + i sinh 2y) / (cos 2x + cosh 2y). Sine over cosine would give inf / inf once
// |y| passes 710 (and not every C library's ctan avoids that); beyond |y| = 20 the quotient is
// (2 sin 2x e^(-2|y|), sign y) to double precision.
Complex Tan(const Complex& z) {
    const double x2 = 2.0 * z.real(), y = z.imag();
    if (std::fabs(y) > 20.0)
        return {2.0 * std::sin(x2) * std::exp(-2.0 * std::fabs(y)), std::copysign(1.0, y)};
    const double d = std::cos(x2) + std::cosh(2.0 * y);
    return {std::sin(x2) / d, std::sinh(2.0 * y) / d};
}

Complex Cosh(const Complex& z) {
    return std::cosh(z);
}

Complex Sinh(const Complex& z) {
    return std::sinh(z);
}

// tanh z = -i tan(iz).
Complex Tanh(const Complex& z) {
    const Complex t = Tan({-z.imag(), z.real()});
    return {t.imag(), -t.real()};
}

}  // namespace ComplexFunction
