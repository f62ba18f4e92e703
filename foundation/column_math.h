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
// 2^-898 .. 2^899 it covers a larger part of b out of 2^-450 .. 2^450. The dividend is tested
// once when constant, else at each point.
inline bool MayHoldSpecialQuotients(const Column& a, const double* norms) {
    auto divisor = [norms](int i) {
        return (norms[i] >= 0x1p-898 ? 0.0 : 1.0) + (norms[i] <= 0x1p899 ? 0.0 : 1.0);
    };
    if (a.IsConstant())
        return !IsOrdinaryQuotient(a.Value().real(), a.Value().imag(), 1.0, 0.0) ||
               AnyProbe(divisor);
    const double* __restrict re = a.Re();
    const double* __restrict im = a.Im();
    return AnyProbe([&](int i) {
        const double ar = std::fabs(re[i]), ai = std::fabs(im[i]);
        const double m = ar > ai ? ar : ai;  // NaN parts fail a test below
        return divisor(i) + (m <= 0x1p450 ? 0.0 : 1.0) +
               (((m >= 0x1p-450) | (m == 0.0)) ? 0.0 : 1.0);
    });
}

// out = a * b as Multiply gives it. out must be neither a nor b.
inline void MultiplyColumns(const Column& a, const Column& b, Column& out) {
    CombineColumns(a, b, out,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
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
    CombineColumns(a, b, out,
                   [&](double ar, double ai, double br, double bi, double& re, double& im) {
                       const double d = br * br + bi * bi;
                       norms[i++] = d;
                       const double s = 1.0 / d;
                       re = (ar * br + ai * bi) * s;
                       im = (ai * br - ar * bi) * s;
                   });
    if (!MayHoldSpecialQuotients(a, norms)) return;
    for (i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        if (!IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) out.Set(i, special(x, y));
    }
}
