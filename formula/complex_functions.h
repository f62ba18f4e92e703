#pragma once
// The elementary functions of one complex argument that formulas and the function nodes share.
#include <complex>

namespace ComplexFunction {

using Complex = std::complex<double>;

inline Complex Real(const Complex& z) { return {z.real(), 0.0}; }
inline Complex Imag(const Complex& z) { return {z.imag(), 0.0}; }
// The modulus without overflow of the squares.
Complex Abs(const Complex& z);
inline Complex Norm(const Complex& z) { return {z.real() * z.real() + z.imag() * z.imag(), 0.0}; }
Complex Arg(const Complex& z);
inline Complex Conjg(const Complex& z) { return {z.real(), -z.imag()}; }
inline Complex Sqr(const Complex& z) {
    return {z.real() * z.real() - z.imag() * z.imag(), 2.0 * z.real() * z.imag()};
}
// Principal square root: non-negative real part.
Complex Sqrt(const Complex& z);
Complex Exp(const Complex& z);
// Principal logarithm: imaginary part in (-pi, pi].
Complex Ln(const Complex& z);
// Decimal logarithm: Ln z times log10(e).
Complex Log(const Complex& z);
Complex Cos(const Complex& z);
Complex Sin(const Complex& z);
Complex Tan(const Complex& z);
Complex Cosh(const Complex& z);
Complex Sinh(const Complex& z);
Complex Tanh(const Complex& z);

}  // namespace ComplexFunction
