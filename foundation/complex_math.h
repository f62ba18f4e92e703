#pragma once
// Complex arithmetic on the evaluation paths.
#include <cmath>
#include <complex>

// a / b. Finite operands with a non-zero divisor take Smith's method, which avoids overflow in
// |b|^2 and is several times faster than the library's general division; everything else goes
// to the library, which gives the IEEE results for zeros, infinities and NaN.
inline std::complex<double> Divide(const std::complex<double>& a, const std::complex<double>& b) {
    const double ar = a.real(), ai = a.imag(), br = b.real(), bi = b.imag();
    if (std::isfinite(ar) && std::isfinite(ai) && std::isfinite(br) && std::isfinite(bi) &&
        (br != 0.0 || bi != 0.0)) {
        if (std::fabs(br) >= std::fabs(bi)) {
            const double r = bi / br, d = br + bi * r;
            return {(ar + ai * r) / d, (ai - ar * r) / d};
        }
        const double r = br / bi, d = br * r + bi;
        return {(ar * r + ai) / d, (ai * r - ar) / d};
    }
    return a / b;
}
