#pragma once
// Column paths for function nodes whose value at a point depends only on their children's
// values there: one formula, shared with Evaluate, applied at every point of the block. That
// keeps the two paths equal bit for bit and spares a virtual call per node and point.
#include <array>

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

}  // namespace Capsule
