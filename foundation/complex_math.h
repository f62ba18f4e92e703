#pragma once
// Complex arithmetic on the evaluation paths. The library's operators handle every special case
// in the same code as the ordinary one; these take a short path for ordinary operands and give
// the library's (IEEE) results for the rest.
#include <cmath>
#include <complex>

#include "foundation/sine_cosine.h"

// a * b: the schoolbook product, and the library's rules when that gives NaN in both parts
// (an infinity times a zero).
inline std::complex<double> Multiply(const std::complex<double>& a, const std::complex<double>& b) {
    const double re = a.real() * b.real() - a.imag() * b.imag();
    const double im = a.real() * b.imag() + a.imag() * b.real();
    if (std::isnan(re) && std::isnan(im)) [[unlikely]]
        return a * b;
    return {re, im};
}

namespace complex_math_detail {

// One part of (a + ib) / (c + id) with |d| <= |c|, r = d / c and t = 1 / (c + d r): (a + b r) t,
// reordered where b r underflows so that the part keeps what it needs.
inline double SmithPart(double a, double b, double c, double d, double r, double t) {
    if (r != 0.0) {
        const double br = b * r;
        return br != 0.0 ? (a + br) * t : a * t + (b * t) * r;
    }
    return (a + d * (b / c)) * t;
}

}  // namespace complex_math_detail

// True when a / b takes Divide's textbook formula: the larger part of each operand within
// 2^-450 .. 2^450, or a zero dividend. Branch-free for the loops over columns.
inline bool IsOrdinaryQuotient(double ar, double ai, double br, double bi) {
    constexpr double kLow = 0x1p-450, kHigh = 0x1p450;
    const double abr = std::fabs(br), abi = std::fabs(bi), aar = std::fabs(ar), aai = std::fabs(ai);
    const double ma = aar > aai ? aar : aai, mb = abr > abi ? abr : abi;
    return (mb >= kLow) & (mb <= kHigh) & (ma <= kHigh) & ((ma >= kLow) | (ma == 0.0));
}

// a / b. Operands of moderate size take the textbook formula: with the larger part of each
// operand within 2^-450 .. 2^450 (or a zero dividend) no product or sum overflows and whatever
// underflows lies far below the rounding error of the quotient. Other finite operands take
// Smith's method made robust by Baudin and Smith (2012): the operands are scaled by powers of
// two away from overflow and underflow and the ratio's underflow is worked around, so that
// every quotient that is a finite double comes out to a few ulps. Zero, infinite and NaN
// divisors and infinite or NaN dividends go to the library.
inline std::complex<double> Divide(const std::complex<double>& a, const std::complex<double>& b) {
    double ar = a.real(), ai = a.imag(), br = b.real(), bi = b.imag();
    // A NaN real part passes the test and gives NaN throughout, as the library does.
    const double abr = std::fabs(br), abi = std::fabs(bi), aar = std::fabs(ar), aai = std::fabs(ai);
    const double ma = aar > aai ? aar : aai, mb = abr > abi ? abr : abi;
    if (IsOrdinaryQuotient(ar, ai, br, bi)) {
        const double s = 1.0 / (br * br + bi * bi);
        return {(ar * br + ai * bi) * s, (ai * br - ar * bi) * s};
    }
    if (!std::isfinite(ar) || !std::isfinite(ai) || !std::isfinite(br) || !std::isfinite(bi) ||
        mb == 0.0)
        return a / b;
    constexpr double kHuge = 0x1p1023;            // half the largest double
    constexpr double kTiny = 0x1p-1022 * 0x1p53;  // the least normal number over the roundoff
    constexpr double kLift = 0x1p105;             // 2 / epsilon^2
    double scale = 1.0;
    if (ma >= kHuge) ar *= 0.5, ai *= 0.5, scale *= 2.0;
    if (mb >= kHuge) br *= 0.5, bi *= 0.5, scale *= 0.5;
    if (ma <= kTiny) ar *= kLift, ai *= kLift, scale /= kLift;
    if (mb <= kTiny) br *= kLift, bi *= kLift, scale *= kLift;
    using complex_math_detail::SmithPart;
    double re, im;
    if (std::fabs(bi) <= std::fabs(br)) {
        const double r = bi / br, t = 1.0 / (br + bi * r);
        re = SmithPart(ar, ai, br, bi, r, t);
        im = SmithPart(ai, -ar, br, bi, r, t);
    } else {
        // a / b = conj((ai + i ar) / (bi + i br)), whose divisor has the larger real part.
        const double r = br / bi, t = 1.0 / (bi + br * r);
        re = SmithPart(ai, ar, bi, br, r, t);
        im = -SmithPart(ar, -ai, bi, br, r, t);
    }
    return {re * scale, im * scale};
}

// tan z = sin z / cos z, multiplied out as (sin x cos x + i sinh y cosh y) / (cos^2 x + sinh^2 y)
// so that nothing cancels near the poles (x near an odd multiple of pi/2, y near 0) and every
// step is good to an ulp or two (cos x there comes from SinCos). Beyond |y| = 20 the quotient
// is (4 sin x cos x e^(-2|y|), sign y) to double precision, which also keeps sinh and cosh from
// overflowing.
inline std::complex<double> Tangent(const std::complex<double>& z) {
    const double y = z.imag();
    const auto [s, c] = SinCos(z.real());
    if (std::fabs(y) > 20.0)
        return {4.0 * s * c * std::exp(-2.0 * std::fabs(y)), std::copysign(1.0, y)};
    const double sh = std::sinh(y);
    const double d = c * c + sh * sh;
    return {s * c / d, sh * std::cosh(y) / d};
}

// tanh z = -i tan(iz).
inline std::complex<double> HyperbolicTangent(const std::complex<double>& z) {
    const std::complex<double> t = Tangent({-z.imag(), z.real()});
    return {t.imag(), -t.real()};
}
