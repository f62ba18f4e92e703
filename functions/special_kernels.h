#pragma once
// Numeric kernels of the special functions: Dawson's integral, the exponential integrals, the
// Faddeeva function and the Gamma function. Plain functions, safe to call from any thread.
#include <complex>

namespace Capsule {

// Dawson's integral F(x) = exp(-x^2) * integral from 0 to x of exp(t^2) dt.
double DawsonF(double x);

// Selector 1: Ei(x); 2: E1(|x|); 3: exp(-x) * Ei(x).
double ExpIntegralCore(double x, int selector);
inline double ExpIntegralEi(double x) { return ExpIntegralCore(x, 1); }
inline double ExpIntegralE1(double x) { return ExpIntegralCore(x, 2); }
inline double ExpIntegralExpEi(double x) { return ExpIntegralCore(x, 3); }

// The Faddeeva function w(z) = exp(-z^2) * erfc(-i z).
std::complex<double> FaddeevaW(const std::complex<double>& z);

// Gamma(x) for x > 0; NaN for x <= 0 and NaN.
double GammaFunction(double x);

}  // namespace Capsule
