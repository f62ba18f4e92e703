#pragma once
// Complex arithmetic on the evaluation paths. The library's operators handle every special case
// in the same code as the ordinary one; these take a short path for ordinary operands and give
// the library's (IEEE) results for the rest.
#include <cmath>
#include <complex>

// a * b: the schoolbook product, and the library's rules when that gives NaN in both parts
// (an infinity times a zero).
inline std::complex<double> Multiply(const std::complex<double>& a, const std::complex<double>& b) {
    const double re = a.real() * b.real() - a.imag() * b.imag();
    const double im = a.real() * b.imag() + a.imag() * b.real();
    if (std::isnan(re) && std::isnan(im)) [[unlikely]]
        return a * b;
    return {re, im};
}

// True when a / b takes Divide's one division: a finite and the larger part of b of moderate
// size, so that |b|^2 neither overflows nor underflows. Branch-free for the loops over columns.
inline bool IsOrdinaryQuotient(double ar, double ai, double br, double bi) {
    const double abr = std::fabs(br), abi = std::fabs(bi);
    const double m = abr > abi ? abr : abi;  // NaN parts fall through to the library
    return (m > 1e-150) & (m < 1e150) & std::isfinite(ar) & std::isfinite(ai);
}

// a / b. A divisor whose parts are zero or of moderate size (so that |b|^2 neither overflows nor
// underflows) takes one division; other finite operands take Smith's method; zeros, infinities
// and NaN go to the library.
inline std::complex<double> Divide(const std::complex<double>& a, const std::complex<double>& b) {
    const double ar = a.real(), ai = a.imag(), br = b.real(), bi = b.imag();
    const double abr = std::fabs(br), abi = std::fabs(bi);
    const double m = abr > abi ? abr : abi;
    if (IsOrdinaryQuotient(ar, ai, br, bi)) {
        const double s = 1.0 / (br * br + bi * bi);
        return {(ar * br + ai * bi) * s, (ai * br - ar * bi) * s};
    }
    if (std::isfinite(ar) && std::isfinite(ai) && std::isfinite(br) && std::isfinite(bi) &&
        m != 0.0) {
        if (abr >= abi) {
            const double r = bi / br, d = br + bi * r;
            return {(ar + ai * r) / d, (ai - ar * r) / d};
        }
        const double r = br / bi, d = br * r + bi;
        return {(ar * r + ai) / d, (ai * r - ar) / d};
    }
    return a / b;
}
