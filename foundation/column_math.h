#pragma once
// Complex arithmetic over columns, point for point the same results as complex_math.h: the
// ordinary case runs as one loop over the block, the few points that need the special cases
// are redone one by one.
#include "foundation/column.h"
#include "foundation/complex_math.h"

// The checks below run as loops of their own with several accumulators of doubles: that way
// they vectorise without reordering any sum, and no accumulator waits on the last addition. A
// probe other than 0.0 (NaN counts) marks a point that may need the special cases; the caller
// then checks each point exactly.
constexpr int kProbes = 8;

template <class P>
bool AnyProbe(P probe) {
    double sums[kProbes] = {};
    for (int i = 0; i < kColumnBlock; i += kProbes)
        for (int k = 0; k < kProbes; ++k) sums[k] += probe(i + k);
    double all = 0.0;
    for (double sum : sums) all += sum;
    return all != 0.0;
}

// Some part of re may be NaN or infinite.
inline bool MayHoldSpecialProducts(const Column& out) {
    const double* __restrict re = out.Re();
    return AnyProbe([re](int i) { return re[i] - re[i]; });
}

// Some point of a / b may fail IsOrdinaryQuotient, given |b|^2 at each point in norms: out of
// (1e-299, 1e299) it covers a larger part of b out of (1e-150, 1e150); a part of a that is not
// finite gives one part of the quotient that is not finite either.
inline bool MayHoldSpecialQuotients(const Column& a, const double* norms, const Column& out) {
    if (a.IsConstant() && std::isfinite(a.Value().real()) && std::isfinite(a.Value().imag()))
        return AnyProbe([norms](int i) {
            return (norms[i] > 1e-299 ? 0.0 : 1.0) + (norms[i] < 1e299 ? 0.0 : 1.0);
        });
    const double* __restrict re = out.Re();
    const double* __restrict im = out.Im();
    return AnyProbe([&](int i) {
        return (norms[i] > 1e-299 ? 0.0 : 1.0) + (norms[i] < 1e299 ? 0.0 : 1.0) +
               (re[i] - re[i]) + (im[i] - im[i]);
    });
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
    double norms[kColumnBlock];
    int i = 0;
    CombineColumns(a, b, out, [&](double ar, double ai, double br, double bi, double& re, double& im) {
        const double d = br * br + bi * bi;
        norms[i++] = d;
        const double s = 1.0 / d;
        re = (ar * br + ai * bi) * s;
        im = (ai * br - ar * bi) * s;
    });
    if (!MayHoldSpecialQuotients(a, norms, out)) return;
    for (i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        if (!IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) out.Set(i, special(x, y));
    }
}
