#pragma once
// Sine and cosine of one real argument, accurate to an ulp or two also next to their zeros.
#include <cmath>

// Some C libraries (mingw-w64's x87 code among them) reduce the argument with a 66-bit pi, so
// that cos x near pi/2 keeps only a few correct digits; tan near its poles inherits the loss.
// Here the argument is reduced to r in [-pi/4, pi/4] with pi/2 to about 150 bits, as fdlibm's
// __ieee754_rem_pio2 does for |x| up to 2^19 pi/2, and the library is asked only for sin r and
// cos r. Larger arguments go to the library unchanged.
struct SineCosine {
    double sin;
    double cos;
};

inline SineCosine SinCos(double x) {
    // pi/2 in 33-bit pieces, each with the tail that follows it (fdlibm's constants).
    constexpr double kInverseHalfPi = 6.36619772367581382433e-01;
    constexpr double kHalfPi1 = 1.57079632673412561417e+00;
    constexpr double kHalfPi1Tail = 6.07710050650619224932e-11;
    constexpr double kHalfPi2 = 6.07710050630396597660e-11;
    constexpr double kHalfPi2Tail = 2.02226624879595063154e-21;
    constexpr double kHalfPi3 = 2.02226624871116645580e-21;
    constexpr double kHalfPi3Tail = 8.47842766036889956997e-32;
    const double t = std::fabs(x);
    if (!(t <= 823549.6)) return {std::sin(x), std::cos(x)};  // also infinities and NaN
    const int n = static_cast<int>(t * kInverseHalfPi + 0.5);
    const double fn = n;
    // r - w is t - n pi/2; each further piece of pi/2 is taken only when the digits cancelled so
    // far leave too few correct ones.
    double r = t - fn * kHalfPi1;  // exact: fn has at most 20 bits, kHalfPi1 33
    double w = fn * kHalfPi1Tail;
    double y0 = r - w;
    const int exponent = std::ilogb(t);
    auto cancelled = [&] { return y0 == 0.0 ? 1000 : exponent - std::ilogb(y0); };
    if (n > 0 && cancelled() > 16) {
        double u = r;
        w = fn * kHalfPi2;
        r = u - w;
        w = fn * kHalfPi2Tail - ((u - r) - w);
        y0 = r - w;
        if (cancelled() > 49) {
            u = r;
            w = fn * kHalfPi3;
            r = u - w;
            w = fn * kHalfPi3Tail - ((u - r) - w);
            y0 = r - w;
        }
    }
    const double y1 = (r - y0) - w;
    // sin and cos of y0 + y1, |y1| below an ulp of y0.
    const double s0 = std::sin(y0), c0 = std::cos(y0);
    const double s = s0 + y1 * c0, c = c0 - y1 * s0;
    SineCosine result{};
    switch (n & 3) {
        case 0: result = {s, c}; break;
        case 1: result = {c, -s}; break;
        case 2: result = {-s, -c}; break;
        default: result = {-c, s}; break;
    }
    if (std::signbit(x)) result.sin = -result.sin;
    return result;
}
