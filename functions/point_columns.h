#pragma once
// Column paths for function nodes whose value at a point depends only on their children's
// values there: one formula, shared with Evaluate, applied at every point of the block. That
// keeps the two paths equal bit for bit and spares a virtual call per node and point.
#include <array>

#include "foundation/column_math.h"
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

template <int N>
using PointValues = std::array<Core::Complex, N>;

// The values of the node's first N children, computed in order.
template <int N>
PointValues<N> ChildValues(const Core::Node& node) {
    PointValues<N> values;
    for (int k = 0; k < N; ++k) values[k] = node.Child(k)->Compute();
    return values;
}

// out := formula(values of the first N children) at every point of the block.
template <int N, class Formula>
const Column& ColumnOfFormula(const Core::Node& node, Core::ColumnPass& pass, Column& out,
                              Formula formula) {
    std::array<const Column*, N> in;
    for (int k = 0; k < N; ++k) in[k] = &node.Child(k)->ComputeColumn(pass);
    out.SetVarying();
    for (int i = 0; i < kColumnBlock; ++i) {
        PointValues<N> values;
        for (int k = 0; k < N; ++k) values[k] = in[k]->At(i);
        out.Set(i, formula(values));
    }
    return out;
}

// The products and quotients of a formula. ExactArithmetic gives Multiply's and Divide's
// results; OrdinaryArithmetic the ordinary case of each (the schoolbook product, Divide's
// textbook quotient), noting a quotient that Divide would take otherwise.
struct ExactArithmetic {
    static Core::Complex Times(const Core::Complex& a, const Core::Complex& b) {
        return Multiply(a, b);
    }
    static Core::Complex Over(const Core::Complex& a, const Core::Complex& b) {
        return Divide(a, b);
    }
};
struct OrdinaryArithmetic {
    bool ordinary = true;
    static Core::Complex Times(const Core::Complex& a, const Core::Complex& b) {
        return {a.real() * b.real() - a.imag() * b.imag(),
                a.real() * b.imag() + a.imag() * b.real()};
    }
    Core::Complex Over(const Core::Complex& a, const Core::Complex& b) {
        const double ar = a.real(), ai = a.imag(), br = b.real(), bi = b.imag();
        ordinary = ordinary & IsOrdinaryQuotient(ar, ai, br, bi);
        const double s = 1.0 / (br * br + bi * bi);
        return {(ar * br + ai * bi) * s, (ai * br - ar * bi) * s};
    }
};

// Evaluate's value of a formula(values, arithmetic) of the first N children.
template <int N, class Formula>
Core::Complex FormulaValue(const Core::Node& node, Formula formula) {
    ExactArithmetic exact;
    return formula(ChildValues<N>(node), exact);
}

// ColumnOfFormula for a formula made of sums, products and quotients alone, where a NaN
// anywhere makes the value NaN: the ordinary arithmetic at every point, in one loop that
// vectorises, then the exact arithmetic again where the two may differ, at the points with a
// quotient out of the ordinary case or with NaN in the value (which a product of an infinity
// and a zero leaves there).
template <int N, class Formula>
const Column& ColumnOfRationalFormula(const Core::Node& node, Core::ColumnPass& pass, Column& out,
                                      Formula formula) {
    const double* re[N];
    const double* im[N];
    for (int k = 0; k < N; ++k) {
        const Column& in = node.Child(k)->ComputeColumn(pass);
        if (in.IsConstant()) {  // spread into an array lent for the block
            double* spread = pass.Storage().Lend();
            for (int i = 0; i < kColumnBlock; ++i) spread[i] = in.Value().real();
            for (int i = 0; i < kColumnBlock; ++i) spread[kColumnBlock + i] = in.Value().imag();
            re[k] = spread;
            im[k] = spread + kColumnBlock;
        } else {
            re[k] = in.Re();
            im[k] = in.Im();
        }
    }
    const auto values = [&re, &im](int i) {
        PointValues<N> v;
        for (int k = 0; k < N; ++k) v[k] = Core::Complex(re[k][i], im[k][i]);
        return v;
    };
    out.SetVarying();
    const auto redo = [](bool ordinary, const Core::Complex& z) {
        return (ordinary ? 0.0 : 1.0) + (z.real() - z.real()) + (z.imag() - z.imag());
    };
    const bool special = ProbedLoop(out.Re(), out.Im(), [&](int i, double* outRe, double* outIm) {
        OrdinaryArithmetic ordinary;
        const Core::Complex z = formula(values(i), ordinary);
        outRe[i] = z.real();
        outIm[i] = z.imag();
        return redo(ordinary.ordinary, z);
    });
    if (!special) return out;
    for (int i = 0; i < kColumnBlock; ++i) {
        OrdinaryArithmetic ordinary;
        if (redo(ordinary.ordinary, formula(values(i), ordinary)) == 0.0) continue;
        ExactArithmetic exact;
        out.Set(i, formula(values(i), exact));
    }
    return out;
}

}  // namespace Capsule
