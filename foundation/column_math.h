#pragma once
// Complex arithmetic over columns, point for point the same results as complex_math.h: the
// ordinary case runs as one loop over the block, which also probes for the points that may need
// the special cases (ProbedLoop, column.h); those few are redone one by one.
#include "foundation/column.h"
#include "foundation/complex_math.h"

// The probe of a product's part p: 0.0 unless p is NaN or infinite.
inline double SpecialProductProbe(double p) {
    return p - p;
}

// The probe of a quotient (ar, ai) / b with d = |b|^2: 0.0 when IsOrdinaryQuotient surely holds.
// It adds the divisor's probe and the dividend's, each 0.0 or 1.0 per test. Out of
// 2^-898 .. 2^899, d covers a larger part of b out of 2^-450 .. 2^450; NaN parts fail a test.
inline double SpecialDivisorProbe(double d) {
    return (d >= 0x1p-898 ? 0.0 : 1.0) + (d <= 0x1p899 ? 0.0 : 1.0);
}
inline double SpecialDividendProbe(double ar, double ai) {
    const double m = std::fabs(ar) > std::fabs(ai) ? std::fabs(ar) : std::fabs(ai);
    return (m <= 0x1p450 ? 0.0 : 1.0) + (((m >= 0x1p-450) | (m == 0.0)) ? 0.0 : 1.0);
}
inline double SpecialQuotientProbe(double ar, double ai, double d) {
    return SpecialDivisorProbe(d) + SpecialDividendProbe(ar, ai);
}

// The ordinary product and quotient, as Multiply and Divide compute them, with their probes.
// kProbeDividend false leaves the dividend's probe to the caller, who takes it once for a
// dividend that is the same at every point.
inline double OrdinaryProduct(double ar, double ai, double br, double bi, double& re, double& im) {
    re = ar * br - ai * bi;
    im = ar * bi + ai * br;
    return SpecialProductProbe(re);
}
template <bool kProbeDividend = true>
double OrdinaryQuotient(double ar, double ai, double br, double bi, double& re, double& im) {
    const double d = br * br + bi * bi;
    const double s = 1.0 / d;
    re = (ar * br + ai * bi) * s;
    im = (ai * br - ar * bi) * s;
    return kProbeDividend ? SpecialQuotientProbe(ar, ai, d) : SpecialDivisorProbe(d);
}

// The special case of a product: NaN in both parts, an infinity times a zero, which the
// library's rules settle.
inline bool IsSpecialProduct(const std::complex<double>& p) {
    return std::isnan(p.real()) && std::isnan(p.imag());
}

// out = a * b as Multiply gives it. out must be neither a nor b.
inline void MultiplyColumns(const Column& a, const Column& b, Column& out) {
    if (!CombineProbedColumns(
            a, b, out, [](double ar, double ai, double br, double bi, double& re, double& im) {
                return OrdinaryProduct(ar, ai, br, bi, re, im);
            }))
        return;
    for (int i = 0; i < kColumnBlock; ++i)
        if (IsSpecialProduct(out.At(i))) out.Set(i, Multiply(a.At(i), b.At(i)));
}

// out = a / b: Divide's one division where IsOrdinaryQuotient holds, special(a, b) elsewhere.
// out must be neither a nor b.
template <class Special>
void DivideColumns(const Column& a, const Column& b, Column& out, Special special) {
    if (!CombineProbedColumns(
            a, b, out, [](double ar, double ai, double br, double bi, double& re, double& im) {
                return OrdinaryQuotient(ar, ai, br, bi, re, im);
            }))
        return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        if (!IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) out.Set(i, special(x, y));
    }
}

// out := sum + a * b (kDivide false) or sum + a / b, or sum minus either (kSubtract), as the
// sum or difference of sum and MultiplyColumns' or DivideColumns' column, in one loop that never
// stores the product; the points that the probes mark are done again one by one. out is none of
// sum, a and b.
template <bool kDivide, bool kSubtract = false>
void JoinColumns(const Column& sum, const Column& a, const Column& b, Column& out) {
    const auto join = [](double ar, double ai, double br, double bi, double& re, double& im) {
        return kDivide ? OrdinaryQuotient(ar, ai, br, bi, re, im)
                       : OrdinaryProduct(ar, ai, br, bi, re, im);
    };
    out.SetVarying();
    bool special = false;
    WithReaders(sum, [&](auto s) {
        WithReaders(a, b, [&](auto x, auto y) {
            special = ProbedLoop(out.Re(), out.Im(), [&](int i, double* re, double* im) {
                double pr, pi;
                const double probe = join(x.Re(i), x.Im(i), y.Re(i), y.Im(i), pr, pi);
                re[i] = kSubtract ? s.Re(i) - pr : s.Re(i) + pr;
                im[i] = kSubtract ? s.Im(i) - pi : s.Im(i) + pi;
                return probe;
            });
        });
    });
    if (!special) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const std::complex<double> x = a.At(i), y = b.At(i);
        double pr, pi;
        join(x.real(), x.imag(), y.real(), y.imag(), pr, pi);
        if (kDivide ? IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())
                    : !IsSpecialProduct({pr, pi}))
            continue;
        const std::complex<double> p = kDivide ? Divide(x, y) : Multiply(x, y);
        out.Set(i, kSubtract ? sum.At(i) - p : sum.At(i) + p);
    }
}
