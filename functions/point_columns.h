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

// The columns of the node's first N children, computed in order.
template <int N>
std::array<const Column*, N> ChildColumns(const Core::Node& node, Core::ColumnPass& pass) {
    std::array<const Column*, N> in;
    for (int k = 0; k < N; ++k) in[k] = &node.Child(k)->ComputeColumn(pass);
    return in;
}

// out := formula(values of the columns in) at every point of the block.
template <int N, class Formula>
const Column& ColumnOfFormula(const std::array<const Column*, N>& in, Column& out,
                              Formula formula) {
    out.SetVarying();
    bool constantRest = !in[0]->IsConstant();
    for (int k = 1; k < N; ++k) constantRest = constantRest && in[k]->IsConstant();
    if (constantRest) {  // the usual case: the parameters read once, x at each point
        PointValues<N> values;
        for (int k = 1; k < N; ++k) values[k] = in[k]->Value();
        const double* re = in[0]->Re();
        const double* im = in[0]->Im();
        for (int i = 0; i < kColumnBlock; ++i) {
            values[0] = Core::Complex(re[i], im[i]);
            out.Set(i, formula(values));
        }
        return out;
    }
    for (int i = 0; i < kColumnBlock; ++i) {
        PointValues<N> values;
        for (int k = 0; k < N; ++k) values[k] = in[k]->At(i);
        out.Set(i, formula(values));
    }
    return out;
}

// out := formula(values of the first N children) at every point of the block.
template <int N, class Formula>
const Column& ColumnOfFormula(const Core::Node& node, Core::ColumnPass& pass, Column& out,
                              Formula formula) {
    return ColumnOfFormula<N>(ChildColumns<N>(node, pass), out, formula);
}

// Real shapes. A peak whose arguments are all real (imaginary parts 0.0) takes a formula in
// real arithmetic: a shape made once from the real parts of the children after x, then
// applied to x. The column path makes the shape once per block when x is real and the other
// children constant, and applies it without a branch per point.
template <std::size_t N>
bool AreReal(const std::array<Core::Complex, N>& values) {
    for (const Core::Complex& value : values)
        if (value.imag() != 0.0) return false;
    return true;
}

// The value shape(x) of the shape that make builds from the real parts of the children after x.
template <std::size_t N, class Make>
Core::Complex ShapeValue(const std::array<Core::Complex, N>& values, Make make) {
    double arguments[N];
    for (std::size_t k = 0; k < N; ++k) arguments[k] = values[k].real();
    return {make(arguments)(arguments[0]), 0.0};
}

// True when the children after x are constant (and real, with realRest) and x varies (and is
// real, with realX): their real parts then go to arguments.
template <int N>
bool ShapeArguments(const std::array<const Column*, N>& in, bool realX, bool realRest,
                    double* arguments) {
    if (in[0]->IsConstant() || (realX && !in[0]->IsReal())) return false;
    for (int k = 1; k < N; ++k) {
        if (!in[k]->IsConstant() || (realRest && !in[k]->IsReal())) return false;
        arguments[k] = in[k]->Value().real();
    }
    return true;
}

// out := shape(Re x) at every point of the block, imaginary parts 0.0.
template <class Shape>
const Column& ShapeColumn(const Column& x, Column& out, const Shape& shape) {
    out.SetVarying();
    out.MarkReal();
    const double* __restrict xs = x.Re();
    double* __restrict re = out.Re();
    double* __restrict im = out.Im();
    for (int i = 0; i < kColumnBlock; ++i) {
        re[i] = shape(xs[i]);
        im[i] = 0.0;
    }
    return out;
}

// The column of a real shape: the shape where ShapeArguments allow it, else formula, which
// takes the same shape at each point with real arguments.
template <int N, class Make, class Formula>
const Column& ColumnOfShape(const Core::Node& node, Core::ColumnPass& pass, Column& out,
                            bool realArguments, Make make, Formula formula) {
    const std::array<const Column*, N> in = ChildColumns<N>(node, pass);
    double arguments[N];
    if (ShapeArguments<N>(in, realArguments, realArguments, arguments))
        return ShapeColumn(*in[0], out, make(arguments));
    return ColumnOfFormula<N>(in, out, formula);
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

// out := formula(values(i)) at every point i, as ColumnOfRationalFormula below describes.
template <int N, class Formula, class Values>
const Column& RationalColumn(Column& out, Formula formula, Values values) {
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

// ColumnOfFormula for a formula made of sums, products and quotients alone, where a NaN
// anywhere makes the value NaN: the ordinary arithmetic at every point, in one loop that
// vectorises, then the exact arithmetic again where the two may differ, at the points with a
// quotient out of the ordinary case or with NaN in the value (which a product of an infinity
// and a zero leaves there).
template <int N, class Formula>
const Column& ColumnOfRationalFormula(const Core::Node& node, Core::ColumnPass& pass, Column& out,
                                      Formula formula) {
    const std::array<const Column*, N> in = ChildColumns<N>(node, pass);
    bool constantRest = !in[0]->IsConstant();
    for (int k = 1; k < N; ++k) constantRest = constantRest && in[k]->IsConstant();
    if (constantRest) {  // the usual case: x varies, the parameters are read once
        const double* re = in[0]->Re();
        const double* im = in[0]->Im();
        PointValues<N> rest;
        for (int k = 1; k < N; ++k) rest[k] = in[k]->Value();
        return RationalColumn<N>(out, formula, [re, im, &rest](int i) {
            PointValues<N> v = rest;
            v[0] = Core::Complex(re[i], im[i]);
            return v;
        });
    }
    const double* re[N];
    const double* im[N];
    for (int k = 0; k < N; ++k) {
        if (in[k]->IsConstant()) {  // spread into an array lent for the block
            double* spread = pass.Storage().Lend();
            for (int i = 0; i < kColumnBlock; ++i) spread[i] = in[k]->Value().real();
            for (int i = 0; i < kColumnBlock; ++i) spread[kColumnBlock + i] = in[k]->Value().imag();
            re[k] = spread;
            im[k] = spread + kColumnBlock;
        } else {
            re[k] = in[k]->Re();
            im[k] = in[k]->Im();
        }
    }
    return RationalColumn<N>(out, formula, [&re, &im](int i) {
        PointValues<N> v;
        for (int k = 0; k < N; ++k) v[k] = Core::Complex(re[k][i], im[k][i]);
        return v;
    });
}

}  // namespace Capsule
