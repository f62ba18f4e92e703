#pragma once
// Complex arithmetic over columns, point for point the same results as complex_math.h: the
// ordinary case runs as one loop over the block, the few points that need the special cases
// are redone one by one.
#include "foundation/column.h"
#include "foundation/complex_math.h"

// out = a * b as Multiply gives it. out must be neither a nor b.
inline void MultiplyColumns(const Column& a, const Column& b, Column& out) {
    int unusual = 0;
    CombineColumns(a, b, out, [&](double ar, double ai, double br, double bi, double& re, double& im) {
        re = ar * br - ai * bi;
        im = ar * bi + ai * br;
        unusual |= (re != re) & (im != im);  // NaN in both parts: an infinity times a zero
    });
    if (!unusual) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> z = out.At(i);
        if (std::isnan(z.real()) && std::isnan(z.imag())) out.Set(i, Multiply(a.At(i), b.At(i)));
    }
}

// out = a / b: Divide's one division where IsOrdinaryQuotient holds, special(a, b) elsewhere.
// out must be neither a nor b.
template <class Special>
void DivideColumns(const Column& a, const Column& b, Column& out, Special special) {
    int unusual = 0;
    CombineColumns(a, b, out, [&](double ar, double ai, double br, double bi, double& re, double& im) {
        const double s = 1.0 / (br * br + bi * bi);
        re = (ar * br + ai * bi) * s;
        im = (ai * br - ar * bi) * s;
        unusual |= !IsOrdinaryQuotient(ar, ai, br, bi);
    });
    if (!unusual) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        if (!IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) out.Set(i, special(x, y));
    }
}
