#pragma once
// Complex arithmetic over columns, point for point the same results as complex_math.h: the
// ordinary case runs as one loop over the block, the few points that need the special cases
// are redone one by one.
#include "foundation/column.h"
#include "foundation/complex_math.h"

// The checks below run as loops of their own with two accumulators of doubles: that way they
// vectorise without reordering any sum. A probe other than 0.0 (NaN counts) marks a point
// that may need the special cases; the caller then checks each point exactly.

// Some part of re may be NaN or infinite.
inline bool MayHoldSpecialProducts(const Column& out) {
    double probe[2] = {0.0, 0.0};
    const double* __restrict re = out.Re();
    for (int i = 0; i < kColumnBlock; i += 2)
        for (int k = 0; k < 2; ++k) probe[k] += re[i + k] - re[i + k];
    return probe[0] + probe[1] != 0.0;
}

// Some point of a / b may fail IsOrdinaryQuotient.
inline bool MayHoldSpecialQuotients(const Column& a, const Column& b) {
    double probe[2] = {0.0, 0.0};
    WithReaders(a, b, [&](auto x, auto y) {
        for (int i = 0; i < kColumnBlock; i += 2) {
            for (int k = 0; k < 2; ++k) {
                const double abr = std::fabs(y.Re(i + k)), abi = std::fabs(y.Im(i + k));
                const double m = abr > abi ? abr : abi;
                probe[k] += (m > 1e-150 ? 0.0 : 1.0) + (m < 1e150 ? 0.0 : 1.0) +
                            (x.Re(i + k) - x.Re(i + k)) + (x.Im(i + k) - x.Im(i + k));
            }
        }
    });
    return probe[0] + probe[1] != 0.0;
}

// out = a * b as Multiply gives it. out must be neither a nor b.
inline void MultiplyColumns(const Column& a, const Column& b, Column& out) {
    CombineColumns(a, b, out, [](double ar, double ai, double br, double bi, double& re, double& im) {
        re = ar * br - ai * bi;
        im = ar * bi + ai * br;
    });
    if (!MayHoldSpecialProducts(out)) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> z = out.At(i);
        // NaN in both parts: an infinity times a zero, which the library's rules settle.
        if (std::isnan(z.real()) && std::isnan(z.imag())) out.Set(i, Multiply(a.At(i), b.At(i)));
    }
}

// out = a / b: Divide's one division where IsOrdinaryQuotient holds, special(a, b) elsewhere.
// out must be neither a nor b.
template <class Special>
void DivideColumns(const Column& a, const Column& b, Column& out, Special special) {
    CombineColumns(a, b, out, [](double ar, double ai, double br, double bi, double& re, double& im) {
        const double s = 1.0 / (br * br + bi * bi);
        re = (ar * br + ai * bi) * s;
        im = (ai * br - ar * bi) * s;
    });
    if (!MayHoldSpecialQuotients(a, b)) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        if (!IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) out.Set(i, special(x, y));
    }
}
