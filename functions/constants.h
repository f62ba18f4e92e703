#pragma once
// Numeric constants shared by the function families.
#include <cmath>
#include <complex>

namespace Capsule {

inline const double kE = std::exp(1.0);
inline const double kPi = 2.0 * std::asin(1.0);
inline const double k4Ln2 = 4.0 * std::log(2.0);
inline const double kSqrt2Pi = std::sqrt(4.0 * std::asin(1.0));
inline const double kSqrtLn2 = std::sqrt(std::log(2.0));
inline const double kSqrtPi = std::sqrt(2.0 * std::asin(1.0));
inline const std::complex<double> kI(0.0, 1.0);

}  // namespace Capsule
